// The chart window: label layout, in-place label editing, the rotated
// vertical label, the double-size picture, Copy and export.

#include "spacing/HistoForm.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "DatasheetFixture.h"
#include "core/FontMetrics.h"
#include "spacing/ChartExport.h"
#include "spacing/HistogramCommand.h"

namespace ravelin::testing {
namespace {

// A platform that can draw: it keeps what it was asked to render.
struct PaintingPlatform : ScriptedPlatform {
    std::vector<RecordingCanvas> rendered;
    std::optional<Image> renderImage(const RecordingCanvas& drawing, double width, double height) override {
        rendered.push_back(drawing);
        return Image{static_cast<int>(width / 15), static_cast<int>(height / 15), {}};
    }
};

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

TEST_F(HistoFormTest, LabelsAreLaidOutAroundThePlottingArea) {
    ASSERT_NE(chart, nullptr);
    const double w = chart->innerWidth();
    const Control& title = label("lblTitre");
    EXPECT_DOUBLE_EQ(title.width(), measureText(title.font(), title.text()).width);  // sized to its text
    EXPECT_DOUBLE_EQ(title.left() + title.width() / 2, w / 2);
    EXPECT_EQ(title.top(), 30);
    EXPECT_GE(label("lblInfo").top(), title.top() + title.height());
    for (const char* name : {"lblMean", "lblStdDev", "lblNbValues", "lblScanline"}) {
        const Control& stat = label(name);
        EXPECT_GT(stat.top(), 800) << name;  // inside the plotting area, at its upper right
        EXPECT_LE(stat.left() + stat.width(), w - 200) << name;
        EXPECT_GT(stat.left(), w / 2) << name;
    }
    EXPECT_GT(label("lblX").top(), chart->innerHeight() - 800);
    const Control& box = label("picText");
    EXPECT_LT(box.left() + box.width(), 1000 - 30 - 100 - 200);  // left of the tick labels
    EXPECT_DOUBLE_EQ(box.height(), label("lblY").width());
}

TEST_F(HistoFormTest, TheVerticalLabelIsDrawnTurnedAndCentredInItsBox) {
    RecordingCanvas canvas(300, 1000);
    DrawRotatedText(canvas, 0, 0, 300, 1000, "Count", 900, 1);
    ASSERT_EQ(canvas.ofKind(DrawOp::Kind::FillBox).size(), 1u);
    EXPECT_EQ(canvas.ofKind(DrawOp::Kind::FillBox)[0]->color, colors::White);
    const DrawOp& text = *canvas.ofKind(DrawOp::Kind::RotatedText)[0];
    EXPECT_EQ(text.angleTenths, 900);
    EXPECT_EQ(text.font, (FontSpec{"Arial", 9, true}));
    const double width = measureText(text.font, "Count").width;
    EXPECT_NEAR(text.x1, 150 - 180.0 / 2, 1e-6);  // the em height of 9 pt is 180 twips
    EXPECT_NEAR(text.y1, 500 + width / 2, 1e-6);
}

TEST_F(HistoFormTest, EditingATitleFollowsTheTypingAndAClickEndsIt) {
    Control& title = label("lblTitre");
    const double left = title.left();
    const double top = title.top();
    chart->userDoubleClick(title);
    EXPECT_TRUE(editor().visible());
    EXPECT_EQ(editor().text(), "Frequency distribution");
    EXPECT_EQ(editor().selLength(), static_cast<int>(editor().text().size()));
    EXPECT_EQ(editor().font(), (FontSpec{"Arial", 12, true}));
    EXPECT_EQ(editor().left(), left - 100);
    EXPECT_EQ(editor().width(), title.width() + 20 * 12);
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
    EXPECT_NEAR(editor().width(), 1.2 * measureText(editor().font(), "Set J2").width, 1e-9);
    chart->userLeave();
    EXPECT_EQ(info.left(), 120);
    EXPECT_EQ(info.top(), 400);
}

TEST_F(HistoFormTest, EditingTheVerticalLabelEndsWithEnter) {
    Control& box = label("picText");
    const double centre = box.top() + box.height() / 2;
    chart->userDoubleClick(box);
    EXPECT_FALSE(box.visible());
    EXPECT_EQ(editor().left(), 20);
    EXPECT_EQ(editor().text(), "Frequency");
    chart->userType(editor(), "Count");
    chart->userKeyDown(keys::Enter, 0);
    EXPECT_EQ(label("lblY").text(), "     Count     ");
    EXPECT_TRUE(box.visible());
    EXPECT_FALSE(editor().visible());
    EXPECT_EQ(box.text(), "  Count");
    EXPECT_DOUBLE_EQ(box.height(), measureText(label("lblY").font(), "     Count     ").width);
    EXPECT_NEAR(box.top() + box.height() / 2, centre, 1e-9);
    EXPECT_EQ(chart->rotatedLabel().ofKind(DrawOp::Kind::RotatedText)[0]->text, "  Count");
    // Enter while another label is edited does not end the edit.
    chart->userDoubleClick(label("lblX"));
    chart->userKeyDown(keys::Enter, 0);
    EXPECT_TRUE(editor().visible());
}

TEST_F(HistoFormTest, MouseOverTheEditorShowsItsPositionAndTheDragPointerAtItsEdges) {
    chart->userDoubleClick(label("lblTitre"));
    chart->userMouseMoveEditor(120, 40);
    EXPECT_EQ(t.main->at("Panels", panels::Text).text(), "120 - 40");
    EXPECT_EQ(chart->pointer(), HistoForm::Pointer::SizeAll);  // within 50 of the top
    chart->userMouseMoveEditor(120, 100);
    EXPECT_EQ(chart->pointer(), HistoForm::Pointer::Default);
    chart->userMouseMoveEditor(editor().width() - 10, 100);
    EXPECT_EQ(chart->pointer(), HistoForm::Pointer::SizeAll);
}

TEST_F(HistoFormTest, TheDoubleSizePictureHoldsTheChartTheLabelsAndTheTurnedLabel) {
    const RecordingCanvas picture = ChartPicture(*chart);
    EXPECT_EQ(picture.width(), 2 * chart->innerWidth());
    EXPECT_EQ(picture.height(), 2 * chart->innerHeight());
    EXPECT_EQ(picture.ofKind(DrawOp::Kind::FillBox).size(), 7u + 1);  // the bars and the turned label's box
    const Control& title = label("lblTitre");
    const auto texts = picture.ofKind(DrawOp::Kind::Text);
    const auto drawnTitle =
        std::find_if(texts.begin(), texts.end(), [&](const DrawOp* op) { return op->text == title.text(); });
    ASSERT_NE(drawnTitle, texts.end());
    EXPECT_EQ((*drawnTitle)->x1, 2 * title.left());
    EXPECT_EQ((*drawnTitle)->y1, 2 * title.top());
    EXPECT_EQ((*drawnTitle)->font.size, 24);
    const auto turned = picture.ofKind(DrawOp::Kind::RotatedText);
    ASSERT_EQ(turned.size(), 1u);
    EXPECT_EQ(turned[0]->font.size, 18);
    // The chart itself is drawn at print scale 2: margins doubled.
    EXPECT_EQ(picture.ofKind(DrawOp::Kind::Box).back()->x1, 2000);
}

TEST(HistoFormCopyTest, CopyPutsTheDoubleSizePictureOnTheClipboard) {
    PaintingPlatform platform;
    Session session{platform};
    registerAllForms(session);
    auto& main = dynamic_cast<MainForm&>(session.createForm("frmMain"));
    auto& sheet = dynamic_cast<SpacingForm&>(main.NewDocumentWindow(2));
    sheet.setCell(0, 1, 1, "1.5");
    cmdHisto_Click(sheet);
    auto* chart = dynamic_cast<HistoForm*>(session.findForm("frmHisto"));
    ASSERT_NE(chart, nullptr);
    session.setActiveForm(chart);
    main.runCommand("mnuEditCopy");
    ASSERT_EQ(platform.rendered.size(), 1u);
    EXPECT_EQ(platform.rendered[0].width(), 2 * chart->innerWidth());
    EXPECT_EQ(platform.clipboard.image.width, static_cast<int>(2 * chart->innerWidth() / 15));
}

TEST_F(HistoFormTest, ExportAsksThePlatformForTheFileByItsExtension) {
    std::string error;
    EXPECT_FALSE(exportChart(*chart, "/tmp/chart.svg", &error));  // this platform has no painter
    EXPECT_FALSE(exportChart(*chart, "/tmp/chart", &error));
    EXPECT_EQ(t.platform.exportedDrawings, (std::vector<std::string>{"/tmp/chart.svg", "/tmp/chart.bmp"}));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace ravelin::testing
