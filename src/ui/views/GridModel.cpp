#include "ui/views/GridModel.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <climits>

#include "ui/UiContext.h"

namespace ravelin {

namespace {

Qt::Alignment qtAlignment(GridAlignment alignment) {
    switch (alignment) {
        case GridAlignment::Center: return Qt::AlignCenter;
        case GridAlignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case GridAlignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

GridModel::GridModel(Grid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(&grid) {
    grid.addObserver(this);
}

GridModel::~GridModel() {
    // The view that showed it is already going: only stop listening.
    if (grid_) grid_->removeObserver(this);
}

void GridModel::detach() {
    if (!grid_) return;
    beginResetModel();
    grid_->removeObserver(this);
    grid_ = nullptr;
    endResetModel();
}

int GridModel::modelRow(long long gridRow) {
    return static_cast<int>(std::clamp(gridRow - 1, 0LL, static_cast<long long>(INT_MAX)));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !grid_) return 0;
    return static_cast<int>(std::min(grid_->rows() - 1, static_cast<long long>(INT_MAX)));
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !grid_ ? 0 : grid_->columns();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!grid_ || !index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole: return qs(grid_->text(gridRow(index.row()), index.column()));
        case Qt::TextAlignmentRole: return QVariant(qtAlignment(grid_->columnSpec(index.column()).alignment));
        case Qt::BackgroundRole:
            // The numbering column is fixed, drawn like the header.
            if (index.column() == 0) return QApplication::palette().button();
            return {};
        default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!grid_ || orientation != Qt::Horizontal || section < 0 || section >= grid_->columns()) return {};
    if (role == Qt::DisplayRole) return qs(grid_->text(0, section));
    if (role == Qt::TextAlignmentRole)
        return section == 0 ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() == 0) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::cellsChanged(const Grid&, long long first, long long last) {
    const int rows = rowCount();
    if (rows == 0) return;
    const int top = modelRow(first);
    const int bottom = std::min(modelRow(last), rows - 1);
    if (top > bottom) return;
    emit dataChanged(index(top, 0), index(bottom, columnCount() - 1), {Qt::DisplayRole});
}

void GridModel::rowCountChanged(const Grid&) {
    // The grid has already changed: nothing of the old rows is worth keeping.
    beginResetModel();
    endResetModel();
}

void GridModel::cursorChanged(const Grid&) { emit cursorMoved(); }

void GridModel::topRowChanged(const Grid&) { emit topRowMoved(); }

}  // namespace ravelin
