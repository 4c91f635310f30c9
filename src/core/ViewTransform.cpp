#include "core/ViewTransform.h"

#include <algorithm>
#include <cmath>

namespace ravelin {

void ViewTransform::setViewport(double widthPixels, double heightPixels) {
    viewportWidth_ = std::max(0.0, widthPixels);
    viewportHeight_ = std::max(0.0, heightPixels);
}

void ViewTransform::setLimits(double minimum, double maximum) {
    if (!(minimum > 0) || !(maximum >= minimum) || !std::isfinite(maximum)) return;
    minScale_ = minimum;
    maxScale_ = maximum;
    scale_ = std::clamp(scale_, minScale_, maxScale_);
}

void ViewTransform::setScale(double scale) {
    if (std::isfinite(scale) && scale > 0) scale_ = std::clamp(scale, minScale_, maxScale_);
}

DrawPoint ViewTransform::toDevice(DrawPoint p) const {
    return {(p.x - origin_.x) * scale_, (p.y - origin_.y) * scale_};
}

DrawPoint ViewTransform::toDrawing(DrawPoint p) const { return {origin_.x + p.x / scale_, origin_.y + p.y / scale_}; }

DrawRect ViewTransform::deviceRect(const DrawRect& r) const {
    const DrawPoint a = toDevice({r.left, r.top});
    const DrawPoint b = toDevice({r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

DrawRect ViewTransform::drawingRect(const DrawRect& r) const {
    const DrawPoint a = toDrawing({r.left, r.top});
    const DrawPoint b = toDrawing({r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

DrawRect ViewTransform::visible() const { return drawingRect({0, 0, viewportWidth_, viewportHeight_}); }

void ViewTransform::zoomAbout(DrawPoint device, double factor) {
    if (!std::isfinite(factor) || factor <= 0) return;
    const DrawPoint fixed = toDrawing(device);
    setScale(scale_ * factor);
    origin_ = {fixed.x - device.x / scale_, fixed.y - device.y / scale_};
}

void ViewTransform::panBy(double dx, double dy) {
    if (!std::isfinite(dx) || !std::isfinite(dy)) return;
    origin_.x -= dx / scale_;
    origin_.y -= dy / scale_;
}

void ViewTransform::fit(const DrawRect& content) {
    if (content.empty() || viewportWidth_ <= 0 || viewportHeight_ <= 0) return;
    setScale(std::min(viewportWidth_ / content.width(), viewportHeight_ / content.height()));
    // Centred: the content's middle at the viewport's middle.
    origin_ = {(content.left + content.right) / 2 - viewportWidth_ / 2 / scale_,
               (content.top + content.bottom) / 2 - viewportHeight_ / 2 / scale_};
}

void ViewTransform::actualSize(double pixelsPerUnit, DrawPoint device) {
    if (!std::isfinite(pixelsPerUnit) || pixelsPerUnit <= 0) return;
    zoomAbout(device, pixelsPerUnit / scale_);
}

}  // namespace ravelin
