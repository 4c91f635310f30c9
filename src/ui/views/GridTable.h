#pragma once
// A table showing a grid component: fixed row heights and the grid's
// column widths, the grid's current cell, selected block and top row shown
// as the grid says, and the numbering column widened when its numbers need
// it. What the user's clicks, keys and scrolling do is the window's to
// decide: a window's table derives from this one and hands them to its form.

#include <QTableView>

#include "core/Grid.h"
#include "ui/views/GridModel.h"

namespace ravelin {

class UiContext;

class GridTable : public QTableView {
    Q_OBJECT
public:
    GridTable(Grid& grid, const UiContext& context, QWidget* parent);

    GridModel* gridModel() const { return model_; }
    // The rectangle of a grid cell, in the viewport's coordinates.
    QRect cellRect(long long row, int column) const;
    // The grid is going away: the table shows nothing more.
    void detach() { model_->detach(); }

signals:
    // The table scrolled, by the user or to follow the grid.
    void scrolled();

protected:
    // The user scrolled the table so that `topRow` is the grid's first row in sight.
    virtual void userScrolled(long long topRow);
    // Brings a cell into sight.
    void reveal(GridCell cell);
    // The grid row under a viewport height; the last row below the rows.
    long long gridRowAt(int y) const;
    int rowsPerPage() const;

    bool dragging_ = false;  // a drag selection is under way: the current cell is not scrolled to

private:
    // Shows the grid's current cell and selection; `reveal` scrolls a single current cell into sight.
    void showCursor(bool reveal);
    void showTopRow();
    void scrolledTo(int value);
    // Widens the numbering column when the largest row number would not fit.
    void fitNumbering();

    GridModel* model_;
    int numberingWidth_ = 0;  // the numbering column's own width (pixels)
    int showing_ = 0;         // >0 while the table follows the grid
};

}  // namespace ravelin
