// The acquisition window's history as the user drives it: each trace,
// contour vertex, scanline, rectangle (drawn, a corner dragged) and clearing
// is one step of Edit > Undo and Redo, with the geometry, the drawing and
// the caption's "*" checked after each; the steps' arithmetic on the
// geometry alone (ApplyGeometryEdit) is checked by hand-worked values.

#include <gtest/gtest.h>

#include "acquisition/AcquisitionDrawing.h"
#include "acquisition/DgtFormat.h"
#include "core/TextCodec.h"
#include "ScanWindowFixture.h"

namespace ravelin {
namespace {

using Kind = DrawOp::Kind;
using Part = GeometryEdit::Part;

class ScanUndoTest : public testing::ScanWindowTest {
protected:
    void undo() { ts.main->runCommand("mnuEditUndo"); }
    void redo() { ts.main->runCommand("mnuEditRedo"); }
    bool menuEnabled(const char* item) { return ts.main->at(item).enabled(); }
    const std::vector<Trace>& traces() { return scan->geometry().traces; }
    std::size_t tracesDrawn() { return drawn(staticLayer(), Kind::Line, acquisition_colors::Traces).size(); }
};

const Trace kFirst{{100, 200}, {300, 250}};
const Trace kSecond{{400, 100}, {420, 180}};
const Trace kThird{{50, 600}, {700, 640}};

TEST_F(ScanUndoTest, EachTraceIsAStepAndTheMarkerFollowsTheHistory) {
    newWindow();
    EXPECT_FALSE(menuEnabled("mnuEditUndo"));
    drawTraces({kFirst, kSecond});
    EXPECT_TRUE(menuEnabled("mnuEditUndo"));
    EXPECT_FALSE(menuEnabled("mnuEditRedo"));

    undo();
    EXPECT_EQ(traces(), std::vector<Trace>{kFirst});
    EXPECT_EQ(tracesDrawn(), 1u);
    EXPECT_TRUE(IsModified(*scan));
    EXPECT_TRUE(menuEnabled("mnuEditRedo"));
    // Still in the traces' mode: the next two clicks draw a trace of their own.
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Discontinuity);

    undo();
    EXPECT_TRUE(traces().empty());
    EXPECT_EQ(tracesDrawn(), 0u);
    EXPECT_FALSE(IsModified(*scan));  // back to the new window's state
    EXPECT_FALSE(menuEnabled("mnuEditUndo"));

    redo();
    redo();
    EXPECT_EQ(traces(), (std::vector<Trace>{kFirst, kSecond}));
    EXPECT_EQ(tracesDrawn(), 2u);
    EXPECT_TRUE(IsModified(*scan));
    EXPECT_FALSE(menuEnabled("mnuEditRedo"));

    // A new trace after an undo drops what was undone.
    undo();
    drawTraces({kThird});
    EXPECT_EQ(traces(), (std::vector<Trace>{kFirst, kThird}));
    EXPECT_FALSE(menuEnabled("mnuEditRedo"));
}

TEST_F(ScanUndoTest, UndoTakesBackAHalfDrawnSegmentAloneAndTheScanlineItReplaced) {
    newWindow();
    drawTraces({kFirst});
    click(500, 500);  // the first end of a second trace
    ASSERT_TRUE(scan->editor().segmentHalfDrawn());
    undo();
    EXPECT_FALSE(scan->editor().segmentHalfDrawn());
    EXPECT_EQ(traces(), std::vector<Trace>{kFirst});
    EXPECT_TRUE(overlay().empty());
    // The mode commands work again, and the finished trace is still one Undo away.
    toolbar("Scanline");
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Scanline);
    EXPECT_TRUE(menuEnabled("mnuEditUndo"));

    const std::array<CanvasPoint, 2> first{{{10, 20}, {1500, 40}}};
    drawScanline(first[0], first[1]);
    click(30, 900);  // a new scanline replaces the old one from its first click
    EXPECT_EQ(scan->geometry().scanline[0], (CanvasPoint{30, 900}));
    undo();
    EXPECT_EQ(scan->geometry().scanline, first);
    EXPECT_EQ(drawn(staticLayer(), Kind::Line, acquisition_colors::Scanline).size(), 1u);

    click(30, 900);
    click(1800, 950);
    const std::array<CanvasPoint, 2> second{{{30, 900}, {1800, 950}}};
    EXPECT_EQ(scan->geometry().scanline, second);
    undo();
    EXPECT_EQ(scan->geometry().scanline, first);
    undo();
    EXPECT_EQ(scan->geometry().scanline, (std::array<CanvasPoint, 2>{}));  // none drawn
    EXPECT_TRUE(drawn(staticLayer(), Kind::Line, acquisition_colors::Scanline).empty());
    EXPECT_EQ(traces(), std::vector<Trace>{kFirst});
    redo();
    redo();
    EXPECT_EQ(scan->geometry().scanline, second);
}

TEST_F(ScanUndoTest, ContourVerticesAreStepsAndAnOpenContourGoesOnFromItsLastVertex) {
    newWindow();
    typeScale("2001");  // a metre a unit
    button("cmdDraw");
    for (CanvasPoint v : {CanvasPoint{0, 0}, {100, 0}, {100, 100}}) click(v.x, v.y);
    undo();
    EXPECT_EQ(scan->geometry().contour, (std::vector<CanvasPoint>{{0, 0}, {100, 0}}));
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Contour);
    // The rubber band now starts at (100, 0).
    move(100, 50);
    const std::vector<DrawOp> band = overlay().ops();
    ASSERT_EQ(band.size(), 1u);
    EXPECT_EQ(DrawRect::spanning({band[0].x1, band[0].y1}, {band[0].x2, band[0].y2}), (DrawRect{100, 0, 100, 50}));
    click(100, 50);
    click(0, 50);
    click(0, 50, buttons::Right);  // closed: a 100 x 50 rectangle, 5000 m²
    EXPECT_EQ(scan->text("txtSurface"), "5000");
    ASSERT_EQ(scan->geometry().contour.size(), 4u);

    // Undo after the contour closed takes the last vertex back: the triangle's 2500 m².
    undo();
    EXPECT_EQ(scan->geometry().contour.size(), 3u);
    EXPECT_EQ(scan->text("txtSurface"), "2500");
    EXPECT_EQ(scan->editor().mode(), DrawingMode::None);
    redo();
    EXPECT_EQ(scan->text("txtSurface"), "5000");

    // A new contour clears the old one as a step: Undo gives it back and ends the contour mode.
    button("cmdDraw");
    EXPECT_TRUE(scan->geometry().contour.empty());
    click(500, 500);
    undo();
    EXPECT_TRUE(scan->geometry().contour.empty());
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Contour);
    EXPECT_FALSE(scan->editor().segmentHalfDrawn());
    undo();
    EXPECT_EQ(scan->geometry().contour, (std::vector<CanvasPoint>{{0, 0}, {100, 0}, {100, 50}, {0, 50}}));
    EXPECT_EQ(scan->editor().mode(), DrawingMode::None);
    EXPECT_EQ(pressed("Contour"), 0);
    EXPECT_EQ(scan->text("txtSurface"), "5000");
    EXPECT_EQ(drawn(staticLayer(), Kind::Line, acquisition_colors::Contour).size(), 4u);
}

TEST_F(ScanUndoTest, TheRectangleDrawnAndEachCornerDragAreSteps) {
    newWindow();
    toolbar("Rectangle");
    const std::array<CanvasPoint, 4> offered = scan->geometry().rectangle;
    ASSERT_TRUE(scan->geometry().hasRectangle());
    // Corner 3 dragged from its place to (1200, 900): corners 2 and 4 follow.
    press(offered[2].x, offered[2].y);
    move(1100, 850);
    move(1200, 900);
    release(1200, 900);
    const std::array<CanvasPoint, 4> dragged = scan->geometry().rectangle;
    EXPECT_EQ(dragged[2], (CanvasPoint{1200, 900}));
    EXPECT_EQ(dragged[1], (CanvasPoint{1200, offered[1].y}));
    EXPECT_EQ(dragged[3], (CanvasPoint{offered[3].x, 900}));

    undo();  // the whole drag is one step, whatever the moves
    EXPECT_EQ(scan->geometry().rectangle, offered);
    undo();
    EXPECT_FALSE(scan->geometry().hasRectangle());
    EXPECT_TRUE(drawn(staticLayer(), Kind::Polygon, acquisition_colors::Rectangle).empty());
    EXPECT_FALSE(IsModified(*scan));
    redo();
    redo();
    EXPECT_EQ(scan->geometry().rectangle, dragged);

    // A press and release on a corner without a move is no step.
    press(dragged[0].x, dragged[0].y);
    release(dragged[0].x, dragged[0].y);
    undo();
    EXPECT_EQ(scan->geometry().rectangle, offered);

    // Undo while a corner is dragged puts the rectangle back as the press found it, and no more.
    redo();
    press(dragged[0].x, dragged[0].y);
    move(10, 10);
    undo();
    EXPECT_EQ(scan->geometry().rectangle, dragged);
    EXPECT_EQ(scan->editor().draggedCorner(), 0);
}

TEST_F(ScanUndoTest, EachClearingIsOneStepThatGivesEverythingBack) {
    newWindow();
    typeScale("24");
    drawTraces({kFirst, kSecond, kThird});
    drawScanline({10, 20}, {1500, 40});
    drawContour({{50, 150}, {900, 150}, {900, 800}});
    toolbar("Rectangle");
    const AcquisitionGeometry full = scan->geometry();

    scan->ClearDisc();
    EXPECT_TRUE(traces().empty());
    undo();
    EXPECT_EQ(scan->geometry(), full);
    EXPECT_EQ(tracesDrawn(), 3u);
    redo();
    EXPECT_TRUE(traces().empty());
    undo();

    // "Clear Acquisition Window" keeps the scale; Undo brings back the rest in one step.
    ts.main->runCommand("mnuDataClearWin");
    EXPECT_EQ(scan->geometry().contour.size(), 0u);
    EXPECT_FALSE(scan->geometry().hasRectangle());
    EXPECT_EQ(scan->geometry().scaleText, "24");
    undo();
    EXPECT_EQ(scan->geometry(), full);
    EXPECT_NE(scan->text("txtSurface"), "0");
    redo();
    AcquisitionGeometry cleared;
    cleared.scaleText = "24";
    EXPECT_EQ(scan->geometry(), cleared);
    EXPECT_EQ(scan->text("txtSurface"), "0");
}

TEST_F(ScanUndoTest, ScaleTypedInARowIsOneStepAndLeavingTheFieldEndsIt) {
    newWindow();
    button("cmdDraw");
    for (CanvasPoint v : {CanvasPoint{0, 0}, {2001, 0}, {2001, 2001}, {0, 2001}}) click(v.x, v.y);
    click(0, 2001, buttons::Right);
    scan->userFocus(scan->at("txtScale"));
    typeScale("1");
    typeScale("10");
    scan->userLeave();
    typeScale("2");
    EXPECT_EQ(scan->text("txtSurface"), "4");
    undo();
    EXPECT_EQ(scan->text("txtScale"), "10");
    EXPECT_EQ(scan->text("txtSurface"), "100");
    undo();
    EXPECT_EQ(scan->text("txtScale"), "");
    EXPECT_EQ(scan->geometry().contour.size(), 4u);  // the vertices are steps of their own
    redo();
    EXPECT_EQ(scan->text("txtScale"), "10");
}

TEST_F(ScanUndoTest, UndoAfterASaveBringsTheMarkerBackAndALoadClearsTheHistory) {
    newWindow();
    drawTraces({kFirst});
    const std::string path = folder.file("north.dgt");
    ts.platform.saveAnswers.push_back(path);
    ts.main->runCommand("mnuFileSave");
    ASSERT_FALSE(IsModified(*scan));
    drawTraces({kSecond});
    EXPECT_TRUE(IsModified(*scan));
    undo();
    EXPECT_FALSE(IsModified(*scan));  // the saved state
    undo();
    EXPECT_TRUE(IsModified(*scan));  // before it: no longer the file's
    EXPECT_TRUE(traces().empty());
    redo();
    EXPECT_FALSE(IsModified(*scan));
    EXPECT_EQ(ReadDigitizedFile(readFileBytes(path).value()).document.geometry.traces, std::vector<Trace>{kFirst});

    // A photograph is no step: after opening one, no Undo leads back to the file.
    ts.platform.addPicture(folder.file("cliff.png"), 400, 300);
    ts.platform.openAnswers.push_back(folder.file("cliff.png"));
    button("cmdOpenPict");
    ASSERT_TRUE(scan->picture());
    drawTraces({kThird});
    undo();
    EXPECT_TRUE(IsModified(*scan));

    ts.platform.openAnswers.push_back(path);
    ts.platform.messageAnswers.push_back(MessageAnswer::No);  // "Save ... before closing ?"
    ts.main->runCommand("mnuFileOpen");
    scan = acquisitionWindow(ts.session);
    ASSERT_TRUE(scan);
    activate(*scan);
    EXPECT_EQ(traces(), std::vector<Trace>{kFirst});
    EXPECT_FALSE(scan->undoStack().canUndo());
    EXPECT_FALSE(scan->undoStack().canRedo());
    EXPECT_FALSE(IsModified(*scan));
    EXPECT_FALSE(menuEnabled("mnuEditUndo"));
}

// The steps on the geometry alone: each part goes back and forth, nothing else moves.
TEST(GeometryEditTest, EachPartGoesBackAndForthAlone) {
    AcquisitionGeometry base;
    base.traces = {kFirst};
    base.contour = {{0, 0}, {10, 0}, {10, 10}};
    base.scanline = {{{1, 2}, {3, 4}}};
    base.rectangle = {{{5, 5}, {50, 5}, {50, 40}, {5, 40}}};
    base.scaleText = "12";

    struct Case {
        const char* name;
        GeometryEdit edit;
        AcquisitionGeometry expectedAfter;
    };
    std::vector<Case> cases;
    {
        Case c{"trace", {Part::AddedTrace, {}, {}}, base};
        c.edit.after.traces = {kSecond};
        c.expectedAfter.traces = {kFirst, kSecond};
        cases.push_back(c);
    }
    {
        Case c{"vertex", {Part::AddedVertex, {}, {}}, base};
        c.edit.after.contour = {{0, 10}};
        c.expectedAfter.contour.push_back({0, 10});
        cases.push_back(c);
    }
    {
        Case c{"scanline", {Part::Scanline, {}, {}}, base};
        c.edit.before.scanline = base.scanline;
        c.edit.after.scanline = {{{7, 7}, {9, 9}}};
        c.expectedAfter.scanline = c.edit.after.scanline;
        cases.push_back(c);
    }
    {
        Case c{"traces cleared", {Part::Traces, {}, {}}, base};
        c.edit.before.traces = base.traces;
        c.expectedAfter.traces.clear();
        cases.push_back(c);
    }
    {
        Case c{"contour cleared", {Part::Contour, {}, {}}, base};
        c.edit.before.contour = base.contour;
        c.expectedAfter.contour.clear();
        cases.push_back(c);
    }
    {
        // The whole acquisition cleared: the scale, which has a history of its own, stays.
        AcquisitionGeometry empty;
        empty.scaleText = "ignored";
        Case c{"whole", {Part::Whole, base, empty}, AcquisitionGeometry{}};
        c.edit.before.scaleText = "ignored too";
        c.expectedAfter.scaleText = "12";
        cases.push_back(c);
    }
    for (const Case& c : cases) {
        AcquisitionGeometry g = base;
        ApplyGeometryEdit(g, c.edit, true);
        EXPECT_EQ(g, c.expectedAfter) << c.name;
        ApplyGeometryEdit(g, c.edit, false);
        EXPECT_EQ(g, base) << c.name;
    }
}

}  // namespace
}  // namespace ravelin
