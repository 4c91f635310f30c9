#pragma once
// The core's Canvas on a QPainter: drawing units become device pixels
// through the device's logical resolution (twips) or through a view
// transform, so the same drawing serves the screen, images, SVG, PDF and
// the printer.

#include <QPainter>
#include <QRegion>
#include <vector>

#include "core/Canvas.h"
#include "core/ViewTransform.h"

namespace ravelin {

class QtCanvas : public Canvas {
public:
    // The painter's device must be active; widthTwips x heightTwips is the inner area, drawn in twips.
    QtCanvas(QPainter& painter, double widthTwips, double heightTwips);
    // A drawing of width x height drawing units shown through `view`;
    // `textZoom` scales texts (1 at actual size, where a point is 20 twips).
    QtCanvas(QPainter& painter, double width, double height, const ViewTransform& view, double textZoom);

    double width() const override { return width_; }
    double height() const override { return height_; }

    using Canvas::setPen;
    void clear(Rgb color) override;
    void setPen(const Pen& pen) override;
    void line(double x1, double y1, double x2, double y2) override;
    void lines(std::span<const DrawPoint> ends) override;
    void polyline(std::span<const DrawPoint> points) override;
    void polygon(std::span<const DrawPoint> points) override;
    void fillPolygon(std::span<const DrawPoint> points, Rgb fill) override;
    void box(double x1, double y1, double x2, double y2) override;
    void fillBox(double x1, double y1, double x2, double y2, Rgb fill) override;
    void circle(double cx, double cy, double radius) override;
    void setFont(const FontSpec& font) override;
    const FontSpec& font() const override { return font_; }
    void text(double x, double y, const std::string& utf8) override;
    void rotatedText(double x, double y, const std::string& utf8, int angleTenths) override;
    void setClip(double x1, double y1, double x2, double y2) override;
    void clearClip() override;
    void picture(const PictureHandle& picture, double x1, double y1, double x2, double y2) override;

    double pixelsPerUnit() const { return scale_; }

private:
    QPointF at(double x, double y) const { return {(x - originX_) * scale_, (y - originY_) * scale_}; }
    QRectF rect(double x1, double y1, double x2, double y2) const;
    // What the painter can reach: its clip, or its whole device (device-independent pixels).
    QRectF visibleArea() const;
    const QPolygonF& polygonOf(std::span<const DrawPoint> points);
    // Runs a stroke with the pen's mode: an inverting pen draws the difference with white.
    template <class Draw>
    void stroke(Draw draw);

    QPainter& painter_;
    double width_;
    double height_;
    double scale_;  // device pixels per drawing unit
    double originX_ = 0;
    double originY_ = 0;
    double textZoom_ = 1;
    double dpi_;
    bool invert_ = false;
    bool canInvert_ = false;
    FontSpec font_{"Arial", 8.25};
    // The painter's clip when the canvas was made (the region being
    // repainted): the drawing's own clips stay inside it.
    bool hadClip_ = false;
    QRegion baseClip_;
    std::vector<QLineF> lineBuffer_;
    QPolygonF polygonBuffer_;
};

QColor toQColor(Rgb color);
QFont toQFont(const FontSpec& font);

}  // namespace ravelin
