#include "ui/views/GridTable.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "ui/UiContext.h"

namespace ravelin {

namespace {
// Rows a grid shows at least, however small the window is made.
constexpr int kMinimumVisibleRows = 4;
}  // namespace

GridTable::GridTable(Grid& grid, const UiContext& context, QWidget* parent)
    : QTableView(parent), model_(new GridModel(grid, this)) {
    const int rowHeight = context.px(Grid::kRowHeight);
    // Uniform, fixed row heights: the table never measures a row.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = horizontalHeader();
    columns->setMinimumSectionSize(1);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setStretchLastSection(true);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    setModel(model_);
    int width = 0;
    for (int c = 0; c < grid.columns(); ++c) {
        const int px = context.px(grid.columnSpec(c).width);
        columns->resizeSection(c, px);
        width += px;
    }
    numberingWidth_ = context.px(grid.columnSpec(0).width);
    fitNumbering();

    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setAutoScroll(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The scroll bar is always there, so that grids side by side keep their rows level.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMinimumWidth(width + verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
    setMinimumHeight(columns->sizeHint().height() + kMinimumVisibleRows * rowHeight + 2 * frameWidth());

    connect(model_, &GridModel::cursorMoved, this, [this] { showCursor(true); });
    connect(model_, &GridModel::topRowMoved, this, &GridTable::showTopRow);
    // A reset scrolls the table back to the top by itself: that is not the
    // user's scrolling, and the grid's top row is shown again afterwards.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ++showing_; });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        fitNumbering();
        updateGeometries();  // the scroll range must know the new row count
        showTopRow();
        --showing_;
        // The grid's top row stands: a current cell out of sight (another
        // grid's, when a paste grows two side by side) does not scroll it.
        showCursor(false);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &GridTable::scrolledTo);
    showCursor(false);
    showTopRow();
}

void GridTable::fitNumbering() {
    // The column keeps its width until the row numbers need more.
    const QString widest(QString::number(model_->rowCount()).size(), QChar('0'));
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;  // as cells draw text
    const int needed = fontMetrics().horizontalAdvance(widest) + 2 * margin;
    horizontalHeader()->resizeSection(0, std::max(numberingWidth_, needed));
}

QRect GridTable::cellRect(long long row, int column) const {
    return visualRect(model_->index(GridModel::modelRow(row), column));
}

void GridTable::reveal(GridCell cell) { scrollTo(model_->index(GridModel::modelRow(cell.row), cell.column)); }

void GridTable::showCursor(bool revealing) {
    const Grid* grid = model_->grid();
    if (!grid || model_->rowCount() == 0) return;
    const QModelIndex current = model_->index(GridModel::modelRow(grid->row()), grid->column());
    const GridBlock& block = grid->selection();
    const QItemSelection selection(model_->index(GridModel::modelRow(block.rowStart), block.columnStart),
                                   model_->index(GridModel::modelRow(block.rowEnd), block.columnEnd));
    ++showing_;
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    --showing_;
    // A single current cell is kept in sight (Enter moving below the last
    // visible row); the scroll is then the user's.
    if (revealing && block.rowStart == block.rowEnd && block.columnStart == block.columnEnd && !dragging_)
        scrollTo(current);
}

void GridTable::showTopRow() {
    const Grid* grid = model_->grid();
    if (!grid) return;
    const int wanted = GridModel::modelRow(grid->topRow());
    if (verticalScrollBar()->value() == wanted) return;
    ++showing_;
    verticalScrollBar()->setValue(wanted);
    --showing_;
    emit scrolled();
}

void GridTable::scrolledTo(int value) {
    if (!showing_ && model_->grid()) userScrolled(GridModel::gridRow(value));
    emit scrolled();
}

void GridTable::userScrolled(long long topRow) { model_->grid()->setTopRow(topRow); }

long long GridTable::gridRowAt(int y) const {
    const int rows = model_->rowCount();
    if (rows == 0) return 1;
    int row = rowAt(std::clamp(y, 0, std::max(0, viewport()->height() - 1)));
    if (row < 0) row = rows - 1;  // below the last row
    return GridModel::gridRow(row);
}

int GridTable::rowsPerPage() const {
    return std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
}

}  // namespace ravelin
