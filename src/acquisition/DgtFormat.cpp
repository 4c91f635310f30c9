#include "acquisition/DgtFormat.h"

#include <charconv>
#include <cmath>

#include "core/CommaFields.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "core/Unicode.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
// A count or path line keeps its value after its first six characters ("Nbre =", "Sour =").
constexpr std::size_t kKeyLength = 6;

using Field = FieldReader::Field;

std::string afterKey(std::string_view field) {
    const std::u32string characters = toCodePoints(field);
    if (characters.size() <= kKeyLength) return {};
    return std::string(trimSpaces(toUtf8(std::u32string_view(characters).substr(kKeyLength))));
}

// Reads the sections into a document, stopping at the first fault.
class DgtReader {
public:
    explicit DgtReader(std::string_view text) : fields_(text) {}

    DgtReadResult read() {
        Field field;
        while (!result_.error && fields_.next(field)) {
            if (field.text.empty() || field.text.front() == '\'') continue;
            readSection(field);
        }
        return std::move(result_);
    }

private:
    AcquisitionGeometry& geometry() { return result_.document.geometry; }

    void readSection(const Field& header) {
        const std::string_view name = header.text;
        Field value;
        if (name == "[Source]") {
            if (nextValue(header, value)) result_.document.imageSource = afterKey(value.text);
        } else if (name == "[Scale]") {
            if (nextValue(header, value)) geometry().scaleText = std::string(value.text);
        } else if (name == "[Window]") {
            readItems(header, 2, geometry().contour, [this](CanvasPoint& p) { return point(p); });
        } else if (name == "[Discontinuities]") {
            readItems(header, 4, geometry().traces, [this](Trace& t) { return point(t.end1) && point(t.end2); });
        } else if (name == "[Scanline]") {
            readCorners(header, geometry().scanline);
        } else if (name == "[Rectangle]") {
            readCorners(header, geometry().rectangle);
        }
    }

    // The counted items of a section; an item cut short by a fault is left out.
    template <class Item, class ReadItem>
    void readItems(const Field& header, std::size_t fieldsEach, std::vector<Item>& items, ReadItem readItem) {
        const std::optional<std::size_t> n = pointCount(header, fieldsEach);
        if (!n) return;
        items.clear();
        items.reserve(*n);
        for (std::size_t i = 0; i < *n && !result_.error; ++i) {
            Item item;
            if (readItem(item)) items.push_back(item);
        }
    }

    // A fixed number of points; the ones not reached before a fault stay (0, 0).
    template <std::size_t N>
    void readCorners(const Field& header, std::array<CanvasPoint, N>& corners) {
        countField_ = header;
        corners = {};
        for (CanvasPoint& p : corners) {
            if (!point(p)) return;
        }
    }

    bool point(CanvasPoint& p) { return coordinate(p.x) && coordinate(p.y); }

    // The field after a header, whatever it holds.
    bool nextValue(const Field& header, Field& value) {
        if (fields_.next(value)) return true;
        fail(header, 62, "Input past end of file", "The file ends after this section's header.");
        return false;
    }

    // The "Nbre = " count of a section whose items take `fieldsEach` fields each.
    std::optional<std::size_t> pointCount(const Field& header, std::size_t fieldsEach) {
        Field field;
        if (!nextValue(header, field)) return std::nullopt;
        countField_ = field;
        const std::string text = afterKey(field.text);
        long long n = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data() + (text.starts_with('+') ? 1 : 0), end, n);
        if (text.empty() || stop != end || (error != std::errc() && error != std::errc::result_out_of_range)) {
            fail(field, 13, "Type mismatch", "The count must be a whole number after \"Nbre = \".");
            return std::nullopt;
        }
        if (n < 0) {
            fail(field, 9, "Subscript out of range", "The count cannot be negative.");
            return std::nullopt;
        }
        // Every field takes at least one byte: a count beyond the bytes left cannot be true, and is refused
        // before anything is allocated for it.
        const std::size_t mostItems = fields_.remainingBytes() / fieldsEach;
        if (error == std::errc::result_out_of_range || static_cast<std::size_t>(n) > mostItems) {
            fail(field, 62, "Input past end of file", "The file holds fewer points than this count announces.");
            return std::nullopt;
        }
        return static_cast<std::size_t>(n);
    }

    // The next coordinate; empty fields and comments between coordinates are passed over.
    bool coordinate(std::int32_t& value) {
        Field field;
        do {
            if (!fields_.next(field)) {
                fail(countField_, 62, "Input past end of file", "The file ends before the last point of this section.");
                return false;
            }
        } while (field.text.empty() || field.text.front() == '\'');
        if (!hasNumericStart(field.text)) {
            fail(field, 13, "Type mismatch", "A coordinate must be a number.");
            return false;
        }
        const double number = readNumber(field.text);
        // Whole canvas units are 32-bit: anything that does not round into that range is refused.
        if (!(number >= -2147483648.5 && number < 2147483647.5)) {
            fail(field, 6, "Overflow", "A coordinate lies beyond the range of whole canvas units.");
            return false;
        }
        value = roundToCanvasUnit(number);
        return true;
    }

    void fail(const Field& field, int number, const char* description, const char* reason) {
        result_.error = DgtReadError{number, description, reason, field.line, fields_.lineAround(field.offset)};
    }

    FieldReader fields_;
    Field countField_;  // the count line (or header) of the section being read
    DgtReadResult result_;
};

std::string pointText(CanvasPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

}  // namespace

DgtReadResult ReadDigitizedFile(std::string_view bytes) {
    const std::string text = decodeFileText(bytes);
    return DgtReader(text).read();
}

std::string WriteDigitizedFile(const DigitizedDocument& document) {
    const AcquisitionGeometry& g = document.geometry;
    std::string out;
    auto line = [&out](const std::string& text) {
        out += text;
        out += kCrLf;
    };
    line("'Digitized data");
    line("[Source]");
    line(protectField("Sour = " + oneLine(document.imageSource)));
    line("[Scale]");
    line(protectField(oneLine(g.scaleText), true));
    line("[Window]");
    // A lone vertex is no contour: it is written as none.
    line("Nbre = " + std::to_string(g.contour.size() > 1 ? g.contour.size() : 0));
    if (g.contour.size() > 1) {
        for (CanvasPoint p : g.contour) line(pointText(p));
    }
    line("");
    line("[Discontinuities]");
    const bool noTrace = g.traces.empty() || (g.traces.size() == 1 && g.traces[0] == Trace{});
    line("Nbre = " + std::to_string(noTrace ? 0 : g.traces.size()));
    if (!noTrace) {
        for (const Trace& t : g.traces) line(pointText(t.end1) + "," + pointText(t.end2));
    }
    line("");
    line("[Scanline]");
    const bool noScanline = g.scanline[0] == CanvasPoint{} && g.scanline[1] == CanvasPoint{};
    for (CanvasPoint p : g.scanline) line(noScanline ? "-10,-10" : pointText(p));
    line("");
    line("[Rectangle]");
    for (CanvasPoint p : g.rectangle) line(pointText(p));
    return encodeFileText(out);
}

}  // namespace ravelin
