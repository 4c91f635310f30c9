// The chart window: in-place label editing, the rotated vertical label,
// the double-size picture and export.

#include "spacing/HistoForm.h"

#include <gtest/gtest.h>

#include "DatasheetFixture.h"
#include "core/FontMetrics.h"
#include "spacing/ChartExport.h"

namespace ravelin::testing {
namespace {

class HistoFormTest : public DatasheetTest {
protected:
    void SetUp() override {
        values({"1", "2", "3"});
        chart = plot();
    }
    HistoForm* chart = nullptr;
    Control& label(const char* name) { return chart->at(name); }
    Control& editor() { return chart->at("txtSaisie"); }
};

TEST_F(HistoFormTest, EditingALabelFollowsTheTypingAndAClickOrLeavingEndsIt) {
    Control& title = label("lblTitre");
    const double left = title.left();
    chart->userDoubleClick(title);
    EXPECT_EQ(editor().text(), "Frequency distribution");
    EXPECT_EQ(editor().selLength(), static_cast<int>(editor().text().size()));
    EXPECT_EQ(editor().font(), title.font());
    chart->userType(editor(), "Joint spacing");
    EXPECT_EQ(title.text(), "Joint spacing");  // while typing
    chart->userPointerPress(chart->at("picHisto"), {100, 100, buttons::Left});
    EXPECT_FALSE(editor().visible());
    EXPECT_EQ(title.left(), left);
    EXPECT_DOUBLE_EQ(title.width(), measureText(title.font(), "Joint spacing").width);

    // A label near the left edge stays where it was unless typed into; then it ends at 120.
    Control& info = label("lblInfo");
    chart->setText(info, "Set J1");
    chart->setGeometry(info, 160, 400, info.width(), info.height());
    chart->userDoubleClick(info);
    chart->userLeave();
    EXPECT_EQ(info.left(), 160);
    chart->userDoubleClick(info);
    chart->userType(editor(), "Set J2");
    chart->userLeave();
    EXPECT_EQ(info.left(), 120);
}

TEST_F(HistoFormTest, EditingTheVerticalLabelEndsWithEnter) {
    Control& box = label("picText");
    const double centre = box.top() + box.height() / 2;
    chart->userDoubleClick(box);
    EXPECT_EQ(editor().text(), "Frequency");
    chart->userType(editor(), "Count");
    chart->userKeyDown(keys::Enter, 0);
    EXPECT_EQ(label("lblY").text(), "     Count     ");
    EXPECT_DOUBLE_EQ(box.height(), measureText(label("lblY").font(), "     Count     ").width);
    EXPECT_NEAR(box.top() + box.height() / 2, centre, 1e-9);
    EXPECT_EQ(chart->rotatedLabel().ofKind(DrawOp::Kind::RotatedText)[0].text, "  Count");
    // Enter while another label is edited does not end the edit.
    chart->userDoubleClick(label("lblX"));
    chart->userKeyDown(keys::Enter, 0);
    EXPECT_TRUE(editor().visible());
}

TEST_F(HistoFormTest, TheEditorsBorderAsksForTheMovePointerAndTheSurfaceRestoresTheArrow) {
    chart->userDoubleClick(label("lblTitre"));
    const double width = editor().width();
    const double height = editor().height();
    ASSERT_GT(width, 200);
    ASSERT_GT(height, 200);
    const struct {
        double x, y;
        PointerShape shape;
    } moves[] = {{width / 2, height / 2, PointerShape::Arrow}, {50, height / 2, PointerShape::SizeAll},
                 {51, height / 2, PointerShape::Arrow},        {width / 2, height - 50, PointerShape::SizeAll},
                 {width - 50, 60, PointerShape::SizeAll},      {width / 2, 51, PointerShape::Arrow}};
    for (const auto& [x, y, shape] : moves) {
        chart->userPointerMove(editor(), {x, y});
        EXPECT_EQ(editor().pointer(), shape) << x << ", " << y;
    }
    // The position within the editor shows in the main window's first panel.
    chart->userPointerMove(editor(), {50, 75.5});
    EXPECT_EQ(t.main->at("Panels", panels::Text).text(), "50 - 75.5");
    chart->userPointerMove(chart->at("picHisto"), {1000, 1000});
    EXPECT_EQ(editor().pointer(), PointerShape::Arrow);
    // Only the left button ends the edit.
    chart->userPointerPress(chart->at("picHisto"), {1000, 1000, buttons::Right});
    EXPECT_TRUE(editor().visible());
    chart->userPointerPress(chart->at("picHisto"), {1000, 1000, buttons::Left});
    EXPECT_FALSE(editor().visible());
}

TEST_F(HistoFormTest, TheDoubleSizePictureHoldsTheChartTheLabelsAndTheTurnedLabel) {
    const RecordingCanvas picture = ChartPicture(*chart);
    EXPECT_EQ(picture.height(), 2 * chart->innerHeight());
    EXPECT_EQ(picture.ofKind(DrawOp::Kind::FillBox).size(), 7u + 1);  // the bars and the turned label's box
    const Control& title = label("lblTitre");
    int doubledTitles = 0;
    for (const DrawOp& op : picture.ofKind(DrawOp::Kind::Text))
        doubledTitles += op.text == title.text() && op.y1 == 2 * title.top() && op.font.size == 24;
    EXPECT_EQ(doubledTitles, 1);
    EXPECT_EQ(picture.ofKind(DrawOp::Kind::Box).back().x1, 2000);  // the chart drawn at print scale 2
}

TEST_F(HistoFormTest, AClickOnTheChartShowsItsOptionsAgain) {
    Form& tools = t.session.form("frmHistoTools");
    t.session.closeForm(tools);  // the user closes them from their title bar
    ASSERT_FALSE(tools.visible());
    chart->userPointerPress(chart->at("picHisto"), {500, 500, buttons::Right});
    EXPECT_FALSE(tools.visible());  // the left button only
    chart->userPointerPress(chart->at("picHisto"), {500, 500, buttons::Left});
    EXPECT_TRUE(tools.visible());
    EXPECT_EQ(t.main->menuItem("mnuViewHistoOptions").value(), 1);
    EXPECT_EQ(t.main->toolButton("HistoOptions")->value(), 1);
}

TEST_F(HistoFormTest, RefreshDrawsTheChartAgainAtTheWindowsPresentSize) {
    struct Drawn : FormObserver {
        int charts = 0;
        int repaints = 0;
        void drawingChanged(Form&, Control& surface, DrawingLayer) override { charts += surface.name() == "picHisto"; }
        void refreshRequested(Form&) override { ++repaints; }
    } drawn;
    chart->addObserver(&drawn);
    chart->move(chart->left(), chart->top(), 9120, 6420);  // a size the chart has not been drawn at
    t.session.setActiveForm(chart);
    t.main->runCommand("mnuViewRefresh");
    EXPECT_EQ(drawn.charts, 1);
    EXPECT_EQ(drawn.repaints, 1);
    EXPECT_EQ(chart->at("picHisto").width(), 9000);
    EXPECT_EQ(chart->chart().width(), 9000);
    chart->removeObserver(&drawn);
}

// The command line's --png, --svg and --pdf export this way, as Save does.
TEST_F(HistoFormTest, TheNameChoosesTheExportFormatAndAFailureSaysWhy) {
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
