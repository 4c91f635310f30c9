// The data grid window through its form: the in-cell editor, clearing and
// closing with an edit under way, the clipboard through the main window's
// Edit commands, a paste longer than the grid.

#include <gtest/gtest.h>

#include "projection/ProjectionTool.h"
#include "projection/ProjectionFixture.h"

using namespace ravelin;
using ravelin::testing::ProjectionTool;

TEST(DataFormTest, TheEditorOpensWithTheTypedKeyOrTheCellText) {
    ProjectionTool t;
    t.data->userGridClick(2, 1);
    t.typeCell("210");
    t.data->userGridClick(2, 1);
    Control& editor = t.data->at("Text1");
    t.data->userGridKeyPress('5');  // a typed character replaces the cell's text
    EXPECT_EQ(editor.text(), "5");
    t.data->userKeyDown(keys::Escape, 0);
    t.typeCell("999", keys::Escape);  // Escape drops what was typed
    EXPECT_EQ(t.data->grid().text(2, 1), "210");
    EXPECT_FALSE(t.data->editing());

    // Enter opens the editor on the cell's text; a click on the grid commits what it holds.
    t.data->userGridKeyPress(keys::Enter);
    int five = '5';
    t.data->userKeyPress(editor, five);
    t.data->userGridClick(2, 1);
    EXPECT_EQ(t.data->grid().text(2, 1), "2105");
    EXPECT_FALSE(t.data->editing());
}

TEST(DataFormTest, AnEditUnderWayIsDroppedByClearGridAndKeptByClosing) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"200", "60"}, {"10", "85"}});
    t.data->userGridClick(2, 2);
    t.data->userGridKeyPress('7');  // an edit under way when the grid is cleared
    t.click(*t.data, "mnuContextClearGrid");
    EXPECT_EQ(t.data->grid().lastFilledRow(), 0);
    EXPECT_FALSE(t.data->editing());
    EXPECT_EQ(t.data->grid().current(), (GridCell{1, 1}));

    t.data->userGridKeyPress('4');
    EXPECT_FALSE(t.session.closeForm(*t.data));  // it hides rather than unloads, with the tool's other windows
    EXPECT_EQ(t.data->grid().text(1, 1), "4");
    EXPECT_FALSE(t.plot->visible());
}

TEST(DataFormTest, ClipboardThroughTheMainWindowKeysAndMenu) {
    ProjectionTool t;
    t.typeRows({{"120", "45"}, {"200", ""}, {"10", "85"}});
    t.data->userGridClick(1, 1);
    t.data->userGridExtend(3, 2);
    t.data->userKeyDown('C', shift::Ctrl);
    EXPECT_EQ(t.platform.clipboard.text, "120\t45\r200\t\r10\t85");

    t.click(*t.data, "mnuContextCut");
    EXPECT_EQ(t.data->grid().lastFilledRow(), 0);

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
    EXPECT_EQ(t.data->dataRows(false).size(), 209u);  // and nothing past the last filled row
}
