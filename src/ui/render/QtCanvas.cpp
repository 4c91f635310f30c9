#include "ui/render/QtCanvas.h"

#include <QPaintDevice>

namespace ravelin {

QColor toQColor(Rgb color) { return QColor(color.red(), color.green(), color.blue()); }

QFont toQFont(const FontSpec& font) {
    // "MS Sans Serif" is a bitmap face of another system; Arial is the outline
    // face of the same proportions the program ships metrics for.
    const bool bitmapFace = font.name == "MS Sans Serif";
    QFont qfont(bitmapFace ? QStringLiteral("Arial") : QString::fromStdString(font.name));
    qfont.setPointSizeF(font.size > 0 ? font.size : 8.25);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    return qfont;
}

QtCanvas::QtCanvas(QPainter& painter, double widthTwips, double heightTwips)
    : painter_(painter), width_(widthTwips), height_(heightTwips) {
    const QPaintDevice* device = painter.device();
    dpi_ = device ? device->logicalDpiX() : 96;
    scale_ = dpi_ / 1440.0;
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    setPen(colors::Black, 1);
    setFont(font_);
}

QRectF QtCanvas::rect(double x1, double y1, double x2, double y2) const {
    return QRectF(at(std::min(x1, x2), std::min(y1, y2)), at(std::max(x1, x2), std::max(y1, y2)));
}

void QtCanvas::clear(Rgb color) {
    painter_.fillRect(QRectF(0, 0, width_ * scale_, height_ * scale_), toQColor(color));
}

void QtCanvas::setPen(Rgb color, double widthPixels) {
    // Widths are screen pixels; a printer or PDF gets the same physical thickness.
    QPen pen(toQColor(color));
    pen.setWidthF(std::max(1.0, widthPixels) * dpi_ / 96.0);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void QtCanvas::line(double x1, double y1, double x2, double y2) { painter_.drawLine(at(x1, y1), at(x2, y2)); }

void QtCanvas::box(double x1, double y1, double x2, double y2) {
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(rect(x1, y1, x2, y2));
    painter_.restore();
}

void QtCanvas::fillBox(double x1, double y1, double x2, double y2, Rgb fill) {
    painter_.fillRect(rect(x1, y1, x2, y2), toQColor(fill));
}

void QtCanvas::circle(double cx, double cy, double radius) {
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(at(cx, cy), radius * scale_, radius * scale_);
    painter_.restore();
}

void QtCanvas::setFont(const FontSpec& font) {
    font_ = font;
    painter_.setFont(toQFont(font));
}

void QtCanvas::text(double x, double y, const std::string& utf8) {
    const QPointF origin = at(x, y);
    painter_.drawText(QRectF(origin, QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                      QString::fromStdString(utf8));
}

void QtCanvas::rotatedText(double x, double y, const std::string& utf8, int angleTenths) {
    painter_.save();
    painter_.translate(at(x, y));
    painter_.rotate(-angleTenths / 10.0);  // counter-clockwise on screen
    painter_.drawText(QRectF(QPointF(0, 0), QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                      QString::fromStdString(utf8));
    painter_.restore();
}

}  // namespace ravelin
