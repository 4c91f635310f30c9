#pragma once
// The data cells of one datasheet column, by 0-based index: for each cell a
// value (8 bytes) and a code (1 byte) saying what the cell holds. A text
// typed or read as a plain decimal ("0.35", "12", "007.50": every usual
// distance) is not kept: its code records how many digits it had before and
// after the point, and the text is written again from the value exactly as
// it was typed. Only other texts ("1e3", "abc", "-2") are kept, in a side
// table. A million distances thus cost about 9 MB. Cells at or past size()
// are empty, so a column of a million empty rows costs nothing, and a
// file's column is built in one pass and handed to its grid without a copy.
//
// As a grid's store, a cell shows its text as typed, or a value the window
// wrote in its display form.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Grid.h"
#include "spacing/LargeBuffer.h"

namespace ravelin {

enum class CellKind : std::uint8_t {
    Empty,
    Text,     // typed or read text; the value is its leading numeric part
    General,  // a value the window wrote, shown in the general number form
    Fixed2,   // a value the window wrote, shown in the "0.0#" form
};

// A text made of digits with at most one point inside them, as a reader
// found it: its digits as a whole number and where the point was.
struct PlainDecimal {
    std::uint64_t digits = 0;
    int integerDigits = 0;  // digits before the point (at least 1)
    int decimals = 0;       // digits after the point (none: no point)
};

class SpacingColumn final : public GridColumn {
public:
    // Plain decimals of up to this many digits are written again from their
    // value: a whole number below 10^15 is held exactly by a double.
    static constexpr int kExactDigits = 15;

    // The plain decimal a text is, when it is one of up to kExactDigits
    // digits that reads back as typed: digits, then optionally a point and
    // at least one more digit.
    static bool parsePlainDecimal(std::string_view text, PlainDecimal& decimal) {
        return !text.empty() && readPlainDecimal(text, decimal) == text.size();
    }
    // The plain decimal the text starts with: its length, 0 when there is none
    // (or it has more than kExactDigits digits). A reader finds where it ends
    // and whether the field goes on after it in one pass.
    static std::size_t readPlainDecimal(std::string_view text, PlainDecimal& decimal);

    // --- building a column in one pass ---
    void reserve(std::size_t cells);
    // Adds a cell holding the text as typed; an empty text adds an empty cell.
    void append(std::string_view text);
    // Adds a cell holding a plain decimal's text (parsePlainDecimal's result, or a reader's).
    void appendDecimal(const PlainDecimal& decimal) {
        values_.push_back(decimalValue(decimal));
        codes_.push_back(decimalCode(decimal.integerDigits, decimal.decimals));
    }
    // Adds up to `most` cells that `fill(values, codes, most)` writes in
    // place and counts: for a reader's loop over a million lines, within the
    // room reserved. Each value and code is what decimalValue and decimalCode
    // give for a plain decimal.
    template <class Fill>
    std::size_t appendInPlace(std::size_t most, Fill&& fill) {
        const std::size_t first = codes_.size();
        most = std::min(most, codes_.capacity() - first);
        values_.resize(first + most);  // left uninitialised (LargeAllocator): written by `fill` or cut again
        codes_.resize(first + most);
        const std::size_t added = fill(values_.data() + first, codes_.data() + first, most);
        values_.resize(first + added);
        codes_.resize(first + added);
        return added;
    }
    static double decimalValue(const PlainDecimal& decimal) {
        return static_cast<double>(decimal.digits) / kPowersOfTen[decimal.decimals];
    }
    // 10^exponent, exactly, for exponents 0 to kExactDigits.
    static double powerOfTen(int exponent) { return kPowersOfTen[exponent]; }
    // A plain decimal's code: 16 slots for each count of digits before the point.
    static std::uint8_t decimalCode(int integerDigits, int decimals) {
        return static_cast<std::uint8_t>(kFirstDecimalCode + (integerDigits - 1) * 16 + decimals);
    }
    // Adds a cell holding a value the window wrote (General or Fixed2; Empty adds an empty cell).
    void appendValue(double value, CellKind kind) {
        if (kind == CellKind::Text) kind = CellKind::General;  // a text cell is made by append(), with its text
        values_.push_back(kind == CellKind::Empty ? 0.0 : value);
        codes_.push_back(static_cast<std::uint8_t>(kind));
    }
    // Adds `count` cells of values the window wrote, which `fill(values,
    // codes)` writes in place: each code is codeOf(CellKind::General),
    // codeOf(CellKind::Fixed2) or, with a value of 0, codeOf(CellKind::Empty).
    // A pass over a million rows, without a call per cell.
    template <class Fill>
    void appendValues(std::size_t count, Fill&& fill) {
        const std::size_t first = codes_.size();
        values_.resize(first + count);  // left uninitialised (LargeAllocator): written by `fill`
        codes_.resize(first + count);
        fill(values_.data() + first, codes_.data() + first);
    }
    static std::uint8_t codeOf(CellKind kind) { return static_cast<std::uint8_t>(kind); }

    // --- cells ---
    std::size_t size() const { return codes_.size(); }
    // Cells room is kept for: what a reader reserved, or more after growth.
    std::size_t capacity() const { return codes_.capacity(); }
    CellKind kind(std::size_t i) const { return i < codes_.size() ? kindOf(codes_[i]) : CellKind::Empty; }
    // The stored value: a text's leading numeric part, a written value as written, 0 when empty.
    double value(std::size_t i) const { return i < values_.size() ? values_[i] : 0.0; }
    // The text of a Text cell as typed; "" for any other.
    std::string text(std::size_t i) const;
    // The text a cell shows: as typed, a written value in its form ("1.5", "0.0#"), "" when empty.
    std::string shownText(std::size_t i) const;
    void setText(std::size_t i, std::string_view text);
    void setValue(std::size_t i, double value, CellKind kind);
    void clear(std::size_t i);
    // Empties the cells from index `first` on.
    void truncate(std::size_t first);
    // Empties the cells first..end-1; from the last cell held on, the column shrinks.
    void clearCells(std::size_t first, std::size_t end) override;
    // Index of the last cell that is not empty, plus one; 0 when all are empty.
    std::size_t filledSize() const override;

    // --- as a grid's store ---
    std::string cellText(std::size_t i) const override;
    bool isCellEmpty(std::size_t i) const override { return kind(i) == CellKind::Empty; }
    void setCellText(std::size_t i, std::string_view text) override { setText(i, text); }
    // Exact copies: a written value stays a value in its form, a text keeps its digits.
    std::unique_ptr<GridColumn> copyCells(std::size_t first, std::size_t end) const override;
    void restoreCells(std::size_t first, const GridColumn& copy, std::size_t count) override;

    // For passes over every cell, without the checks of value() and kind() (i < size()).
    const double* valueData() const { return values_.data(); }
    const std::uint8_t* codeData() const { return codes_.data(); }
    // What a code says: a plain decimal (with its digits before and after
    // the point), or one of the kinds.
    static bool isPlainDecimal(std::uint8_t code) { return code >= kFirstDecimalCode; }
    static int integerDigitsOf(std::uint8_t code) { return (code - kFirstDecimalCode) / 16 + 1; }
    static int decimalsOf(std::uint8_t code) { return (code - kFirstDecimalCode) % 16; }
    static CellKind kindOfCode(std::uint8_t code) { return kindOf(code); }
    bool isEmptyAt(std::size_t i) const { return codes_[i] == static_cast<std::uint8_t>(CellKind::Empty); }
    // True when a cell holds a value of this kind (General or Fixed2).
    bool holdsWritten(CellKind kind) const;

    // Texts kept in the side table and their bytes, for tests of the storage.
    std::size_t keptTexts() const { return texts_.size(); }
    std::size_t keptTextBytes() const;

private:
    static constexpr double kPowersOfTen[kExactDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    // Codes below this are the kinds themselves; from it on, plain decimals.
    static constexpr std::uint8_t kFirstDecimalCode = 4;
    static CellKind kindOf(std::uint8_t code) {
        return code >= kFirstDecimalCode ? CellKind::Text : static_cast<CellKind>(code);
    }

    void grow(std::size_t i);
    void release(std::size_t i);
    // Cell i takes cell j of `from` as it is.
    void copyCell(std::size_t i, const SpacingColumn& from, std::size_t j);

    LargeVector<double> values_;
    LargeVector<std::uint8_t> codes_;
    // Texts that are not plain decimals, by cell index (cells whose code is Text).
    std::unordered_map<std::size_t, std::string> texts_;
};

}  // namespace ravelin
