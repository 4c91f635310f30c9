#pragma once
// The core's Canvas on a QPainter: twips become device pixels through the
// device's logical resolution, so the same drawing serves the screen,
// images, SVG, PDF and the printer.

#include <QPainter>

#include "core/Canvas.h"

namespace ravelin {

class QtCanvas : public Canvas {
public:
    // The painter's device must be active; widthTwips x heightTwips is the inner area.
    QtCanvas(QPainter& painter, double widthTwips, double heightTwips);

    double width() const override { return width_; }
    double height() const override { return height_; }

    void clear(Rgb color) override;
    void setPen(Rgb color, double widthPixels = 1) override;
    void line(double x1, double y1, double x2, double y2) override;
    void box(double x1, double y1, double x2, double y2) override;
    void fillBox(double x1, double y1, double x2, double y2, Rgb fill) override;
    void circle(double cx, double cy, double radius) override;
    void setFont(const FontSpec& font) override;
    const FontSpec& font() const override { return font_; }
    void text(double x, double y, const std::string& utf8) override;
    void rotatedText(double x, double y, const std::string& utf8, int angleTenths) override;

    double pixelsPerTwip() const { return scale_; }

private:
    QPointF at(double x, double y) const { return {x * scale_, y * scale_}; }
    QRectF rect(double x1, double y1, double x2, double y2) const;

    QPainter& painter_;
    double width_;
    double height_;
    double scale_;
    double dpi_;
    FontSpec font_{"Arial", 8.25};
};

QColor toQColor(Rgb color);
QFont toQFont(const FontSpec& font);

}  // namespace ravelin
