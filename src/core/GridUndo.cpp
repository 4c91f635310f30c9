#include "core/GridUndo.h"

namespace ravelin {

GridChange::GridChange(Grid& grid, GridSnapshot before, GridSnapshot after, std::function<void()> follow)
    : grid_(grid), before_(std::move(before)), after_(std::move(after)), follow_(std::move(follow)) {}

void GridChange::undo() {
    grid_.restore(before_);
    if (follow_) follow_();
}

void GridChange::redo() {
    grid_.restore(after_);
    if (follow_) follow_();
}

bool RecordGridChange(UndoStack& history, Grid& grid, const GridBlock& block, const std::function<void()>& change,
                      std::function<void()> follow) {
    GridSnapshot before = grid.snapshot(block);
    change();
    GridSnapshot after = grid.snapshot(block);
    if (Grid::sameCells(before, after)) return false;
    history.push(std::make_unique<GridChange>(grid, std::move(before), std::move(after), std::move(follow)));
    return true;
}

}  // namespace ravelin
