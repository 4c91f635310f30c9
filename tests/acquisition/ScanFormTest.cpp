// The acquisition window driven as a user drives it: pointer events in
// canvas units on its surface, its buttons, the main toolbar; what it
// draws on its two layers, the toolbar's state, the modified marker, the
// photograph, the scanline export and the estimators in the Info box.

#include <gtest/gtest.h>

#include "acquisition/AcquisitionDrawing.h"
#include "acquisition/WindowEstimators.h"
#include "documents/InfoBoxForm.h"
#include "spacing/SpacingForm.h"
#include "ScanWindowFixture.h"

namespace ravelin {
namespace {

using testing::ScanWindowTest;
using Kind = DrawOp::Kind;

// The empty canvas: 2001 units across its 8000 twips, as many units down its 5000.
constexpr double kEmptyHeight = 5000 / (8000 / 2001.0);

TEST_F(ScanWindowTest, TracesFollowOneAnotherWithARubberBandAndOnlyFinishedOnesAreDrawn) {
    newWindow();
    toolbar("Discont");
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Discontinuity);
    EXPECT_EQ(scan->canvas().pointer(), PointerShape::CrossHair);
    EXPECT_EQ(pressed("Discont"), 1);
    EXPECT_EQ(scan->at("cmdDisc").value(), 1);

    // Positions are rounded to whole units, halves to even.
    click(100.5, 200.5);
    move(300, 250);
    const std::vector<DrawOp> band = overlay().ops();
    ASSERT_EQ(band.size(), 1u);
    EXPECT_EQ(band[0].penMode, PenMode::Invert);
    EXPECT_EQ(DrawRect::spanning({band[0].x1, band[0].y1}, {band[0].x2, band[0].y2}), (DrawRect{100, 200, 300, 250}));
    EXPECT_TRUE(drawn(staticLayer(), Kind::Line, acquisition_colors::Traces).empty());  // half drawn: the band shows it
    click(300, 250);
    click(400, 100);
    click(420, 180);
    EXPECT_EQ(scan->geometry().traces, (std::vector<Trace>{{{100, 200}, {300, 250}}, {{400, 100}, {420, 180}}}));
    EXPECT_EQ(drawn(staticLayer(), Kind::Line, acquisition_colors::Traces).size(), 2u);
    EXPECT_TRUE(IsModified(*scan));

    // A third trace half drawn: mode commands wait for its end; the right button hides the band only.
    click(500, 500);
    toolbar("Scanline");
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Discontinuity);
    EXPECT_EQ(pressed("Scanline"), 0);
    EXPECT_EQ(pressed("Discont"), 1);
    click(510, 510, buttons::Right);
    EXPECT_TRUE(overlay().empty());
    EXPECT_EQ(drawn(staticLayer(), Kind::Line, acquisition_colors::Traces).size(), 2u);
    click(600, 650);
    EXPECT_EQ(scan->geometry().traces.back(), (Trace{{500, 500}, {600, 650}}));
    // The middle button belongs to the view (panning): the window hears nothing.
    press(700, 700, buttons::Middle);
    EXPECT_FALSE(scan->editor().segmentHalfDrawn());
}

TEST_F(ScanWindowTest, ANewScanlineReplacesTheOldOneWhichIsNoLongerDrawn) {
    newWindow();
    drawScanline({100, 200}, {1100, 200});
    auto scanlines = [&] { return drawn(staticLayer(), Kind::Line, acquisition_colors::Scanline); };
    ASSERT_EQ(scanlines().size(), 1u);
    toolbar("Scanline");
    click(50, 600);
    EXPECT_TRUE(scanlines().empty());
    click(1900, 640);
    ASSERT_EQ(scanlines().size(), 1u);
    EXPECT_EQ(scanlines()[0].x1, 50);
    EXPECT_EQ(scanlines()[0].y2, 640);
}

TEST_F(ScanWindowTest, TheContourIsRefusedWhereItWouldCrossItselfAndClosedWithTheRightButton) {
    newWindow();
    typeScale("1");
    toolbar("Contour");
    EXPECT_EQ(pressed("Contour"), 1);
    for (CanvasPoint v : {CanvasPoint{0, 0}, {2001, 0}, {2001, 2001}}) click(v.x, v.y);
    // Open while drawn: no closing edge yet.
    EXPECT_EQ(drawn(staticLayer(), Kind::Line, acquisition_colors::Contour).size(), 2u);
    const int beeps = ts.platform.beeps;
    click(1000, -500);  // its edge from (2001, 2001) would cross the first edge
    EXPECT_EQ(ts.platform.beeps, beeps + 1);
    EXPECT_EQ(scan->geometry().contourCount(), 3);
    click(0, 2001);
    click(5, 5, buttons::Right);
    EXPECT_EQ(scan->editor().mode(), DrawingMode::None);
    EXPECT_EQ(pressed("Contour"), 0);
    EXPECT_EQ(ts.platform.beeps, beeps + 2);  // closing beeps too
    const std::vector<DrawOp> edges = drawn(staticLayer(), Kind::Line, acquisition_colors::Contour);
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_EQ((DrawPoint{edges[3].x1, edges[3].y1}), (DrawPoint{0, 2001}));  // closed back to the first vertex
    EXPECT_EQ((DrawPoint{edges[3].x2, edges[3].y2}), (DrawPoint{0, 0}));
    // The 2001-unit square with a scale of 1 m is 1 m².
    EXPECT_EQ(scan->text("txtSurface"), "1");
    typeScale("2");
    EXPECT_EQ(scan->text("txtSurface"), "4");
    EXPECT_TRUE(messageTexts().empty());

    // Closed under three vertices: told so, the vertices kept.
    toolbar("Contour");
    click(10, 10);
    click(400, 10);
    click(400, 10, buttons::Right);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Try to create a countour polygon with 3 or more than sides."});
    EXPECT_EQ(ts.platform.told().back().title, "Contour not valid");
    EXPECT_EQ(scan->geometry().contourCount(), 2);
    EXPECT_EQ(scan->text("txtSurface"), "0");
}

TEST_F(ScanWindowTest, TheDefaultRectangleIsDraggedByItsCornersOnTheOverlay) {
    newWindow();
    toolbar("Rectangle");
    EXPECT_EQ(pressed("Rectangle"), 1);
    // A sixth and a half of the empty canvas: 2001 / 6 and 1251 / 6, whole.
    const std::array<CanvasPoint, 4> start{{{333, 208}, {999, 208}, {999, 624}, {333, 624}}};
    EXPECT_EQ(scan->geometry().rectangle, start);
    EXPECT_EQ(drawn(staticLayer(), Kind::Polygon, acquisition_colors::Rectangle).size(), 1u);
    EXPECT_EQ(drawn(staticLayer(), Kind::FillBox, acquisition_colors::Rectangle).size(), 4u);  // the handles

    // Grabbed within 40 units of corner 2 and dragged: the overlay shows it, the static layer leaves it out.
    press(1020, 190);
    EXPECT_EQ(scan->canvas().pointer(), PointerShape::SizeAll);
    move(1200, 100);
    EXPECT_TRUE(drawn(staticLayer(), Kind::Polygon, acquisition_colors::Rectangle).empty());
    EXPECT_EQ(drawn(overlay(), Kind::Polygon, acquisition_colors::Rectangle).size(), 1u);
    release(1200, 100);
    EXPECT_EQ(scan->geometry().rectangle,
              (std::array<CanvasPoint, 4>{{{333, 100}, {1200, 100}, {1200, 624}, {333, 624}}}));
    EXPECT_EQ(drawn(staticLayer(), Kind::Polygon, acquisition_colors::Rectangle).size(), 1u);
    EXPECT_TRUE(overlay().empty());
    EXPECT_TRUE(IsModified(*scan));

    // Another drawing button releases this one.
    toolbar("Discont");
    EXPECT_EQ(pressed("Rectangle"), 0);
    EXPECT_EQ(pressed("Discont"), 1);
}

TEST_F(ScanWindowTest, APictureIsOpenedLoggedShownHiddenAndReplaced) {
    newWindow();
    const std::string photo = "/photos/north face.jpg", second = "/photos/north face 2.png";
    ts.platform.addPicture(photo, 1600, 1000);
    ts.platform.addPicture(second, 800, 800);
    ts.platform.openAnswers.push_back(photo);
    ts.main->runCommand("mnuFileOpenImage");
    ASSERT_EQ(ts.platform.openDialogs.size(), 1u);
    EXPECT_EQ(ts.platform.openDialogs[0].filter,
              "Bitmap (*.bmp)|*.bmp|Bitmap Compuserve (*.gif)|*.gif|Bitmap JPEG (*.jpg)|*.jpg|Enhanced metafile "
              "(*.emf)|*.emf|Windows metafile (*.wmf)|*.wmf|PNG (*.png)|*.png|TIFF (*.tif;*.tiff)|*.tif;*.tiff|All "
              "Files (*.*)|*.*");
    EXPECT_EQ(log.lines.back(), "Opening '" + photo + "' as a picture in Scan Window ");
    EXPECT_EQ(scan->caption(), "Acquisition Window - Digit 1 - " + photo + "*");
    EXPECT_EQ(scan->imageSource(), photo);
    // The canvas spans 2001 units across the picture, as many down its height.
    const std::vector<DrawOp> pictures = staticLayer().ofKind(Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(DrawRect::spanning({pictures[0].x1, pictures[0].y1}, {pictures[0].x2, pictures[0].y2}),
              (DrawRect{0, 0, 2001, 1250.625}));

    // Hidden: an empty background, the geometry still drawn; the button and its tip say so.
    drawScanline({10, 10}, {900, 20});
    toolbar("HidePict");
    EXPECT_TRUE(staticLayer().ofKind(Kind::Picture).empty());
    EXPECT_EQ(drawn(staticLayer(), Kind::FillBox, acquisition_colors::Background).size(), 1u);
    EXPECT_EQ(drawn(staticLayer(), Kind::Line, acquisition_colors::Scanline).size(), 1u);
    EXPECT_EQ(pressed("HidePict"), 1);
    EXPECT_EQ(ts.main->toolButton("HidePict")->toolTip(), "Show picture");
    EXPECT_EQ(scan->text("cmdShowHide"), "Show picture");
    button("cmdShowHide");
    EXPECT_EQ(staticLayer().ofKind(Kind::Picture).size(), 1u);
    EXPECT_EQ(ts.main->toolButton("HidePict")->toolTip(), "Hide picture");

    // A second picture takes the first one's place in the caption; a square one makes a square canvas.
    ts.platform.openAnswers.push_back(second);
    button("cmdOpenPict");
    EXPECT_EQ(scan->caption(), "Acquisition Window - Digit 1 - " + second + "*");
    EXPECT_EQ(scan->canvasDrawing().height(), 2001);

    // One that cannot be read changes nothing and says why.
    ts.platform.addPictureFailure("/photos/cut.jpg", "The picture file '/photos/cut.jpg' is damaged.");
    ts.platform.openAnswers.push_back("/photos/cut.jpg");
    button("cmdOpenPict");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"The picture file '/photos/cut.jpg' is damaged."});
    EXPECT_EQ(scan->imageSource(), second);
    // A cancelled dialog neither.
    ts.platform.openAnswers.push_back(std::nullopt);
    button("cmdOpenPict");
    EXPECT_EQ(scan->imageSource(), second);
}

TEST_F(ScanWindowTest, ExportingTheScanlineMakesADatasheetThatGrowsToHoldEveryDistance) {
    ts.session.options.nbDataOnGrid = "3";  // fewer rows than crossings
    newWindow();
    typeScale("2001");  // a metre a canvas unit
    // Drawn from right to left: distances still count from the left end.
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
    ASSERT_GE(sheet->grid(0).lastFilledRow(), 8);
    for (long long row = 1; row <= 8; ++row) EXPECT_EQ(sheet->cell(0, row, 1), expected[row - 1]) << row;
    EXPECT_EQ(sheet->grid(0).lastFilledRow(), 8);
    EXPECT_EQ(sheet->text("txtOr", 2), "");  // orientations left for the user
}

TEST_F(ScanWindowTest, ExportingWithoutTracesOrScanlineIsRefusedAndMakesNoDatasheet) {
    newWindow();
    ts.main->runCommand("mnuDataExpScan");
    drawTraces({{{10, 10}, {10, 400}}});
    button("cmdExport");
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{
                  "Unable to export scanline data.\r\n\r\nThere are no discontinuities on your acquisition window !",
                  "Unable to export scanline data.\r\n\r\nThere is no scanline on your acquisition window !"}));
    EXPECT_EQ(ts.platform.told()[0].title, "");  // the program's own title
    EXPECT_EQ(ts.platform.told()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ts.session.findForm("frmSpacing"), nullptr);
}

TEST_F(ScanWindowTest, TheEstimatorChainNamesAndEmptiesTheInfoBoxAndLeavesTheRectanglesSurface) {
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
    EXPECT_GT(box.document().length(), before);
    EXPECT_NE(box.document().plainText().find("Pahl (1981)", static_cast<std::size_t>(before)), std::string::npos);

    // Nothing while a segment is half drawn.
    toolbar("Discont");
    click(10, 10);
    const long long held = box.document().length();
    ts.main->runCommand("mnuDataShowJab");
    button("cmdShowPahl");
    EXPECT_EQ(box.document().length(), held);
}

TEST_F(ScanWindowTest, AWindowCaptionedWithoutThePrefixGetsItFromTheEstimators) {
    ts.main->NewDocumentWindow(1);  // the window factory's "Scan 1"
    scan = acquisitionWindow(ts.session);
    ASSERT_NE(scan, nullptr);
    EXPECT_EQ(scan->caption(), "Scan 1");
    button("cmdShowJab");
    EXPECT_EQ(scan->caption(), "Acquisition Window - Scan 1");
}

TEST_F(ScanWindowTest, ClearingTracesOrTheWholeWindowReleasesTheButtons) {
    newWindow();
    drawTraces({{{10, 10}, {100, 100}}});
    toolbar("Rectangle");
    drawScanline({10, 500}, {900, 500});
    ts.main->runCommand("mnuDataClearDisc");
    EXPECT_TRUE(scan->geometry().traces.empty());
    EXPECT_TRUE(drawn(staticLayer(), Kind::Line, acquisition_colors::Traces).empty());
    EXPECT_TRUE(scan->geometry().hasRectangle());
    toolbar("Contour");
    click(10, 10);  // a contour left open
    typeScale("35");
    ts.main->runCommand("mnuDataClearWin");
    EXPECT_EQ(scan->geometry(), (AcquisitionGeometry{{}, {}, {}, AcquisitionGeometry::noRectangle(), "35"}));
    for (const std::string& key : testing::kAcquisitionButtons) EXPECT_EQ(pressed(key.c_str()), 0) << key;
    // Nothing is left half drawn: the modes work again.
    toolbar("Discont");
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Discontinuity);
}

TEST_F(ScanWindowTest, TheDrawingExtendsOverTheEmptyCanvasAndPrintsInTwips) {
    newWindow();
    EXPECT_EQ(scan->canvasDrawing().width(), 2001);
    EXPECT_DOUBLE_EQ(scan->canvasDrawing().height(), kEmptyHeight);
    drawTraces({{{0, 0}, {2001, 0}}});
    // The printed picture: the empty canvas's own 8000 × 5000 twips, the trace across its width.
    const RecordingCanvas picture = scan->Picture();
    EXPECT_DOUBLE_EQ(picture.width(), 8000);
    EXPECT_DOUBLE_EQ(picture.height(), 5000);
    const std::vector<DrawOp> trace = drawn(picture, Kind::Line, acquisition_colors::Traces);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_DOUBLE_EQ(trace[0].x2, 8000);

    ts.platform.messageAnswers.push_back(MessageAnswer::Yes);
    ts.main->runCommand("mnuFilePrint");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Print a draft copy of the current Acquisition window ?"});
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    const RecordingCanvas& page = *ts.platform.printJobs[0]->pages.at(0);
    EXPECT_EQ(drawn(page, Kind::Line, acquisition_colors::Traces).size(), 1u);
}

}  // namespace
}  // namespace ravelin
