#pragma once
// Undo of a grid's cells: a change (a cell typed, a paste, a cut, a clear)
// is kept as the block it touched before and after, with the row counts, so
// that a grid window records its user's changes in a few lines.

#include <functional>

#include "core/Grid.h"
#include "core/UndoStack.h"

namespace ravelin {

class GridChange final : public UndoCommand {
public:
    // `follow` runs after each undo and redo: the window brings what it
    // shows from the cells (totals, a second grid's row count) up to date.
    GridChange(Grid& grid, GridSnapshot before, GridSnapshot after, std::function<void()> follow = {});
    void undo() override;
    void redo() override;

private:
    Grid& grid_;
    GridSnapshot before_;
    GridSnapshot after_;
    std::function<void()> follow_;
};

// Runs `change`, which writes only cells of `block` (and may add rows below
// it), and records it in `history` unless no cell and no row count changed.
// Returns true when something changed.
bool RecordGridChange(UndoStack& history, Grid& grid, const GridBlock& block, const std::function<void()>& change,
                      std::function<void()> follow = {});

}  // namespace ravelin
