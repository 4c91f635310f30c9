// The cell column under a datasheet grid: plain decimals written again from
// their value exactly as typed, other texts kept aside exactly, values equal
// to readNumber's, and the cells built in one pass lined up with cells
// written later.

#include "spacing/SpacingColumn.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/NumberText.h"

namespace ravelin {
namespace {

TEST(SpacingColumnTest, TextsComeBackExactlyWithTheValuesReadNumberGives) {
    // Plain decimals take a quicker way than readNumber: both must agree to the last bit.
    const std::vector<std::string> texts = {"",
                                            "0.35",
                                            "12",
                                            "12.",
                                            ".5",
                                            "007.50",
                                            "0.3",
                                            "2.675",
                                            "4503599627370497",
                                            "1234567890.12345",
                                            "0.000000000000001",
                                            "1e3",
                                            "-3.5",
                                            " 4",
                                            "1.2.3",
                                            ".",
                                            "12abc",
                                            "0,35",
                                            "1e400",
                                            "0.30000000000000004",
                                            "9007199254740993",
                                            "00000000000000000000001.25",
                                            std::string(1000, '7'),
                                            "caf\xC3\xA9"};
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
}

TEST(SpacingColumnTest, PlainDecimalsAreNotKeptAsTexts) {
    SpacingColumn column;
    const std::vector<std::string> texts = {
        "0.40", "007.50", "0", "000", "100.000", "999999999999999", "0.00000000000001", "12345678901234.5"};
    for (const std::string& text : texts) column.append(text);
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(column.text(i), texts[i]);
    EXPECT_EQ(column.keptTexts(), 0u);
}

TEST(SpacingColumnTest, CellsWrittenAfterValuesKeepTheirOwnTexts) {
    SpacingColumn column;
    column.appendValue(1.5, CellKind::Fixed2);
    column.appendValue(7, CellKind::Empty);
    column.append("2.25");
    column.append("a longer text");
    EXPECT_EQ(column.value(0), 1.5);
    EXPECT_EQ(column.text(0), "");  // a written value has no text
    EXPECT_EQ(column.value(1), 0);
    EXPECT_EQ(column.text(3), "a longer text");
    column.truncate(3);
    EXPECT_EQ(column.size(), 3u);
    EXPECT_EQ(column.filledSize(), 3u);
    column.clear(2);
    EXPECT_EQ(column.filledSize(), 1u);
}

TEST(SpacingColumnTest, AKeptTextGoesWithItsCell) {
    SpacingColumn column;
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
    EXPECT_EQ(column.keptTexts(), 1u);
    column.setText(6, "abc");  // past the end: the cell between is empty, its old text gone
    EXPECT_EQ(column.text(4), "");
    EXPECT_EQ(column.kind(4), CellKind::Empty);
    EXPECT_EQ(column.text(6), "abc");
    EXPECT_EQ(column.keptTexts(), 2u);
}

}  // namespace
}  // namespace ravelin
