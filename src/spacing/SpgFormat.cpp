#include "spacing/SpgFormat.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

#include "core/CommaFields.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define RAVELIN_SSE2 1
#endif

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
// 16 or 8 bytes at a time over a file of megabytes.
struct TextShape {
    bool ascii = true;
    std::size_t lineFeeds = 0;
};

#if defined(RAVELIN_SSE2)
// Sixteen bytes at a time where every processor of the platform has SSE2
// (x86-64): four instructions for what takes a dozen in 64-bit words.
TextShape shapeOf(std::string_view text) {
    // Line feeds are counted per byte lane; a lane holds at most 255 before the lanes are summed.
    constexpr std::size_t kBlocksPerSum = 255;
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    __m128i high = zero;
    std::size_t lineFeeds = 0;
    std::size_t i = 0;
    while (i + 16 <= text.size()) {
        __m128i lanes = zero;
        for (std::size_t blocks = 0; blocks < kBlocksPerSum && i + 16 <= text.size(); ++blocks, i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
            high = _mm_or_si128(high, bytes);
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, lineFeed));  // a match is -1
        }
        // Summed per half of eight lanes: at most 2040 each.
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        lineFeeds += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
    bool ascii = _mm_movemask_epi8(high) == 0;
    for (; i < text.size(); ++i) {
        ascii = ascii && static_cast<unsigned char>(text[i]) < 0x80;
        lineFeeds += text[i] == '\n';
    }
    return {ascii, lineFeeds};
}
#else
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
#endif

using Field = FieldReader::Field;

// Lines are looked at 16 bytes at a time: 15 digits and a point fill them,
// and the line end follows (two bytes for CR LF).
constexpr std::size_t kWindow = 16;
constexpr std::size_t kWindowAndLineEnd = kWindow + 2;

// Eight bytes of text as a number whose lowest byte is the first, on any machine.
std::uint64_t eightBytes(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if constexpr (std::endian::native == std::endian::big) {
        std::uint64_t swapped = 0;
        for (int i = 0; i < 8; ++i, word >>= 8) swapped = (swapped << 8) | (word & 0xFF);
        word = swapped;
    }
    return word;
}

// Bit 7 of each byte of the result is set where the byte is not an ASCII
// digit. Bit 7 is set in every byte before the subtractions, so no borrow
// crosses from one byte to the next.
std::uint64_t nonDigitBytes(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    const std::uint64_t raised = word | kHighBits;
    const std::uint64_t atLeastZero = (raised - '0' * kOnes) & kHighBits;
    const std::uint64_t aboveNine = (raised - ('9' + 1) * kOnes) & kHighBits;
    const std::uint64_t digits = atLeastZero & ~aboveNine & ~word;  // and below 0x80
    return ~digits & kHighBits;
}

// The index of the first byte at or after `from` whose bit 7 is set in the
// 16 bytes `low` (0 to 7) and `high` (8 to 15); 16 when there is none.
int firstMarked(std::uint64_t low, std::uint64_t high, int from) {
    if (from >= 8) {
        low = 0;
        high = from >= 16 ? 0 : high & (~std::uint64_t{0} << (8 * (from - 8)));
    } else {
        low &= ~std::uint64_t{0} << (8 * from);
    }
    if (low) return std::countr_zero(low) / 8;
    return high ? 8 + std::countr_zero(high) / 8 : 16;
}

// Where the parts of a line holding a plain decimal lie: its digits, the
// point between them (if any), its line end (CR LF, LF or CR).
struct LineShape {
    int integerDigits = 0;            // bytes 0 to integerDigits - 1
    int decimals = 0;                 // after the point at byte integerDigits; none without a point
    int textBytes = 0;                // the number's bytes: digits and point
    int length = 0;                   // with the line end
    bool loneCarriageReturn = false;  // the line ends with a CR that no LF follows
};

// The shape of the line at `line` (kWindowAndLineEnd bytes readable) when
// it holds one plain decimal and nothing else; nullopt otherwise.
std::optional<LineShape> lineShape(const char* line) {
    const std::uint64_t low = nonDigitBytes(eightBytes(line));
    const std::uint64_t high = nonDigitBytes(eightBytes(line + 8));
    const int point = firstMarked(low, high, 0);  // the end of the integer digits
    int end = point;
    if (point < static_cast<int>(kWindow) && line[point] == '.') end = firstMarked(low, high, point + 1);
    const int decimals = end > point ? end - point - 1 : 0;
    if (point == 0 || end == point + 1 || point + decimals > SpacingColumn::kExactDigits) return std::nullopt;
    int lineEnd = 0;
    if (line[end] == '\n') lineEnd = 1;
    else if (line[end] == '\r') lineEnd = line[end + 1] == '\n' ? 2 : 1;
    if (lineEnd == 0) return std::nullopt;
    return LineShape{point, decimals, end, end + lineEnd, lineEnd == 1 && line[end] == '\r'};
}

// The plain decimal on a line of the given shape.
PlainDecimal decimalOf(const char* line, const LineShape& shape) {
    std::uint64_t digits = 0;
    for (int i = 0; i < shape.textBytes; ++i)
        if (i != shape.integerDigits) digits = digits * 10 + static_cast<unsigned>(line[i] - '0');
    return {digits, shape.integerDigits, shape.decimals};
}

// Lines of one shape whose number fits in eight bytes ("0.35", "0.323180",
// "12"), as the lines of a generated or exported datasheet all are, are
// recognised with two comparisons of 64-bit words and read with a few
// multiplications, the eight digits at once.
class RepeatedShape {
public:
    explicit RepeatedShape(const LineShape& shape)
        : length_(shape.length),
          pointed_(shape.decimals > 0),
          keptBelowPoint_(lowBytes(shape.integerDigits)),
          numberBytes_(lowBytes(shape.integerDigits + shape.decimals)),
          toTop_(8 * (8 - shape.integerDigits - shape.decimals)) {
        for (int i = 0; i < shape.textBytes; ++i) {
            if (pointed_ && i == shape.integerDigits) place(i, '.');
            else digitBytes_ |= std::uint64_t{0x80} << (8 * i);
        }
        if (shape.length - shape.textBytes == 2) place(shape.textBytes, '\r');
        place(shape.length - 1, '\n');
    }

    // Whether lines of this shape can be read so: the number fits in eight
    // bytes, and the line does not end with a lone CR (a line end only when
    // no LF follows, which needs a look at the next byte).
    static bool fits(const LineShape& shape) { return shape.textBytes <= 8 && !shape.loneCarriageReturn; }

    int length() const { return length_; }

    // True, with the number's digits as a whole number, when the line at
    // `line` (kWindowAndLineEnd bytes readable) has this shape.
    bool read(const char* line, std::uint64_t& digits) const {
        const std::uint64_t first = eightBytes(line);
        const std::uint64_t second = eightBytes(line + 8);
        if ((first & mask_[0]) != expected_[0] || (second & mask_[1]) != expected_[1] ||
            (nonDigitBytes(first) & digitBytes_) != 0)
            return false;
        // The point taken out, the digits moved to the top, the bytes below
        // them zero: the conversion reads those as leading zeros.
        std::uint64_t number = pointed_ ? (first & keptBelowPoint_) | ((first >> 8) & ~keptBelowPoint_) : first;
        number = (number & numberBytes_) << toTop_;
        // Eight ASCII digits, the first in the lowest byte, to their value: pairs, then fours, then all eight.
        number = ((number & 0x0F0F0F0F0F0F0F0F) * 2561) >> 8;
        number = ((number & 0x00FF00FF00FF00FF) * 6553601) >> 16;
        digits = ((number & 0x0000FFFF0000FFFF) * 42949672960001) >> 32;
        return true;
    }

private:
    static std::uint64_t lowBytes(int count) {
        return count >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * count)) - 1;
    }
    void place(int byte, char value) {
        const int shift = 8 * (byte % 8);
        mask_[byte / 8] |= std::uint64_t{0xFF} << shift;
        expected_[byte / 8] |= std::uint64_t{static_cast<unsigned char>(value)} << shift;
    }

    int length_;
    bool pointed_;
    std::uint64_t keptBelowPoint_;
    std::uint64_t numberBytes_;           // the digits' bytes once the point is out
    int toTop_;                           // bits that move them to the top of the word
    std::uint64_t mask_[2] = {0, 0};      // the point and line end bytes
    std::uint64_t expected_[2] = {0, 0};  // their values
    std::uint64_t digitBytes_ = 0;        // bit 7 of each byte that must be a digit
};

// What readPlainLines read: its bytes, holding as many line ends.
struct PlainLines {
    std::size_t bytes = 0;
    long long lines = 0;
};

// Reads the lines that follow, while each holds one plain decimal and
// nothing else ("0.35" and a line end), straight into the column: a million
// of them make a datasheet of the usual kind. The digits and the point are
// found among 16 bytes at once, without a test per byte, and a run of lines
// of one shape goes faster still. Stops before the first other line, and
// before the last bytes of the text, which the field reader takes: for a
// line of this kind, with the same result.
PlainLines readPlainLines(std::string_view text, SpacingColumn& values) {
    const char* const begin = text.data();
    // Every line started before this has its window and line end within the text.
    const char* const last = text.size() > kWindowAndLineEnd ? begin + text.size() - kWindowAndLineEnd : begin;
    const char* line = begin;
    // Each line read takes two bytes at least.
    const std::size_t added =
        values.appendInPlace(text.size() / 2, [&](double* out, std::uint8_t* codes, std::size_t most) {
            std::size_t count = 0;
            while (count < most && line < last) {
                const std::optional<LineShape> shape = lineShape(line);
                if (!shape) break;
                const PlainDecimal first = decimalOf(line, *shape);
                out[count] = SpacingColumn::decimalValue(first);
                codes[count] = SpacingColumn::decimalCode(shape->integerDigits, shape->decimals);
                ++count;
                line += shape->length;
                if (!RepeatedShape::fits(*shape)) continue;
                // The lines that follow in the same shape; everything the loop needs is held locally.
                const RepeatedShape same(*shape);
                const std::uint8_t code = codes[count - 1];
                const double divisor = SpacingColumn::powerOfTen(shape->decimals);
                std::uint64_t digits = 0;
                while (count < most && line < last && same.read(line, digits)) {
                    out[count] = static_cast<double>(static_cast<std::int64_t>(digits)) / divisor;  // below 10^8
                    codes[count] = code;
                    ++count;
                    line += same.length();
                }
            }
            return count;
        });
    return {static_cast<std::size_t>(line - begin), static_cast<long long>(added)};
}

// Reads the next field at once when it is a plain decimal ending at a comma
// or a line end, as nearly every line of a datasheet is; otherwise consumes
// nothing, and next() reads the field.
bool nextPlainDecimal(FieldReader& reader, PlainDecimal& decimal) {
    return reader.acceptNext([&decimal](std::string_view raw) {
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
        const PlainLines plain = readPlainLines(reader.rest(), values);
        reader.skipLines(plain.bytes, plain.lines);
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
        line(protectField(std::string(key) + " = " + oneLine(value.direction)) + "," +
             protectField(oneLine(value.dip), true));
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
