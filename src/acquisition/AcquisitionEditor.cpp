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
    return *this;
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
    }
    return response;
}

EditorResponse AcquisitionEditor::pressScanline(CanvasPoint point, PointerButton button) {
    EditorResponse response;
    if (button == PointerButton::Right) return response;
    response.modified = response.redraw = response.overlay = true;
    if (!firstClick_) {
        // A new scanline replaces the old one from its first click on.
        geometry_.scanline = {point, CanvasPoint{}};
        firstClick_ = bandShown_ = true;
        anchor_ = point;
    } else {
        geometry_.scanline[1] = point;
        dropHalfDrawn();
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
    return response;
}

EditorResponse AcquisitionEditor::closeContour() {
    mode_ = DrawingMode::None;
    dropHalfDrawn();
    EditorResponse response;
    if (geometry_.contour.size() < 3) {
        response.message = MessageRequest{"Contour not valid",
                                          "Try to create a countour polygon with 3 or more than sides.",
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
    draggedCorner_ = 0;
    EditorResponse response;
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
    geometry_.clearContour();
    return response;
}

EditorResponse AcquisitionEditor::showRectangle(double innerWidth, double innerHeight) {
    // Like the mode commands it waits for a half-drawn segment: ending the
    // mode under it would leave a segment that no click can finish.
    EditorResponse response = setMode(DrawingMode::None);
    if (firstClick_) return response;
    if (!geometry_.hasRectangle()) {
        geometry_.rectangle = AcquisitionGeometry::defaultRectangle(innerWidth, innerHeight);
        response.modified = true;
    }
    return response;
}

EditorResponse AcquisitionEditor::clearDiscontinuities() {
    EditorResponse response;
    response.modified = !geometry_.traces.empty();
    response.redraw = response.overlay = true;
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
    geometry_ = std::move(empty);
    mode_ = DrawingMode::None;
    // A segment left half drawn would block every mode command afterwards.
    dropHalfDrawn();
    draggedCorner_ = 0;
    return response;
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
