#pragma once
// The data cells of one datasheet column, by 0-based index: for each cell a
// kind, a value and, for cells holding text, the text as typed. Texts of up
// to eight bytes (every usual distance) are kept inside the cell's entry;
// longer ones go to a shared pool. Cells at or past size() are empty, so a
// column of a million empty rows costs nothing, and a file's column is built
// in one pass and handed to its grid without a copy.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

enum class CellKind : std::uint8_t {
    Empty,
    Text,     // typed or read text; the value is its leading numeric part
    General,  // a value the window wrote, shown in the general number form
    Fixed2,   // a value the window wrote, shown in the "0.0#" form
};

class SpacingColumn {
public:
    // --- building a column in one pass ---
    void reserve(std::size_t cells);
    // Adds a cell holding the text as typed; an empty text adds an empty cell.
    void append(std::string_view text);
    // Adds a cell holding a value the window wrote (General or Fixed2; Empty adds an empty cell).
    void appendValue(double value, CellKind kind);

    // --- cells ---
    std::size_t size() const { return kinds_.size(); }
    CellKind kind(std::size_t i) const { return i < kinds_.size() ? kinds_[i] : CellKind::Empty; }
    // The stored value: a text's leading numeric part, a written value as written, 0 when empty.
    double value(std::size_t i) const { return i < values_.size() ? values_[i] : 0.0; }
    // The text of a Text cell; "" for any other. Valid until the column changes.
    std::string_view text(std::size_t i) const;
    void setText(std::size_t i, std::string_view text);
    void setValue(std::size_t i, double value, CellKind kind);
    void clear(std::size_t i);
    // Empties the cells from index `first` on.
    void truncate(std::size_t first);
    // Index of the last cell that is not empty, plus one; 0 when all are empty.
    std::size_t filledSize() const;

    // Rebuilds the pool once edits left enough dead text in it.
    void compact();
    // Bytes held by the text pool, for tests of the compaction.
    std::size_t poolSize() const { return pool_.size(); }

private:
    // Eight bytes of text, or the pool offset of a longer one.
    struct TextRef {
        char bytes[8];
        std::uint32_t length;
    };
    static constexpr std::size_t kInline = sizeof(TextRef::bytes);

    void grow(std::size_t i);
    void storeText(TextRef& ref, std::string_view text);
    void release(std::size_t i);

    std::vector<double> values_;
    std::vector<CellKind> kinds_;
    // One entry per cell up to the last cell that ever held text; read only for Text cells.
    std::vector<TextRef> texts_;
    std::string pool_;
    std::size_t poolGarbage_ = 0;
};

}  // namespace ravelin
