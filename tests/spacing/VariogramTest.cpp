// The variogram: positions, window counts and the semivariogram of a
// scanline, then the "Variogram" button with its questions, its messages and
// its chart window.

#include "spacing/Variogram.h"

#include <gtest/gtest.h>

#include "DatasheetFixture.h"
#include "spacing/SpacingState.h"
#include "spacing/VariogramCommand.h"

namespace ravelin::testing {
namespace {

TEST(VariogramTest, PositionsAccumulateSpacingsAndSkipZeros) {
    EXPECT_EQ(VariogramPositions({1, 0, 1, 1, 1}, true), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(VariogramPositions({0.5, 1.5, 0, 1.6, 3.2}, false), (std::vector<double>{0.5, 1.5, 1.6, 3.2}));
}

TEST(VariogramTest, WindowCountsAndTheirSemivariogram) {
    struct Case {
        std::vector<double> positions;
        std::vector<long long> counts;
        std::vector<double> gamma;  // J - 1 lags at most
    };
    const Case cases[] = {
        // Window [0, 1) is empty (1 lies on its upper edge); the window holding 4 is incomplete.
        {{1, 2, 3, 4}, {0, 1, 1, 1}, {1.0 / 6, 0.25, 0.5}},
        {{0.5, 1.5, 1.6, 3.2}, {1, 2, 0}, {1.25, 0.5}},
        {{0.5, 2.0, 3.5}, {1, 0, 1}, {0.5, 0}},  // 2.0 belongs to [2, 3)
        // Positions out of order are not sorted: a position behind the current window adds nothing.
        {{5, 2, 6.5}, {0, 0, 0, 0, 0, 2}, {0.4, 0.5, 2.0 / 3, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.positions.back());
        const auto counts = CountWindows(c.positions, 1);
        ASSERT_TRUE(counts);
        EXPECT_EQ(*counts, c.counts);
        const std::vector<double> gamma = Semivariogram(*counts, 20);
        ASSERT_EQ(gamma.size(), c.gamma.size());
        for (std::size_t h = 0; h < gamma.size(); ++h) EXPECT_DOUBLE_EQ(gamma[h], c.gamma[h]) << h;
    }
    EXPECT_EQ(Semivariogram({1, 2, 0}, 1).size(), 1u);
}

TEST(VariogramTest, TooFewOrTooManyWindows) {
    EXPECT_TRUE(CountWindows({0.2, 0.4, 0.6}, 1)->empty());
    EXPECT_TRUE(Semivariogram({3}, 20).empty());
    EXPECT_FALSE(CountWindows({1, 2, 3}, 0));
    EXPECT_FALSE(CountWindows({1, 2, 3}, -1));
    EXPECT_FALSE(CountWindows({1, 2, 1e9}, 1));  // a billion windows
    EXPECT_TRUE(CountWindows({1, 2, 1e5}, 1));   // exactly the largest number allowed
}

class VariogramCommandTest : public DatasheetTest {
protected:
    // Answers the two questions and presses the button; the chart opened, if any.
    HistoForm* run(std::optional<std::string> width, std::optional<std::string> lags) {
        t.platform.inputAnswers = {width, lags};
        const std::size_t before = t.session.forms().size();
        Vario_Click(sheet);
        for (std::size_t i = before; i < t.session.forms().size(); ++i)
            if (auto* chart = dynamic_cast<HistoForm*>(t.session.forms()[i].get())) return chart;
        return nullptr;
    }
};

TEST_F(VariogramCommandTest, EqualSpacingsOpenAVariogramChartWithItsLabels) {
    values({"1", "1", "", "1", "1"});
    HistoForm* chart = run("1", "20");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->text("lblStdDev"), "Number of data = 4");  // the empty cell is no datum
    EXPECT_EQ(sheet.cell(1, 4, 1), "1");                        // the conversion ran
    EXPECT_FALSE(t.session.moduleState<SpacingState>().busy);
    // A variogram is not linked to its datasheet.
    EXPECT_TRUE(t.session.moduleState<SpacingState>().histogramTable.empty());
    EXPECT_NE(run("1", "20"), chart);  // every run opens a new window
}

TEST_F(VariogramCommandTest, FewerThanThreeValuesStopWithTheMessage) {
    values({"1", "0", "2"});
    EXPECT_EQ(run("1", "20"), nullptr);
    EXPECT_EQ(t.messageTexts(),
              (std::vector<std::string>{"You should enter three or more discontinuity data to calculate a variogram"}));
    EXPECT_TRUE(t.platform.inputs.empty());
}

TEST_F(VariogramCommandTest, CancelOrZeroEndsSilentlyAndOutOfRangeAnswersAreTold) {
    values({"1", "1", "1", "1", "1", "1"});
    EXPECT_EQ(run(std::nullopt, "20"), nullptr);
    EXPECT_EQ(run("abc", "20"), nullptr);
    EXPECT_EQ(run("1", std::nullopt), nullptr);
    EXPECT_EQ(run("1", "0"), nullptr);
    EXPECT_TRUE(t.platform.told().empty());
    EXPECT_NE(run("1", "1e9"), nullptr);  // more lags than a chart can carry are cut, with a message
    EXPECT_EQ(t.platform.told().back().text, "The maximum number of lags should not be greater than 32767");
    EXPECT_EQ(run("-1", "20"), nullptr);  // a negative width is refused with a message
    EXPECT_EQ(t.platform.told().back().text, "The range of scanline distance should be greater than 0");
}

TEST_F(VariogramCommandTest, NoWindowsOrNoVariationGiveAMessageAndNoChart) {
    values({"0.2", "0.2", "0.2"});
    EXPECT_EQ(run("1", "20"), nullptr);  // all positions in the first, incomplete window
    ASSERT_EQ(t.platform.told().size(), 1u);
    EXPECT_NE(t.platform.told()[0].text.find("fewer than two complete windows"), std::string::npos);

    values({"0.5", "1", "1", "1"});  // positions 0.5, 1.5, 2.5, 3.5: one in every window
    EXPECT_EQ(run("1", "20"), nullptr);
    EXPECT_NE(t.platform.told().back().text.find("semivariogram is 0 for every lag"), std::string::npos);
    EXPECT_EQ(t.session.findForm("frmHisto"), nullptr);
    EXPECT_FALSE(t.main->at("Panels", panels::Processing).visible());

    EXPECT_EQ(run("0.000001", "20"), nullptr);  // millions of windows
    EXPECT_NE(t.platform.told().back().text.find("more than 100000 windows"), std::string::npos);
}

}  // namespace
}  // namespace ravelin::testing
