// "Plot Histo", the histogram table and the histogram options window, driven
// through the datasheet's button as a user does.

#include "spacing/HistogramCommand.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DatasheetFixture.h"
#include "spacing/HistoToolsForm.h"
#include "spacing/SpacingState.h"

namespace ravelin::testing {
namespace {

class HistogramCommandTest : public DatasheetTest {
protected:
    HistoToolsForm& tools() { return t.form<HistoToolsForm>("frmHistoTools"); }
};

TEST_F(HistogramCommandTest, NoDataIsToldAndNothingOpens) {
    cmdHisto_Click(sheet);
    EXPECT_EQ(t.messageTexts(), (std::vector<std::string>{"No data !"}));
    EXPECT_EQ(t.session.findForm("frmHisto"), nullptr);
    EXPECT_FALSE(t.session.moduleState<SpacingState>().busy);
    EXPECT_FALSE(t.platform.busy);
}

TEST_F(HistogramCommandTest, DecreasingDistancesGiveTheInvalidDataMessage) {
    sheet.userClick(sheet.at("optData", 0));
    values({"5", "2"});
    HistoForm* chart = plot();
    ASSERT_EQ(t.platform.told().size(), 1u);  // once, though several steps fail
    EXPECT_EQ(t.platform.told()[0].title, "Invalid data");
    ASSERT_NE(chart, nullptr);  // the window stays, with nothing drawn
    EXPECT_TRUE(chart->chart().ofKind(DrawOp::Kind::FillBox).empty());
    EXPECT_FALSE(t.platform.busy);
    EXPECT_FALSE(t.main->at("Panels", panels::Processing).visible());
    EXPECT_EQ(chart->text("lblMean"), "Mean = 1.0000");  // the data's own statistics: (5 - 3) / 2
}

TEST_F(HistogramCommandTest, ASingleValueHasNoSpread) {
    values({"0.7"});
    HistoForm* chart = plot();
    EXPECT_EQ(chart->text("lblStdDev"), "Std dev. = 0.0000");
    // Normal and lognormal laws need a spread: without one they are left out, the chart is complete.
    tools().setValue(tools().at("Check1", 1), 1);
    tools().userClick(tools().at("Command1"));
    EXPECT_TRUE(t.platform.told().empty());
    EXPECT_EQ(chart->chart().ofKind(DrawOp::Kind::Box).size(), chart->histogram()->figures.classes + 1u);
}

TEST_F(HistogramCommandTest, DescriptionJoinsFamilyAndLocationWhenBothAreGiven) {
    values({"1", "2"});
    sheet.userType(sheet.at("txtComment"), "North face");
    sheet.userType(sheet.at("txtFamily"), "J1 ");
    sheet.userType(sheet.at("txtLoc"), "Quarry");
    EXPECT_EQ(plot()->text("lblInfo"), "J1  - Quarry");  // as typed, untrimmed
    sheet.userType(sheet.at("txtLoc"), "   ");
    EXPECT_EQ(plot()->text("lblInfo"), "J1 ");
    sheet.userType(sheet.at("txtFamily"), "");
    sheet.userType(sheet.at("txtLoc"), "Quarry");
    EXPECT_EQ(plot()->text("lblInfo"), "Quarry");
}

TEST_F(HistogramCommandTest, PlottingAgainReusesTheChartAndItsSettingsUnlessNewHistoIsChecked) {
    values({"1", "2", "3", "4"});
    HistoForm* first = plot();
    ASSERT_EQ(t.session.moduleState<SpacingState>().histogramTable.size(), 1u);
    const HistogramRow& row = t.session.moduleState<SpacingState>().histogramTable[0];
    EXPECT_EQ(row.datasheet, &sheet);
    EXPECT_EQ(row.chart, first);
    ASSERT_NE(first->histogram(), nullptr);  // the chart keeps the values it shows
    EXPECT_TRUE(std::ranges::equal(first->histogram()->data.values(), std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(sheet.cell(1, 4, 1), "4");  // the conversion ran
    tools().userType(tools().at("Text2", 0), "1");
    tools().userType(tools().at("Text2", 1), "5");
    tools().userClick(tools().at("Command1"));
    EXPECT_EQ(plot(), first);
    EXPECT_EQ(first->histogram()->figures.classes, 5);

    sheet.userClick(sheet.at("chkNew"));
    HistoForm* second = plot();
    EXPECT_NE(second, first);
    EXPECT_TRUE(t.session.owns(first));
    EXPECT_EQ(t.session.moduleState<SpacingState>().histogramTable.size(), 1u);
    EXPECT_EQ(t.session.moduleState<SpacingState>().histogramTable[0].chart, second);
    EXPECT_DOUBLE_EQ(second->histogram()->figures.interval, 1);
}

TEST_F(HistogramCommandTest, TheDatasheetsLawFlagsSetTheOptionsWindow) {
    values({"0.2", "0.5", "0.9", "1.4"});
    sheet.setText("Lognorm", -1, "1");
    sheet.setText("Triang", -1, "2");  // only the number 1 means drawn
    plot();
    // The window's boxes run exponential, normal, lognormal, triangular; the row's laws another way.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tools().at("Check1", i).value(), i == 2 ? 1 : 0) << i;
    const HistogramRow& row = t.session.moduleState<SpacingState>().histogramTable[0];
    EXPECT_EQ((std::vector<int>{row.laws[0], row.laws[1], row.laws[2], row.laws[3]}), (std::vector<int>{0, 1, 0, 0}));
}

TEST_F(HistogramCommandTest, TheLegendFollowsTheDatasheetTheOptionsWindowAndTheRowClearOfTheLabels) {
    values({"0.1", "0.15", "0.2", "0.3", "0.35", "0.5", "0.8", "1.3"});
    sheet.setText("Expon", -1, "1");
    sheet.setText("Legend", -1, "1");
    HistoForm* chart = plot();
    EXPECT_EQ(tools().at("chkLegend").value(), 1);
    EXPECT_EQ(t.session.moduleState<SpacingState>().histogramTable[0].legend, 1);
    const HistoForm::HistogramContent& shown = *chart->histogram();
    // The labels are placed after the first drawing: the legend is drawn again clear of them.
    const auto legend = HistogramLegend(chart->chart(), shown.figures, shown.laws, 1, chart->labelAreas(1));
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->hiddenArea, 0);
    const auto fills = chart->chart().ofKind(DrawOp::Kind::FillBox);
    const auto drawn =
        std::find_if(fills.begin(), fills.end(), [](const DrawOp& op) { return op.color == colors::White; });
    ASSERT_NE(drawn, fills.end());
    EXPECT_EQ(drawn->y1, legend->frame.top);
    EXPECT_EQ(drawn->x1, legend->frame.left);
    const auto texts = chart->chart().texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Negative exponential"), 1);

    tools().userClick(tools().at("chkLegend"));
    tools().userClick(tools().at("Command1"));
    EXPECT_EQ(t.session.moduleState<SpacingState>().histogramTable[0].legend, 0);
    const auto redrawn = chart->chart().texts();
    EXPECT_EQ(std::count(redrawn.begin(), redrawn.end(), "Negative exponential"), 0);
    tools().userClick(tools().at("chkLegend"));
    chart->userActivate();  // the options window shows the chart's row again
    EXPECT_EQ(tools().at("chkLegend").value(), 0);
}

TEST_F(HistogramCommandTest, ApplyRedrawsTheChartMarksItsDatasheetAndKeepsEditedLabels) {
    values({"1", "2", "3"});
    HistoForm* chart = plot();
    ClearModifiedMarker(sheet);
    chart->userDoubleClick(chart->at("lblTitre"));
    chart->userType(chart->at("txtSaisie"), "My title");
    chart->userPointerPress(chart->at("picHisto"), {100, 100, buttons::Left});

    tools().userType(tools().at("Text2", 1), "");
    tools().setValue(tools().at("Check1", 3), 1);
    tools().userClick(tools().at("Command1"));
    EXPECT_EQ(t.session.moduleState<SpacingState>().histogramTable[0].laws[3], 1);
    EXPECT_TRUE(IsModified(sheet));
    EXPECT_EQ(chart->text("lblTitre"), "My title");
    const auto lines = chart->chart().ofKind(DrawOp::Kind::Line);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const DrawOp& op) { return op.color == chartcolors::Triangular; }),
        1);
    EXPECT_FALSE(IsModified(*t.main));

    plot();
    EXPECT_EQ(chart->text("lblTitre"), "Frequency distribution");
}

TEST_F(HistogramCommandTest, ActivatingAChartShowsItsSettingsAndClosingTheLastHidesTheOptions) {
    values({"1", "2", "3"});
    HistoForm* first = plot();
    sheet.userClick(sheet.at("chkNew"));
    HistoForm* second = plot();
    tools().userType(tools().at("Text2", 0), "9");
    t.session.moduleState<SpacingState>().currentChart = nullptr;
    second->userActivate();
    EXPECT_TRUE(tools().visible());
    EXPECT_EQ(tools().text("Text2", 0), "0.52");
    EXPECT_EQ(t.session.moduleState<SpacingState>().currentChart, second);
    EXPECT_TRUE(t.main->menuItem("mnuFilePrint").enabled());
    EXPECT_FALSE(t.session.closeForm(*first));
    EXPECT_FALSE(first->visible());
    EXPECT_TRUE(tools().visible());
    EXPECT_FALSE(t.session.closeForm(*second));
    EXPECT_FALSE(tools().visible());
    EXPECT_EQ(t.main->menuItem("mnuViewHistoOptions").value(), 0);
    sheet.userClick(sheet.at("chkNew"));
    EXPECT_EQ(plot(), second);  // "Plot Histo" shows the linked chart again
    EXPECT_TRUE(second->visible());
}

TEST_F(HistogramCommandTest, ResizingRedrawsTheChartAtItsNewSize) {
    values({"1", "2", "3"});
    HistoForm* chart = plot();
    chart->userResize(9000, 7000);
    EXPECT_EQ(chart->chart().ofKind(DrawOp::Kind::Box).back().x2, 9000 - HistoForm::kFrameWidth - 200);
    t.session.moduleState<SpacingState>().busy = true;  // while a histogram is computed nothing is redrawn
    chart->userResize(5000, 4000);
    EXPECT_EQ(chart->chart().width(), 9000 - HistoForm::kFrameWidth);
}

}  // namespace
}  // namespace ravelin::testing
