#pragma once
// The acquisition window's drawing, without the window.
//
// How the window form uses this subsystem:
// - The form owns one AcquisitionEditor for the window's life (the geometry
//   the acquisition commands share). Pointer events on its drawing surface
//   arrive in canvas units and go to press/move/release; the mode buttons,
//   the rectangle button, "Clear discontinuities", "Clear Acquisition Window"
//   and the picture button go to the command calls below; a change of the
//   scale field goes to scaleEdited.
// - Each call returns an EditorResponse that the form carries out: a beep and
//   a message through the platform, "*" on the caption when `modified`, the
//   static layer (picture unless pictureHidden(), contour, traces, scanline,
//   and the rectangle with its corner handles when hasRectangle()) drawn
//   again from geometry() when `redraw`, the overlay layer (rubberBand())
//   when `overlay`, txtSurface refreshed with ContourSurface when `surface`,
//   the toolbar's drawing buttons released as said. The pointer is the
//   cross-hair while mode() is not None. The canvas spans 2001 units across
//   the photograph's width, whatever the zoom.
// - A ".dgt" file (DgtFormat.h) gives a DigitizedDocument whose geometry goes
//   to load(); the form then sets txtScale from it and clears the "*" that
//   setting the field left. Saving writes geometry() with the image source.
// - "Export data" (ScanlineSampling.h, given completedTraces()) and the
//   estimator chain (WindowEstimators.h, ignored while segmentHalfDrawn())
//   are pure functions of geometry() and the caption; the form shows their
//   refusal, creates and fills the datasheet, or writes the report blocks to
//   the Info box and the surface text to txtSurface.

#include <optional>
#include <span>
#include <string>

#include "acquisition/AcquisitionGeometry.h"
#include "core/Platform.h"

namespace ravelin {

enum class DrawingMode { None, Scanline, Discontinuity, Contour };
enum class PointerButton { Left, Right };

// A finished change of the geometry, for the window's history (Edit > Undo
// and Redo): which part changed, with what it held before and after. Only
// that part's members of `before` and `after` are filled, so a step costs
// what it changed: one trace or vertex appended, the scanline, the
// rectangle, the traces or the contour cleared, or the whole acquisition
// cleared (the scale excepted, which the scale field's history keeps).
struct GeometryEdit {
    enum class Part { AddedTrace, AddedVertex, Scanline, Rectangle, Traces, Contour, Whole };
    Part part = Part::Whole;
    AcquisitionGeometry before;
    AcquisitionGeometry after;
};

// Makes the edit again on `geometry` (forward) or takes it back.
void ApplyGeometryEdit(AcquisitionGeometry& geometry, const GeometryEdit& edit, bool forward);

// What the window must do after an editing call. Several calls' responses combine with |=.
struct EditorResponse {
    bool beep = false;
    std::optional<MessageRequest> message;
    bool modified = false;  // the acquisition changed: "*" on the caption
    bool redraw = false;    // draw the static layer again
    bool overlay = false;   // draw the overlay (the rubber band) again
    bool surface = false;   // recompute the contour's surface into txtSurface
    bool releaseContourButton = false;
    bool releaseAllButtons = false;
    // A change that is finished: one step of the history.
    std::optional<GeometryEdit> edit;

    EditorResponse& operator|=(const EditorResponse& other);
};

// The rubber band: a straight line from the anchor (the last contour vertex,
// the first end of the half-drawn trace or scanline) to the pointer.
struct RubberBand {
    CanvasPoint anchor;
    double x = 0;  // the pointer, canvas units
    double y = 0;
};

class AcquisitionEditor {
public:
    // Outside the drawing modes, a press within this many canvas units of a
    // rectangle corner (in x and in y) grabs it; moves drag it until the release.
    static constexpr double kCornerGrabDistance = 40;

    const AcquisitionGeometry& geometry() const { return geometry_; }
    // Replaces the geometry (a file was read): no mode, nothing half-drawn.
    void load(AcquisitionGeometry geometry);

    // Pointer events in canvas units (positions rounded to whole units, halves to even).
    EditorResponse press(double x, double y, PointerButton button);
    EditorResponse move(double x, double y);
    EditorResponse release();

    // Mode commands; each is ignored while a segment is half drawn.
    EditorResponse startScanline();
    EditorResponse startDiscontinuities();
    EditorResponse startContour();  // empties the contour first
    // Ends any mode and shows the rectangle, offering the default one in a
    // window of innerWidth × innerHeight canvas units when there is none.
    EditorResponse showRectangle(double innerWidth, double innerHeight);

    EditorResponse clearDiscontinuities();
    // "Clear Acquisition Window": every mode ended, the geometry emptied, the scale kept.
    EditorResponse clearAll();
    EditorResponse togglePicture();
    EditorResponse scaleEdited(const std::string& text);

    // Drops what is half done, as if it had not begun: a half-drawn trace,
    // a half-drawn scanline (the one it replaced comes back), a corner being
    // dragged (the rectangle goes back). Open contours keep their vertices,
    // each of which is a step of its own. Returns whether anything was dropped.
    bool discardStroke();
    // Undo (forward false) or Redo of a step of the history. The mode stays,
    // except that a contour replaced whole ends the contour mode; an open
    // contour goes on from its last vertex.
    void replay(const GeometryEdit& edit, bool forward);

    DrawingMode mode() const { return mode_; }
    // A trace or scanline has its first end, or a contour is open: estimators and mode commands wait.
    bool segmentHalfDrawn() const { return firstClick_; }
    std::optional<RubberBand> rubberBand() const;
    // 1 to 4 while a rectangle corner is being dragged, 0 otherwise.
    int draggedCorner() const { return draggedCorner_; }
    bool pictureHidden() const { return pictureHidden_; }
    // The tool tip of the picture button.
    std::string pictureToolTip() const { return pictureHidden_ ? "Show picture" : "Hide picture"; }
    // The traces without a half-drawn last one.
    std::span<const Trace> completedTraces() const;

private:
    EditorResponse setMode(DrawingMode mode);
    EditorResponse pressTrace(CanvasPoint point, PointerButton button);
    EditorResponse pressScanline(CanvasPoint point, PointerButton button);
    EditorResponse pressContour(CanvasPoint point, PointerButton button);
    EditorResponse closeContour();
    // Ends a half-drawn segment without keeping it.
    void dropHalfDrawn();
    // The geometry without the half-drawn segment (what a clearing step gives back).
    AcquisitionGeometry finishedGeometry() const;

    AcquisitionGeometry geometry_;
    DrawingMode mode_ = DrawingMode::None;
    bool firstClick_ = false;
    bool bandShown_ = false;
    double pointerX_ = 0;
    double pointerY_ = 0;
    CanvasPoint anchor_;
    int draggedCorner_ = 0;
    std::array<CanvasPoint, 4> rectangleBeforeDrag_{};
    std::array<CanvasPoint, 2> scanlineBefore_{};  // the scanline a half-drawn one replaces
    bool pictureHidden_ = false;
};

}  // namespace ravelin
