// The spacing datasheet window driven as a user drives it: the grids and
// their in-cell editor, the data summary, the theta correction, the
// clipboard and closing.

#include "spacing/SpacingForm.h"

#include <gtest/gtest.h>

#include "DatasheetFixture.h"
#include "spacing/SpacingState.h"

namespace ravelin::testing {
namespace {

class SpacingFormTest : public DatasheetTest {
protected:
    Control& editor() { return sheet.at("txtSaisie"); }
    // Clicks a cell of the measured grid and types a value ending with a key.
    void type(long long row, const std::string& text, int endKey = keys::Enter) {
        sheet.userGridClick(0, row);
        sheet.userGridKeyPress(0, text[0]);
        for (int key : text.substr(1)) sheet.userKeyPress(editor(), key);
        sheet.userKeyDown(endKey, 0);
    }
};

TEST_F(SpacingFormTest, DoubleClickEditsThePresentTextAndEscapeWritesItBack) {
    sheet.setCell(0, 4, 1, "2.5");
    sheet.userGridClick(0, 4);
    sheet.userGridDoubleClick(0);
    EXPECT_EQ(editor().text(), "2.5");
    sheet.userKeyDown(keys::Escape, 0);
    EXPECT_EQ(sheet.cell(0, 4, 1), "2.5");
    // Escape on an empty cell leaves it empty rather than writing a 0 that would count as a value.
    sheet.userGridClick(0, 9);
    sheet.userGridDoubleClick(0);
    sheet.userKeyDown(keys::Escape, 0);
    EXPECT_TRUE(sheet.grid(0).isEmpty(9));
    EXPECT_EQ(sheet.text("lblRes", 2), "N = 1");
}

TEST_F(SpacingFormTest, CommittingZeroOrLettersEmptiesTheCell) {
    sheet.setCell(0, 1, 1, "3");
    type(1, "0");
    EXPECT_TRUE(sheet.grid(0).isEmpty(1));
    sheet.setCell(0, 2, 1, "3");
    type(2, "a", keys::Down);  // the first key reaches the editor unfiltered
    EXPECT_TRUE(sheet.grid(0).isEmpty(2));
    // Clicking another cell commits a pending edit; clicking the same cell drops it.
    sheet.userGridClick(0, 5);
    sheet.userGridKeyPress(0, '9');
    sheet.userGridClick(0, 6);
    EXPECT_EQ(sheet.cell(0, 5, 1), "9");
    sheet.userGridKeyPress(0, '3');
    sheet.userGridClick(0, 6);
    EXPECT_TRUE(sheet.grid(0).isEmpty(6));
}

TEST_F(SpacingFormTest, TheSummaryCountsTheValuesAndAZeroSumCannotBePlotted) {
    values({"5", "-5", "abc"});
    EXPECT_EQ(sheet.text("lblRes", 2), "N = 3");
    EXPECT_FALSE(sheet.at("cmdHisto").enabled());

    // The summary is kept between mouse moves: fewer rows must still be recounted.
    sheet.grid(0).setRows(3);
    sheet.userMouseMove();
    EXPECT_EQ(sheet.text("lblRes", 2), "N = 2");
}

TEST_F(SpacingFormTest, ConvertEmptiesZerosAndAnEmptyThetaCopiesTheValues) {
    values({"2", "0", "abc", "", "1.25"});
    sheet.userType(sheet.at("txtOr", 4), "60");
    sheet.userMouseMove();
    sheet.userClick(sheet.at("cmdConvert"));
    EXPECT_EQ(sheet.cell(1, 1, 1), "1.0");
    EXPECT_TRUE(sheet.grid(0).isEmpty(2) && sheet.grid(1).isEmpty(2));
    EXPECT_TRUE(sheet.grid(0).isEmpty(3));  // text reading as 0 is emptied in both grids
    EXPECT_EQ(sheet.text("lblRes", 1), "Tot. length = 1.63");

    sheet.userType(sheet.at("txtOr", 4), "");
    sheet.ConvertData();
    EXPECT_EQ(sheet.text("txtOr", 4), "0");  // an empty theta becomes 0: values copied as they are
    EXPECT_EQ(sheet.cell(1, 5, 1), "1.25");
}

TEST_F(SpacingFormTest, CopyGivesTheBlockWithoutTrailingBreaksAndCutEmptiesIt) {
    values({"1", "2.5", "", ""});
    ClearModifiedMarker(sheet);
    t.session.setActiveForm(&sheet);
    sheet.userGridSelect(0, 1, 4);
    sheet.userFocus(sheet.at("MSFlexGrid1", 0));
    t.main->runCommand("mnuEditCopy");
    EXPECT_EQ(t.platform.clipboard.text, "1\r2.5");
    EXPECT_FALSE(IsModified(sheet));
    // Ctrl+C anywhere in the window does the same; a pending edit is committed first.
    sheet.userGridClick(0, 3);
    sheet.userGridKeyPress(0, '4');
    sheet.userKeyDown('C', shift::Ctrl);
    EXPECT_EQ(t.platform.clipboard.text, "4");

    ClearModifiedMarker(sheet);
    sheet.userGridSelect(0, 1, 2);
    sheet.userKeyDown('X', shift::Ctrl);
    EXPECT_EQ(t.platform.clipboard.text, "1\r2.5");
    EXPECT_TRUE(sheet.grid(0).isEmpty(1) && sheet.grid(0).isEmpty(2));
    EXPECT_TRUE(IsModified(sheet));
    EXPECT_EQ(sheet.text("lblRes", 2), "N = 1");
}

TEST_F(SpacingFormTest, PasteIntoTheCellEditorGoesIntoTheEditor) {
    t.session.setActiveForm(&sheet);
    sheet.userGridClick(0, 5);
    sheet.userGridKeyPress(0, '1');
    t.platform.clipboard.text = "25";
    sheet.userKeyDown('V', shift::Ctrl);
    EXPECT_EQ(editor().text(), "125");
}

// ---------------------------------------------------------------- Undo and Redo

class DatasheetHistoryTest : public SpacingFormTest {
protected:
    TempFolder folder;
    void SetUp() override {
        t.session.setActiveForm(&sheet);
        t.platform.workingFolder = folder.path.string();  // a saved datasheet is captioned by its name
    }
    void undo() { t.main->runCommand("mnuEditUndo"); }
    void redo() { t.main->runCommand("mnuEditRedo"); }
    std::string column(long long first, long long last) {
        std::string out;
        for (long long r = first; r <= last; ++r) out += (r > first ? "," : "") + sheet.cell(0, r, 1);
        return out;
    }
    void save() {
        t.platform.saveAnswers.push_back(folder.file("history.spg"));
        t.main->runCommand("mnuFileSave");
        ASSERT_EQ(sheet.caption().back(), 'g');  // saved: no marker
    }
};

TEST_F(DatasheetHistoryTest, CellEditsPasteCutAndDeleteAreTakenBackAndMadeAgain) {
    type(1, "5");
    type(2, "1.50");
    sheet.userGridClick(0, 3);
    t.platform.clipboard.text = "7\r8\r";
    t.main->runCommand("mnuEditPaste");
    sheet.userGridSelect(0, 1, 2);
    t.main->runCommand("mnuEditCut");
    sheet.userGridSelect(0, 4, 4);
    sheet.userGridDelete(0);
    EXPECT_EQ(column(1, 5), ",,7,,");
    EXPECT_EQ(sheet.text("lblRes", 2), "N = 1");

    const char* const states[] = {",,7,8,", "5,1.5,7,8,", "5,1.5,,,", "5,,,,", ",,,,"};
    for (const char* expected : states) {
        undo();
        EXPECT_EQ(column(1, 5), expected);
    }
    EXPECT_FALSE(t.main->menuItem("mnuEditUndo").enabled());
    EXPECT_EQ(sheet.text("lblRes", 2), "N = 0");  // the summary follows the cells
    for (int i = 0; i < 5; ++i) redo();
    EXPECT_EQ(column(1, 5), ",,7,,");
    EXPECT_EQ(sheet.text("lblRes", 0), "Tot. length = 7.0");
}

TEST_F(DatasheetHistoryTest, APastePastTheLastRowIsTakenBackWithTheRowsItAddedToBothGrids) {
    sheet.userGridClick(1, 999);
    t.platform.clipboard.text = "1\r2\r3\r4";
    sheet.userFocus(sheet.at("MSFlexGrid1", 1));
    t.main->runCommand("mnuEditPaste");
    ASSERT_EQ(sheet.grid(0).rows(), 1003);
    EXPECT_EQ(sheet.cell(1, 1002, 1), "4");
    undo();
    EXPECT_EQ(std::pair(sheet.grid(0).rows(), sheet.grid(1).rows()), std::pair(1001LL, 1001LL));
    EXPECT_TRUE(sheet.grid(1).isEmpty(999));
    redo();
    EXPECT_EQ(sheet.grid(0).rows(), 1003);
    EXPECT_EQ(sheet.cell(1, 1001, 1), "3");
}

TEST_F(DatasheetHistoryTest, OrientationsComputeThetaAndATypedHeaderFieldIsOneStep) {
    Control& comment = sheet.at("txtComment");
    sheet.userFocus(comment);
    for (int key : std::string("North")) sheet.userKeyPress(comment, key);
    sheet.userFocus(sheet.at("txtFamily"));
    sheet.userType(sheet.at("txtFamily"), "J1");
    ClearModifiedMarker(sheet);
    const std::pair<int, const char*> fields[] = {{2, "300"}, {3, "65"}, {5, "135"}, {6, "0"}};
    for (const auto& [i, text] : fields) {
        sheet.userFocus(sheet.at("txtOr", i));
        sheet.userType(sheet.at("txtOr", i), text);
    }
    EXPECT_TRUE(IsModified(sheet));
    EXPECT_EQ(sheet.text("txtOr", 4), "29");
    ClearModifiedMarker(sheet);
    sheet.userClick(sheet.at("optData", 0));
    EXPECT_TRUE(IsModified(sheet));

    undo();  // the data type
    EXPECT_EQ(sheet.at("optData", 1).value(), 1);
    undo();  // the scanline's plunge: theta can no longer be computed and may be typed again
    EXPECT_EQ(sheet.text("txtOr", 6), "");
    EXPECT_EQ(sheet.text("txtOr", 4), "0");
    EXPECT_TRUE(sheet.at("txtOr", 4).enabled());
    redo();
    EXPECT_EQ(sheet.text("txtOr", 4), "29");
    for (int i = 0; i < 5; ++i) undo();
    EXPECT_EQ(sheet.text("txtFamily"), "");
    EXPECT_EQ(sheet.text("txtComment"), "North");  // five letters, one step
    undo();
    EXPECT_EQ(sheet.text("txtComment"), "");
    EXPECT_FALSE(t.main->menuItem("mnuEditUndo").enabled());
}

TEST_F(DatasheetHistoryTest, UndoAfterASaveBringsTheMarkerBackAndRedoTakesItAway) {
    type(1, "2");
    save();
    type(2, "3");
    EXPECT_EQ(sheet.caption(), "history.spg*");
    undo();
    EXPECT_EQ(sheet.caption(), "history.spg");  // the saved state: the rest is the undo stack's (UndoStackTest)

    // An applied chart setting is saved with the datasheet but is no step: the marker stays.
    HistoForm* chart = plot();
    ASSERT_NE(chart, nullptr);
    save();
    t.session.form("frmHistoTools").userClick(t.session.form("frmHistoTools").at("Command1"));
    type(3, "4");
    undo();
    EXPECT_EQ(sheet.caption(), "history.spg*");
}

TEST_F(DatasheetHistoryTest, CtrlZInTheCellEditorTakesBackWhatWasTyped) {
    type(1, "2");
    sheet.userGridClick(0, 1);
    sheet.userGridKeyPress(0, '9');  // the editor is open over "2"
    EXPECT_EQ(sheet.userKeyDown('Z', shift::Ctrl), 0);
    EXPECT_FALSE(sheet.at("txtSaisie").visible());
    EXPECT_EQ(sheet.cell(0, 1, 1), "2");
    sheet.userKeyDown('Y', shift::Ctrl);
    EXPECT_EQ(sheet.cell(0, 1, 1), "9");
    sheet.userKeyDown('Z', shift::Ctrl | shift::Shift);  // nothing left to make again
    EXPECT_EQ(sheet.cell(0, 1, 1), "9");
    // Opening the editor and leaving it as it was is no step.
    sheet.userGridDoubleClick(0);
    sheet.userKeyDown(keys::Escape, 0);
    undo();
    EXPECT_EQ(sheet.cell(0, 1, 1), "2");
}

// The question and its answers are the Close command's (DocumentCommandsTest).
TEST_F(SpacingFormTest, ClosingAnUnmodifiedDatasheetAsksNothingAndReleasesItsRows) {
    SpacingState& state = t.session.moduleState<SpacingState>();
    Form& chart = t.main->NewDocumentWindow(0, 1);
    state.datasheetTable.push_back({"/data/a.spg", &sheet});
    state.histogramTable.push_back({&sheet, &chart, 0.5, 3, {1, 0, 0, 0}});
    ClearModifiedMarker(sheet);
    EXPECT_TRUE(t.session.closeForm(sheet));
    EXPECT_TRUE(t.platform.told().empty());
    EXPECT_EQ(t.session.findForm("frmSpacing"), nullptr);
    EXPECT_EQ(state.datasheetTable[0].window, nullptr);
    EXPECT_EQ(state.histogramTable[0].datasheet, nullptr);
    EXPECT_EQ(state.histogramTable[0].chart, &chart);  // the chart is still open
    t.main->CloseDocumentWindow(chart);
    EXPECT_EQ(state.histogramTable[0].chart, nullptr);
}

}  // namespace
}  // namespace ravelin::testing
