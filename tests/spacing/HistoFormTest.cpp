// The chart window: label layout, in-place label editing, the rotated
// vertical label, the double-size picture and export.

#include "spacing/HistoForm.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DatasheetFixture.h"
#include "core/FontMetrics.h"
#include "spacing/ChartExport.h"
#include "spacing/HistogramCommand.h"

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

TEST_F(HistoFormTest, LabelsStayClearOfThePlottingArea) {
    ASSERT_NE(chart, nullptr);
    const double w = chart->innerWidth();
    const Control& title = label("lblTitre");
    EXPECT_DOUBLE_EQ(title.left() + title.width() / 2, w / 2);
    EXPECT_GE(label("lblInfo").top(), title.top() + title.height());
    for (const char* name : {"lblMean", "lblNbValues"})
        EXPECT_LE(label(name).left() + label(name).width(), w - 200) << name;
    const Control& box = label("picText");
    EXPECT_LT(box.left() + box.width(), 1000 - 30 - 100 - 200);  // left of the tick labels
}

TEST_F(HistoFormTest, EditingATitleFollowsTheTypingAndAClickEndsIt) {
    Control& title = label("lblTitre");
    const double left = title.left();
    const double top = title.top();
    chart->userDoubleClick(title);
    EXPECT_EQ(editor().text(), "Frequency distribution");
    EXPECT_EQ(editor().selLength(), static_cast<int>(editor().text().size()));
    EXPECT_EQ(editor().font(), title.font());
    chart->userType(editor(), "Joint spacing");
    EXPECT_EQ(title.text(), "Joint spacing");  // while typing
    chart->userClickChart();
    EXPECT_FALSE(editor().visible());
    EXPECT_EQ(title.left(), left);
    EXPECT_EQ(title.top(), top);
    EXPECT_DOUBLE_EQ(title.width(), measureText(title.font(), "Joint spacing").width);
}

TEST_F(HistoFormTest, ALabelNearTheLeftEdgeEndsAt120OnceTyped) {
    Control& info = label("lblInfo");
    chart->setText(info, "Set J1");
    chart->setGeometry(info, 160, 400, info.width(), info.height());
    chart->userDoubleClick(info);
    chart->userLeave();  // ended without typing: it stays where it was
    EXPECT_EQ(info.left(), 160);
    chart->userDoubleClick(info);
    chart->userType(editor(), "Set J2");
    EXPECT_EQ(editor().left(), 20);
    chart->userLeave();
    EXPECT_EQ(info.left(), 120);
    EXPECT_EQ(info.top(), 400);
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
    EXPECT_EQ(chart->rotatedLabel().ofKind(DrawOp::Kind::RotatedText)[0]->text, "  Count");
    // Enter while another label is edited does not end the edit.
    chart->userDoubleClick(label("lblX"));
    chart->userKeyDown(keys::Enter, 0);
    EXPECT_TRUE(editor().visible());
}

TEST_F(HistoFormTest, MouseOverTheEditorShowsItsPositionInTheStatusBar) {
    chart->userDoubleClick(label("lblTitre"));
    chart->userMouseMoveEditor(120, 40);
    EXPECT_EQ(t.main->at("Panels", panels::Text).text(), "120 - 40");
}

TEST_F(HistoFormTest, TheDoubleSizePictureHoldsTheChartTheLabelsAndTheTurnedLabel) {
    const RecordingCanvas picture = ChartPicture(*chart);
    EXPECT_EQ(picture.height(), 2 * chart->innerHeight());
    EXPECT_EQ(picture.ofKind(DrawOp::Kind::FillBox).size(), 7u + 1);  // the bars and the turned label's box
    const Control& title = label("lblTitre");
    const auto texts = picture.ofKind(DrawOp::Kind::Text);
    const auto drawnTitle =
        std::find_if(texts.begin(), texts.end(), [&](const DrawOp* op) { return op->text == title.text(); });
    ASSERT_NE(drawnTitle, texts.end());
    EXPECT_EQ((*drawnTitle)->y1, 2 * title.top());
    EXPECT_EQ((*drawnTitle)->font.size, 24);
    EXPECT_EQ(picture.ofKind(DrawOp::Kind::RotatedText).at(0)->font.size, 18);
    // The chart itself is drawn at print scale 2: margins doubled.
    EXPECT_EQ(picture.ofKind(DrawOp::Kind::Box).back()->x1, 2000);
}

// A histogram of one value, drawn in a fresh `session`.
HistoForm* histogramOn(Session& session) {
    registerAllForms(session);
    auto& main = dynamic_cast<MainForm&>(session.createForm("frmMain"));
    auto& sheet = dynamic_cast<SpacingForm&>(main.NewDocumentWindow(2));
    sheet.setCell(0, 1, 1, "1.5");
    cmdHisto_Click(sheet);
    return dynamic_cast<HistoForm*>(session.findForm("frmHisto"));
}

// A painter that fails with its own reason when told to.
struct FailingPlatform : ScriptedPlatform {
    bool fails = false;
    bool exportDrawing(const RecordingCanvas&, double, double, const std::string& path, std::string* error) override {
        exportedDrawings.push_back(path);
        if (fails && error) *error = "disk full";
        return !fails;
    }
};

// The command line's --png, --svg and --pdf export this way, as Save does.
TEST(ChartExportTest, TheNameChoosesTheFormatAndAFailureSaysWhy) {
    FailingPlatform platform;
    Session session{platform};
    HistoForm* chart = histogramOn(session);
    ASSERT_NE(chart, nullptr);
    std::string error;
    // A name without a picture extension is a bitmap, a dot in its folder's name notwithstanding.
    for (const char* path : {"out/chart.svg", "out/Chart.PNG", "run.2/chart"})
        EXPECT_TRUE(exportChart(*chart, path, &error)) << path;
    EXPECT_EQ(platform.exportedDrawings,
              (std::vector<std::string>{"out/chart.svg", "out/Chart.PNG", "run.2/chart.bmp"}));
    platform.fails = true;
    EXPECT_FALSE(exportChart(*chart, "out/chart.pdf", &error));
    EXPECT_EQ(error, "disk full");
}

}  // namespace
}  // namespace ravelin::testing
