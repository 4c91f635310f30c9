// The column store behind the datasheet grids: texts as typed, values
// written as numbers, the clipboard block format, growth and notifications.

#include "spacing/SpacingGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravelin {
namespace {

using Ranges = std::vector<std::pair<long long, long long>>;

struct Recorder : SpacingGridObserver {
    Ranges cells;
    int rowCounts = 0;
    int cursors = 0;
    int tops = 0;
    void cellsChanged(const SpacingGrid&, long long first, long long last) override { cells.push_back({first, last}); }
    void rowCountChanged(const SpacingGrid&) override { ++rowCounts; }
    void cursorChanged(const SpacingGrid&) override { ++cursors; }
    void topRowChanged(const SpacingGrid&) override { ++tops; }
};

TEST(SpacingGridTest, TextsStayAsTypedWhileWrittenValuesHaveTheirForm) {
    SpacingGrid grid(0);
    grid.setRows(10);
    EXPECT_EQ(grid.text(10, 0), "");  // beyond the last row
    grid.setText(0, 1, "header");     // the fixed row and column cannot be written
    grid.setText(3, 0, "x");
    EXPECT_EQ(grid.text(3, 0), "3");
    EXPECT_EQ(grid.lastFilledRow(), 0);
    grid.setText(1, 1, "0.350");
    grid.setText(2, 1, "abc");
    grid.setText(3, 1, "12abc");
    grid.setGeneral(4, 1.5);
    grid.setFixed2(5, 1.0000000000000002);
    grid.setFixed2(6, 0.125);
    EXPECT_EQ(grid.text(1), "0.350");
    EXPECT_FALSE(grid.isEmpty(2));  // text that reads as 0 is still a cell with text
    EXPECT_EQ(grid.number(3), 12);
    EXPECT_EQ(grid.text(5), "1.0");
    EXPECT_EQ(grid.text(6), "0.13");
    EXPECT_DOUBLE_EQ(grid.number(6), 0.13);  // the value shown, not the one stored
    grid.setText(1, 1, "");
    EXPECT_TRUE(grid.isEmpty(1));
    EXPECT_EQ(grid.lastFilledRow(), 6);
    grid.clearRange(-5, 100);
    EXPECT_EQ(grid.lastFilledRow(), 0);
}

TEST(SpacingGridTest, ShrinkingDropsRowsAndGrowingAddsEmptyOnes) {
    SpacingGrid grid(1);
    grid.setRows(6);
    grid.setText(5, 1, "5");
    grid.setCurrent(5);
    grid.setTopRow(4);
    grid.setRows(4);
    EXPECT_EQ(grid.row(), 3);  // the current cell stays inside
    EXPECT_EQ(grid.topRow(), 3);
    grid.setRows(8);
    EXPECT_TRUE(grid.isEmpty(5));
    grid.setRows(0);  // never fewer than the header and one row
    EXPECT_EQ(grid.rows(), 2);
}

TEST(SpacingGridTest, ClipJoinsRowsAndSetClipFillsTheSelectionOnly) {
    SpacingGrid grid(0);
    grid.setRows(10);
    for (long long r = 1; r <= 9; ++r) grid.setText(r, 1, std::to_string(r * 10));
    grid.setText(3, 1, "");
    grid.setSelection({5, 2, 0, 1});  // dragged upwards; the numbering column cannot be selected
    EXPECT_EQ(grid.selection(), (GridBlock{2, 5, 1, 1}));
    EXPECT_EQ(grid.clip(), "20\r\r40\r50");
    grid.setClip("a\tignored\rb");  // extra pieces beyond the selection's column are dropped
    EXPECT_EQ(grid.text(2), "a");
    EXPECT_EQ(grid.text(3), "b");
    EXPECT_EQ(grid.text(4), "40");  // the text has no third row
    grid.setSelection({6, 7, 1, 1});
    grid.setClip("x\ry\rz");  // rows beyond the selection are dropped
    EXPECT_EQ(grid.text(8), "80");
    grid.setSelection({1, 3, 1, 1});
    grid.setClip("\r\r");  // Cut: every row of the block emptied
    EXPECT_TRUE(grid.isEmpty(1) && grid.isEmpty(2) && grid.isEmpty(3));
}

TEST(SpacingGridTest, ObserversHearOfChangesAndRedrawOffGathersThem) {
    SpacingGrid grid(0);
    grid.setRows(100);
    Recorder recorder;
    grid.addObserver(&recorder);
    grid.setText(7, 1, "1");
    EXPECT_EQ(recorder.cells, (Ranges{{7, 7}}));

    grid.setRedraw(false);
    grid.setText(30, 1, "1");
    grid.setGeneral(12, 2);
    grid.setCurrent(50);
    grid.setTopRow(40);
    EXPECT_EQ(recorder.cells.size(), 1u);
    EXPECT_EQ(recorder.cursors, 0);
    grid.setRedraw(true);
    EXPECT_EQ(recorder.cells, (Ranges{{7, 7}, {12, 30}}));
    EXPECT_EQ(recorder.cursors, 1);
    EXPECT_EQ(recorder.tops, 1);

    grid.setRedraw(false);
    grid.setRows(200);
    grid.setText(150, 1, "3");
    grid.setRedraw(true);
    EXPECT_EQ(recorder.rowCounts, 1);  // a size change covers the cells too
    EXPECT_EQ(recorder.cells.size(), 2u);
    grid.removeObserver(&recorder);
    grid.setText(1, 1, "9");
    EXPECT_EQ(recorder.cells.size(), 2u);
}

TEST(SpacingGridTest, AColumnReplacesEveryDataCell) {
    SpacingGrid grid(0);
    grid.setRows(10);
    grid.setText(8, 1, "stale");
    Recorder recorder;
    grid.addObserver(&recorder);
    SpacingColumn column;
    for (const char* text : {"1.5", "", "a text longer than eight"}) column.append(text);
    grid.assignColumn(std::move(column));
    EXPECT_EQ(grid.text(3), "a text longer than eight");
    EXPECT_TRUE(grid.isEmpty(8));
    EXPECT_EQ(grid.lastFilledRow(), 3);
    EXPECT_EQ(recorder.cells, (Ranges{{1, 9}}));

    SpacingColumn tooLong;
    for (int i = 1; i <= 12; ++i) tooLong.append(std::to_string(i));
    grid.assignColumn(std::move(tooLong));  // cells beyond the last row are dropped
    EXPECT_EQ(grid.lastFilledRow(), 9);
    EXPECT_EQ(grid.text(9), "9");
    grid.setRows(20);
    EXPECT_TRUE(grid.isEmpty(10));
    grid.removeObserver(&recorder);
}

TEST(SpacingGridTest, AMillionRowsLoadReadBackAndClear) {
    SpacingGrid grid(0);
    const long long n = 1000000;
    grid.setRows(n + 1);
    std::vector<std::string> texts;
    texts.reserve(n);
    for (long long i = 0; i < n; ++i) texts.push_back(std::to_string(i % 997 + 1) + ".25");
    std::vector<std::string_view> views(texts.begin(), texts.end());
    grid.assignTexts(1, views);
    EXPECT_EQ(grid.text(n), texts.back());
    EXPECT_DOUBLE_EQ(grid.number(998), 1.25);
    grid.clearRange(2, n);
    EXPECT_EQ(grid.lastFilledRow(), 1);
    EXPECT_EQ(grid.number(500000), 0);
    grid.setText(n, 1, "1.25");
    EXPECT_EQ(grid.lastFilledRow(), n);
}

}  // namespace
}  // namespace ravelin
