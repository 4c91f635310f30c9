#pragma once
// A grid of text cells for any number of columns, as the windows' grid
// controls show it: a fixed header row (row 0) and a fixed numbering column
// (column 0) around data cells; rows 1..rows()-1 and columns
// 1..columns()-1 hold data. The grid keeps the current cell, the selected
// block with the cell it was started from (its anchor), the top row shown,
// and a redraw switch; observers (the Qt model) are told which rows changed.
//
// Each data column keeps its cells in a GridColumn store. A plain text
// column (TextColumn) serves by default; a window that needs more (numbers
// kept as numbers, cells in a display form) gives a store of its own, so
// the generic grid pays nothing for it.
//
// The keys of a grid control (arrows, Page Up/Down, Home/End, with Shift
// to extend the block) and the clipboard's block format (tab between
// cells, CR between rows) are handled here, so that every window with a
// grid behaves alike.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

// The cells of one data column by 0-based index (row - 1). Cells at or past
// the end of what a store holds are empty, so unused rows cost nothing.
class GridColumn {
public:
    virtual ~GridColumn() = default;
    // The text the grid shows; "" when empty.
    virtual std::string cellText(std::size_t i) const = 0;
    virtual bool isCellEmpty(std::size_t i) const = 0;
    // Writes a cell as typed or pasted; "" empties it.
    virtual void setCellText(std::size_t i, std::string_view text) = 0;
    // Empties cells first..end-1; from the last cell held on, the store shrinks.
    virtual void clearCells(std::size_t first, std::size_t end) = 0;
    // Index of the last cell that is not empty, plus one; 0 when all are empty.
    virtual std::size_t filledSize() const = 0;
    // Cells first..end-1 as a store of their own (its cell 0 is `first`) that
    // gives them back exactly, for undo. By default the cells' texts.
    virtual std::unique_ptr<GridColumn> copyCells(std::size_t first, std::size_t end) const;
    // Writes cells 0..count-1 of a copy this store made over cells first..first+count-1.
    virtual void restoreCells(std::size_t first, const GridColumn& copy, std::size_t count);

protected:
    GridColumn() = default;
    GridColumn(const GridColumn&) = default;
    GridColumn(GridColumn&&) = default;
    GridColumn& operator=(const GridColumn&) = default;
    GridColumn& operator=(GridColumn&&) = default;
};

enum class GridAlignment { Left, Center, Right };

// How a column looks: its header text, width and the alignment of its cells.
struct GridColumnSpec {
    std::string header;
    double width = 0;  // twips
    GridAlignment alignment = GridAlignment::Left;
};

struct GridCell {
    long long row = 1;
    int column = 1;
    bool operator==(const GridCell&) const = default;
};

// A block of cells, inclusive bounds, rowStart <= rowEnd and columnStart <= columnEnd.
struct GridBlock {
    long long rowStart = 1;
    long long rowEnd = 1;
    int columnStart = 1;
    int columnEnd = 1;
    bool operator==(const GridBlock&) const = default;
};

class Grid;

// The cells of a block at one moment and the grid's row count then, which
// put the grid back as it was (undo). Rows of the block past the grid's
// last row were empty.
struct GridSnapshot {
    GridBlock block;
    long long rows = 0;
    std::vector<std::unique_ptr<GridColumn>> columns;  // the block's columns, left to right
};

class GridObserver {
public:
    virtual ~GridObserver() = default;
    // The cells of rows first..last (inclusive, any column) may have changed.
    virtual void cellsChanged(const Grid&, long long /*first*/, long long /*last*/) {}
    // The number of rows changed; every cell may have changed with it.
    virtual void rowCountChanged(const Grid&) {}
    // The current cell or the selected block moved.
    virtual void cursorChanged(const Grid&) {}
    virtual void topRowChanged(const Grid&) {}
};

class Grid {
public:
    // Height of one row (twips): a grid control's default for its 8.25 pt font.
    static constexpr double kRowHeight = 240;

    // columns[0] describes the numbering column, the others the data
    // columns (at least one). Row numbers are shown through `numbering`, a
    // display pattern ("0", "##0 "). Starts with one data row.
    Grid(std::vector<GridColumnSpec> columns, std::string numbering);
    virtual ~Grid();
    Grid(const Grid&) = delete;
    Grid& operator=(const Grid&) = delete;

    // --- shape ---
    int columns() const { return static_cast<int>(specs_.size()); }  // including the numbering column
    const GridColumnSpec& columnSpec(int column) const { return specs_[static_cast<std::size_t>(column)]; }
    long long rows() const { return rows_; }  // including the header row
    // Rows beyond the new count are dropped, new rows are empty. At least the header and one data row.
    void setRows(long long rows);
    // Grows with every change of the cells: what was computed from them at
    // one revision holds as long as the revision stays.
    std::uint64_t revision() const { return revision_; }

    // --- cells ---
    // Row 0 gives the header texts, column 0 the row number; cells outside the grid read as "".
    std::string text(long long row, int column) const;
    bool isEmpty(long long row, int column) const;
    // Writes a data cell as typed. Writes to the header, the numbering column or outside are ignored.
    void setText(long long row, int column, std::string_view text);
    // Empties the data cells of a block (clamped to the grid).
    void clearBlock(GridBlock block);
    // The last row holding a data cell that is not empty; 0 when every cell is empty.
    long long lastFilledRow() const;

    // --- current cell and selection ---
    long long row() const { return current_.row; }
    int column() const { return current_.column; }
    GridCell current() const { return current_; }
    GridCell anchor() const { return anchor_; }
    // The selected block; the current cell is its upper left corner.
    const GridBlock& selection() const { return selection_; }
    // Moves the current cell (clamped to the data cells); the block collapses
    // onto it and it becomes the anchor.
    void setCurrent(long long row, int column);
    void setCurrent(GridCell cell) { setCurrent(cell.row, cell.column); }
    // Selects the block between two cells, `anchor` being where it started.
    void selectBlock(GridCell anchor, GridCell end);
    // A Shift+click or a drag: the block from the anchor to `end`.
    void extendTo(GridCell end) { selectBlock(anchor_, end); }
    // Every data cell, from row 1 in the first data column.
    void selectAll();
    // A key on the grid: Up, Down, Left, Right, Page Up/Down (by `pageRows`)
    // and Home/End (first or last row) move the current cell, or with
    // `extend` the block's free end (the corner away from the anchor). Returns
    // the cell moved to, to bring into sight, or nothing for any other key.
    std::optional<GridCell> navigate(int keyCode, bool extend, long long pageRows);
    // The cell after (direction +1) or before (-1) `cell` in reading order
    // over the data cells: across the columns, then on to the next or
    // previous row. The first and last data cells lead nowhere else.
    GridCell following(GridCell cell, int direction) const;
    // Runs before the current cell moves to another cell, as a window's
    // in-cell editor needs in order to commit what it holds.
    void onLeaveCell(std::function<void()> handler) { leaveCell_ = std::move(handler); }

    // --- scrolling ---
    long long topRow() const { return topRow_; }
    void setTopRow(long long row);

    // --- the clipboard's block text: tab between cells, CR between rows ---
    // The selected block, without trailing tabs and CRs.
    std::string copyText() const;
    // copyText(), then the block's cells are emptied.
    std::string cut();
    // Writes clipboard text from the current cell on: line feeds are
    // dropped, trailing tabs and CRs ignored; the block becomes as many rows
    // as the text has and at least as many columns (up to the last column).
    // Rows past the last are added. Pieces beyond the last column are dropped.
    // False, and nothing changes, when the clipboard holds no text.
    bool paste(std::string_view clipboard);
    // Empties every data cell.
    void clear();

    // --- undo ---
    // The block's cells (columns clamped to the data columns, rows from 1 on,
    // not clamped to the last row) and the row count.
    GridSnapshot snapshot(GridBlock block) const;
    // Gives the grid the snapshot's row count and cells, and selects its block.
    void restore(const GridSnapshot& snapshot);
    // True when both hold the same block, row count and texts.
    static bool sameCells(const GridSnapshot& a, const GridSnapshot& b);

    // --- redrawing ---
    // While redrawing is off, changes are gathered and told once when it comes back on.
    void setRedraw(bool redraw);
    bool redraw() const { return redraw_; }

    void addObserver(GridObserver* observer);
    void removeObserver(GridObserver* observer);

protected:
    bool isDataRow(long long row) const { return row >= 1 && row < rows_; }
    bool isDataColumn(int column) const { return column >= 1 && column < columns(); }
    // Puts a store of the window's own under a data column (while the grid is empty).
    void setStore(int column, std::unique_ptr<GridColumn> store);
    GridColumn& store(int column) const { return *stores_[static_cast<std::size_t>(column)]; }
    static std::size_t slot(long long row) { return static_cast<std::size_t>(row - 1); }
    // Tells the observers (or gathers, while redrawing is off) that rows first..last changed.
    void changed(long long first, long long last);

private:
    GridCell clampCell(GridCell cell) const;
    // The selected block joined as the clipboard carries it.
    std::string clip() const;
    // Writes text into the selected block as it is: pieces beyond the block
    // are dropped, cells the text does not reach keep their text.
    void setClip(std::string_view text);
    // Moves the current cell and the block, running the leave handler first when the cell changes.
    void moveCursor(GridCell current, GridBlock block);
    void cursorMoved();
    template <class Call>
    void tell(Call call);

    std::vector<GridColumnSpec> specs_;
    std::string numbering_;
    // Index 0 stays empty: the numbering column has no cells.
    std::vector<std::unique_ptr<GridColumn>> stores_;
    long long rows_ = 2;
    std::uint64_t revision_ = 0;

    GridCell current_;
    GridCell anchor_;
    GridBlock selection_;
    long long topRow_ = 1;
    std::function<void()> leaveCell_;

    bool redraw_ = true;
    bool pendingRows_ = false;
    long long dirtyFirst_ = -1;
    long long dirtyLast_ = -1;
    bool pendingCursor_ = false;
    bool pendingTop_ = false;
    std::vector<GridObserver*> observers_;
};

// The clipboard text helpers of the Edit commands.
// Drops trailing tabs and CRs, trimming blanks at both ends after each drop.
std::string TrimTrailingBreaks(std::string text);
// Removes LFs, trims trailing breaks, counts the CRs left.
long long CountLineBreaks(std::string text);

}  // namespace ravelin
