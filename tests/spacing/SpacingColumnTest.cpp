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
    const std::vector<std::string> texts = {
        "", "0.35", "12", "12.", ".5", "007.50", "0.1", "0.3", "2.675", "1.005", "4503599627370497",
        "123456789012345", "1234567890.12345", "12345678901234.56", "0.000000000000001", "999999999999999",
        "1e3", "-3.5", "+2", " 4", "4 ", "1.2.3", "..5", ".", "abc", "12abc", "0,35", "1e400", "1e-400",
        "0.30000000000000004", "9007199254740993", "00000000000000000000001.25", "0.1234567890123456",
        std::string(1000, '7'), "caf\xC3\xA9"};
    SpacingColumn column;
    for (const std::string& text : texts) column.append(text);
    ASSERT_EQ(column.size(), texts.size());
    EXPECT_EQ(column.kind(0), CellKind::Empty);
    for (std::size_t i = 1; i < texts.size(); ++i) {
        EXPECT_EQ(column.kind(i), CellKind::Text);
        EXPECT_EQ(column.value(i), readNumber(texts[i])) << texts[i];
        EXPECT_EQ(column.text(i), texts[i]);
    }
    EXPECT_EQ(column.kind(texts.size()), CellKind::Empty);  // past the end
    EXPECT_EQ(column.value(texts.size()), 0);
    EXPECT_EQ(column.text(texts.size()), "");

    std::mt19937 random(7);
    const std::string alphabet = "0123456789.";
    for (int round = 0; round < 20000; ++round) {
        std::string text(1 + random() % 18, '0');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        SpacingColumn one;
        one.append(text);
        ASSERT_EQ(one.value(0), readNumber(text)) << text;
    }
}

TEST(SpacingColumnTest, PlainDecimalsComeBackAsTypedWithoutBeingKept) {
    SpacingColumn column;
    const std::vector<std::string> texts = {"0.35", "0.40", "12", "007.50", "0", "0.0", "000", "100.000",
                                            "999999999999999", "0.00000000000001", "12345678901234.5"};
    for (const std::string& text : texts) column.append(text);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(column.kind(i), CellKind::Text);
        EXPECT_EQ(column.text(i), texts[i]);
    }
    EXPECT_EQ(column.keptTexts(), 0u);

    // Every shape of up to 15 digits, through append and setText alike.
    std::mt19937 random(11);
    SpacingColumn many;
    std::vector<std::string> typed;
    for (int round = 0; round < 20000; ++round) {
        const int count = 1 + static_cast<int>(random() % SpacingColumn::kExactDigits);
        const int integerDigits = 1 + static_cast<int>(random() % count);
        std::string text;
        for (int d = 0; d < count; ++d) {
            if (d == integerDigits) text.push_back('.');
            text.push_back(static_cast<char>('0' + random() % 10));
        }
        typed.push_back(text);
        if (round % 2) many.append(text);
        else many.setText(static_cast<std::size_t>(round), text);
    }
    for (std::size_t i = 0; i < typed.size(); ++i) {
        ASSERT_EQ(many.text(i), typed[i]);
        ASSERT_EQ(many.value(i), readNumber(typed[i])) << typed[i];
    }
    EXPECT_EQ(many.keptTexts(), 0u);
}

TEST(SpacingColumnTest, CellsWrittenAfterValuesKeepTheirOwnTexts) {
    SpacingColumn column;
    column.appendValue(1.5, CellKind::Fixed2);
    column.appendValue(7, CellKind::Empty);
    column.append("2.25");
    column.append("a longer text");
    EXPECT_EQ(column.kind(0), CellKind::Fixed2);
    EXPECT_EQ(column.value(0), 1.5);
    EXPECT_EQ(column.text(0), "");  // a written value has no text
    EXPECT_EQ(column.kind(1), CellKind::Empty);
    EXPECT_EQ(column.value(1), 0);
    EXPECT_EQ(column.text(2), "2.25");
    EXPECT_EQ(column.text(3), "a longer text");

    column.setText(10, "9.5");  // past the end: the column grows, the cells between stay empty
    EXPECT_EQ(column.size(), 11u);
    EXPECT_EQ(column.kind(7), CellKind::Empty);
    EXPECT_EQ(column.text(10), "9.5");
    EXPECT_EQ(column.filledSize(), 11u);
    column.setValue(10, 3, CellKind::General);
    EXPECT_EQ(column.text(10), "");
    EXPECT_EQ(column.value(10), 3);
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
