#include "spacing/SpgFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/CommaFields.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
// The chart's legend is kept on a comment line, which readers without it skip.
constexpr std::string_view kLegendKey = "'Lgnd = ";
// The value of a key line starts at its eighth character.
constexpr std::size_t kValueStart = 7;

// Lines whose first letter makes them a comment or a key rather than a distance.
bool readsAsKeyOrComment(std::string_view text) {
    return !text.empty() && std::string_view("'CDSTFLHAINWXYZ").find(text.front()) != std::string_view::npos;
}

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

using Field = FieldReader::Field;

// Reads the next field at once when it is a plain decimal ending at a comma
// or a line end, as nearly every line of a datasheet is; otherwise consumes
// nothing, and next() reads the field.
bool nextPlainDecimal(FieldReader& reader, PlainDecimal& decimal) {
    return reader.acceptNext(
        [&decimal](std::string_view raw) {
            const std::size_t length = SpacingColumn::readPlainDecimal(raw, decimal);
            return length != 0 && length == raw.size();
        });
}

// The value of a key line; nullopt when the line is too short to hold one.
// "Fami =" (an empty value, its trailing blank dropped by the reader) reads as empty.
std::optional<std::string> keyValue(std::string_view field) {
    if (field.size() >= kValueStart) return std::string(trimSpaces(field.substr(kValueStart)));
    std::string_view rest = field;
    while (!rest.empty() && FieldReader::isBlank(rest.back())) rest.remove_suffix(1);
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
    FieldReader reader(text);
    // The most cells the text can hold: each takes a character and a separator
    // but the last. Lines bound it too, in the usual file of one value a line.
    values.reserve(std::min(lineFeeds + 1, text.size() / 2 + 1));
    Field field;
    for (;;) {
        PlainDecimal decimal;
        if (nextPlainDecimal(reader, decimal)) {
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

std::string oneLine(const std::optional<std::string>& text) {
    return text ? ravelin::oneLine(std::string_view(*text)) : std::string();
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
        line(protectField(std::string(key) + " = " + oneLine(text)));
    };
    auto orientation = [&](const char* key, const SpgOrientation& value) {
        line(protectField(std::string(key) + " = " + oneLine(value.direction)) + "," + protectField(oneLine(value.dip), true));
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
        const std::string value = ravelin::oneLine(std::string_view(values.shownText(i)));
        // A text the reader would take for a comment or a key is worth 0, as an
        // empty cell is; written, it would break the reading of the file.
        if (value.empty() || readsAsKeyOrComment(value)) continue;
        line(protectField(value, true));
    }
    return out;
}

std::string WriteSpacingDocument(const SpgDocument& document) { return encodeFileText(SpacingDocumentText(document)); }

}  // namespace ravelin
