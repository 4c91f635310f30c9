#include "projection/StructuralData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace ravelin {
namespace {

TEST(StructuralDataTest, TextLinesSplitIntoTwoCells) {
    // A comma and a tab are two separators, with an empty cell between them.
    const struct {
        std::string line;
        std::string direction, dip;
    } cases[] = {
        {"120,45", "120", "45"},
        {"120\t45", "120", "45"},
        {"  120   45  ", "120", "45"},
        {"120 , 45", "120", "45"},
        {"120,,45", "120", ""},
        {"120\t\t45", "120", ""},
        {",45", "", "45"},
        {"120", "120", ""},
        {"120 45 60", "120", "45"},
        {"120,45,extra", "120", "45"},
        {"N120E, 45SW", "N120E", "45SW"},
        {"", "", ""},
        {"120 ,\t45", "120", ""},
    };
    for (const auto& c : cases) {
        const std::vector<DataRow> rows = splitDataText(c.line);
        ASSERT_EQ(rows.size(), c.line.empty() ? 0u : 1u) << c.line;
        if (rows.empty()) continue;
        EXPECT_EQ(rows[0].direction, c.direction) << "[" << c.line << "]";
        EXPECT_EQ(rows[0].dip, c.dip) << "[" << c.line << "]";
    }
}

TEST(StructuralDataTest, FileRowsWithAnyLineEndsAndAByteOrderMark) {
    const std::vector<DataRow> rows = splitDataText(
        "\xEF\xBB\xBF"
        "10,20\r\n30,40\n\n50,60\r70,80");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].direction, "10");
    EXPECT_EQ(rows[2].direction, "");  // the empty line keeps its row
    EXPECT_EQ(rows[4].dip, "80");
    const std::vector<Reading> readings = readDataRows(rows);
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_EQ(readings[2].row, 4);
    EXPECT_EQ(readings[2].direction, 50);
}

TEST(StructuralDataTest, RowsNeedBothCellsAndReadTheLeadingNumber) {
    const std::vector<DataRow> rows = {
        {"120", "45"}, {"", "30"}, {"200", ""}, {"  ", "10"}, {"abc", "12.5deg"}, {"-30", "1e2"}, {"1e999", "7"},
    };
    const std::vector<Reading> readings = readDataRows(rows);
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_EQ(readings[0].row, 1);
    EXPECT_EQ(readings[1].row, 5);
    EXPECT_EQ(readings[1].direction, 0);  // no numeric start reads as 0
    EXPECT_EQ(readings[1].dip, 12.5);
    EXPECT_EQ(readings[2].direction, -30);
    EXPECT_EQ(readings[2].dip, 100);
    EXPECT_TRUE(std::isfinite(readings[3].direction));
    EXPECT_TRUE(readDataRows({{"", ""}, {" ", "\t"}}).empty());  // the "no structural data" condition
}

TEST(StructuralDataTest, PolesRoundToWholeDegrees) {
    const struct {
        double dipDirection, dip, trend, plunge;
    } cases[] = {
        {0, 0, 180, 90},       {180, 30, 0, 60},      {181, 30, 1, 60},   {270, 90, 90, 0},     {45.4, 30.4, 225, 60},
        {45.5, 30.5, 226, 60}, {44.5, 31.5, 224, 58}, {-30, 20, 150, 70}, {720, 100, 180, -10},
    };
    for (const auto& c : cases) {
        const Line pole = plottedPole(c.dipDirection, c.dip);
        EXPECT_EQ(pole.trend, c.trend) << c.dipDirection << "/" << c.dip;
        EXPECT_EQ(pole.plunge, c.plunge) << c.dipDirection << "/" << c.dip;
    }
    const std::vector<Reading> readings{{10, 20, 1}, {100.6, 80.2, 2}};
    const std::vector<Line> poles = plottedLines(readings, StructureType::Poles);
    EXPECT_EQ(poles[1].trend, 281);
    EXPECT_EQ(poles[1].plunge, 10);
    const std::vector<Line> lines = plottedLines(readings, StructureType::Lines);
    EXPECT_EQ(lines[1].trend, 100.6);
    EXPECT_EQ(lines[1].plunge, 80.2);
}

}  // namespace
}  // namespace ravelin
