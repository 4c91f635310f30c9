#pragma once
// "Projection data" (frmData): the small spreadsheet of orientations the
// projection tool plots, one row per plane or line with its direction and
// its dip angle. In-cell editor Text1 with spreadsheet moves, a context
// menu (Copy, Cut, Paste, "Clear &grid", "&Select all") and the main
// window's Copy, Cut and Paste on Ctrl+C, Ctrl+X and Ctrl+V. The window
// neither checks nor converts what is typed: the projection reads it.
//
// The grid control MSFlexGrid is a Grid component (cells, current cell,
// block, clipboard format, growth on paste); a Qt model shows it and the
// view hands the user's clicks and keys to the userGrid... calls below.

#include <optional>
#include <vector>

#include "core/DrawGeometry.h"
#include "core/Grid.h"
#include "core/MainForm.h"
#include "projection/StructuralData.h"

namespace ravelin {

class DataForm : public Form, public EditTarget {
public:
    static constexpr long long kDataRows = 100;
    static constexpr int kDirectionColumn = 1;
    static constexpr int kDipColumn = 2;

    explicit DataForm(Session& session);

    Grid& grid() { return grid_; }
    const Grid& grid() const { return grid_; }
    // The cell the editor Text1 was opened on.
    GridCell editCell() const { return editCell_; }
    bool editing() const { return at("Text1").visible(); }

    // The rows the projection reads: the selected block's rows, or every row.
    std::vector<DataRow> dataRows(bool selectionOnly) const;

    // --- the user's actions on the grid (from the Qt view or a script) ---
    // A click on a cell commits a pending edit (the current cell changes) and hides the editor.
    void userGridClick(long long row, int column);
    // A Shift+click or a drag: the block from the anchor to the cell.
    void userGridExtend(long long row, int column);
    // A typed character: opens the editor with it.
    void userGridKeyPress(int key);
    void userGridDoubleClick();
    // Arrows, Page Up/Down, Home and End on the grid (with Shift: the
    // block). Returns the cell moved to, or nothing for another key.
    std::optional<GridCell> userGridKeyDown(int keyCode, bool extend, long long pageRows);
    void userGridScroll(long long topRow);

    // The context menu the window asked to show (right button released
    // over the grid), at twips from the grid's corner; the view shows it and
    // then calls contextMenuClosed().
    std::optional<DrawPoint> contextMenuRequest() const { return contextMenu_; }
    void contextMenuClosed();

    // --- the window's operations ---
    void EditDataCell(int key);
    void CommitDataCell();
    void ClearGrid();
    void SelectAllData();

    // --- Edit commands of the main window ---
    bool editCopy() override;
    bool editCut() override;
    bool editPaste() override;

protected:
    void onLoad() override;
    void onClick(Control& control) override;
    void onKeyPress(Control& control, int& key) override;
    void onKeyDown(int& keyCode, int shiftState) override;
    void onPointerRelease(Control& control, const PointerEvent& event) override;
    void onActivate() override;
    void onDeactivate() override;
    bool onQueryUnload() override;

private:
    void buildControls();
    Control& gridControl() { return at("MSFlexGrid"); }
    Control& editor() { return at("Text1"); }
    void placeEditor();
    // Commits, gives the focus back to the grid and moves to the cell.
    void leaveEditorTo(GridCell cell);

    Grid grid_;
    GridCell editCell_;
    std::optional<DrawPoint> contextMenu_;
};

}  // namespace ravelin
