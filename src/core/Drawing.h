#pragma once
// What a drawing-surface control (a PictureBox) shows, in the form's own
// drawing units. Two layers: the static one (picture and committed
// geometry), which a view keeps as a ready-made image, and the overlay
// (rubber band, handles, cursor marks), redrawn alone on top of it as the
// pointer moves. The view transform says how a view shows it.

#include "core/Canvas.h"
#include "core/ViewTransform.h"

namespace ravelin {

enum class DrawingLayer { Static, Overlay };

class Drawing {
public:
    RecordingCanvas& layer(DrawingLayer which) { return which == DrawingLayer::Static ? static_ : overlay_; }
    const RecordingCanvas& layer(DrawingLayer which) const {
        return which == DrawingLayer::Static ? static_ : overlay_;
    }
    RecordingCanvas& staticLayer() { return static_; }
    RecordingCanvas& overlay() { return overlay_; }
    const RecordingCanvas& staticLayer() const { return static_; }
    const RecordingCanvas& overlay() const { return overlay_; }

    // The drawing's extent (drawing units): both layers' size; fitting and scroll bars cover it.
    double width() const { return static_.width(); }
    double height() const { return static_.height(); }
    void setSize(double width, double height) {
        static_.setSize(width, height);
        overlay_.setSize(width, height);
    }
    // Both layers, the overlay last (exports, printing).
    void replay(Canvas& target, double factor = 1) const {
        static_.replay(target, factor);
        overlay_.replay(target, factor);
    }

    // The zoom and scroll position views show it with (Form::setView changes it).
    const ViewTransform& view() const { return view_; }
    // Whether the user may zoom and scroll it (wheel, middle-button drag,
    // scroll bars); a chart is shown at its actual size only.
    bool navigable = false;
    // Twips of one drawing unit at actual size (100 %): 1 when the form draws in twips.
    double unitTwips = 1;

private:
    friend class Form;
    RecordingCanvas static_;
    RecordingCanvas overlay_;
    ViewTransform view_;
};

}  // namespace ravelin
