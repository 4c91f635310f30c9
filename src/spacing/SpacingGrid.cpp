#include "spacing/SpacingGrid.h"

#include "core/NumberText.h"

namespace ravelin {

namespace {

std::vector<GridColumnSpec> spacingColumns() {
    return {{"N\xC2\xB0", 450, GridAlignment::Center}, {"   Distance", 680, GridAlignment::Right}};
}

}  // namespace

SpacingGrid::SpacingGrid(int index) : Grid(spacingColumns(), "0"), index_(index) {
    auto cells = std::make_unique<SpacingColumn>();
    cells_ = cells.get();
    setStore(kValueColumn, std::move(cells));
}

// A value written in the "0.0#" form reads back as the value shown, not the one stored.
double SpacingGrid::shownFixed2(std::size_t s) const { return readNumber(formatNumber(cells_->value(s), "0.0#")); }

void SpacingGrid::setGeneral(long long row, double value) {
    if (!isDataRow(row)) return;
    cells_->setValue(slot(row), value, CellKind::General);
    changed(row, row);
}

void SpacingGrid::setFixed2(long long row, double value) {
    if (!isDataRow(row)) return;
    cells_->setValue(slot(row), value, CellKind::Fixed2);
    changed(row, row);
}

void SpacingGrid::clear(long long row) {
    if (isEmpty(row)) return;
    cells_->clear(slot(row));
    changed(row, row);
}

void SpacingGrid::assignTexts(long long first, const std::vector<std::string_view>& texts) {
    if (texts.empty() || first < 1) return;
    long long row = first;
    for (std::string_view t : texts) {
        if (!isDataRow(row)) break;
        cells_->setText(slot(row), t);
        ++row;
    }
    changed(first, row - 1);
}

void SpacingGrid::assignColumn(SpacingColumn column) {
    column.truncate(slot(rows()));
    *cells_ = std::move(column);
    changed(1, rows() - 1);
}

}  // namespace ravelin
