#include "ui/render/QtCanvas.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <cmath>

#include "ui/render/QtPicture.h"

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

namespace {

double deviceDpi(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device ? device->logicalDpiX() : 96;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, double widthTwips, double heightTwips)
    : QtCanvas(painter, widthTwips, heightTwips, ViewTransform{}, 1) {
    scale_ = dpi_ / 1440.0;
}

QtCanvas::QtCanvas(QPainter& painter, double width, double height, const ViewTransform& view, double textZoom)
    : painter_(painter),
      width_(width),
      height_(height),
      scale_(view.scale()),
      originX_(view.origin().x),
      originY_(view.origin().y),
      textZoom_(textZoom),
      dpi_(deviceDpi(painter)) {
    const QPaintEngine* engine = painter.paintEngine();
    // Vector devices (SVG, PDF, printers) cannot blend with what lies under a stroke.
    canInvert_ = engine && engine->hasFeature(QPaintEngine::BlendModes);
    hadClip_ = painter.hasClipping();
    if (hadClip_) baseClip_ = painter.clipRegion();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    setPen(colors::Black, 1);
    setFont(font_);
}

QRectF QtCanvas::rect(double x1, double y1, double x2, double y2) const {
    return QRectF(at(std::min(x1, x2), std::min(y1, y2)), at(std::max(x1, x2), std::max(y1, y2)));
}

template <class Draw>
void QtCanvas::stroke(Draw draw) {
    if (!invert_) {
        draw();
        return;
    }
    painter_.setCompositionMode(QPainter::CompositionMode_Difference);
    draw();
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QtCanvas::clear(Rgb color) { painter_.fillRect(rect(0, 0, width_, height_), toQColor(color)); }

void QtCanvas::setPen(const Pen& pen) {
    invert_ = pen.mode == PenMode::Invert && canInvert_;
    // Widths are screen pixels; a printer or PDF gets the same physical thickness.
    QPen qpen(invert_ ? QColor(Qt::white) : toQColor(pen.color));
    qpen.setWidthF(std::max(1.0, pen.width) * dpi_ / 96.0);
    qpen.setCapStyle(Qt::FlatCap);
    switch (pen.style) {
        case LineStyle::Solid: qpen.setStyle(Qt::SolidLine); break;
        case LineStyle::Dash: qpen.setStyle(Qt::DashLine); break;
        case LineStyle::Dot: qpen.setStyle(Qt::DotLine); break;
    }
    painter_.setPen(qpen);
}

void QtCanvas::line(double x1, double y1, double x2, double y2) {
    stroke([&] { painter_.drawLine(at(x1, y1), at(x2, y2)); });
}

void QtCanvas::lines(std::span<const DrawPoint> ends) {
    // One call for the whole batch, without the segments that cannot show:
    // thousands of traces cost one pass of the rasteriser over those in sight.
    const QRectF sight = visibleArea().adjusted(-painter_.pen().widthF(), -painter_.pen().widthF(),
                                                painter_.pen().widthF(), painter_.pen().widthF());
    lineBuffer_.clear();
    lineBuffer_.reserve(ends.size() / 2);
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2) {
        const QPointF a = at(ends[i].x, ends[i].y), b = at(ends[i + 1].x, ends[i + 1].y);
        if (std::max(a.x(), b.x()) < sight.left() || std::min(a.x(), b.x()) > sight.right() ||
            std::max(a.y(), b.y()) < sight.top() || std::min(a.y(), b.y()) > sight.bottom())
            continue;
        lineBuffer_.emplace_back(a, b);
    }
    stroke([&] { painter_.drawLines(lineBuffer_.data(), static_cast<int>(lineBuffer_.size())); });
}

QRectF QtCanvas::visibleArea() const {
    if (painter_.hasClipping()) return painter_.clipBoundingRect();
    const QPaintDevice* device = painter_.device();
    if (!device) return {};
    return QRectF(QPointF(0, 0), QSizeF(device->width(), device->height()) / device->devicePixelRatioF());
}

const QPolygonF& QtCanvas::polygonOf(std::span<const DrawPoint> points) {
    polygonBuffer_.resize(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygonBuffer_[static_cast<qsizetype>(i)] = at(points[i].x, points[i].y);
    return polygonBuffer_;
}

void QtCanvas::polyline(std::span<const DrawPoint> points) {
    const QPolygonF& path = polygonOf(points);
    stroke([&] { painter_.drawPolyline(path); });
}

void QtCanvas::polygon(std::span<const DrawPoint> points) {
    const QPolygonF& path = polygonOf(points);
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    stroke([&] { painter_.drawPolygon(path); });
    painter_.restore();
}

void QtCanvas::fillPolygon(std::span<const DrawPoint> points, Rgb fill) {
    const QPolygonF& path = polygonOf(points);
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(toQColor(fill));
    painter_.drawPolygon(path, Qt::WindingFill);
    painter_.restore();
}

void QtCanvas::box(double x1, double y1, double x2, double y2) {
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    stroke([&] { painter_.drawRect(rect(x1, y1, x2, y2)); });
    painter_.restore();
}

void QtCanvas::fillBox(double x1, double y1, double x2, double y2, Rgb fill) {
    painter_.fillRect(rect(x1, y1, x2, y2), toQColor(fill));
}

void QtCanvas::circle(double cx, double cy, double radius) {
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    stroke([&] { painter_.drawEllipse(at(cx, cy), radius * scale_, radius * scale_); });
    painter_.restore();
}

void QtCanvas::setFont(const FontSpec& font) {
    font_ = font;
    FontSpec shown = font;
    shown.size = (font.size > 0 ? font.size : 8.25) * textZoom_;
    painter_.setFont(toQFont(shown));
}

void QtCanvas::text(double x, double y, const std::string& utf8) {
    const QPointF origin = at(x, y);
    stroke([&] {
        painter_.drawText(QRectF(origin, QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                          QString::fromStdString(utf8));
    });
}

void QtCanvas::rotatedText(double x, double y, const std::string& utf8, int angleTenths) {
    painter_.save();
    painter_.translate(at(x, y));
    painter_.rotate(-angleTenths / 10.0);  // counter-clockwise on screen
    stroke([&] {
        painter_.drawText(QRectF(QPointF(0, 0), QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                          QString::fromStdString(utf8));
    });
    painter_.restore();
}

void QtCanvas::setClip(double x1, double y1, double x2, double y2) {
    if (hadClip_) {
        painter_.setClipRegion(baseClip_);
        painter_.setClipRect(rect(x1, y1, x2, y2), Qt::IntersectClip);
    } else {
        painter_.setClipRect(rect(x1, y1, x2, y2));
    }
}

void QtCanvas::clearClip() {
    if (hadClip_) painter_.setClipRegion(baseClip_);
    else painter_.setClipping(false);
}

void QtCanvas::picture(const PictureHandle& handle, double x1, double y1, double x2, double y2) {
    const QRectF target = rect(x1, y1, x2, y2);
    if (!handle || target.isEmpty()) return;
    const auto* picture = dynamic_cast<const QtPicture*>(handle.get());
    if (!picture) {
        // A picture of another platform (a scripted one) has no pixels: its place shows.
        painter_.fillRect(target, QColor(224, 224, 224));
        return;
    }
    // Only the part that can show is drawn, from the smallest copy fine enough for it.
    const QRectF shown = target.intersected(visibleArea());
    if (shown.isEmpty()) return;
    const QPaintDevice* device = painter_.device();
    const double ratio = device ? device->devicePixelRatioF() : 1;
    const double devicePerPixel =
        ratio * std::max(target.width() / picture->width(), target.height() / picture->height());
    const QImage& image = picture->levelFor(devicePerPixel);
    const double sx = image.width() / target.width();
    const double sy = image.height() / target.height();
    const QRectF source((shown.left() - target.left()) * sx, (shown.top() - target.top()) * sy, shown.width() * sx,
                        shown.height() * sy);
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(shown, image, source);
    painter_.restore();
}

}  // namespace ravelin
