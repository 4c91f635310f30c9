#include "spacing/SpacingGrid.h"

#include <algorithm>

#include "core/NumberText.h"

namespace ravelin {

namespace {
const char* const kHeaders[SpacingGrid::kColumns] = {"N\xC2\xB0", "   Distance"};
}  // namespace

SpacingGrid::SpacingGrid(int index) : index_(index) { setRows(2); }

void SpacingGrid::setRows(long long rows) {
    rows = std::max(rows, 2LL);
    if (rows == rows_) return;
    if (rows < rows_) {
        cells_.truncate(static_cast<std::size_t>(rows - 1));
        ++revision_;
    }
    rows_ = rows;
    row_ = std::min(row_, rows_ - 1);
    topRow_ = std::min(topRow_, rows_ - 1);
    selection_.rowStart = std::min(selection_.rowStart, rows_ - 1);
    selection_.rowEnd = std::min(selection_.rowEnd, rows_ - 1);
    if (!redraw_) {
        pendingRows_ = true;
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_))
        observer->rowCountChanged(*this);
}

std::string SpacingGrid::text(long long row, int column) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= rows_) return {};
    if (row == 0) return kHeaders[column];
    if (column == 0) return std::to_string(row);
    const std::size_t s = slot(row);
    switch (cells_.kind(s)) {
        case CellKind::Empty: return {};
        case CellKind::Text: return cells_.text(s);
        case CellKind::General: return generalNumber(cells_.value(s));
        case CellKind::Fixed2: return formatNumber(cells_.value(s), "0.0#");
    }
    return {};
}

// A value written in the "0.0#" form reads back as the value shown, not the one stored.
double SpacingGrid::shownFixed2(std::size_t s) const { return readNumber(formatNumber(cells_.value(s), "0.0#")); }

void SpacingGrid::setText(long long row, int column, std::string_view text) {
    if (column != kValueColumn || !isDataRow(row)) return;
    cells_.setText(slot(row), text);
    changed(row, row);
}

void SpacingGrid::setGeneral(long long row, double value) {
    if (!isDataRow(row)) return;
    cells_.setValue(slot(row), value, CellKind::General);
    changed(row, row);
}

void SpacingGrid::setFixed2(long long row, double value) {
    if (!isDataRow(row)) return;
    cells_.setValue(slot(row), value, CellKind::Fixed2);
    changed(row, row);
}

void SpacingGrid::clear(long long row) {
    if (!isDataRow(row) || cells_.kind(slot(row)) == CellKind::Empty) return;
    cells_.clear(slot(row));
    changed(row, row);
}

void SpacingGrid::clearRange(long long first, long long last) {
    first = std::max(first, 1LL);
    last = std::min(last, rows_ - 1);
    if (first > last) return;
    // Rows past the column's end are empty already.
    const auto end = static_cast<long long>(cells_.size());
    if (last >= end) cells_.truncate(slot(first));
    for (long long r = first; r <= std::min(last, end); ++r) cells_.clear(slot(r));
    changed(first, last);
}

void SpacingGrid::assignTexts(long long first, const std::vector<std::string_view>& texts) {
    if (texts.empty() || first < 1) return;
    long long row = first;
    for (std::string_view t : texts) {
        if (!isDataRow(row)) break;
        cells_.setText(slot(row), t);
        ++row;
    }
    changed(first, row - 1);
}

void SpacingGrid::assignColumn(SpacingColumn column) {
    column.truncate(static_cast<std::size_t>(rows_ - 1));
    cells_ = std::move(column);
    changed(1, rows_ - 1);
}

long long SpacingGrid::lastFilledRow() const { return static_cast<long long>(cells_.filledSize()); }

long long SpacingGrid::clampRow(long long row) const { return std::clamp(row, 1LL, rows_ - 1); }

void SpacingGrid::setCurrent(long long row, int column) {
    row = clampRow(row);
    column = kValueColumn;  // the only column that is not fixed
    const GridBlock block{row, row, column, column};
    if (row == row_ && column == column_ && selection_ == block) return;
    row_ = row;
    column_ = column;
    selection_ = block;
    cursorMoved();
}

void SpacingGrid::setSelection(GridBlock block) {
    block.rowStart = clampRow(block.rowStart);
    block.rowEnd = clampRow(block.rowEnd);
    if (block.rowEnd < block.rowStart) std::swap(block.rowStart, block.rowEnd);
    block.columnStart = block.columnEnd = kValueColumn;
    if (block == selection_) return;
    selection_ = block;
    cursorMoved();
}

void SpacingGrid::setTopRow(long long row) {
    row = clampRow(row);
    if (row == topRow_) return;
    topRow_ = row;
    if (!redraw_) {
        pendingTop_ = true;
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_)) observer->topRowChanged(*this);
}

std::string SpacingGrid::clip() const {
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

void SpacingGrid::setClip(std::string_view text) {
    long long row = selection_.rowStart;
    std::size_t position = 0;
    while (row <= selection_.rowEnd) {
        const std::size_t lineEnd = std::min(text.find('\r', position), text.size());
        const std::string_view line = text.substr(position, lineEnd - position);
        std::size_t piece = 0;
        for (int column = selection_.columnStart; column <= selection_.columnEnd; ++column) {
            const std::size_t pieceEnd = std::min(line.find('\t', piece), line.size());
            cells_.setText(slot(row), line.substr(piece, pieceEnd - piece));
            if (pieceEnd >= line.size()) break;
            piece = pieceEnd + 1;
        }
        if (lineEnd >= text.size()) break;
        position = lineEnd + 1;
        ++row;
    }
    changed(selection_.rowStart, std::min(row, selection_.rowEnd));
}

void SpacingGrid::setRedraw(bool redraw) {
    if (redraw == redraw_) return;
    redraw_ = redraw;
    if (!redraw) return;
    const auto observers = std::vector<SpacingGridObserver*>(observers_);
    if (pendingRows_) {
        for (SpacingGridObserver* observer : observers) observer->rowCountChanged(*this);
    } else if (dirtyFirst_ >= 0) {
        for (SpacingGridObserver* observer : observers) observer->cellsChanged(*this, dirtyFirst_, dirtyLast_);
    }
    if (pendingCursor_)
        for (SpacingGridObserver* observer : observers) observer->cursorChanged(*this);
    if (pendingTop_)
        for (SpacingGridObserver* observer : observers) observer->topRowChanged(*this);
    pendingRows_ = pendingCursor_ = pendingTop_ = false;
    dirtyFirst_ = dirtyLast_ = -1;
}

void SpacingGrid::changed(long long first, long long last) {
    if (first > last) return;
    ++revision_;
    if (!redraw_) {
        dirtyFirst_ = dirtyFirst_ < 0 ? first : std::min(dirtyFirst_, first);
        dirtyLast_ = std::max(dirtyLast_, last);
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_))
        observer->cellsChanged(*this, first, last);
}

void SpacingGrid::cursorMoved() {
    if (!redraw_) {
        pendingCursor_ = true;
        return;
    }
    for (SpacingGridObserver* observer : std::vector<SpacingGridObserver*>(observers_)) observer->cursorChanged(*this);
}

void SpacingGrid::addObserver(SpacingGridObserver* observer) { observers_.push_back(observer); }

void SpacingGrid::removeObserver(SpacingGridObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace ravelin
