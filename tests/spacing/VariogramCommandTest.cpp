// The "Variogram" button: its questions, its messages and its chart window.

#include "spacing/VariogramCommand.h"

#include <gtest/gtest.h>

#include "DatasheetFixture.h"
#include "spacing/SpacingState.h"

namespace ravelin::testing {
namespace {

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
    ASSERT_EQ(t.platform.inputs.size(), 2u);
    EXPECT_EQ(t.platform.inputs[1].defaultText, "20");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->caption(), "Vario-Data 1");
    EXPECT_EQ(chart->text("lblInfo"), " - ");                   // always joined
    EXPECT_EQ(chart->text("lblStdDev"), "Number of data = 4");  // the empty cell is no datum
    EXPECT_EQ(sheet.cell(1, 4, 1), "1");                        // the conversion ran
    EXPECT_FALSE(t.session.moduleState<SpacingState>().busy);
    // A variogram is not linked to its datasheet and does not show the histogram options.
    EXPECT_TRUE(t.session.moduleState<SpacingState>().histogramTable.empty());
    chart->userActivate();
    EXPECT_EQ(t.session.findForm("frmHistoTools"), nullptr);
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
