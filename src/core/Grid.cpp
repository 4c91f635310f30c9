#include "core/Grid.h"

#include <algorithm>
#include <cstdint>

#include "core/Form.h"
#include "core/NumberText.h"
#include "core/TextColumn.h"

namespace ravelin {

std::unique_ptr<GridColumn> GridColumn::copyCells(std::size_t first, std::size_t end) const {
    auto copy = std::make_unique<TextColumn>();
    for (std::size_t i = first; i < end; ++i)
        if (!isCellEmpty(i)) copy->setCellText(i - first, cellText(i));
    return copy;
}

void GridColumn::restoreCells(std::size_t first, const GridColumn& copy, std::size_t count) {
    clearCells(first, first + count);
    for (std::size_t j = 0; j < count; ++j)
        if (!copy.isCellEmpty(j)) setCellText(first + j, copy.cellText(j));
}

Grid::Grid(std::vector<GridColumnSpec> columns, std::string numbering)
    : specs_(std::move(columns)), numbering_(std::move(numbering)) {
    if (specs_.size() < 2) specs_.resize(2);  // the numbering column and one data column at least
    stores_.resize(specs_.size());
    for (std::size_t c = 1; c < stores_.size(); ++c) stores_[c] = std::make_unique<TextColumn>();
}

Grid::~Grid() = default;

void Grid::setStore(int column, std::unique_ptr<GridColumn> store) {
    if (isDataColumn(column) && store) stores_[static_cast<std::size_t>(column)] = std::move(store);
}

template <class Call>
void Grid::tell(Call call) {
    // A copy: an observer may leave while it is told.
    for (GridObserver* observer : std::vector<GridObserver*>(observers_)) call(*observer);
}

// ---------------------------------------------------------------- shape and cells

void Grid::setRows(long long rows) {
    rows = std::max(rows, 2LL);
    if (rows == rows_) return;
    if (rows < rows_) {
        for (std::size_t c = 1; c < stores_.size(); ++c) stores_[c]->clearCells(slot(rows), SIZE_MAX);
        ++revision_;
    }
    rows_ = rows;
    const long long last = rows_ - 1;
    current_.row = std::min(current_.row, last);
    anchor_.row = std::min(anchor_.row, last);
    selection_.rowStart = std::min(selection_.rowStart, last);
    selection_.rowEnd = std::min(selection_.rowEnd, last);
    topRow_ = std::min(topRow_, last);
    if (!redraw_) {
        pendingRows_ = true;
        return;
    }
    tell([this](GridObserver& o) { o.rowCountChanged(*this); });
}

std::string Grid::text(long long row, int column) const {
    if (column < 0 || column >= columns() || row < 0 || row >= rows_) return {};
    if (row == 0) return specs_[static_cast<std::size_t>(column)].header;
    if (column == 0) return formatNumber(static_cast<double>(row), numbering_);
    return store(column).cellText(slot(row));
}

bool Grid::isEmpty(long long row, int column) const {
    return !isDataRow(row) || !isDataColumn(column) || store(column).isCellEmpty(slot(row));
}

void Grid::setText(long long row, int column, std::string_view text) {
    if (!isDataRow(row) || !isDataColumn(column)) return;
    store(column).setCellText(slot(row), text);
    changed(row, row);
}

void Grid::clearBlock(GridBlock block) {
    block.rowStart = std::max(block.rowStart, 1LL);
    block.rowEnd = std::min(block.rowEnd, rows_ - 1);
    block.columnStart = std::max(block.columnStart, 1);
    block.columnEnd = std::min(block.columnEnd, columns() - 1);
    if (block.rowStart > block.rowEnd || block.columnStart > block.columnEnd) return;
    for (int c = block.columnStart; c <= block.columnEnd; ++c)
        store(c).clearCells(slot(block.rowStart), slot(block.rowEnd) + 1);
    changed(block.rowStart, block.rowEnd);
}

void Grid::clear() { clearBlock({1, rows_ - 1, 1, columns() - 1}); }

long long Grid::lastFilledRow() const {
    std::size_t filled = 0;
    for (std::size_t c = 1; c < stores_.size(); ++c) filled = std::max(filled, stores_[c]->filledSize());
    return static_cast<long long>(filled);
}

// ---------------------------------------------------------------- current cell and selection

GridCell Grid::clampCell(GridCell cell) const {
    return {std::clamp(cell.row, 1LL, rows_ - 1), std::clamp(cell.column, 1, columns() - 1)};
}

void Grid::moveCursor(GridCell current, GridBlock block) {
    if (current == current_ && block == selection_) return;
    if (current != current_ && leaveCell_) leaveCell_();
    current_ = current;
    selection_ = block;
    cursorMoved();
}

void Grid::setCurrent(long long row, int column) {
    const GridCell cell = clampCell({row, column});
    anchor_ = cell;
    moveCursor(cell, {cell.row, cell.row, cell.column, cell.column});
}

void Grid::selectBlock(GridCell anchor, GridCell end) {
    anchor = clampCell(anchor);
    end = clampCell(end);
    const GridBlock block{std::min(anchor.row, end.row), std::max(anchor.row, end.row),
                          std::min(anchor.column, end.column), std::max(anchor.column, end.column)};
    anchor_ = anchor;
    moveCursor({block.rowStart, block.columnStart}, block);
}

void Grid::selectAll() { selectBlock({1, 1}, {rows_ - 1, columns() - 1}); }

std::optional<GridCell> Grid::navigate(int keyCode, bool extend, long long pageRows) {
    GridCell from = current_;
    if (extend) {
        // The free end: the corner of the block away from the anchor.
        from.row = selection_.rowStart == anchor_.row ? selection_.rowEnd : selection_.rowStart;
        from.column = selection_.columnStart == anchor_.column ? selection_.columnEnd : selection_.columnStart;
    }
    const long long page = std::max(1LL, pageRows);
    GridCell to = from;
    switch (keyCode) {
        case keys::Up: --to.row; break;
        case keys::Down: ++to.row; break;
        case keys::Left: --to.column; break;
        case keys::Right: ++to.column; break;
        case keys::PageUp: to.row -= page; break;
        case keys::PageDown: to.row += page; break;
        case keys::Home: to.row = 1; break;
        case keys::End: to.row = rows_ - 1; break;
        default: return std::nullopt;
    }
    to = clampCell(to);
    if (extend) extendTo(to);
    else setCurrent(to);
    return to;
}

GridCell Grid::following(GridCell cell, int direction) const {
    cell = clampCell(cell);
    const int lastColumn = columns() - 1;
    if (direction > 0) {
        if (cell.column < lastColumn) return {cell.row, cell.column + 1};
        if (cell.row < rows_ - 1) return {cell.row + 1, 1};
    } else if (direction < 0) {
        if (cell.column > 1) return {cell.row, cell.column - 1};
        if (cell.row > 1) return {cell.row - 1, lastColumn};
    }
    return cell;
}

void Grid::setTopRow(long long row) {
    row = std::clamp(row, 1LL, rows_ - 1);
    if (row == topRow_) return;
    topRow_ = row;
    if (!redraw_) {
        pendingTop_ = true;
        return;
    }
    tell([this](GridObserver& o) { o.topRowChanged(*this); });
}

// ---------------------------------------------------------------- clipboard

std::string Grid::clip() const {
    std::string out;
    for (long long r = selection_.rowStart; r <= selection_.rowEnd; ++r) {
        if (r > selection_.rowStart) out.push_back('\r');
        for (int c = selection_.columnStart; c <= selection_.columnEnd; ++c) {
            if (c > selection_.columnStart) out.push_back('\t');
            out += text(r, c);
        }
    }
    return out;
}

std::string Grid::copyText() const { return TrimTrailingBreaks(clip()); }

std::string Grid::cut() {
    std::string text = copyText();
    clearBlock(selection_);
    return text;
}

void Grid::setClip(std::string_view text) {
    long long row = selection_.rowStart;
    std::size_t position = 0;
    while (row <= selection_.rowEnd) {
        const std::size_t lineEnd = std::min(text.find('\r', position), text.size());
        const std::string_view line = text.substr(position, lineEnd - position);
        std::size_t piece = 0;
        for (int column = selection_.columnStart; column <= selection_.columnEnd; ++column) {
            const std::size_t pieceEnd = std::min(line.find('\t', piece), line.size());
            store(column).setCellText(slot(row), line.substr(piece, pieceEnd - piece));
            if (pieceEnd >= line.size()) break;
            piece = pieceEnd + 1;
        }
        if (lineEnd >= text.size()) break;
        position = lineEnd + 1;
        ++row;
    }
    changed(selection_.rowStart, std::min(row, selection_.rowEnd));
}

bool Grid::paste(std::string_view clipboard) {
    std::string text(clipboard);
    std::erase(text, '\n');
    text = TrimTrailingBreaks(std::move(text));
    if (text.empty()) return false;  // nothing to paste: no cell is emptied for it
    long long lines = 0;
    int widest = 1;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find('\r', start), text.size());
        const auto tabs = std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                                     text.begin() + static_cast<std::ptrdiff_t>(end), '\t');
        widest = static_cast<int>(std::min<std::ptrdiff_t>(std::max<std::ptrdiff_t>(widest, tabs + 1), columns()));
        if (end == text.size()) break;
        ++lines;
        start = end + 1;
    }
    const GridCell first = current_;
    const long long lastRow = first.row + lines;
    if (lastRow > rows_ - 1) setRows(lastRow + 1);  // rows past the last are added rather than dropped
    selectBlock(first, {lastRow, std::max(selection_.columnEnd, first.column + widest - 1)});
    setClip(text);
    return true;
}

// ---------------------------------------------------------------- undo

GridSnapshot Grid::snapshot(GridBlock block) const {
    GridSnapshot shot;
    block.rowStart = std::max(block.rowStart, 1LL);
    block.rowEnd = std::max(block.rowEnd, block.rowStart);
    block.columnStart = std::max(block.columnStart, 1);
    block.columnEnd = std::clamp(block.columnEnd, block.columnStart, columns() - 1);
    shot.block = block;
    shot.rows = rows_;
    for (int c = block.columnStart; c <= block.columnEnd; ++c)
        shot.columns.push_back(store(c).copyCells(slot(block.rowStart), slot(block.rowEnd) + 1));
    return shot;
}

void Grid::restore(const GridSnapshot& shot) {
    setRows(shot.rows);
    const GridBlock& block = shot.block;
    const long long lastRow = std::min(block.rowEnd, rows_ - 1);
    if (block.rowStart <= lastRow) {
        const auto count = static_cast<std::size_t>(lastRow - block.rowStart + 1);
        for (int c = block.columnStart; c <= block.columnEnd; ++c)
            store(c).restoreCells(slot(block.rowStart), *shot.columns[static_cast<std::size_t>(c - block.columnStart)],
                                  count);
        changed(block.rowStart, lastRow);
        selectBlock({block.rowStart, block.columnStart}, {lastRow, block.columnEnd});
    }
}

bool Grid::sameCells(const GridSnapshot& a, const GridSnapshot& b) {
    if (a.block != b.block || a.rows != b.rows || a.columns.size() != b.columns.size()) return false;
    const auto count = static_cast<std::size_t>(a.block.rowEnd - a.block.rowStart + 1);
    for (std::size_t c = 0; c < a.columns.size(); ++c) {
        const GridColumn& x = *a.columns[c];
        const GridColumn& y = *b.columns[c];
        // Past both stores' filled cells everything is empty.
        const std::size_t filled = std::min(count, std::max(x.filledSize(), y.filledSize()));
        for (std::size_t i = 0; i < filled; ++i)
            if (x.isCellEmpty(i) != y.isCellEmpty(i) || x.cellText(i) != y.cellText(i)) return false;
    }
    return true;
}

// ---------------------------------------------------------------- redrawing and observers

void Grid::setRedraw(bool redraw) {
    if (redraw == redraw_) return;
    redraw_ = redraw;
    if (!redraw) return;
    if (pendingRows_) tell([this](GridObserver& o) { o.rowCountChanged(*this); });
    else if (dirtyFirst_ >= 0) tell([this](GridObserver& o) { o.cellsChanged(*this, dirtyFirst_, dirtyLast_); });
    if (pendingCursor_) tell([this](GridObserver& o) { o.cursorChanged(*this); });
    if (pendingTop_) tell([this](GridObserver& o) { o.topRowChanged(*this); });
    pendingRows_ = pendingCursor_ = pendingTop_ = false;
    dirtyFirst_ = dirtyLast_ = -1;
}

void Grid::changed(long long first, long long last) {
    if (first > last) return;
    ++revision_;
    if (!redraw_) {
        dirtyFirst_ = dirtyFirst_ < 0 ? first : std::min(dirtyFirst_, first);
        dirtyLast_ = std::max(dirtyLast_, last);
        return;
    }
    tell([&](GridObserver& o) { o.cellsChanged(*this, first, last); });
}

void Grid::cursorMoved() {
    if (!redraw_) {
        pendingCursor_ = true;
        return;
    }
    tell([this](GridObserver& o) { o.cursorChanged(*this); });
}

void Grid::addObserver(GridObserver* observer) { observers_.push_back(observer); }

void Grid::removeObserver(GridObserver* observer) { std::erase(observers_, observer); }

// ---------------------------------------------------------------- clipboard text

// Equal to dropping one trailing tab or CR at a time and trimming the blanks
// at both ends after each drop, in one pass: a copied block of a million
// empty rows ends with a million CRs.
std::string TrimTrailingBreaks(std::string text) {
    if (text.empty() || (text.back() != '\t' && text.back() != '\r')) return text;
    const std::size_t last = text.find_last_not_of(" \t\r");
    if (last == std::string::npos) return {};
    text.erase(last + 1);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

long long CountLineBreaks(std::string text) {
    std::erase(text, '\n');
    text = TrimTrailingBreaks(std::move(text));
    return std::count(text.begin(), text.end(), '\r');
}

}  // namespace ravelin
