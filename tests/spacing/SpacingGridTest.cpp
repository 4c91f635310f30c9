// The cell column under a datasheet grid (plain decimals written again from
// their value exactly as typed, other texts kept aside exactly, values equal
// to readNumber's), and the datasheet's value grid over it.

#include "spacing/SpacingGrid.h"

#include <gtest/gtest.h>

#include "core/GridUndo.h"
#include "core/NumberText.h"

#include <random>
#include <string>
#include <vector>

namespace ravelin {
namespace {

using Ranges = std::vector<std::pair<long long, long long>>;

struct Recorder : GridObserver {
    Ranges cells;
    void cellsChanged(const Grid&, long long first, long long last) override { cells.push_back({first, last}); }
};

TEST(SpacingColumnTest, TextsComeBackExactlyWithTheValuesReadNumberGives) {
    // Plain decimals take a quicker way than readNumber: both must agree to the last bit, and
    // other texts are left to it.
    std::vector<std::string> texts({"", "0.35", "12", "12.", ".5", "007.50", "0.3", "2.675", "4503599627370497",
                                    "1234567890.12345", "0.000000000000001", "0.30000000000000004", "9007199254740993",
                                    "00000000000000000000001.25", std::string(1000, '7')});
    for (const char* other : {"1e3", "-3.5", " 4", "1.2.3", ".", "12abc", "0,35", "1e400", "caf\xC3\xA9"})
        texts.push_back(other);
    SpacingColumn column;
    for (const std::string& text : texts) column.append(text);
    EXPECT_EQ(column.kind(0), CellKind::Empty);
    for (std::size_t i = 1; i < texts.size(); ++i) {
        EXPECT_EQ(column.value(i), readNumber(texts[i])) << texts[i];
        EXPECT_EQ(column.text(i), texts[i]);
    }
    EXPECT_EQ(column.text(texts.size()), "");  // past the end

    // Digits and points in every order, through append and setText alike.
    std::mt19937 random(7);
    const std::string alphabet = "0123456789.";
    SpacingColumn many;
    std::vector<std::string> typed;
    for (int round = 0; round < 20000; ++round) {
        std::string text(1 + random() % 18, '0');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        typed.push_back(text);
        if (round % 2) many.append(text);
        else many.setText(static_cast<std::size_t>(round), text);
    }
    for (std::size_t i = 0; i < typed.size(); ++i) {
        ASSERT_EQ(many.text(i), typed[i]);
        ASSERT_EQ(many.value(i), readNumber(typed[i])) << typed[i];
    }
    // Plain decimals are written again from their value: no text is kept for them.
    SpacingColumn plain;
    const std::vector<std::string> decimals(
        {"0.40", "007.50", "0", "000", "100.000", "999999999999999", "0.00000000000001", "12345678901234.5"});
    for (const std::string& text : decimals) plain.append(text);
    for (std::size_t i = 0; i < decimals.size(); ++i) EXPECT_EQ(plain.text(i), decimals[i]);
    EXPECT_EQ(plain.keptTexts(), 0u);
}

TEST(SpacingColumnTest, WrittenValuesHaveNoTextAndAKeptTextGoesWithItsCell) {
    SpacingColumn column;
    column.appendValue(1.5, CellKind::Fixed2);
    column.appendValue(7, CellKind::Empty);
    column.append("2.25");
    column.append("a longer text");
    EXPECT_EQ(column.text(0), "");  // a written value has no text
    EXPECT_EQ(column.value(1), 0);
    column.truncate(3);
    EXPECT_EQ(column.filledSize(), 3u);
    column.clear(2);
    EXPECT_EQ(column.filledSize(), 1u);

    const std::string longText(2000, 'x');
    for (int round = 0; round < 3000; ++round)
        column.setText(static_cast<std::size_t>(round % 5), longText + std::to_string(round % 5));
    EXPECT_EQ(column.keptTexts(), 5u);
    EXPECT_EQ(column.keptTextBytes(), 5 * (longText.size() + 1));
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(column.text(i), longText + std::to_string(i));
    column.setText(0, "0.5");  // a plain decimal replaces the kept text
    column.setValue(1, 2, CellKind::General);
    column.clear(2);
    EXPECT_EQ(column.keptTexts(), 2u);
    EXPECT_EQ(column.text(0), "0.5");
    EXPECT_EQ(column.text(1), "");
    EXPECT_EQ(column.text(3), longText + "3");
    column.truncate(4);  // cuts the last kept text
    EXPECT_EQ(column.size(), 4u);
    EXPECT_EQ(column.keptTexts(), 1u);
    column.setText(6, "abc");  // past the end: the cell between is empty, its old text gone
    EXPECT_EQ(column.text(4), "");
    EXPECT_EQ(column.kind(4), CellKind::Empty);
    EXPECT_EQ(column.text(6), "abc");
    EXPECT_EQ(column.keptTexts(), 2u);
}

TEST(SpacingGridTest, TextsStayAsTypedWhileWrittenValuesHaveTheirForm) {
    SpacingGrid grid(0);
    grid.setRows(10);
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

    // The clipboard carries what the grid shows, and a paste keeps texts as typed.
    grid.selectBlock({4, 1}, {6, 1});
    EXPECT_EQ(grid.copyText(), "1.5\r1.0\r0.13");
    grid.setCurrent(8, 1);
    EXPECT_TRUE(grid.paste("007.50\tignored\r\n2e1\r\n"));  // one value column: the second piece has nowhere to go
    EXPECT_EQ(grid.text(8), "007.50");
    EXPECT_EQ(grid.number(9), 20);
    grid.clearRange(-5, 100);
    EXPECT_EQ(grid.lastFilledRow(), 0);
}

// The generic copy keeps texts only: 1/3 written as a value would come back
// as the 15 digits shown, and a "0.0#" value as its rounded text.
TEST(SpacingGridTest, UndoGivesWrittenValuesAndTypedTextsBackExactly) {
    SpacingGrid grid(0);
    grid.setRows(8);
    grid.setGeneral(1, 1.0 / 3);
    grid.setFixed2(2, 0.125);
    grid.setText(3, 1, "1e3");
    grid.setText(4, 1, "007.50");
    UndoStack history;
    grid.selectBlock({1, 1}, {5, 1});
    RecordGridChange(history, grid, grid.selection(), [&] { grid.clearBlock(grid.selection()); });
    EXPECT_EQ(grid.lastFilledRow(), 0);
    history.undo();
    EXPECT_EQ(grid.cells().kind(0), CellKind::General);
    EXPECT_EQ(grid.number(1), 1.0 / 3);
    EXPECT_EQ(grid.cells().kind(1), CellKind::Fixed2);
    EXPECT_EQ(grid.cells().value(1), 0.125);
    EXPECT_EQ(grid.text(2), "0.13");
    EXPECT_EQ(grid.text(3), "1e3");
    EXPECT_EQ(grid.number(3), 1000);
    EXPECT_EQ(grid.text(4), "007.50");
    EXPECT_TRUE(grid.isEmpty(5));
    history.redo();
    EXPECT_EQ(grid.lastFilledRow(), 0);
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

}  // namespace
}  // namespace ravelin
