#pragma once
// How a view shows a drawing: drawing units (the form's own: twips, canvas
// units) map to the view's device pixels as device = (drawing - origin) x
// scale. Zooming and panning change only this; the form keeps its geometry
// in drawing units whatever the zoom.

#include "core/DrawGeometry.h"

namespace ravelin {

class ViewTransform {
public:
    double scale() const { return scale_; }                    // device pixels per drawing unit, > 0
    DrawPoint origin() const { return origin_; }               // the drawing point at the viewport's top-left corner
    double viewportWidth() const { return viewportWidth_; }    // pixels
    double viewportHeight() const { return viewportHeight_; }  // pixels
    double minScale() const { return minScale_; }
    double maxScale() const { return maxScale_; }

    void setViewport(double widthPixels, double heightPixels);
    // Bounds of the scale (pixels per drawing unit), 0 < minimum <= maximum; the scale is brought inside.
    void setLimits(double minimum, double maximum);
    // Scale (pixels per drawing unit) within the limits; other values change nothing.
    void setScale(double scale);
    void setOrigin(DrawPoint origin) { origin_ = origin; }

    DrawPoint toDevice(DrawPoint drawing) const;
    DrawPoint toDrawing(DrawPoint device) const;
    DrawRect deviceRect(const DrawRect& drawing) const;
    DrawRect drawingRect(const DrawRect& device) const;
    // The viewport in drawing units.
    DrawRect visible() const;

    // Multiplies the scale by `factor` (kept within the limits), keeping the
    // drawing point under `device` (pixels) where it is. A factor that is not
    // finite and positive changes nothing.
    void zoomAbout(DrawPoint device, double factor);
    // Moves the drawing by (dx, dy) pixels, as a drag of the picture would.
    void panBy(double dx, double dy);
    // The whole of `content` (drawing units) as large as the viewport holds
    // it, centred; nothing changes for an empty content or viewport.
    void fit(const DrawRect& content);
    // One drawing unit as `pixelsPerUnit` pixels (100 %), the point under `device` kept in place.
    void actualSize(double pixelsPerUnit, DrawPoint device);

    bool operator==(const ViewTransform&) const = default;

private:
    double scale_ = 1;
    DrawPoint origin_;
    double viewportWidth_ = 0;
    double viewportHeight_ = 0;
    // Far beyond any useful zoom, yet away from underflow and overflow of the products.
    double minScale_ = 1e-6;
    double maxScale_ = 1e6;
};

}  // namespace ravelin
