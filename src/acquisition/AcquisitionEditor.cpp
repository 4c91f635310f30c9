#include "acquisition/AcquisitionEditor.h"

#include <cmath>

#include "acquisition/PlaneGeometry.h"

namespace ravelin {

EditorResponse& EditorResponse::operator|=(const EditorResponse& other) {
    beep = beep || other.beep;
    if (other.message) message = other.message;
    modified = modified || other.modified;
    redraw = redraw || other.redraw;
    overlay = overlay || other.overlay;
    surface = surface || other.surface;
    releaseContourButton = releaseContourButton || other.releaseContourButton;
    releaseAllButtons = releaseAllButtons || other.releaseAllButtons;
    if (other.edit) edit = other.edit;
    return *this;
}

void ApplyGeometryEdit(AcquisitionGeometry& geometry, const GeometryEdit& edit, bool forward) {
    const AcquisitionGeometry& to = forward ? edit.after : edit.before;
    switch (edit.part) {
        case GeometryEdit::Part::AddedTrace:
            if (forward) geometry.traces.insert(geometry.traces.end(), to.traces.begin(), to.traces.end());
            else if (!geometry.traces.empty()) geometry.traces.pop_back();
            break;
        case GeometryEdit::Part::AddedVertex:
            if (forward) geometry.contour.insert(geometry.contour.end(), to.contour.begin(), to.contour.end());
            else if (!geometry.contour.empty()) geometry.contour.pop_back();
            break;
        case GeometryEdit::Part::Scanline: geometry.scanline = to.scanline; break;
        case GeometryEdit::Part::Rectangle: geometry.rectangle = to.rectangle; break;
        case GeometryEdit::Part::Traces: geometry.traces = to.traces; break;
        case GeometryEdit::Part::Contour: geometry.contour = to.contour; break;
        case GeometryEdit::Part::Whole: {
            std::string scale = std::move(geometry.scaleText);
            geometry = to;
            geometry.scaleText = std::move(scale);
            break;
        }
    }
}

void AcquisitionEditor::load(AcquisitionGeometry geometry) {
    geometry_ = std::move(geometry);
    mode_ = DrawingMode::None;
    dropHalfDrawn();
    draggedCorner_ = 0;
    pictureHidden_ = false;
}

void AcquisitionEditor::dropHalfDrawn() {
    firstClick_ = false;
    bandShown_ = false;
}

std::optional<RubberBand> AcquisitionEditor::rubberBand() const {
    if (!firstClick_ || !bandShown_) return std::nullopt;
    return RubberBand{anchor_, pointerX_, pointerY_};
}

std::span<const Trace> AcquisitionEditor::completedTraces() const {
    std::span<const Trace> traces(geometry_.traces);
    if (mode_ == DrawingMode::Discontinuity && firstClick_ && !traces.empty()) traces = traces.first(traces.size() - 1);
    return traces;
}

EditorResponse AcquisitionEditor::press(double x, double y, PointerButton button) {
    pointerX_ = x;
    pointerY_ = y;
    // Corners are grabbed only outside the drawing modes: a click that starts a
    // trace near a corner must not drag the rectangle to the pointer.
    if (mode_ == DrawingMode::None && geometry_.hasRectangle()) {
        for (int i = 0; i < 4; ++i) {
            const CanvasPoint corner = geometry_.rectangle[static_cast<std::size_t>(i)];
            if (std::abs(corner.x - x) < kCornerGrabDistance && std::abs(corner.y - y) < kCornerGrabDistance) {
                if (draggedCorner_ == 0) rectangleBeforeDrag_ = geometry_.rectangle;
                draggedCorner_ = i + 1;
                break;
            }
        }
    }
    const CanvasPoint point = roundToCanvas(x, y);
    switch (mode_) {
        case DrawingMode::Discontinuity: return pressTrace(point, button);
        case DrawingMode::Scanline: return pressScanline(point, button);
        case DrawingMode::Contour: return pressContour(point, button);
        case DrawingMode::None: break;
    }
    return {};
}

EditorResponse AcquisitionEditor::pressTrace(CanvasPoint point, PointerButton button) {
    EditorResponse response;
    response.overlay = true;
    if (button == PointerButton::Right) {
        // Hides the rubber band until the pointer moves again; the trace stays half drawn.
        bandShown_ = false;
        return response;
    }
    response.modified = true;
    if (!firstClick_) {
        geometry_.traces.push_back({point, {}});
        firstClick_ = bandShown_ = true;
        anchor_ = point;
    } else {
        geometry_.traces.back().end2 = point;
        dropHalfDrawn();
        response.redraw = true;
        response.edit = GeometryEdit{GeometryEdit::Part::AddedTrace, {}, {}};
        response.edit->after.traces.push_back(geometry_.traces.back());
    }
    return response;
}

EditorResponse AcquisitionEditor::pressScanline(CanvasPoint point, PointerButton button) {
    EditorResponse response;
    if (button == PointerButton::Right) return response;
    response.modified = response.redraw = response.overlay = true;
    if (!firstClick_) {
        // A new scanline replaces the old one from its first click on.
        scanlineBefore_ = geometry_.scanline;
        geometry_.scanline = {point, CanvasPoint{}};
        firstClick_ = bandShown_ = true;
        anchor_ = point;
    } else {
        geometry_.scanline[1] = point;
        dropHalfDrawn();
        response.edit = GeometryEdit{GeometryEdit::Part::Scanline, {}, {}};
        response.edit->before.scanline = scanlineBefore_;
        response.edit->after.scanline = geometry_.scanline;
    }
    return response;
}

EditorResponse AcquisitionEditor::pressContour(CanvasPoint point, PointerButton button) {
    const std::vector<CanvasPoint>& vertices = geometry_.contour;
    const std::size_t count = vertices.size();
    EditorResponse refused;
    refused.beep = true;
    if (count >= 3 && button == PointerButton::Left) {
        // The new edge against every edge but the one ending at the last vertex.
        for (std::size_t i = 0; i + 2 < count; ++i) {
            if (SegmentsIntersect(vertices[count - 1], point, vertices[i], vertices[i + 1])) return refused;
        }
    }
    if (count >= 3 && button == PointerButton::Right) {
        // The closing edge against every edge that shares no vertex with it.
        for (std::size_t i = 1; i + 2 < count; ++i) {
            if (SegmentsIntersect(vertices[0], vertices[count - 1], vertices[i], vertices[i + 1])) return refused;
        }
    }
    if (button == PointerButton::Right) return closeContour();
    EditorResponse response;
    response.modified = response.overlay = true;
    response.redraw = count > 0;
    firstClick_ = bandShown_ = true;
    geometry_.contour.push_back(point);
    anchor_ = point;
    response.edit = GeometryEdit{GeometryEdit::Part::AddedVertex, {}, {}};
    response.edit->after.contour.push_back(point);
    return response;
}

EditorResponse AcquisitionEditor::closeContour() {
    mode_ = DrawingMode::None;
    dropHalfDrawn();
    EditorResponse response;
    if (geometry_.contour.size() < 3) {
        response.message =
            MessageRequest{"Contour not valid", "Try to create a countour polygon with 3 or more than sides.",
                           MessageIcon::Exclamation, MessageButtons::Ok};
    }
    response.redraw = response.overlay = response.surface = response.releaseContourButton = response.beep = true;
    return response;
}

EditorResponse AcquisitionEditor::move(double x, double y) {
    pointerX_ = x;
    pointerY_ = y;
    EditorResponse response;
    if (draggedCorner_ != 0) {
        geometry_.dragCorner(draggedCorner_ - 1, roundToCanvas(x, y));
        response.modified = response.redraw = true;
    } else if (firstClick_) {
        bandShown_ = true;
        response.overlay = true;
    }
    return response;
}

EditorResponse AcquisitionEditor::release() {
    EditorResponse response;
    if (draggedCorner_ != 0 && geometry_.rectangle != rectangleBeforeDrag_) {
        response.edit = GeometryEdit{GeometryEdit::Part::Rectangle, {}, {}};
        response.edit->before.rectangle = rectangleBeforeDrag_;
        response.edit->after.rectangle = geometry_.rectangle;
    }
    draggedCorner_ = 0;
    response.redraw = mode_ == DrawingMode::None;
    return response;
}

EditorResponse AcquisitionEditor::setMode(DrawingMode mode) {
    if (firstClick_) return {};
    mode_ = mode;
    EditorResponse response;
    response.redraw = true;
    return response;
}

EditorResponse AcquisitionEditor::startScanline() { return setMode(DrawingMode::Scanline); }

EditorResponse AcquisitionEditor::startDiscontinuities() { return setMode(DrawingMode::Discontinuity); }

EditorResponse AcquisitionEditor::startContour() {
    EditorResponse response = setMode(DrawingMode::Contour);
    if (mode_ != DrawingMode::Contour || firstClick_) return response;
    response.modified = !geometry_.contour.empty();
    response.surface = true;
    if (response.modified) {
        response.edit = GeometryEdit{GeometryEdit::Part::Contour, {}, {}};
        response.edit->before.contour = std::move(geometry_.contour);
    }
    geometry_.clearContour();
    return response;
}

EditorResponse AcquisitionEditor::showRectangle(double innerWidth, double innerHeight) {
    // Like the mode commands it waits for a half-drawn segment: ending the
    // mode under it would leave a segment that no click can finish.
    EditorResponse response = setMode(DrawingMode::None);
    if (firstClick_) return response;
    if (!geometry_.hasRectangle()) {
        response.edit = GeometryEdit{GeometryEdit::Part::Rectangle, {}, {}};
        response.edit->before.rectangle = geometry_.rectangle;
        geometry_.rectangle = AcquisitionGeometry::defaultRectangle(innerWidth, innerHeight);
        response.edit->after.rectangle = geometry_.rectangle;
        response.modified = true;
    }
    return response;
}

EditorResponse AcquisitionEditor::clearDiscontinuities() {
    EditorResponse response;
    response.modified = !geometry_.traces.empty();
    response.redraw = response.overlay = true;
    const std::span<const Trace> finished = completedTraces();
    if (!finished.empty()) {
        response.edit = GeometryEdit{GeometryEdit::Part::Traces, {}, {}};
        response.edit->before.traces.assign(finished.begin(), finished.end());
    }
    // The half-drawn trace goes with the others; its second click has nothing left to finish.
    if (mode_ == DrawingMode::Discontinuity) dropHalfDrawn();
    geometry_.clearDisc();
    return response;
}

EditorResponse AcquisitionEditor::clearAll() {
    AcquisitionGeometry empty;
    empty.scaleText = geometry_.scaleText;
    EditorResponse response;
    response.modified = geometry_ != empty;
    response.redraw = response.overlay = response.surface = response.releaseAllButtons = true;
    AcquisitionGeometry finished = finishedGeometry();
    if (finished != empty) {
        response.edit = GeometryEdit{GeometryEdit::Part::Whole, std::move(finished), empty};
    }
    geometry_ = std::move(empty);
    mode_ = DrawingMode::None;
    // A segment left half drawn would block every mode command afterwards.
    dropHalfDrawn();
    draggedCorner_ = 0;
    return response;
}

AcquisitionGeometry AcquisitionEditor::finishedGeometry() const {
    AcquisitionGeometry finished = geometry_;
    if (mode_ == DrawingMode::Discontinuity && firstClick_ && !finished.traces.empty()) finished.traces.pop_back();
    if (mode_ == DrawingMode::Scanline && firstClick_) finished.scanline = scanlineBefore_;
    if (draggedCorner_ != 0) finished.rectangle = rectangleBeforeDrag_;
    return finished;
}

bool AcquisitionEditor::discardStroke() {
    bool dropped = false;
    if (draggedCorner_ != 0) {
        geometry_.rectangle = rectangleBeforeDrag_;
        draggedCorner_ = 0;
        dropped = true;
    }
    if (firstClick_ && mode_ != DrawingMode::Contour) {
        if (mode_ == DrawingMode::Discontinuity && !geometry_.traces.empty()) geometry_.traces.pop_back();
        if (mode_ == DrawingMode::Scanline) geometry_.scanline = scanlineBefore_;
        dropHalfDrawn();
        dropped = true;
    }
    return dropped;
}

void AcquisitionEditor::replay(const GeometryEdit& edit, bool forward) {
    discardStroke();
    ApplyGeometryEdit(geometry_, edit, forward);
    if (mode_ != DrawingMode::Contour) return;
    if (edit.part == GeometryEdit::Part::Contour || edit.part == GeometryEdit::Part::Whole) {
        mode_ = DrawingMode::None;
        dropHalfDrawn();
        return;
    }
    // The open contour goes on from its last vertex; the band waits for the pointer to move.
    bandShown_ = false;
    firstClick_ = !geometry_.contour.empty();
    if (firstClick_) anchor_ = geometry_.contour.back();
}

EditorResponse AcquisitionEditor::togglePicture() {
    pictureHidden_ = !pictureHidden_;
    EditorResponse response;
    response.redraw = true;
    return response;
}

EditorResponse AcquisitionEditor::scaleEdited(const std::string& text) {
    EditorResponse response;
    response.modified = text != geometry_.scaleText;
    response.surface = true;
    geometry_.scaleText = text;
    return response;
}

}  // namespace ravelin
