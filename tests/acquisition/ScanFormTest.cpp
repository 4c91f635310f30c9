// The acquisition window driven as a user drives it, for what it adds to
// its editor: the two drawing layers, the toolbar, the pointer, the "*",
// beeps and messages, Edit > Undo and Redo (each finished change one step),
// the photograph, the scanline export, the estimators and printing.

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
    const std::vector<Trace>& traces() { return scan->geometry().traces; }
    std::size_t tracesDrawn() { return count(staticLayer(), Kind::Line, colors::Traces); }
    static DrawRect spanned(const DrawOp& op) { return DrawRect::spanning({op.x1, op.y1}, {op.x2, op.y2}); }
};

const Trace kFirst{{100, 200}, {300, 250}};
const Trace kSecond{{400, 100}, {420, 180}};
const Trace kThird{{50, 600}, {700, 640}};

TEST_F(ScanFormTest, TracesAreDrawnOnTheTwoLayersAndEachIsAStep) {
    newWindow();
    toolbar("Discont");
    EXPECT_EQ(scan->canvas().pointer(), PointerShape::CrossHair);
    // The half-drawn trace is the inverted band on the overlay; only finished ones are on the static layer.
    click(100, 200);
    move(300, 250);
    const std::vector<DrawOp> band = overlay().ops();
    ASSERT_EQ(band.size(), 1u);
    EXPECT_EQ(band[0].penMode, PenMode::Invert);
    EXPECT_EQ(spanned(band[0]), (DrawRect{100, 200, 300, 250}));
    EXPECT_EQ(tracesDrawn(), 0u);
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

    // Half drawn: the right button hides the band, and the middle button belongs to the view (panning).
    // Undo takes back the half-drawn trace alone.
    click(500, 500);
    click(510, 510, buttons::Right);
    EXPECT_TRUE(overlay().empty());
    press(700, 700, buttons::Middle);
    ASSERT_TRUE(scan->editor().segmentHalfDrawn());
    undo();
    EXPECT_FALSE(scan->editor().segmentHalfDrawn());
    EXPECT_EQ(traces(), (std::vector<Trace>{kFirst, kSecond}));
    toolbar("Scanline");
    EXPECT_EQ(pressed("Scanline"), 1);
}

TEST_F(ScanFormTest, ANewScanlineReplacesTheOldOneWhichUndoBringsBack) {
    newWindow();
    auto scanlines = [&] { return drawn(staticLayer(), Kind::Line, colors::Scanline); };
    const std::array<CanvasPoint, 2> first{{{100, 200}, {1100, 200}}};
    drawScanline(first[0], first[1]);
    click(50, 600);  // the old one is no longer drawn from the new one's first click
    EXPECT_TRUE(scanlines().empty());
    undo();  // the half-drawn scanline alone
    EXPECT_EQ(scan->geometry().scanline, first);
    EXPECT_EQ(scanlines().size(), 1u);
    click(50, 600);
    click(1900, 640);
    ASSERT_EQ(scanlines().size(), 1u);
    EXPECT_EQ(spanned(scanlines()[0]), (DrawRect{50, 600, 1900, 640}));
    undo();
    EXPECT_EQ(scan->geometry().scanline, first);
    undo();
    EXPECT_EQ(scan->geometry().scanline, (std::array<CanvasPoint, 2>{}));
    EXPECT_TRUE(scanlines().empty());
}

TEST_F(ScanFormTest, TheContourBeepsWhenClosedAndEachVertexAndScaleIsAStep) {
    newWindow();
    typeScale("2001");  // a metre a unit
    toolbar("Contour");
    for (CanvasPoint v : {CanvasPoint{0, 0}, {100, 0}, {100, 100}}) click(v.x, v.y);
    // Undo takes the last vertex back and the band goes on from (100, 0).
    undo();
    EXPECT_EQ(scan->geometry().contour, (std::vector<CanvasPoint>{{0, 0}, {100, 0}}));
    move(100, 50);
    ASSERT_EQ(overlay().ops().size(), 1u);
    EXPECT_EQ(spanned(overlay().ops()[0]), (DrawRect{100, 0, 100, 50}));
    click(100, 50);
    EXPECT_EQ(count(staticLayer(), Kind::Line, colors::Contour), 2u);  // open: no closing edge yet
    click(0, 50);
    const int beeps = ts.platform.beeps;
    click(5, 5, buttons::Right);
    EXPECT_EQ(ts.platform.beeps, beeps + 1);  // closing beeps
    EXPECT_EQ(pressed("Contour"), 0);
    const std::vector<DrawOp> edges = drawn(staticLayer(), Kind::Line, colors::Contour);
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_EQ(spanned(edges[3]), (DrawRect{0, 0, 0, 50}));  // closed back to the first vertex
    EXPECT_EQ(scan->text("txtSurface"), "5000");            // 100 x 50 m
    // Undo after closing takes the last vertex back, the mode not resumed: the triangle's 2500 m².
    undo();
    EXPECT_EQ(scan->text("txtSurface"), "2500");
    EXPECT_EQ(scan->editor().mode(), DrawingMode::None);
    redo();

    // The scale typed in a row is one step; leaving the field ends it.
    scan->userFocus(scan->at("txtScale"));
    typeScale("4");
    typeScale("4002");
    scan->userLeave();
    typeScale("6003");
    EXPECT_EQ(scan->text("txtSurface"), "45000");
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
    EXPECT_EQ(pressed("Contour"), 0);
    EXPECT_EQ(count(staticLayer(), Kind::Line, colors::Contour), 4u);

    // Closed under three vertices: told so, and no surface.
    toolbar("Contour");
    click(10, 10);
    click(400, 10);
    click(400, 10, buttons::Right);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Try to create a countour polygon with 3 or more than sides."});
    EXPECT_EQ(ts.platform.told().back().title, "Contour not valid");
    EXPECT_EQ(scan->text("txtSurface"), "0");
}

TEST_F(ScanFormTest, TheRectangleIsDraggedOnTheOverlayAndEachDragIsOneStep) {
    newWindow();
    toolbar("Rectangle");
    EXPECT_EQ(pressed("Rectangle"), 1);
    auto rectangles = [&](const RecordingCanvas& layer) { return count(layer, Kind::Polygon, colors::Rectangle); };
    // A sixth and a half of the empty canvas: 2001 / 6 and 1251 / 6, whole.
    const std::array<CanvasPoint, 4> offered{{{333, 208}, {999, 208}, {999, 624}, {333, 624}}};
    EXPECT_EQ(scan->geometry().rectangle, offered);
    EXPECT_EQ(rectangles(staticLayer()), 1u);
    EXPECT_EQ(count(staticLayer(), Kind::FillBox, colors::Rectangle), 4u);  // the handles

    // Grabbed within 40 units of corner 2: the overlay shows it until the release, the static layer leaves it out.
    press(1020, 190);
    EXPECT_EQ(scan->canvas().pointer(), PointerShape::SizeAll);
    move(1100, 150);
    move(1200, 100);
    EXPECT_EQ(rectangles(staticLayer()), 0u);
    EXPECT_EQ(rectangles(overlay()), 1u);
    release(1200, 100);
    const std::array<CanvasPoint, 4> dragged{{{333, 100}, {1200, 100}, {1200, 624}, {333, 624}}};
    EXPECT_EQ(scan->geometry().rectangle, dragged);
    EXPECT_EQ(rectangles(staticLayer()), 1u);
    EXPECT_TRUE(overlay().empty());

    undo();  // the whole drag, whatever the moves
    EXPECT_EQ(scan->geometry().rectangle, offered);
    undo();
    EXPECT_FALSE(scan->geometry().hasRectangle());
    EXPECT_EQ(rectangles(staticLayer()), 0u);
    EXPECT_FALSE(IsModified(*scan));
    redo();
    redo();
    EXPECT_EQ(scan->geometry().rectangle, dragged);
    // A press and release on a corner without a move is no step.
    press(333, 100);
    release(333, 100);
    undo();
    EXPECT_EQ(scan->geometry().rectangle, offered);
    // Undo while a corner is dragged puts the rectangle back as the press found it, and no more.
    redo();
    press(333, 100);
    move(10, 10);
    undo();
    EXPECT_EQ(scan->geometry().rectangle, dragged);
    EXPECT_EQ(scan->editor().draggedCorner(), 0);
}

TEST_F(ScanFormTest, EachClearingIsOneStepAndClearingTheWindowReleasesTheButtons) {
    newWindow();
    typeScale("24");
    drawTraces({kFirst, kSecond, kThird});
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
    for (const std::string& key : testing::kAcquisitionButtons) EXPECT_EQ(pressed(key.c_str()), 0) << key;
    undo();
    EXPECT_EQ(scan->geometry(), full);
    EXPECT_NE(scan->text("txtSurface"), "0");
}

TEST_F(ScanFormTest, APictureIsOpenedShownHiddenAndReplaced) {
    newWindow();
    const std::string photo = "/photos/north face.jpg", second = "/photos/north face 2.png";
    ts.platform.addPicture(photo, 1600, 1000);
    ts.platform.addPicture(second, 800, 800);
    ts.platform.openAnswers.push_back(photo);
    ts.main->runCommand("mnuFileOpenImage");
    EXPECT_EQ(scan->caption(), "Acquisition Window - Digit 1 - " + photo + "*");
    // The canvas spans 2001 units across the picture, as many down its height.
    const std::vector<DrawOp> pictures = staticLayer().ofKind(Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(spanned(pictures[0]), (DrawRect{0, 0, 2001, 1250.625}));

    // Hidden: the geometry is still drawn; the toolbar button and its tip say so.
    drawScanline({10, 10}, {900, 20});
    toolbar("HidePict");
    EXPECT_TRUE(staticLayer().ofKind(Kind::Picture).empty());
    EXPECT_EQ(count(staticLayer(), Kind::Line, colors::Scanline), 1u);
    EXPECT_EQ(pressed("HidePict"), 1);
    EXPECT_EQ(ts.main->toolButton("HidePict")->toolTip(), "Show picture");
    button("cmdShowHide");
    EXPECT_EQ(staticLayer().ofKind(Kind::Picture).size(), 1u);
    EXPECT_EQ(pressed("HidePict"), 0);

    // A second picture takes the first one's place in the caption.
    ts.platform.openAnswers.push_back(second);
    button("cmdOpenPict");
    EXPECT_EQ(scan->caption(), "Acquisition Window - Digit 1 - " + second + "*");
    // One that cannot be read changes nothing and says why; a cancelled dialog changes nothing either.
    ts.platform.addPictureFailure("/photos/cut.jpg", "The picture file '/photos/cut.jpg' is damaged.");
    ts.platform.openAnswers.push_back("/photos/cut.jpg");
    button("cmdOpenPict");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"The picture file '/photos/cut.jpg' is damaged."});
    ts.platform.openAnswers.push_back(std::nullopt);
    button("cmdOpenPict");
    EXPECT_EQ(scan->imageSource(), second);
}

TEST_F(ScanFormTest, ExportingTheScanlineMakesADatasheetThatGrowsToHoldEveryDistance) {
    ts.session.options.nbDataOnGrid = "3";  // fewer rows than crossings
    newWindow();
    button("cmdExport");  // nothing to export: told, and no datasheet
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Unable to export scanline data.\r\n\r\nThere are no "
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
    EXPECT_EQ(sheet->text("txtComment"), "Data imported from : 'Digit 1'");
    EXPECT_EQ(sheet->at("optData", 0).value(), 1);
    // Crossings at 200, 400, ... 1200 m from the left end; each written as its distance from the first.
    const std::vector<std::string> expected{"200", "400", "600", "700", "800", "850", "900", "1000"};
    ASSERT_EQ(sheet->grid(0).lastFilledRow(), 8);
    for (long long row = 1; row <= 8; ++row) EXPECT_EQ(sheet->cell(0, row, 1), expected[row - 1]) << row;
}

TEST_F(ScanFormTest, TheEstimatorChainNamesAndEmptiesTheInfoBoxAndLeavesTheRectanglesSurface) {
    newWindow();
    typeScale("2001");
    auto& box = ts.form<InfoBoxForm>("frmInfoBox");
    ts.session.appendInfoText(bodyBlock("an older report"));
    drawTraces({{{100, 100}, {200, 900}}, {{150, 50}, {160, 950}}, {{400, 300}, {420, 500}}});
    drawContour({{50, 150}, {900, 150}, {900, 800}, {50, 800}});
    toolbar("Rectangle");

    ts.main->runCommand("mnuDataShowJab");
    // The name has no visible effect: the caption stays the one the File commands know.
    EXPECT_EQ(box.caption(), "InfoBox");
    EXPECT_EQ(box.reportName(), "Digit 1");
    const EstimatorReport expected = RunEstimators(scan->geometry(), "Acquisition Window - Digit 1*");
    std::string text;
    for (const ReportBlock& block : expected.blocks) text += block.text;
    EXPECT_EQ(box.document().plainText(), text);
    EXPECT_TRUE(box.visible());
    // The rectangle (333, 208)-(999, 624) at a metre a unit: 666 × 416 m².
    EXPECT_EQ(scan->text("txtSurface"), "277056");

    // The rectangle's estimator alone adds its report to what is there.
    const long long before = box.document().length();
    button("cmdShowPahl");
    EXPECT_NE(box.document().plainText().find("Pahl (1981)", static_cast<std::size_t>(before)), std::string::npos);

    // Nothing while a segment is half drawn.
    toolbar("Discont");
    click(10, 10);
    const long long held = box.document().length();
    ts.main->runCommand("mnuDataShowJab");
    button("cmdShowPahl");
    EXPECT_EQ(box.document().length(), held);
}

TEST_F(ScanFormTest, AWindowCaptionedWithoutThePrefixGetsItFromTheEstimators) {
    ts.main->NewDocumentWindow(1);  // the window factory's "Scan 1"
    scan = acquisitionWindow(ts.session);
    ASSERT_NE(scan, nullptr);
    EXPECT_EQ(scan->caption(), "Scan 1");
    button("cmdShowJab");
    EXPECT_EQ(scan->caption(), "Acquisition Window - Scan 1");
}

TEST_F(ScanFormTest, TheDrawingExtendsOverTheEmptyCanvasAndPrintsInTwips) {
    newWindow();
    drawTraces({{{0, 0}, {2001, 0}}});
    // The printed picture: the empty canvas's own 8000 × 5000 twips, the trace across its width.
    const RecordingCanvas picture = scan->Picture();
    EXPECT_DOUBLE_EQ(picture.width(), 8000);
    EXPECT_DOUBLE_EQ(picture.height(), 5000);
    const std::vector<DrawOp> trace = drawn(picture, Kind::Line, colors::Traces);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_DOUBLE_EQ(trace[0].x2, 8000);

    ts.platform.messageAnswers.push_back(MessageAnswer::Yes);
    ts.main->runCommand("mnuFilePrint");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Print a draft copy of the current Acquisition window ?"});
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    EXPECT_EQ(count(*ts.platform.printJobs[0]->pages.at(0), Kind::Line, colors::Traces), 1u);
}

}  // namespace
}  // namespace ravelin
