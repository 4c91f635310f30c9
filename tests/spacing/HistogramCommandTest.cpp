// "Plot Histo", the histogram table and the histogram options window with its
// fit report, driven through the datasheet's button as a user does; then the
// chart window it opens: labels edited in place and export.

#include "spacing/HistogramCommand.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DatasheetFixture.h"
#include "documents/InfoBoxForm.h"
#include "spacing/ChartExport.h"
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
    EXPECT_EQ(chart->text("lblMean"), "Mean = 1.0000");  // the data's own statistics: (5 - 3) / 2
    // Nothing drawn: nothing to fit.
    pressFitReport();
    ASSERT_EQ(t.platform.told().size(), 2u);
    EXPECT_EQ(t.platform.told()[1].title, "Ravelin - Fit report");
    EXPECT_EQ(t.session.findForm("frmInfoBox"), nullptr);
}

TEST_F(HistogramCommandTest, ASingleValueHasNoSpreadAndTheLawsNeedingOneAreLeftOut) {
    values({"0.7"});
    HistoForm* chart = plot();
    EXPECT_EQ(chart->text("lblStdDev"), "Std dev. = 0.0000");
    // Normal and lognormal laws need a spread: without one they are left out, the chart is complete.
    tools().setValue(tools().at("Check1", 1), 1);
    tools().userClick(tools().at("Command1"));
    EXPECT_TRUE(t.platform.told().empty());
    EXPECT_EQ(chart->chart().ofKind(DrawOp::Kind::Box).size(), chart->histogram()->figures.classes + 1u);
}

// Values 1, 2, 3 as the fit's own tests work them by hand; the whole table is the command line's
// histogram --fit case.
TEST_F(HistogramCommandTest, TheFitReportWritesTheTableOfTheCurrentChartIntoTheInfoBox) {
    values({"1", "2", "3"});
    HistoForm* chart = plot();
    pressFitReport();
    EXPECT_TRUE(t.platform.told().empty());
    const std::string text = t.form<InfoBoxForm>("frmInfoBox").document().plainText("\n");
    EXPECT_NE(text.find("Chart : " + chart->caption() + "\nNumber of values : 3\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nTriangular   0.3056  0.8831       -   -        -     11.15 *\n  0 to 6.0000\n\n"
                        "Best fit (lowest AIC, marked *) : Triangular law\n"),
              std::string::npos)
        << text;
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

// Where the legend goes, clear of the labels, is the command line's histogram --legend case.
TEST_F(HistogramCommandTest, TheLegendFollowsTheDatasheetAndTheOptionsWindow) {
    values({"0.1", "0.15", "0.2", "0.3", "0.35", "0.5", "0.8", "1.3"});
    sheet.setText("Expon", -1, "1");
    sheet.setText("Legend", -1, "1");
    HistoForm* chart = plot();
    EXPECT_EQ(tools().at("chkLegend").value(), 1);
    auto named = [&] {
        const auto texts = chart->chart().texts();
        return std::count(texts.begin(), texts.end(), "Negative exponential");
    };
    EXPECT_EQ(named(), 1);

    tools().userClick(tools().at("chkLegend"));
    tools().userClick(tools().at("Command1"));
    EXPECT_EQ(table()[0].legend, 0);
    EXPECT_EQ(named(), 0);
}

TEST_F(HistogramCommandTest, ApplyRedrawsTheChartMarksItsDatasheetAndKeepsLabelsEditedInPlace) {
    values({"1", "2", "3"});
    HistoForm* chart = plot();
    ClearModifiedMarker(sheet);
    // The label follows the typing; leaving the window ends the edit.
    Control& editor = chart->at("txtSaisie");
    chart->userDoubleClick(chart->at("lblTitre"));
    chart->userType(editor, "My title");
    chart->userDoubleClick(chart->at("lblInfo"));
    chart->userType(editor, "Set J2");
    chart->userLeave();
    EXPECT_FALSE(editor.visible());

    tools().userType(tools().at("Text2", 1), "");
    tools().setValue(tools().at("Check1", 3), 1);
    tools().userClick(tools().at("Command1"));
    EXPECT_EQ(table()[0].laws[3], 1);
    EXPECT_TRUE(IsModified(sheet));
    EXPECT_EQ(chart->text("lblTitre"), "My title");
    EXPECT_EQ(chart->text("lblInfo"), "Set J2");
    const auto lines = chart->chart().ofKind(DrawOp::Kind::Line);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const DrawOp& op) { return op.color == chartcolors::Triangular; }),
        1);
    EXPECT_FALSE(IsModified(*t.main));

    plot();
    EXPECT_EQ(chart->text("lblTitre"), "Frequency distribution");
}

TEST_F(HistogramCommandTest, ActivatingAChartShowsItsSettingsAndPlottingShowsAClosedChartAgain) {
    values({"1", "2", "3"});
    HistoForm* first = plot();
    sheet.userClick(sheet.at("chkNew"));
    HistoForm* second = plot();
    tools().userType(tools().at("Text2", 0), "9");
    t.session.moduleState<SpacingState>().currentChart = nullptr;
    second->userActivate();
    EXPECT_EQ(tools().text("Text2", 0), "0.52");
    EXPECT_EQ(t.session.moduleState<SpacingState>().currentChart, second);
    EXPECT_TRUE(t.main->menuItem("mnuFilePrint").enabled());
    EXPECT_FALSE(t.session.closeForm(*first));
    EXPECT_FALSE(first->visible());
    EXPECT_FALSE(t.session.closeForm(*second));
    EXPECT_FALSE(tools().visible());  // with the last chart
    sheet.userClick(sheet.at("chkNew"));
    EXPECT_EQ(plot(), second);  // "Plot Histo" shows the linked chart again
    EXPECT_TRUE(second->visible());
}

// The command line's --png, --svg and --pdf export this way, as Save does.
TEST_F(HistogramCommandTest, TheNameChoosesTheChartsExportFormatAndAFailureSaysWhy) {
    values({"1", "2", "3"});
    HistoForm* chart = plot();
    std::string error;
    // A name without a picture extension is a bitmap, a dot in its folder's name notwithstanding.
    for (const char* path : {"out/chart.svg", "out/Chart.PNG", "run.2/chart"}) exportChart(*chart, path, &error);
    EXPECT_EQ(t.platform.exportedDrawings,
              (std::vector<std::string>{"out/chart.svg", "out/Chart.PNG", "run.2/chart.bmp"}));
    EXPECT_FALSE(exportChart(*chart, "out/chart.pdf", &error));  // the scripted platform has no painter
    EXPECT_EQ(error, "no painter available");
}

}  // namespace
}  // namespace ravelin::testing
