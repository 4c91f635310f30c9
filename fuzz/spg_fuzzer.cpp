// The spacing datasheet reader on any bytes: no fault, memory within what the
// reader promises, an error that names a line of the file, every value its
// text's leading number, and a document that survives writing: read, written,
// read again, it is the same document and is written to the same bytes.
// Files of plain fields alone are also read by a model of the grammar and
// must give the same cells.

#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "spacing/SpgFormat.h"

using namespace ravelin;

namespace {

bool sameColumn(const SpacingColumn& a, const SpacingColumn& b) {
    if (a.filledSize() != b.filledSize()) return false;
    for (std::size_t i = 0; i < a.filledSize(); ++i) {
        if (a.kind(i) != b.kind(i) || a.shownText(i) != b.shownText(i)) return false;
        // Both NaN-free: readNumber gives finite values only.
        if (a.value(i) != b.value(i)) return false;
    }
    return true;
}

bool sameDocument(const SpgDocument& a, const SpgDocument& b) {
    return a.comment == b.comment && a.family == b.family && a.location == b.location && a.cliff == b.cliff &&
           a.scanline == b.scanline && a.set == b.set && a.dataType == b.dataType && a.theta == b.theta &&
           a.chart == b.chart && sameColumn(a.values, b.values);
}

std::size_t lineCount(std::string_view text) {
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    return lines;
}

// The cells of a file made of plain fields only (no quote, no key or comment
// letter, ASCII): fields end at a comma or a line end, blanks around them
// are dropped, and each field left non-empty is a cell.
std::optional<std::vector<std::string>> plainCells(std::string_view bytes) {
    std::vector<std::string> cells;
    std::string field;
    auto end = [&] {
        const std::size_t first = field.find_first_not_of(" \t");
        if (first != std::string::npos) cells.push_back(field.substr(first, field.find_last_not_of(" \t") - first + 1));
        field.clear();
    };
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '"' ||
            std::string_view("'CDSTFLHAINWXYZ").find(c) != std::string_view::npos)
            return std::nullopt;
        if (c == ',' || c == '\r' || c == '\n') end();
        else field.push_back(c);
    }
    end();
    return cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const SpgReadResult read = ReadSpacingDocument(bytes);
    const SpacingColumn& values = read.document.values;
    // Memory follows the input: the reader reserves one cell a line feed (at
    // most one for two bytes); lines ended by a lone carriage return grow the
    // column by doubling, so it holds at most twice the cells a text can have.
    RAVELIN_FUZZ_CHECK(values.capacity() <= 2 * (size / 2 + 1));
    RAVELIN_FUZZ_CHECK(values.keptTextBytes() <= 3 * size);  // Windows-1252 grows three times at most
    for (std::size_t i = 0; i < values.size(); ++i) {
        RAVELIN_FUZZ_CHECK(values.kind(i) == CellKind::Text || values.kind(i) == CellKind::Empty);
        RAVELIN_FUZZ_CHECK(values.value(i) == readNumber(values.text(i)));
    }
    if (read.error) {
        RAVELIN_FUZZ_CHECK(read.error->line >= 1);
        RAVELIN_FUZZ_CHECK(static_cast<std::size_t>(read.error->line) <= lineCount(decodeFileText(bytes)));
        RAVELIN_FUZZ_CHECK(isValidUtf8(read.error->lineText));
        RAVELIN_FUZZ_CHECK(!read.error->reason.empty());
    } else if (const auto cells = plainCells(bytes)) {
        RAVELIN_FUZZ_CHECK(cells->size() == values.size());
        for (std::size_t i = 0; i < cells->size(); ++i) RAVELIN_FUZZ_CHECK((*cells)[i] == values.text(i));
    }

    const std::string written = WriteSpacingDocument(read.document);
    const SpgReadResult again = ReadSpacingDocument(written);
    RAVELIN_FUZZ_CHECK(!again.error);
    const std::string rewritten = WriteSpacingDocument(again.document);
    RAVELIN_FUZZ_CHECK(rewritten == written);
    const SpgReadResult third = ReadSpacingDocument(rewritten);
    RAVELIN_FUZZ_CHECK(sameDocument(third.document, again.document));
    return 0;
}
