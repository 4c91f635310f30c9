#include "spacing/SpgFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/NumberText.h"
#include "core/TextCodec.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
// The chart's legend is kept on a comment line, which readers without it skip.
constexpr std::string_view kLegendKey = "'Lgnd = ";
// A line quoted in an error is cut to this many bytes (then to a whole character).
constexpr std::size_t kQuotedLineLength = 80;
// The value of a key line starts at its eighth character.
constexpr std::size_t kValueStart = 7;

// Lines whose first letter makes them a comment or a key rather than a distance.
bool readsAsKeyOrComment(std::string_view text) {
    return !text.empty() && std::string_view("'CDSTFLHAINWXYZ").find(text.front()) != std::string_view::npos;
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// What the reader needs to know of a text before reading it, in one pass of
// eight bytes at a time over a file of megabytes.
struct TextShape {
    bool ascii = true;
    std::size_t lineFeeds = 0;
};

TextShape shapeOf(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    // Line feeds are counted per byte lane; a lane holds at most 255 before the lanes are summed.
    constexpr std::size_t kWordsPerSum = 255;
    std::uint64_t high = 0;
    std::size_t lineFeeds = 0;
    std::size_t i = 0;
    while (i + 8 <= text.size()) {
        std::uint64_t lanes = 0;
        for (std::size_t words = 0; words < kWordsPerSum && i + 8 <= text.size(); ++words, i += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + i, 8);
            high |= word;
            // A byte of x is zero where the text has a line feed; bit 7 of each byte of `nonZero`
            // is set where it is not (no carry crosses a byte: 0x7F + 0x7F < 0x100).
            const std::uint64_t x = word ^ ('\n' * kOnes);
            const std::uint64_t nonZero = (((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
            lanes += (~nonZero & kHighBits) >> 7;
        }
        // Neighbouring lanes added into 16-bit lanes (at most 510 each), those then summed in the top 16 bits.
        constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FF;
        const std::uint64_t pairs = (lanes & kEvenBytes) + ((lanes >> 8) & kEvenBytes);
        lineFeeds += static_cast<std::size_t>((pairs * 0x0001000100010001) >> 48);
    }
    for (; i < text.size(); ++i) {
        high |= static_cast<unsigned char>(text[i]);
        lineFeeds += text[i] == '\n';
    }
    return {(high & kHighBits) == 0, lineFeeds};
}

struct Field {
    std::string_view text;
    std::size_t offset = 0;
    long long line = 1;
};

// Comma-separated input: leading blanks skipped, a quoted field read to its
// closing quote (or the line end), trailing blanks of an unquoted field dropped.
class FieldReader {
public:
    FieldReader(std::string_view text, std::size_t lineFeeds) : text_(text), lineFeeds_(lineFeeds) {}

    bool next(Field& field) {
        if (position_ >= text_.size()) return false;
        while (position_ < text_.size() && isBlank(text_[position_])) ++position_;
        field.offset = position_;
        field.line = line_;
        if (position_ < text_.size() && text_[position_] == '"') {
            const std::size_t start = ++position_;
            while (position_ < text_.size() && text_[position_] != '"' && !isLineEnd(text_[position_])) ++position_;
            field.text = text_.substr(start, position_ - start);
            if (position_ < text_.size() && text_[position_] == '"') ++position_;
            while (position_ < text_.size() && text_[position_] != ',' && !isLineEnd(text_[position_])) ++position_;
        } else {
            const std::size_t start = position_;
            while (position_ < text_.size() && text_[position_] != ',' && !isLineEnd(text_[position_])) ++position_;
            std::size_t end = position_;
            while (end > start && isBlank(text_[end - 1])) --end;
            field.text = text_.substr(start, end - start);
        }
        endField();
        return true;
    }

    // Reads the next field at once when it is a plain decimal ending at a
    // comma or a line end, as nearly every line of a datasheet is; otherwise
    // consumes nothing, and next() reads the field.
    bool nextPlainDecimal(PlainDecimal& decimal) {
        std::size_t start = position_;
        while (start < text_.size() && isBlank(text_[start])) ++start;
        const std::size_t length = SpacingColumn::readPlainDecimal(text_.substr(start), decimal);
        const std::size_t end = start + length;
        if (length == 0 || (end < text_.size() && text_[end] != ',' && !isLineEnd(text_[end]))) return false;
        position_ = end;
        endField();
        return true;
    }

    // The most cells the text can hold: each takes a character and a separator
    // but the last. Lines bound it too, in the usual file of one value a line.
    std::size_t mostCells() const { return std::min(lineFeeds_ + 1, text_.size() / 2 + 1); }

    std::string lineAround(std::size_t offset) const {
        std::size_t begin = offset;
        while (begin > 0 && !isLineEnd(text_[begin - 1])) --begin;
        std::size_t end = offset;
        while (end < text_.size() && !isLineEnd(text_[end])) ++end;
        if (end - begin <= kQuotedLineLength) return std::string(text_.substr(begin, end - begin));
        std::size_t cut = begin + kQuotedLineLength;
        // The text is UTF-8: a character is not split by the cut.
        while (cut > begin && (static_cast<unsigned char>(text_[cut]) & 0xC0) == 0x80) --cut;
        return std::string(text_.substr(begin, cut - begin)) + "...";
    }

private:
    // Steps over the comma or line end after a field.
    void endField() {
        if (position_ >= text_.size()) return;
        const char c = text_[position_++];
        if (c == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
        if (c != ',') ++line_;
    }

    std::string_view text_;
    std::size_t lineFeeds_;
    std::size_t position_ = 0;
    long long line_ = 1;
};

// The value of a key line; nullopt when the line is too short to hold one.
// "Fami =" (an empty value, its trailing blank dropped by the reader) reads as empty.
std::optional<std::string> keyValue(std::string_view field) {
    if (field.size() >= kValueStart) return std::string(trimSpaces(field.substr(kValueStart)));
    std::string_view rest = field;
    while (!rest.empty() && isBlank(rest.back())) rest.remove_suffix(1);
    if (!rest.empty() && rest.back() == '=') return std::string();
    return std::nullopt;
}

// Where a key holding a single text puts it; nullptr for the other keys.
std::optional<std::string>* textOfKey(SpgDocument& document, char key) {
    switch (key) {
        case 'H': return &document.comment;
        case 'F': return &document.family;
        case 'L': return &document.location;
        case 'A': return &document.theta;
        case 'I': return &document.chart.interval;
        case 'N': return &document.chart.classes;
        case 'W': return &document.chart.exponential;
        case 'X': return &document.chart.lognormal;
        case 'Y': return &document.chart.normal;
        case 'Z': return &document.chart.triangular;
        default: return nullptr;
    }
}

// Applies one key line; an error when the line cannot be read.
std::optional<SpgReadError> readKey(char key, const std::string& value, FieldReader& reader, SpgDocument& document) {
    if (key == 'C' || key == 'D' || key == 'S') {
        SpgOrientation& orientation = key == 'C' ? document.cliff : key == 'D' ? document.set : document.scanline;
        orientation.direction = value;
        Field dip;
        if (!reader.next(dip))
            return SpgReadError{62, "Input past end of file", "The orientation has no dip value after its comma.", 0,
                                ""};
        orientation.dip = std::string(trimSpaces(dip.text));
        return std::nullopt;
    }
    if (key == 'T') {
        const double type = readNumber(value);
        if (type != 1 && type != 2)
            return SpgReadError{340, "Control array element doesn't exist",
                                "The data type must be 1 (intersection distances) or 2 (discontinuity spacings).", 0,
                                ""};
        document.dataType = static_cast<int>(type);
        return std::nullopt;
    }
    if (std::optional<std::string>* text = textOfKey(document, key)) *text = value;
    return std::nullopt;
}

SpgReadResult readText(std::string_view text, std::size_t lineFeeds) {
    SpgReadResult result;
    SpgDocument& document = result.document;
    SpacingColumn& values = document.values;
    FieldReader reader(text, lineFeeds);
    values.reserve(reader.mostCells());
    Field field;
    for (;;) {
        PlainDecimal decimal;
        if (reader.nextPlainDecimal(decimal)) {
            values.appendDecimal(decimal);
            continue;
        }
        if (!reader.next(field)) break;
        if (field.text.starts_with(kLegendKey))
            document.chart.legend = std::string(trimSpaces(field.text.substr(kLegendKey.size())));
        if (field.text.empty() || field.text.front() == '\'') continue;
        if (!readsAsKeyOrComment(field.text)) {
            values.append(trimSpaces(field.text));
            continue;
        }
        const std::optional<std::string> value = keyValue(field.text);
        result.error = value ? readKey(field.text.front(), *value, reader, document)
                             : SpgReadError{5, "Invalid procedure call or argument",
                                            "A key line must hold its value after its key and \" = \".", 0, ""};
        if (result.error) {
            result.error->line = field.line;
            result.error->lineText = reader.lineAround(field.offset);
            break;
        }
    }
    return result;
}

// A field that would be cut at a comma (or lose a leading quote) is written
// whole between double quotes. The reader has no escape for a quote inside a
// quoted field, so such a quote becomes the typographic closing quote.
std::string protect(const std::string& field, bool quoteLeadingQuote = false) {
    const bool leadingQuote = quoteLeadingQuote && !field.empty() && field[0] == '"';
    const bool needed = field.find(',') != std::string::npos || leadingQuote;
    if (!needed) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += "\xE2\x80\x9D";
        else out.push_back(c);
    }
    return out + "\"";
}

// A text written on one line (line breaks inside it would start new fields)
// without the blanks at its ends, which the reader would drop.
std::string oneLine(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

std::string oneLine(const std::optional<std::string>& text) {
    return text ? oneLine(std::string_view(*text)) : std::string();
}

}  // namespace

SpgReadResult ReadSpacingDocument(std::string_view bytes) {
    // Plain ASCII, every usual datasheet, is read where it lies; decoding keeps the line feeds.
    const TextShape shape = shapeOf(bytes);
    if (shape.ascii) return readText(bytes, shape.lineFeeds);
    const std::string text = decodeFileText(bytes);
    return readText(text, shape.lineFeeds);
}

std::string SpacingDocumentText(const SpgDocument& document) {
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += kCrLf;
    };
    auto keyLine = [&](const char* key, const std::optional<std::string>& text) {
        line(protect(std::string(key) + " = " + oneLine(text)));
    };
    auto orientation = [&](const char* key, const SpgOrientation& value) {
        line(protect(std::string(key) + " = " + oneLine(value.direction)) + "," + protect(oneLine(value.dip), true));
    };

    line("'Heading comment/title");
    keyLine("Head", document.comment);
    line("'Family name");
    keyLine("Fami", document.family);
    line("'Location");
    keyLine("Loca", document.location);
    line("'Orientation of the cliff (degrees) : dip direction (DD) and dip angle(DA)");
    orientation("Clif", document.cliff);
    line("'Orientation of the scanline (degrees) : DD & DA");
    orientation("Scan", document.scanline);
    line("'Orientation of the discontinuity set (degrees) : dip direction and dip angle");
    orientation("Disc", document.set);
    line("'Data type : 1=intersection distances or 2=discontinuity spacings");
    line(std::string("Type = ") + (document.dataType == 2 ? "2" : "1"));
    line("'Theta angle between the scanline and the pole to the discontinuity (degrees)");
    keyLine("Angl", document.theta);

    const SpgChartSettings& chart = document.chart;
    if (chart.any()) {
        line("'Interval");
        keyLine("Inte", chart.interval);
        line("'Number of classes");
        keyLine("Nbcl", chart.classes);
        line("'Lois de distribution: 1=true or 0=false");
        keyLine("Wexp", chart.exponential);
        keyLine("Xlog", chart.lognormal);
        keyLine("Ynor", chart.normal);
        keyLine("Ztri", chart.triangular);
    }
    if (chart.legend && readNumber(*chart.legend) == 1) line(std::string(kLegendKey) + "1");

    const SpacingColumn& values = document.values;
    for (std::size_t i = 0, end = values.filledSize(); i < end; ++i) {
        if (values.kind(i) == CellKind::Empty) continue;
        const std::string value = oneLine(std::string_view(values.shownText(i)));
        // A text the reader would take for a comment or a key is worth 0, as an
        // empty cell is; written, it would break the reading of the file.
        if (value.empty() || readsAsKeyOrComment(value)) continue;
        line(protect(value, true));
    }
    return out;
}

std::string WriteSpacingDocument(const SpgDocument& document) { return encodeFileText(SpacingDocumentText(document)); }

}  // namespace ravelin
