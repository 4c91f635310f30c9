#pragma once
// One value grid of a spacing datasheet: a fixed header row 0, a fixed
// numbering column 0 and one column of distances (column 1), stored as a
// compact column (SpacingColumn) so that a million rows cost about nine
// megabytes and no heap object per cell. Texts read from files or pasted are
// kept as typed; values the window writes itself (editor commits,
// conversions) are kept as numbers and turned into text on demand.
//
// Rows are numbered as the window shows them: 0 is the header, 1..rows()-1
// hold data. The current cell, the selected block, the top row and a redraw
// switch complete what a grid control offers; observers (the Qt model) are
// told which rows changed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "spacing/SpacingColumn.h"

namespace ravelin {

class SpacingGrid;

class SpacingGridObserver {
public:
    virtual ~SpacingGridObserver() = default;
    // The texts of rows first..last (inclusive) may have changed.
    virtual void cellsChanged(const SpacingGrid&, long long /*first*/, long long /*last*/) {}
    // The number of rows changed; every cell may have changed with it.
    virtual void rowCountChanged(const SpacingGrid&) {}
    // The current cell or the selected block moved.
    virtual void cursorChanged(const SpacingGrid&) {}
    virtual void topRowChanged(const SpacingGrid&) {}
};

// A block of cells, inclusive bounds, rowStart <= rowEnd.
struct GridBlock {
    long long rowStart = 1;
    long long rowEnd = 1;
    int columnStart = 1;
    int columnEnd = 1;
    bool operator==(const GridBlock&) const = default;
};

class SpacingGrid {
public:
    static constexpr int kColumns = 2;
    static constexpr int kValueColumn = 1;

    explicit SpacingGrid(int index);
    SpacingGrid(const SpacingGrid&) = delete;
    SpacingGrid& operator=(const SpacingGrid&) = delete;

    int index() const { return index_; }

    // --- size ---
    long long rows() const { return rows_; }  // including the header row
    // Rows beyond the new count are dropped, new rows are empty. At least the header and one data row.
    void setRows(long long rows);
    // Grows with every change of the cells: what was computed from them at
    // one revision holds as long as the revision stays.
    std::uint64_t revision() const { return revision_; }

    // --- cells ---
    // Row 0 gives the header texts, column 0 the row number; out-of-range cells read as "".
    std::string text(long long row, int column = kValueColumn) const;
    bool isEmpty(long long row) const { return !isDataRow(row) || cells_.kind(slot(row)) == CellKind::Empty; }
    // The value a consumer reads from a data cell: its leading numeric part, 0 when empty.
    double number(long long row) const {
        if (!isDataRow(row)) return 0;
        const std::size_t s = slot(row);
        return cells_.kind(s) == CellKind::Fixed2 ? shownFixed2(s) : cells_.value(s);
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
        if (cells_.holdsWritten(CellKind::Fixed2)) return foldRowsByNumber(std::move(state), step, backwards);
        const auto last = static_cast<long long>(cells_.filledSize());
        const double* values = cells_.valueData();  // empty cells hold 0
        State running = std::move(state);
        if (backwards) {
            for (long long r = last; r >= 1; --r)
                running = step(std::move(running), r, values[r - 1], cells_.isEmptyAt(static_cast<std::size_t>(r - 1)));
        } else {
            for (long long r = 1; r <= last; ++r)
                running = step(std::move(running), r, values[r - 1], cells_.isEmptyAt(static_cast<std::size_t>(r - 1)));
        }
        return running;
    }
    // Writes a data cell as typed. Writes to the header or the numbering column are ignored.
    void setText(long long row, int column, std::string_view text);
    // Writes a value in the general number form ("1.5") or in the "0.0#" form.
    void setGeneral(long long row, double value);
    void setFixed2(long long row, double value);
    void clear(long long row);
    // Empties the data cells of rows first..last (clamped to the grid).
    void clearRange(long long first, long long last);
    // Fills rows first, first+1, ... with texts; the grid must be large enough.
    void assignTexts(long long first, const std::vector<std::string_view>& texts);
    // Rows 1, 2, ... take the column's cells and every other data cell is
    // emptied; cells beyond the last row are dropped.
    void assignColumn(SpacingColumn column);
    // The last data row whose cell is not empty; 0 when every cell is empty.
    long long lastFilledRow() const;

    // --- current cell, selection, scrolling ---
    long long row() const { return row_; }
    int column() const { return column_; }
    // Moves the current cell; the selection collapses onto it.
    void setCurrent(long long row, int column = kValueColumn);
    const GridBlock& selection() const { return selection_; }
    // Selects a block; the fixed row and column cannot be selected.
    void setSelection(GridBlock block);
    long long topRow() const { return topRow_; }
    void setTopRow(long long row);

    // --- block text as the clipboard carries it: tab between cells, CR between rows ---
    std::string clip() const;
    // Writes text into the selection: pieces beyond it are ignored, cells it
    // does not reach keep their text.
    void setClip(std::string_view text);

    // --- redrawing ---
    // While redrawing is off, changes are gathered and told once when it comes back on.
    void setRedraw(bool redraw);
    bool redraw() const { return redraw_; }

    void addObserver(SpacingGridObserver* observer);
    void removeObserver(SpacingGridObserver* observer);

    // The data cells, for passes over every row.
    const SpacingColumn& cells() const { return cells_; }

private:
    std::size_t slot(long long row) const { return static_cast<std::size_t>(row - 1); }
    bool isDataRow(long long row) const { return row >= 1 && row < rows_; }
    long long clampRow(long long row) const;
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
    void changed(long long first, long long last);
    void cursorMoved();

    std::uint64_t revision_ = 0;

    int index_;
    long long rows_ = 2;
    // Column 1 of rows 1..rows_-1: row r is cell r - 1; rows past the column's size are empty.
    SpacingColumn cells_;

    long long row_ = 1;
    int column_ = kValueColumn;
    GridBlock selection_;
    long long topRow_ = 1;

    bool redraw_ = true;
    bool pendingRows_ = false;
    long long dirtyFirst_ = -1;
    long long dirtyLast_ = -1;
    bool pendingCursor_ = false;
    bool pendingTop_ = false;
    std::vector<SpacingGridObserver*> observers_;
};

}  // namespace ravelin
