// "Plot Histo", the histogram table and the histogram options window with its
// fit report, driven through the datasheet's button as a user does.

#include "spacing/HistogramCommand.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DatasheetFixture.h"
#include "documents/InfoBoxForm.h"
#include "spacing/FitReport.h"
#include "spacing/HistoToolsForm.h"
#include "spacing/SpacingState.h"

namespace ravelin::testing {
namespace {

class HistogramCommandTest : public DatasheetTest {
protected:
    HistoToolsForm& tools() { return t.form<HistoToolsForm>("frmHistoTools"); }
    std::vector<HistogramRow>& table() { return t.session.moduleState<SpacingState>().histogramTable; }
    void pressFitReport() { tools().userClick(tools().at("cmdFitReport")); }
};

TEST_F(HistogramCommandTest, NoDataIsToldAndNothingOpens) {
    cmdHisto_Click(sheet);
    EXPECT_EQ(t.messageTexts(), (std::vector<std::string>{"No data !"}));
    EXPECT_EQ(t.session.findForm("frmHisto"), nullptr);
    EXPECT_FALSE(t.session.moduleState<SpacingState>().busy);
    EXPECT_FALSE(t.platform.busy);
    // Without a drawn histogram the fit report has nothing to fit.
    pressFitReport();
    EXPECT_EQ(t.platform.told().back().title, "Ravelin - Fit report");
    EXPECT_EQ(t.session.findForm("frmInfoBox"), nullptr);
}

TEST_F(HistogramCommandTest, DecreasingDistancesGiveTheInvalidDataMessageAndNoFitReport) {
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
    pressFitReport();
    ASSERT_EQ(t.platform.told().size(), 2u);
    EXPECT_EQ(t.platform.told()[1].title, "Ravelin - Fit report");
}

TEST_F(HistogramCommandTest, ASingleValueHasNoSpreadAndItsReportSaysWhichLawsCannotBeFitted) {
    values({"0.7"});
    HistoForm* chart = plot();
    EXPECT_EQ(chart->text("lblStdDev"), "Std dev. = 0.0000");
    // Normal and lognormal laws need a spread: without one they are left out, the chart is complete.
    tools().setValue(tools().at("Check1", 1), 1);
    tools().userClick(tools().at("Command1"));
    EXPECT_TRUE(t.platform.told().empty());
    EXPECT_EQ(chart->chart().ofKind(DrawOp::Kind::Box).size(), chart->histogram()->figures.classes + 1u);

    const std::optional<FitSummary> fit = ChartFit(*chart);
    ASSERT_TRUE(fit);
    const std::vector<ReportBlock> blocks = FitReportBlocks("Histo-x", chart->histogram()->figures, *fit);
    ASSERT_EQ(blocks.size(), 6u);
    EXPECT_EQ(blocks[0], titleBlock("Goodness of fit\r\n\r\n"));
    EXPECT_EQ(blocks[4].font, "Courier New");  // the table is fixed pitch
    for (const char* law : {"Normal   ", "Lognormal"})
        EXPECT_NE(blocks[4].text.find("\r\n" + std::string(law) +
                                      "   cannot be fitted:\r\n  the standard deviation is 0\r\n"),
                  std::string::npos)
            << blocks[4].text;
}

// Values 1, 2, 3 as the fit's own tests work them by hand: the report shows the current chart's
// fit, one row a law with its parameters below, the columns lined up and the best law marked.
TEST_F(HistogramCommandTest, TheFitReportWritesTheTableOfTheCurrentChartIntoTheInfoBox) {
    values({"1", "2", "3"});
    HistoForm* chart = plot();
    pressFitReport();
    EXPECT_TRUE(t.platform.told().empty());
    const std::string text = t.form<InfoBoxForm>("frmInfoBox").document().plainText("\n");
    EXPECT_NE(text.find("Goodness of fit"), std::string::npos);
    EXPECT_NE(text.find("Chart : " + chart->caption() + "\nNumber of values : 3\n"), std::string::npos) << text;
    struct Expected {
        const char* law;
        const char* parameters;
        const char* d;
        const char* aic;
    };
    const Expected rows[] = {{"Exponential", "mean = 2.0000", "0.3935", "12.16"},
                             {"Normal", "mean = 2.0000, sd = 1.0000", "0.1747", "11.51"},
                             {"Lognormal", "mu = 0.5816, sigma = 0.4724", "0.2600", "11.37"},
                             {"Triangular", "0 to 6.0000", "0.3056", "11.15 *"}};
    std::size_t width = 0;
    for (const Expected& e : rows) {
        const std::size_t start = text.find("\n" + std::string(e.law) + " ") + 1;
        ASSERT_NE(start, 0u) << e.law;
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(text.substr(end + 1, text.find('\n', end + 1) - end - 1), "  " + std::string(e.parameters));
        EXPECT_NE(line.find(" " + std::string(e.d) + " "), std::string::npos) << line;
        EXPECT_TRUE(line.ends_with(e.aic)) << line;
        EXPECT_NE(line.find("   -   -        -"), std::string::npos) << line;  // no chi-square for 3 values
        const std::size_t aicEnd = line.find(e.aic) + 5;  // the columns line up to the AIC's last digit
        if (width == 0) width = aicEnd;
        EXPECT_EQ(aicEnd, width) << line;
    }
    EXPECT_NE(text.find("Best fit (lowest AIC, marked *) : Triangular law"), std::string::npos);
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
    ASSERT_EQ(table().size(), 1u);
    EXPECT_EQ(table()[0].datasheet, &sheet);
    EXPECT_EQ(table()[0].chart, first);
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
    ASSERT_EQ(table().size(), 1u);
    EXPECT_EQ(table()[0].chart, second);
    EXPECT_DOUBLE_EQ(second->histogram()->figures.interval, 1);
}

TEST_F(HistogramCommandTest, TheDatasheetsLawFlagsSetTheOptionsWindow) {
    values({"0.2", "0.5", "0.9", "1.4"});
    sheet.setText("Lognorm", -1, "1");
    sheet.setText("Triang", -1, "2");  // only the number 1 means drawn
    plot();
    // The window's boxes run exponential, normal, lognormal, triangular; the row's laws another way.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tools().at("Check1", i).value(), i == 2 ? 1 : 0) << i;
    const HistogramRow& row = table()[0];
    EXPECT_EQ((std::vector<int>{row.laws[0], row.laws[1], row.laws[2], row.laws[3]}), (std::vector<int>{0, 1, 0, 0}));
}

TEST_F(HistogramCommandTest, TheLegendFollowsTheDatasheetTheOptionsWindowAndTheRowClearOfTheLabels) {
    values({"0.1", "0.15", "0.2", "0.3", "0.35", "0.5", "0.8", "1.3"});
    sheet.setText("Expon", -1, "1");
    sheet.setText("Legend", -1, "1");
    HistoForm* chart = plot();
    EXPECT_EQ(tools().at("chkLegend").value(), 1);
    EXPECT_EQ(table()[0].legend, 1);
    // The labels are placed after the first drawing: the legend is drawn again clear of them.
    const HistoForm::HistogramContent& shown = *chart->histogram();
    const auto legend = HistogramLegend(chart->chart(), shown.figures, shown.laws, 1, chart->labelAreas(1));
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->hiddenArea, 0);
    const auto fills = chart->chart().ofKind(DrawOp::Kind::FillBox);
    EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [&](const DrawOp& op) {
        return op.color == colors::White && op.x1 == legend->frame.left && op.y1 == legend->frame.top;
    }));
    auto named = [&] {
        const auto texts = chart->chart().texts();
        return std::count(texts.begin(), texts.end(), "Negative exponential");
    };
    EXPECT_EQ(named(), 1);

    tools().userClick(tools().at("chkLegend"));
    tools().userClick(tools().at("Command1"));
    EXPECT_EQ(table()[0].legend, 0);
    EXPECT_EQ(named(), 0);
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
    EXPECT_EQ(table()[0].laws[3], 1);
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
