// The data grid window through its form: typing with the in-cell editor and
// its moves, the context menu, the clipboard through the main window's Edit
// commands, and closing the tool from this window.

#include <gtest/gtest.h>

#include "projection/ProjectionTool.h"
#include "projection/ProjectionFixture.h"

using namespace ravelin;
using ravelin::testing::ProjectionTool;

namespace {

GridCell cell(long long row, int column) { return {row, column}; }

}  // namespace

TEST(DataFormTest, KeysInTheEditor) {
    struct Case {
        const char* name;
        GridCell from;
        int key;
        GridCell to;
    };
    const Case cases[] = {
        {"Enter in the direction", {5, 1}, keys::Enter, {5, 2}},
        {"Enter in the dip goes to the next row", {5, 2}, keys::Enter, {6, 1}},
        {"Right in the direction", {5, 1}, keys::Right, {5, 2}},
        {"Right in the dip", {5, 2}, keys::Right, {6, 1}},
        {"Enter on the last row's dip stays", {100, 2}, keys::Enter, {100, 2}},
        {"Left in the dip", {5, 2}, keys::Left, {5, 1}},
        {"Left in the direction goes to the row above's dip", {5, 1}, keys::Left, {4, 2}},
        {"Left in the first cell stays", {1, 1}, keys::Left, {1, 1}},
        {"Down", {5, 2}, keys::Down, {6, 2}},
        {"Down on the last row stays", {100, 1}, keys::Down, {100, 1}},
        {"Up", {5, 1}, keys::Up, {4, 1}},
        {"Up on the first row stays", {1, 2}, keys::Up, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectionTool t;
        t.data->userGridClick(c.from.row, c.from.column);
        t.typeCell("N7E", c.key);
        // Every move commits what was typed, where the editor stood, unchecked and unconverted.
        EXPECT_EQ(t.data->grid().text(c.from.row, c.from.column), "N7E");
        EXPECT_EQ(t.data->grid().current(), c.to);
        EXPECT_FALSE(t.data->editing());
        EXPECT_EQ(t.data->focused(), &t.data->at("MSFlexGrid"));
    }
}

TEST(DataFormTest, TheEditorOpensWithTheTypedKeyOrTheCellText) {
    ProjectionTool t;
    t.data->userGridClick(2, 1);
    t.typeCell("210");
    t.data->userGridClick(2, 1);
    Control& editor = t.data->at("Text1");

    t.data->userGridDoubleClick();  // the space key: the cell's text, caret at its end
    EXPECT_TRUE(t.data->editing());
    EXPECT_EQ(editor.text(), "210");
    EXPECT_EQ(editor.selStart(), 3);
    t.data->userKeyDown(keys::Escape, 0);

    t.data->userGridKeyPress('5');  // above 32: the typed character alone
    EXPECT_EQ(editor.text(), "5");
    EXPECT_EQ(editor.selStart(), 1);
    t.data->userKeyDown(keys::Escape, 0);

    t.data->userGridKeyPress(keys::Enter);  // 32 or below: the cell's text
    EXPECT_EQ(editor.text(), "210");
    // Enter and Escape are not typed into the editor; Escape drops what was typed.
    for (int key : {keys::Enter, keys::Escape}) EXPECT_FALSE(t.data->userKeyPress(editor, key));
    EXPECT_EQ(editor.text(), "210");
    t.typeCell("999", keys::Escape);
    EXPECT_EQ(t.data->grid().text(2, 1), "210");
    EXPECT_EQ(t.data->grid().current(), cell(2, 1));
    EXPECT_FALSE(t.data->editing());

    t.data->userGridKeyPress(keys::Enter);
    // A click on the grid commits what the editor holds.
    int five = '5';
    t.data->userKeyPress(editor, five);
    t.data->userGridClick(2, 1);
    EXPECT_EQ(t.data->grid().text(2, 1), "2105");
    EXPECT_FALSE(t.data->editing());
}

TEST(DataFormTest, ContextMenuClearGridAndSelectAll) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"200", "60"}, {"10", "85"}});
    t.data->userGridClick(2, 2);
    t.data->userGridKeyPress('7');  // an edit under way when the grid is cleared

    // Only the right button, released over the grid, asks for the menu.
    Control& grid = t.data->at("MSFlexGrid");
    t.data->userPointerRelease(grid, {300, 500, buttons::Left, 0, 0});
    EXPECT_FALSE(t.data->contextMenuRequest());
    t.data->userPointerRelease(grid, {300, 500, buttons::Right, 0, 0});
    EXPECT_EQ(t.data->contextMenuRequest(), (DrawPoint{300, 500}));

    t.click(*t.data, "mnuContextClearGrid");
    EXPECT_EQ(t.data->grid().lastFilledRow(), 0);
    EXPECT_FALSE(t.data->editing());
    EXPECT_EQ(t.data->grid().current(), cell(1, 1));
    EXPECT_EQ(t.data->grid().text(3, 0), "3 ");  // the headings stay

    t.click(*t.data, "mnuContextSelectAll");
    EXPECT_EQ(t.data->grid().selection(), (GridBlock{1, 100, 1, 2}));
}

TEST(DataFormTest, ClipboardThroughTheMainWindowKeysAndMenu) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"200", ""}, {"10", "85"}});
    t.data->userGridClick(1, 1);
    t.data->userGridExtend(3, 2);
    t.data->userKeyDown('C', shift::Ctrl);
    EXPECT_EQ(t.platform.clipboard.text, "120\t45\r200\t\r10\t85");

    // Cut empties the block; a paste of CR LF rows and trailing breaks gives it back.
    t.click(*t.data, "mnuContextCut");
    EXPECT_EQ(t.data->grid().lastFilledRow(), 0);
    t.platform.clipboard.text = "120\t45\r\n200\t\r\n10\t85\r\n";
    t.data->userGridClick(1, 1);
    t.data->userKeyDown('V', shift::Ctrl);
    EXPECT_EQ(t.data->grid().text(2, 1), "200");
    EXPECT_EQ(t.data->grid().text(3, 2), "85");
    EXPECT_EQ(t.data->grid().selection(), (GridBlock{1, 3, 1, 2}));

    // A pending edit is committed before a copy.
    t.data->userGridClick(2, 2);
    t.data->userGridKeyPress('9');
    t.click(*t.data, "mnuContextCopy");
    EXPECT_EQ(t.platform.clipboard.text, "9");
    EXPECT_EQ(t.data->grid().text(2, 2), "9");

    // While the editor has the focus, Paste goes into its text.
    t.data->userGridKeyPress('1');
    t.platform.clipboard.text = "23";
    t.data->userKeyDown('V', shift::Ctrl);
    EXPECT_EQ(t.data->at("Text1").text(), "123");
    EXPECT_EQ(t.data->grid().rows(), 101);
}

TEST(DataFormTest, PasteBeyondTheLastRowGrowsTheGrid) {
    ProjectionTool t;
    std::string clip;
    for (int i = 1; i <= 150; ++i) clip += std::to_string(i) + "\t" + std::to_string(i % 90) + "\r";
    t.platform.clipboard.text = clip;
    t.data->userGridClick(60, 1);
    t.data->userKeyDown('V', shift::Ctrl);
    EXPECT_EQ(t.data->grid().rows(), 210);  // rows 60..209 hold the 150 rows: none is dropped
    EXPECT_EQ(t.data->grid().text(209, 1), "150");
    EXPECT_EQ(t.data->grid().text(209, 0), "209 ");
    EXPECT_EQ(t.data->dataRows(false).size(), 209u);  // and nothing past the last filled row
}

TEST(DataFormTest, ClosingTheGridClosesTheToolAndCommitsTheEdit) {
    ProjectionTool t;
    t.data->userGridClick(1, 1);
    t.data->userGridKeyPress('4');
    EXPECT_FALSE(t.session.closeForm(*t.data));  // it hides rather than unloads
    EXPECT_EQ(t.data->grid().text(1, 1), "4");
    for (Form* window : std::initializer_list<Form*>{t.data, t.options, t.plot}) EXPECT_FALSE(window->visible());
    EXPECT_EQ(t.main->menuItem("mnuToolsProjections").value(), 0);
}
