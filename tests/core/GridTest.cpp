// The generic grid as a data grid of orientations (numbering, direction, dip
// angle; 100 rows): keys, the leave-cell handler, the clipboard format, growth,
// undo and notifications; then the text store under its cells.

#include "core/Grid.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/Form.h"
#include "core/GridUndo.h"
#include "core/TextColumn.h"

namespace ravelin {
namespace {

using Ranges = std::vector<std::pair<long long, long long>>;

struct Recorder : GridObserver {
    Ranges cells;
    int rowCounts = 0;
    int cursors = 0;
    void cellsChanged(const Grid&, long long first, long long last) override { cells.push_back({first, last}); }
    void rowCountChanged(const Grid&) override { ++rowCounts; }
    void cursorChanged(const Grid&) override { ++cursors; }
};

class DataGridTest : public ::testing::Test {
protected:
    Grid grid{{{"", 420, GridAlignment::Right}, {"Direction", 800}, {"Dip angle", 800}}, "##0 "};
    void SetUp() override { grid.setRows(101); }

    void fill(long long row, const std::string& direction, const std::string& dip) {
        grid.setText(row, 1, direction);
        grid.setText(row, 2, dip);
    }
    // Both data cells of a row, as "direction|dip".
    std::string rowTexts(long long row) const { return grid.text(row, 1) + "|" + grid.text(row, 2); }
};

TEST_F(DataGridTest, KeysMoveTheCellAndShiftMovesTheBlocksFreeEndRoundItsAnchor) {
    // Without Shift the block is the current cell alone.
    grid.setCurrent(50, 1);
    const std::pair<int, GridCell> moves[] = {
        {keys::Right, {50, 2}},    {keys::Right, {50, 2}},  // the last column
        {keys::Left, {50, 1}},     {keys::Left, {50, 1}},   // never onto the numbering column
        {keys::PageDown, {70, 1}}, {keys::End, {100, 1}},  {keys::Down, {100, 1}},
        {keys::Home, {1, 1}},      {keys::Up, {1, 1}},  // never onto the header
    };
    for (const auto& [key, cell] : moves) {
        EXPECT_EQ(grid.navigate(key, false, 20), cell) << key;
        EXPECT_EQ(grid.current(), cell) << key;
        EXPECT_EQ(grid.selection(), (GridBlock{cell.row, cell.row, cell.column, cell.column})) << key;
    }

    grid.setCurrent(10, 2);
    const std::tuple<int, GridCell, GridBlock> extending[] = {
        {keys::Left, {10, 1}, {10, 10, 1, 2}},  // the current cell is the block's upper left corner
        {keys::Down, {10, 1}, {10, 11, 1, 2}},
        {keys::PageDown, {10, 1}, {10, 31, 1, 2}},
        {keys::PageUp, {10, 1}, {10, 11, 1, 2}},
        {keys::PageUp, {1, 1}, {1, 10, 1, 2}},  // past the anchor: the block turns round it
        {keys::Right, {1, 2}, {1, 10, 2, 2}},
        {keys::End, {10, 2}, {10, 100, 2, 2}},
    };
    for (const auto& [key, current, block] : extending) {
        ASSERT_TRUE(grid.navigate(key, true, 20).has_value());
        EXPECT_EQ(grid.current(), current) << key;
        EXPECT_EQ(grid.selection(), block) << key;
        EXPECT_EQ(grid.anchor(), (GridCell{10, 2})) << key;
    }
    EXPECT_EQ(grid.navigate(keys::Up, true, 20), (GridCell{99, 2}));  // the free end, to bring into sight

    // A Shift+click keeps the anchor; another key is not the grid's.
    grid.extendTo({4, 1});
    EXPECT_EQ(grid.selection(), (GridBlock{4, 10, 1, 2}));
    EXPECT_FALSE(grid.navigate('5', false, 20).has_value());
    EXPECT_EQ(grid.selection(), (GridBlock{4, 10, 1, 2}));
}

// An in-cell editor commits from the leave-cell handler: it must run while
// the cell it covers is still current, and not for a move that keeps the
// current cell (a click on it, a block extended from it).
TEST_F(DataGridTest, TheLeaveCellHandlerRunsBeforeTheCurrentCellMoves) {
    std::vector<GridCell> left;
    grid.onLeaveCell([&] { left.push_back(grid.current()); });
    grid.setCurrent(1, 1);  // already there
    grid.setCurrent(grid.following(grid.current(), 1));
    grid.navigate(keys::Down, false, 1);
    grid.setCurrent(2, 2);
    grid.navigate(keys::Down, true, 1);
    EXPECT_EQ(grid.selection(), (GridBlock{2, 3, 2, 2}));
    grid.selectBlock({9, 2}, {5, 1});
    EXPECT_EQ(left, (std::vector<GridCell>{{1, 1}, {1, 2}, {2, 2}}));
}

TEST_F(DataGridTest, CopyGivesTheBlockAndPasteTakesSpreadsheetText) {
    fill(2, "10", "20");
    fill(3, "", "30");
    fill(4, "40", "");
    grid.selectBlock({2, 1}, {6, 2});
    EXPECT_EQ(grid.copyText(), "10\t20\r\t30\r40");  // trailing empty cells leave no tabs or CRs

    // Rows ending in CR LF, as a spreadsheet copies them; the block takes the text's width.
    grid.setCurrent(10, 1);
    EXPECT_TRUE(grid.paste("120\t45\r\n300\t80\r\n"));
    EXPECT_EQ(rowTexts(10) + " " + rowTexts(11), "120|45 300|80");
    EXPECT_EQ(grid.selection(), (GridBlock{10, 11, 1, 2}));
    EXPECT_EQ(grid.current(), (GridCell{10, 1}));

    // Pieces past the last column are dropped; a short row leaves the cells it does not reach.
    fill(20, "keep", "old");
    fill(21, "keep", "old");
    grid.setCurrent(20, 2);
    EXPECT_TRUE(grid.paste("1\t2\t3\r4"));
    EXPECT_EQ(rowTexts(20) + " " + rowTexts(21), "keep|1 keep|4");
    grid.selectBlock({20, 1}, {20, 2});
    EXPECT_TRUE(grid.paste("5"));
    EXPECT_EQ(rowTexts(20), "5|1");
    // An empty row inside the text empties the first cell only; no text at all changes nothing.
    grid.setCurrent(10, 1);
    EXPECT_TRUE(grid.paste("9\t9\r\r9"));
    EXPECT_EQ(rowTexts(11), "|80");
    EXPECT_FALSE(grid.paste("\r\n\t\r\n"));
    EXPECT_EQ(grid.text(10, 1), "9");

    // Cut: the text of the whole block, whose cells are all emptied.
    grid.selectBlock({10, 1}, {12, 2});
    EXPECT_EQ(grid.cut(), "9\t9\r\t80\r9");
    EXPECT_EQ(grid.copyText(), "");
    EXPECT_EQ(grid.text(2, 1), "10");  // outside the block
}

TEST_F(DataGridTest, PastePastTheLastRowGrowsTheGrid) {
    Recorder recorder;
    grid.addObserver(&recorder);
    grid.setCurrent(99, 1);
    EXPECT_TRUE(grid.paste("1\t11\r2\t12\r3\t13\r4\t14\r5\t15\r"));
    EXPECT_EQ(grid.rows(), 104);
    EXPECT_EQ(grid.text(103, 0), "103 ");
    EXPECT_EQ(rowTexts(103), "5|15");
    EXPECT_EQ(grid.selection(), (GridBlock{99, 103, 1, 2}));
    EXPECT_EQ(recorder.rowCounts, 1);
    EXPECT_EQ(recorder.cells, (Ranges{{99, 103}}));
    grid.removeObserver(&recorder);
}

// Data cells keep their text as typed, blanks and all; the header row, the
// numbering column and cells outside cannot be written, and a clear leaves them.
TEST_F(DataGridTest, SelectAllAndClearCoverTheDataCellsOnly) {
    for (long long r = 1; r <= 100; ++r) fill(r, " " + std::to_string(r), std::to_string(r % 90) + "\xC2\xB0");
    for (const auto& [row, column] : {std::pair{0LL, 1}, {4LL, 0}, {4LL, 3}, {101LL, 1}})
        grid.setText(row, column, "x");
    EXPECT_EQ(grid.text(101, 0), "");
    grid.setCurrent(50, 2);
    grid.selectAll();
    EXPECT_EQ(grid.selection(), (GridBlock{1, 100, 1, 2}));
    EXPECT_EQ(grid.current(), (GridCell{1, 1}));
    const std::string all = grid.copyText();
    EXPECT_EQ(std::count(all.begin(), all.end(), '\r'), 99);
    EXPECT_EQ(all.substr(all.rfind('\r') + 1), " 100\t10\xC2\xB0");

    Recorder recorder;
    grid.addObserver(&recorder);
    grid.clear();
    EXPECT_EQ(grid.lastFilledRow(), 0);
    EXPECT_EQ(recorder.cells, (Ranges{{1, 100}}));
    grid.removeObserver(&recorder);
    EXPECT_EQ(grid.text(0, 1) + grid.text(4, 0), "Direction4 ");
    // The copied text brings every cell back, in as many rows.
    EXPECT_TRUE(grid.paste(all));
    EXPECT_EQ(rowTexts(77), " 77|77\xC2\xB0");
    EXPECT_EQ(grid.lastFilledRow(), 100);
    EXPECT_EQ(grid.rows(), 101);
}

TEST_F(DataGridTest, UndoPutsBackThePastedBlockAndTheRowsAPasteAdded) {
    for (long long r = 97; r <= 100; ++r) fill(r, "d" + std::to_string(r), "a" + std::to_string(r));
    grid.setText(98, 2, "");
    UndoStack history;
    grid.setCurrent(98, 2);
    const std::string clip = "x1\r\r\rx4\r";  // four rows, two past the last
    const GridBlock block{98, 98 + CountLineBreaks(clip), 2, 2};
    EXPECT_TRUE(RecordGridChange(history, grid, block, [&] { grid.paste(clip); }));
    ASSERT_EQ(grid.rows(), 102);
    EXPECT_EQ(rowTexts(98) + " " + rowTexts(99) + " " + rowTexts(101), "d98|x1 d99| |x4");

    Recorder recorder;
    grid.addObserver(&recorder);
    history.undo();
    EXPECT_EQ(grid.rows(), 101);
    EXPECT_EQ(rowTexts(98) + " " + rowTexts(99) + " " + rowTexts(100), "d98| d99|a99 d100|a100");
    EXPECT_EQ(grid.selection(), (GridBlock{98, 100, 2, 2}));  // what came back, in sight
    EXPECT_EQ(recorder.rowCounts, 1);
    grid.removeObserver(&recorder);
    history.redo();
    EXPECT_EQ(grid.rows(), 102);
    EXPECT_EQ(rowTexts(101), "|x4");

    // A change that leaves every cell as it was is no step.
    grid.setCurrent(97, 1);
    EXPECT_FALSE(RecordGridChange(history, grid, {97, 97, 1, 1}, [&] { grid.setText(97, 1, "d97"); }));
    EXPECT_EQ(history.size(), 1u);
    // A cut block comes back whole, texts and empty cells alike.
    grid.selectBlock({97, 1}, {99, 2});
    const std::string before = grid.copyText();
    RecordGridChange(history, grid, grid.selection(), [&] { grid.cut(); });
    EXPECT_EQ(grid.copyText(), "");
    history.undo();
    EXPECT_EQ(grid.copyText(), before);
}

TEST_F(DataGridTest, ObserversHearWhichRowsChangedAndRedrawOffGathersThem) {
    Recorder recorder;
    grid.addObserver(&recorder);
    grid.setText(7, 2, "1");
    const auto revision = grid.revision();
    grid.setRedraw(false);
    grid.setText(30, 1, "1");
    grid.setText(12, 2, "2");
    EXPECT_GT(grid.revision(), revision);  // results kept from the cells are stale at once, drawn or not
    grid.setCurrent(50, 2);
    EXPECT_EQ(recorder.cells, (Ranges{{7, 7}}));
    EXPECT_EQ(recorder.cursors, 0);
    grid.setRedraw(true);
    EXPECT_EQ(recorder.cells, (Ranges{{7, 7}, {12, 30}}));
    EXPECT_EQ(recorder.cursors, 1);
    grid.removeObserver(&recorder);

    // Shrinking drops the rows and their texts, and keeps the cursor inside.
    grid.setRows(200);
    grid.setText(150, 1, "3");
    grid.setCurrent(150, 2);
    grid.setTopRow(120);
    grid.setRows(60);
    EXPECT_EQ(grid.current(), (GridCell{59, 2}));
    EXPECT_EQ(grid.topRow(), 59);
    grid.setRows(200);
    EXPECT_TRUE(grid.isEmpty(150, 1));
    grid.setRows(0);  // never fewer than the header and one row
    EXPECT_EQ(grid.rows(), 2);
}

// The clipboard helpers, against the rule as first written: drop one
// trailing tab or CR at a time, trimming blanks at both ends after each.
std::string trimOneByOne(std::string text) {
    while (!text.empty() && (text.back() == '\t' || text.back() == '\r')) {
        text.pop_back();
        const auto first = text.find_first_not_of(' ');
        text = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
    }
    return text;
}

TEST(ClipboardTextTest, TrailingBreaksAreDroppedAndCounted) {
    EXPECT_EQ(CountLineBreaks("1\r\n2\r\n3\r\n"), 2);
    EXPECT_EQ(CountLineBreaks("1\r2"), 1);

    std::mt19937 random(11);
    const std::string alphabet = " \t\ra";
    for (int round = 0; round < 5000; ++round) {
        std::string text(random() % 9, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        ASSERT_EQ(TrimTrailingBreaks(text), trimOneByOne(text)) << round;
    }

    // A million empty rows selected whole and copied: one pass, not one per row.
    Grid grid({{"", 450}, {"Distance", 680}}, "0");
    grid.setRows(1'000'001);
    grid.setText(3, 1, "1.5");
    grid.selectAll();
    EXPECT_EQ(grid.copyText(), "\r\r1.5");
}

// ---------------------------------------------------------------- the text store

TEST(TextColumnTest, CellsKeepTheirTextsThroughRewritesClearsAndCompaction) {
    TextColumn column;
    std::map<std::size_t, std::string> expected;
    std::mt19937 random(5);
    // Lengths on both sides of the one- and two-byte record lengths.
    const std::size_t lengths[] = {1, 5, 127, 128, 300, 16383, 16384};
    for (int round = 0; round < 20000; ++round) {
        const std::size_t i = random() % 64;
        if (random() % 10 == 0) {
            const std::size_t end = i + random() % 8;
            column.clearCells(i, end);
            expected.erase(expected.lower_bound(i), expected.lower_bound(end));
        } else {
            std::string text(lengths[random() % std::size(lengths)], 'a');
            text[0] = static_cast<char>('A' + round % 26);
            text.back() = static_cast<char>('0' + round % 10);
            column.setCellText(i, text);
            expected[i] = text;
        }
    }
    for (std::size_t i = 0; i < 80; ++i) {
        const auto found = expected.find(i);
        ASSERT_EQ(column.cellText(i), found == expected.end() ? "" : found->second) << i;
        ASSERT_EQ(column.isCellEmpty(i), found == expected.end()) << i;
    }
    EXPECT_EQ(column.filledSize(), expected.empty() ? 0 : expected.rbegin()->first + 1);
    // Rewrites leave no more than the live texts behind again (twice over, with the record lengths).
    std::size_t live = 0;
    for (const auto& [i, text] : expected) live += text.size() + 3;
    EXPECT_LE(column.bufferBytes(), 2 * live + 4096);

    column.setCellText(1'000'000, "far");  // a row far down: the rows between stay empty
    EXPECT_EQ(column.filledSize(), 1'000'001u);
    column.clearCells(10, SIZE_MAX);
    EXPECT_EQ(column.cellText(1'000'000), "");
    column.clearCells(0, SIZE_MAX);
    EXPECT_EQ(column.filledSize(), 0u);
    EXPECT_EQ(column.bufferBytes(), 0u);
}

}  // namespace
}  // namespace ravelin
