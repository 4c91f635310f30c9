#pragma once
// One value grid of a spacing datasheet: the numbering column and one
// column of distances (column 1) whose cells are a SpacingColumn, so that a
// million rows cost about nine megabytes and no heap object per cell. Texts
// read from files or pasted are kept as typed; values the window writes
// itself (editor commits, conversions) are kept as numbers and turned into
// text on demand. Selection, keys, clipboard and notifications are the
// generic grid's.

#include <string>
#include <string_view>
#include <vector>

#include "core/Grid.h"
#include "spacing/SpacingColumn.h"

namespace ravelin {

class SpacingGrid : public Grid {
public:
    static constexpr int kColumns = 2;
    static constexpr int kValueColumn = 1;

    explicit SpacingGrid(int index);

    int index() const { return index_; }

    // --- the value column ---
    using Grid::clear;
    using Grid::isEmpty;
    std::string text(long long row, int column = kValueColumn) const {
        // The value column straight from its store: a save reads every row this way.
        if (column == kValueColumn && isDataRow(row)) return cells_->cellText(slot(row));
        return Grid::text(row, column);
    }
    bool isEmpty(long long row) const { return !isDataRow(row) || cells_->kind(slot(row)) == CellKind::Empty; }
    // The value a consumer reads from a data cell: its leading numeric part, 0 when empty.
    double number(long long row) const {
        if (!isDataRow(row)) return 0;
        const std::size_t s = slot(row);
        return cells_->kind(s) == CellKind::Fixed2 ? shownFixed2(s) : cells_->value(s);
    }
    // Passes over rows 1 to lastFilledRow(), or from that row back to row 1,
    // for a million rows at a time: state = step(state, row, number(row),
    // isEmpty(row)) for each, and the last state is returned. Sums and other
    // running figures belong in the state, which stays in registers: the
    // step is compiled into the loop, and the loop is kept apart from its
    // caller (inlined there, the state would be kept in memory for the
    // caller's later calls).
    template <class State, class Step>
    [[gnu::noinline, gnu::flatten]] State foldRows(State state, Step step, bool backwards = false) const {
        // A "0.0#" value reads as shown, through its text: only then is number() needed.
        const SpacingColumn& cells = *cells_;  // held in a register: the step's writes cannot move it
        if (cells.holdsWritten(CellKind::Fixed2)) return foldRowsByNumber(std::move(state), step, backwards);
        const auto last = static_cast<long long>(cells.filledSize());
        const double* values = cells.valueData();  // empty cells hold 0
        State running = std::move(state);
        if (backwards) {
            for (long long r = last; r >= 1; --r)
                running = step(std::move(running), r, values[r - 1], cells.isEmptyAt(static_cast<std::size_t>(r - 1)));
        } else {
            for (long long r = 1; r <= last; ++r)
                running = step(std::move(running), r, values[r - 1], cells.isEmptyAt(static_cast<std::size_t>(r - 1)));
        }
        return running;
    }
    // Writes a value in the general number form ("1.5") or in the "0.0#" form.
    void setGeneral(long long row, double value);
    void setFixed2(long long row, double value);
    void clear(long long row);
    // Empties the data cells of rows first..last (clamped to the grid).
    void clearRange(long long first, long long last) { clearBlock({first, last, kValueColumn, kValueColumn}); }
    // Fills rows first, first+1, ... with texts; the grid must be large enough.
    void assignTexts(long long first, const std::vector<std::string_view>& texts);
    // Rows 1, 2, ... take the column's cells and every other data cell is
    // emptied; cells beyond the last row are dropped.
    void assignColumn(SpacingColumn column);

    // The data cells, for passes over every row.
    const SpacingColumn& cells() const { return *cells_; }

private:
    double shownFixed2(std::size_t slot) const;
    // Apart from foldRows, so that its calls do not make foldRows keep the state in memory either.
    template <class State, class Step>
    [[gnu::noinline]] State foldRowsByNumber(State state, Step step, bool backwards) const {
        const long long last = lastFilledRow();
        if (backwards) {
            for (long long r = last; r >= 1; --r) state = step(std::move(state), r, number(r), isEmpty(r));
        } else {
            for (long long r = 1; r <= last; ++r) state = step(std::move(state), r, number(r), isEmpty(r));
        }
        return state;
    }

    int index_;
    SpacingColumn* cells_;  // column 1's store, owned by the grid
};

}  // namespace ravelin
