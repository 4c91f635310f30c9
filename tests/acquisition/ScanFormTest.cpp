// The acquisition window driven as a user drives it, for what it adds to
// its editor: the two drawing layers, the "*" and messages, Edit > Undo and
// Redo (each finished change one step), the photograph, the scanline
// export, the estimators and printing.

#include <gtest/gtest.h>

#include "acquisition/AcquisitionDrawing.h"
#include "acquisition/WindowEstimators.h"
#include "documents/InfoBoxForm.h"
#include "spacing/SpacingForm.h"
#include "ScanWindowFixture.h"

namespace ravelin {
namespace {

using Kind = DrawOp::Kind;
namespace colors = acquisition_colors;

class ScanFormTest : public testing::ScanWindowTest {
protected:
    ScanFormTest() { newWindow(); }

    const std::vector<Trace>& traces() { return scan->geometry().traces; }
    std::size_t tracesDrawn() { return count(staticLayer(), Kind::Line, colors::Traces); }
    static DrawRect spanned(const DrawOp& op) { return DrawRect::spanning({op.x1, op.y1}, {op.x2, op.y2}); }
};

const Trace kFirst{{100, 200}, {300, 250}};
const Trace kSecond{{400, 100}, {420, 180}};

TEST_F(ScanFormTest, TracesAndTheScanlineAreDrawnAndEachIsAStep) {
    toolbar("Discont");
    click(100, 200);
    EXPECT_EQ(tracesDrawn(), 0u);  // only finished traces are on the static layer
    click(300, 250);
    click(400, 100);
    click(420, 180);
    EXPECT_EQ(tracesDrawn(), 2u);

    undo();
    EXPECT_EQ(traces(), std::vector<Trace>{kFirst});
    EXPECT_EQ(tracesDrawn(), 1u);
    EXPECT_TRUE(IsModified(*scan));
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Discontinuity);  // still drawing traces
    undo();
    EXPECT_EQ(tracesDrawn(), 0u);
    EXPECT_FALSE(IsModified(*scan));  // back to the new window's state
    redo();
    redo();

    // Half drawn, the middle button belongs to the view (panning); Undo takes back the half-drawn trace alone.
    click(500, 500);
    press(700, 700, buttons::Middle);
    ASSERT_TRUE(scan->editor().segmentHalfDrawn());
    undo();
    EXPECT_FALSE(scan->editor().segmentHalfDrawn());
    EXPECT_EQ(traces(), (std::vector<Trace>{kFirst, kSecond}));

    // A new scanline replaces the old one, which Undo brings back.
    auto scanlines = [&] { return drawn(staticLayer(), Kind::Line, colors::Scanline); };
    const std::array<CanvasPoint, 2> first{{{100, 200}, {1100, 200}}};
    drawScanline(first[0], first[1]);
    click(50, 600);  // the old one is no longer drawn from the new one's first click
    EXPECT_TRUE(scanlines().empty());
    click(1900, 640);
    ASSERT_EQ(scanlines().size(), 1u);
    EXPECT_EQ(spanned(scanlines()[0]), (DrawRect{50, 600, 1900, 640}));
    undo();
    EXPECT_EQ(scan->geometry().scanline, first);
    EXPECT_EQ(scanlines().size(), 1u);
}

TEST_F(ScanFormTest, TheContourClosesAndEachVertexAndScaleIsAStep) {
    typeScale("2001");  // a metre a unit
    toolbar("Contour");
    for (CanvasPoint v : {CanvasPoint{0, 0}, {100, 0}, {100, 100}}) click(v.x, v.y);
    // Undo takes the last vertex back; the contour goes on from (100, 0).
    undo();
    EXPECT_EQ(scan->geometry().contour, (std::vector<CanvasPoint>{{0, 0}, {100, 0}}));
    click(100, 50);
    EXPECT_EQ(count(staticLayer(), Kind::Line, colors::Contour), 2u);  // open: no closing edge yet
    click(0, 50);
    click(5, 5, buttons::Right);  // closing ends the mode
    EXPECT_EQ(scan->editor().mode(), DrawingMode::None);
    EXPECT_EQ(count(staticLayer(), Kind::Line, colors::Contour), 4u);
    EXPECT_EQ(scan->text("txtSurface"), "5000");  // 100 x 50 m

    // The scale typed in a row is one step; leaving the field ends it.
    scan->userFocus(scan->at("txtScale"));
    typeScale("4");
    typeScale("4002");
    scan->userLeave();
    typeScale("6003");
    undo();
    EXPECT_EQ(scan->text("txtScale"), "4002");
    EXPECT_EQ(scan->text("txtSurface"), "20000");
    undo();
    EXPECT_EQ(scan->text("txtScale"), "2001");
    EXPECT_EQ(scan->geometry().contour.size(), 4u);

    // A new contour clears the old one as a step: Undo gives it back and ends the contour mode.
    toolbar("Contour");
    EXPECT_TRUE(scan->geometry().contour.empty());
    click(500, 500);
    undo();
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Contour);
    undo();
    EXPECT_EQ(scan->geometry().contour.size(), 4u);
    EXPECT_EQ(scan->editor().mode(), DrawingMode::None);
    EXPECT_EQ(count(staticLayer(), Kind::Line, colors::Contour), 4u);

    // Closed under three vertices: told so, kept, and no surface.
    toolbar("Contour");
    click(10, 10);
    click(400, 10);
    click(400, 10, buttons::Right);
    EXPECT_EQ(ts.messageTexts(),
              std::vector<std::string>{"Try to create a countour polygon with 3 or more than sides."});
    EXPECT_EQ(scan->geometry().contourCount(), 2);
    EXPECT_EQ(scan->text("txtSurface"), "0");
}

TEST_F(ScanFormTest, TheRectangleIsDraggedOnTheOverlayAndEachDragIsOneStep) {
    toolbar("Rectangle");
    auto rectangles = [&](const RecordingCanvas& layer) { return count(layer, Kind::Polygon, colors::Rectangle); };
    // A sixth and a half of the empty canvas: 2001 / 6 and 1251 / 6, whole.
    const std::array<CanvasPoint, 4> offered{{{333, 208}, {999, 208}, {999, 624}, {333, 624}}};
    EXPECT_EQ(scan->geometry().rectangle, offered);
    EXPECT_EQ(rectangles(staticLayer()), 1u);

    // Grabbed within 40 units of corner 2: the overlay shows it until the release, the static layer leaves it out.
    press(1020, 190);
    move(1100, 150);
    move(1200, 100);
    EXPECT_EQ(rectangles(staticLayer()), 0u);
    EXPECT_EQ(rectangles(overlay()), 1u);
    release(1200, 100);
    const std::array<CanvasPoint, 4> dragged{{{333, 100}, {1200, 100}, {1200, 624}, {333, 624}}};
    EXPECT_EQ(scan->geometry().rectangle, dragged);
    EXPECT_TRUE(overlay().empty());

    // Undo while a corner is dragged puts the rectangle back as the press found it, and no more.
    press(333, 100);
    move(10, 10);
    undo();
    EXPECT_EQ(scan->geometry().rectangle, dragged);
    EXPECT_EQ(scan->editor().draggedCorner(), 0);
    undo();  // the whole drag, whatever the moves
    EXPECT_EQ(scan->geometry().rectangle, offered);
    undo();
    EXPECT_FALSE(scan->geometry().hasRectangle());
    EXPECT_EQ(rectangles(staticLayer()), 0u);
    EXPECT_FALSE(IsModified(*scan));
}

TEST_F(ScanFormTest, EachClearingIsOneStep) {
    typeScale("24");
    drawTraces({kFirst, kSecond, {{50, 600}, {700, 640}}});
    drawScanline({10, 20}, {1500, 40});
    drawContour({{50, 150}, {900, 150}, {900, 800}});
    toolbar("Rectangle");
    const AcquisitionGeometry full = scan->geometry();

    ts.main->runCommand("mnuDataClearDisc");
    EXPECT_TRUE(traces().empty());
    EXPECT_EQ(tracesDrawn(), 0u);
    EXPECT_TRUE(scan->geometry().hasRectangle());
    undo();
    EXPECT_EQ(scan->geometry(), full);
    EXPECT_EQ(tracesDrawn(), 3u);

    // "Clear Acquisition Window" keeps the scale; Undo brings back the rest in one step.
    ts.main->runCommand("mnuDataClearWin");
    EXPECT_EQ(scan->geometry(), (AcquisitionGeometry{{}, {}, {}, AcquisitionGeometry::noRectangle(), "24"}));
    EXPECT_EQ(scan->text("txtSurface"), "0");
    undo();
    EXPECT_EQ(scan->geometry(), full);
    EXPECT_NE(scan->text("txtSurface"), "0");
}

TEST_F(ScanFormTest, APictureIsOpenedAndAnUnreadableOneChangesNothing) {
    const std::string photo = "/photos/north face.jpg";
    ts.platform.addPicture(photo, 1600, 1000);
    ts.platform.openAnswers.push_back(photo);
    ts.main->runCommand("mnuFileOpenImage");
    EXPECT_EQ(scan->caption(), "Acquisition Window - Digit 1 - " + photo + "*");
    // The canvas spans 2001 units across the picture, as many down its height.
    const std::vector<DrawOp> pictures = staticLayer().ofKind(Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(spanned(pictures[0]), (DrawRect{0, 0, 2001, 1250.625}));

    // One that cannot be read changes nothing and says why.
    ts.platform.addPictureFailure("/photos/cut.jpg", "The picture file '/photos/cut.jpg' is damaged.");
    ts.platform.openAnswers.push_back("/photos/cut.jpg");
    button("cmdOpenPict");
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"The picture file '/photos/cut.jpg' is damaged."});
    EXPECT_EQ(scan->imageSource(), photo);
    EXPECT_EQ(staticLayer().ofKind(Kind::Picture).size(), 1u);
}

TEST_F(ScanFormTest, ExportingTheScanlineMakesADatasheetThatGrowsToHoldEveryDistance) {
    ts.session.options.nbDataOnGrid = "3";  // fewer rows than crossings
    button("cmdExport");                    // nothing to export: told, and no datasheet
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"Unable to export scanline data.\r\n\r\nThere are no "
                                                          "discontinuities on your acquisition window !"});
    EXPECT_EQ(ts.session.findForm("frmSpacing"), nullptr);

    typeScale("2001");  // a metre a canvas unit
    std::vector<Trace> traces;
    for (int x : {300, 900, 500, 1200, 700, 1000, 1100, 1150, 1300}) traces.push_back({{x, 100}, {x, 300}});
    drawTraces(traces);
    drawScanline({1500, 200}, {100, 200});
    ts.main->runCommand("mnuDataExpScan");
    auto* sheet = dynamic_cast<SpacingForm*>(ts.session.currentDocument());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->caption(), "Data 1*");  // holds data no file has yet
    // Crossings at 200, 400, ... 1200 m from the left end; each written as its distance from the first.
    const std::vector<std::string> expected{"200", "400", "600", "700", "800", "850", "900", "1000"};
    ASSERT_EQ(sheet->grid(0).lastFilledRow(), 8);
    for (long long row = 1; row <= 8; ++row) EXPECT_EQ(sheet->cell(0, row, 1), expected[row - 1]) << row;
}

TEST_F(ScanFormTest, TheEstimatorChainNamesAndEmptiesTheInfoBoxAndLeavesTheRectanglesSurface) {
    typeScale("2001");
    auto& box = ts.form<InfoBoxForm>("frmInfoBox");
    ts.session.appendInfoText(bodyBlock("an older report"));
    drawTraces({{{100, 100}, {200, 900}}, {{150, 50}, {160, 950}}, {{400, 300}, {420, 500}}});
    drawContour({{50, 150}, {900, 150}, {900, 800}, {50, 800}});
    toolbar("Rectangle");

    ts.main->runCommand("mnuDataShowJab");
    EXPECT_EQ(box.reportName(), "Digit 1");
    const EstimatorReport expected = RunEstimators(scan->geometry(), "Acquisition Window - Digit 1*");
    std::string text;
    for (const ReportBlock& block : expected.blocks) text += block.text;
    EXPECT_EQ(box.document().plainText(), text);
    EXPECT_EQ(scan->text("txtSurface"), "277056");  // the rectangle's 666 × 416 m², written last

    // Nothing while a segment is half drawn.
    toolbar("Discont");
    click(10, 10);
    const long long held = box.document().length();
    ts.main->runCommand("mnuDataShowJab");
    button("cmdShowPahl");
    EXPECT_EQ(box.document().length(), held);
}

TEST_F(ScanFormTest, TheDrawingPrintsOverTheEmptyCanvasInTwips) {
    drawTraces({{{0, 0}, {2001, 0}}});
    ts.platform.messageAnswers.push_back(MessageAnswer::Yes);
    ts.main->runCommand("mnuFilePrint");
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"Print a draft copy of the current Acquisition window ?"});
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    // The empty canvas's own 8000 × 5000 twips, the trace across its width.
    const RecordingCanvas& page = *ts.platform.printJobs[0]->pages.at(0);
    const std::vector<DrawOp> trace = drawn(page, Kind::Line, colors::Traces);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_DOUBLE_EQ(trace[0].x2, 8000);
}

}  // namespace
}  // namespace ravelin
