#include "projection/DataForm.h"

#include <algorithm>

#include "core/Platform.h"
#include "core/Session.h"
#include "core/Unicode.h"
#include "projection/ProjectionTool.h"

namespace ravelin {

namespace {

// The grid control's extent (twips): its three columns, a scroll bar, and
// about twenty rows in sight.
constexpr double kGridWidth = 420 + 800 + 800 + 260;
constexpr double kGridHeight = 21 * Grid::kRowHeight;
// Room the window adds around its grid (twips).
constexpr double kWindowMargin = 400;
// Wide enough for a title bar to show the whole caption beside its buttons (twips).
constexpr double kLeastWindowWidth = 3600;
// The editor lies a few twips up and to the left of its cell, over the cell's grid lines.
constexpr double kEditorInset = 15;

std::string typedCharacter(int key) {
    std::string out;
    // Keys above 127 are code points of the typed character; a negative one
    // carries its code in the low 16 bits.
    appendUtf8(out, static_cast<char32_t>(key < 0 ? (key & 0xFFFF) : key));
    return out;
}

}  // namespace

DataForm::DataForm(Session& session)
    : Form(session, "frmData", "Projection data"),
      grid_({{"", 420, GridAlignment::Right},
             {"Direction", 800, GridAlignment::Right},
             {"Dip angle", 800, GridAlignment::Right}},
            "##0 ") {
    grid_.setRows(kDataRows + 1);
    // A pending edit is committed before the current cell moves, whoever moves it.
    grid_.onLeaveCell([this] { CommitDataCell(); });
    buildControls();
}

void DataForm::buildControls() {
    add(ControlKind::Grid, "MSFlexGrid").withGeometry(0, 0, kGridWidth, kGridHeight);
    add(ControlKind::TextBox, "Text1").withVisible(false).withTabStop(false);
    add(ControlKind::MenuItem, "mnuContext").withText("Edit").withVisible(false);
    const std::pair<const char*, const char*> items[] = {
        {"mnuContextCopy", "&Copy"},
        {"mnuContextCut", "Cu&t"},
        {"mnuContextPaste", "&Paste"},
        {"mnuContextBar", "-"},
        {"mnuContextClearGrid", "Clear &grid"},
        {"mnuContextBar1", "-"},
        {"mnuContextSelectAll", "&Select all"},
    };
    for (const auto& [name, caption] : items)
        add(ControlKind::MenuItem, name).withText(caption).withContainer("mnuContext");
}

void DataForm::onLoad() {
    setFont(editor(), gridControl().font());
    setVisible(editor(), false);
    move(0, 0, std::max(kGridWidth + kWindowMargin, kLeastWindowWidth), kGridHeight + kWindowMargin);
}

std::vector<DataRow> DataForm::dataRows(bool selectionOnly) const {
    long long first = 1;
    long long last = grid_.rows() - 1;
    if (selectionOnly) {
        first = grid_.selection().rowStart;
        last = grid_.selection().rowEnd;
    } else {
        // Rows past the last one filled are empty: no need to read them.
        last = std::min(last, grid_.lastFilledRow());
    }
    std::vector<DataRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(0LL, last - first + 1)));
    for (long long r = first; r <= last; ++r)
        rows.push_back({grid_.text(r, kDirectionColumn), grid_.text(r, kDipColumn)});
    return rows;
}

// ---------------------------------------------------------------- editor

void DataForm::placeEditor() {
    const Control& g = gridControl();
    double left = g.left() - kEditorInset;
    for (int c = 0; c < editCell_.column; ++c) left += grid_.columnSpec(c).width;
    const double top =
        g.top() - kEditorInset + static_cast<double>(editCell_.row - grid_.topRow() + 1) * Grid::kRowHeight;
    setGeometry(editor(), left, top, grid_.columnSpec(editCell_.column).width, Grid::kRowHeight);
}

void DataForm::EditDataCell(int key) {
    Control& box = editor();
    editCell_ = grid_.current();
    placeEditor();
    setVisible(box, true);
    setFocus(box);
    const std::string text =
        key > keys::Space || key < 0 ? typedCharacter(key) : grid_.text(editCell_.row, editCell_.column);
    setText(box, text);
    setSelection(box, static_cast<int>(box.text().size()), 0);
}

void DataForm::CommitDataCell() {
    if (!editing()) return;
    grid_.setText(editCell_.row, editCell_.column, editor().text());
    setVisible(editor(), false);
}

void DataForm::leaveEditorTo(GridCell cell) {
    CommitDataCell();
    setFocus(gridControl());
    grid_.setCurrent(cell);
}

void DataForm::onKeyPress(Control& control, int& key) {
    if (control.name() == "MSFlexGrid") {
        EditDataCell(key);
        key = 0;
    } else if (control.name() == "Text1" && (key == keys::Enter || key == keys::Escape)) {
        key = 0;  // handled as keys going down: swallowed here, without a beep
    }
}

void DataForm::onKeyDown(int& keyCode, int shiftState) {
    if (MainForm* main = session().mainForm(); main && main->runEditShortcut(keyCode, shiftState)) return;
    if (focused() != &editor() || !editing()) return;
    const GridCell cell = editCell_;
    const long long lastRow = grid_.rows() - 1;
    switch (keyCode) {
        case keys::Escape:
            setVisible(editor(), false);  // the typed text is dropped
            setFocus(gridControl());
            break;
        case keys::Enter:
        case keys::Right:
            // Direction, then dip angle, then the next row's direction.
            if (cell.column == kDirectionColumn) leaveEditorTo({cell.row, kDipColumn});
            else
                leaveEditorTo(
                    {cell.row < lastRow ? cell.row + 1 : cell.row, cell.row < lastRow ? kDirectionColumn : kDipColumn});
            break;
        case keys::Left:
            // The first cell has nothing before it: the editor closes on it.
            if (cell.column == kDipColumn) leaveEditorTo({cell.row, kDirectionColumn});
            else leaveEditorTo(cell.row > 1 ? GridCell{cell.row - 1, kDipColumn} : cell);
            break;
        case keys::Down: leaveEditorTo({std::min(cell.row + 1, lastRow), cell.column}); break;
        case keys::Up: leaveEditorTo({std::max(cell.row - 1, 1LL), cell.column}); break;
        default: return;
    }
    keyCode = 0;
}

// ---------------------------------------------------------------- the user's actions on the grid

void DataForm::userGridClick(long long row, int column) {
    userFocus(gridControl());
    CommitDataCell();  // a click commits, on the cell being edited too
    grid_.setCurrent(row, column);
}

void DataForm::userGridExtend(long long row, int column) { grid_.extendTo({row, column}); }

void DataForm::userGridKeyPress(int key) {
    userFocus(gridControl());
    userKeyPress(gridControl(), key);
}

void DataForm::userGridDoubleClick() { EditDataCell(keys::Space); }

std::optional<GridCell> DataForm::userGridKeyDown(int keyCode, bool extend, long long pageRows) {
    return grid_.navigate(keyCode, extend, pageRows);
}

void DataForm::userGridScroll(long long topRow) {
    grid_.setTopRow(topRow);
    if (editing()) placeEditor();
}

void DataForm::onPointerRelease(Control& control, const PointerEvent& event) {
    if (control.name() != "MSFlexGrid" || event.buttons != buttons::Right) return;
    contextMenu_ = DrawPoint{event.x, event.y};
    Control& menu = at("mnuContext");
    setGeometry(menu, event.x, event.y, 0, 0);
    setValue(menu, 1);
}

void DataForm::contextMenuClosed() {
    contextMenu_.reset();
    setValue(at("mnuContext"), 0);
}

void DataForm::onClick(Control& control) {
    const std::string& name = control.name();
    MainForm* main = session().mainForm();
    if (name == "mnuContextCopy") {
        if (main) main->runCommand("mnuEditCopy");
        else editCopy();
    } else if (name == "mnuContextCut") {
        if (main) main->runCommand("mnuEditCut");
        else editCut();
    } else if (name == "mnuContextPaste") {
        if (main) main->runCommand("mnuEditPaste");
        else editPaste();
    } else if (name == "mnuContextClearGrid") {
        ClearGrid();
    } else if (name == "mnuContextSelectAll") {
        SelectAllData();
    }
}

void DataForm::ClearGrid() {
    CommitDataCell();
    grid_.clear();
    grid_.setCurrent(1, kDirectionColumn);
}

void DataForm::SelectAllData() {
    grid_.setCurrent(1, kDirectionColumn);
    grid_.selectBlock({1, kDirectionColumn}, {grid_.rows() - 1, kDipColumn});
}

// ---------------------------------------------------------------- Edit commands

bool DataForm::editCopy() {
    CommitDataCell();
    setFocus(gridControl());
    platform().clipboardClear();
    platform().setClipboardText(grid_.copyText());
    return true;
}

bool DataForm::editCut() {
    CommitDataCell();
    setFocus(gridControl());
    const std::string text = grid_.cut();
    platform().clipboardClear();
    platform().setClipboardText(text);
    return true;
}

bool DataForm::editPaste() {
    if (editing() && focused() == &editor()) return false;  // the editor takes the text itself
    grid_.paste(platform().clipboardText());
    return true;
}

// ---------------------------------------------------------------- window

void DataForm::onActivate() {
    if (MainForm* main = session().mainForm()) main->enableDocumentCommands({false, false, false, true});
}

void DataForm::onDeactivate() {
    if (MainForm* main = session().mainForm()) main->enableDocumentCommands({});
}

bool DataForm::onQueryUnload() { return CloseProjectionToolFromWindow(session()); }

}  // namespace ravelin
