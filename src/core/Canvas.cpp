#include "core/Canvas.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace ravelin {

void Canvas::lines(std::span<const DrawPoint> ends) {
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2) line(ends[i].x, ends[i].y, ends[i + 1].x, ends[i + 1].y);
}

void Canvas::polyline(std::span<const DrawPoint> points) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        line(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y);
}

void Canvas::polygon(std::span<const DrawPoint> points) {
    polyline(points);
    if (points.size() > 2) line(points.back().x, points.back().y, points.front().x, points.front().y);
}

namespace {

constexpr std::uint32_t kUnresolved = std::numeric_limits<std::uint32_t>::max();
// Pens are looked for among the last few only: a drawing alternates between a handful.
constexpr std::size_t kPenLookBack = 8;

bool isStroke(DrawOp::Kind kind) {
    switch (kind) {
        case DrawOp::Kind::Line:
        case DrawOp::Kind::Box:
        case DrawOp::Kind::Circle:
        case DrawOp::Kind::Polyline:
        case DrawOp::Kind::Polygon:
        case DrawOp::Kind::Text:
        case DrawOp::Kind::RotatedText: return true;
        default: return false;
    }
}

}  // namespace

std::uint32_t RecordingCanvas::currentPen() {
    const std::size_t from = pens_.size() > kPenLookBack ? pens_.size() - kPenLookBack : 0;
    for (std::size_t i = pens_.size(); i-- > from;)
        if (pens_[i] == pen_) return static_cast<std::uint32_t>(i);
    pens_.push_back(pen_);
    return static_cast<std::uint32_t>(pens_.size() - 1);
}

void RecordingCanvas::add(DrawOp::Kind kind, std::span<const DrawPoint> points, std::uint32_t item) {
    const std::uint32_t pen = isStroke(kind) ? currentPen() : 0;
    // Consecutive segments of one pen share a record.
    if (kind == DrawOp::Kind::Line && !records_.empty() && records_.back().kind == kind && records_.back().pen == pen) {
        points_.insert(points_.end(), points.begin(), points.end());
        records_.back().count += static_cast<std::uint32_t>(points.size());
        return;
    }
    records_.push_back(
        Record{kind, pen, static_cast<std::uint32_t>(points_.size()), static_cast<std::uint32_t>(points.size()), item});
    points_.insert(points_.end(), points.begin(), points.end());
}

void RecordingCanvas::clear(Rgb color) { add(DrawOp::Kind::Clear, {}, color.value); }

void RecordingCanvas::setPen(const Pen& pen) { pen_ = pen; }

void RecordingCanvas::line(double x1, double y1, double x2, double y2) {
    const DrawPoint ends[] = {{x1, y1}, {x2, y2}};
    add(DrawOp::Kind::Line, ends);
}

void RecordingCanvas::lines(std::span<const DrawPoint> ends) {
    if (ends.size() >= 2) add(DrawOp::Kind::Line, ends.first(ends.size() & ~std::size_t{1}));
}

void RecordingCanvas::polyline(std::span<const DrawPoint> points) {
    if (!points.empty()) add(DrawOp::Kind::Polyline, points);
}

void RecordingCanvas::polygon(std::span<const DrawPoint> points) {
    if (!points.empty()) add(DrawOp::Kind::Polygon, points);
}

void RecordingCanvas::fillPolygon(std::span<const DrawPoint> points, Rgb fill) {
    if (!points.empty()) add(DrawOp::Kind::FillPolygon, points, fill.value);
}

void RecordingCanvas::box(double x1, double y1, double x2, double y2) {
    const DrawPoint corners[] = {{x1, y1}, {x2, y2}};
    add(DrawOp::Kind::Box, corners);
}

void RecordingCanvas::fillBox(double x1, double y1, double x2, double y2, Rgb fill) {
    const DrawPoint corners[] = {{x1, y1}, {x2, y2}};
    add(DrawOp::Kind::FillBox, corners, fill.value);
}

void RecordingCanvas::circle(double cx, double cy, double radius) {
    const DrawPoint centreAndRadius[] = {{cx, cy}, {radius, 0}};
    add(DrawOp::Kind::Circle, centreAndRadius);
}

void RecordingCanvas::setFont(const FontSpec& font) {
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i] == font) {
            font_ = static_cast<std::uint32_t>(i);
            return;
        }
    }
    fonts_.push_back(font);
    font_ = static_cast<std::uint32_t>(fonts_.size() - 1);
}

void RecordingCanvas::text(double x, double y, const std::string& utf8) { rotatedText(x, y, utf8, 0); }

void RecordingCanvas::rotatedText(double x, double y, const std::string& utf8, int angleTenths) {
    texts_.push_back({utf8, font_, angleTenths});
    const DrawPoint origin[] = {{x, y}};
    add(angleTenths == 0 ? DrawOp::Kind::Text : DrawOp::Kind::RotatedText, origin,
        static_cast<std::uint32_t>(texts_.size() - 1));
}

void RecordingCanvas::setClip(double x1, double y1, double x2, double y2) {
    const DrawPoint corners[] = {{x1, y1}, {x2, y2}};
    add(DrawOp::Kind::Clip, corners);
}

void RecordingCanvas::clearClip() { add(DrawOp::Kind::ClearClip, {}); }

void RecordingCanvas::picture(const PictureHandle& picture, double x1, double y1, double x2, double y2) {
    if (!picture) return;
    pictures_.push_back(picture);
    const DrawPoint corners[] = {{x1, y1}, {x2, y2}};
    add(DrawOp::Kind::Picture, corners, static_cast<std::uint32_t>(pictures_.size() - 1));
}

void RecordingCanvas::reset() {
    points_.clear();
    records_.clear();
    pens_.clear();
    texts_.clear();
    pictures_.clear();
    const FontSpec current = font();
    fonts_.assign(1, current);
    font_ = 0;
}

void RecordingCanvas::replay(Canvas& target, double factor) const {
    std::uint32_t pen = kUnresolved;
    std::uint32_t font = kUnresolved;
    std::vector<DrawPoint> scaled;
    for (const Record& r : records_) {
        const DrawPoint* p = points_.data() + r.first;
        auto at = [&](std::uint32_t i) { return DrawPoint{p[i].x * factor, p[i].y * factor}; };
        auto all = [&]() -> std::span<const DrawPoint> {
            if (factor == 1) return {p, r.count};
            scaled.resize(r.count);
            for (std::uint32_t i = 0; i < r.count; ++i) scaled[i] = at(i);
            return scaled;
        };
        if (isStroke(r.kind) && r.pen != pen) {
            pen = r.pen;
            target.setPen(pens_[pen]);
        }
        switch (r.kind) {
            case DrawOp::Kind::Clear: target.clear(Rgb{r.item}); break;
            case DrawOp::Kind::Line: target.lines(all()); break;
            case DrawOp::Kind::Polyline: target.polyline(all()); break;
            case DrawOp::Kind::Polygon: target.polygon(all()); break;
            case DrawOp::Kind::FillPolygon: target.fillPolygon(all(), Rgb{r.item}); break;
            case DrawOp::Kind::Box: target.box(at(0).x, at(0).y, at(1).x, at(1).y); break;
            case DrawOp::Kind::FillBox: target.fillBox(at(0).x, at(0).y, at(1).x, at(1).y, Rgb{r.item}); break;
            case DrawOp::Kind::Circle: target.circle(at(0).x, at(0).y, p[1].x * factor); break;
            case DrawOp::Kind::Text:
            case DrawOp::Kind::RotatedText: {
                const TextItem& t = texts_[r.item];
                if (t.font != font) {
                    font = t.font;
                    FontSpec resized = fonts_[font];
                    resized.size *= factor;
                    target.setFont(resized);
                }
                if (r.kind == DrawOp::Kind::Text) target.text(at(0).x, at(0).y, t.text);
                else target.rotatedText(at(0).x, at(0).y, t.text, t.angleTenths);
                break;
            }
            case DrawOp::Kind::Clip: target.setClip(at(0).x, at(0).y, at(1).x, at(1).y); break;
            case DrawOp::Kind::ClearClip: target.clearClip(); break;
            case DrawOp::Kind::Picture: target.picture(pictures_[r.item], at(0).x, at(0).y, at(1).x, at(1).y); break;
        }
    }
}

std::optional<DrawRect> RecordingCanvas::bounds() const {
    double left = std::numeric_limits<double>::infinity(), top = left;
    double right = -left, bottom = -left;
    auto take = [&](double x, double y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    };
    for (const Record& r : records_) {
        const DrawPoint* p = points_.data() + r.first;
        switch (r.kind) {
            case DrawOp::Kind::Clear:
                take(0, 0);
                take(width_, height_);
                break;
            case DrawOp::Kind::Circle:
                take(p[0].x - p[1].x, p[0].y - p[1].x);
                take(p[0].x + p[1].x, p[0].y + p[1].x);
                break;
            case DrawOp::Kind::Text:
            case DrawOp::Kind::RotatedText: {
                // The corners of the text's box, turned about its origin.
                const TextItem& t = texts_[r.item];
                const TextSize size = measureText(fonts_[t.font], t.text);
                const double a = t.angleTenths / 10.0 * std::numbers::pi / 180;
                const double c = std::cos(a), s = std::sin(a);
                for (const DrawPoint corner :
                     {DrawPoint{0, 0}, {size.width, 0}, {0, size.height}, {size.width, size.height}})
                    take(p[0].x + corner.x * c + corner.y * s, p[0].y - corner.x * s + corner.y * c);
                break;
            }
            case DrawOp::Kind::Clip:
            case DrawOp::Kind::ClearClip: break;
            default:
                for (std::uint32_t i = 0; i < r.count; ++i) take(p[i].x, p[i].y);
                break;
        }
    }
    if (left > right) return std::nullopt;
    return DrawRect{left, top, right, bottom};
}

double RecordingCanvas::widestPen() const {
    double widest = 0;
    for (const Pen& pen : pens_) widest = std::max(widest, pen.width);
    return widest;
}

std::size_t RecordingCanvas::storageBytes() const {
    std::size_t bytes = points_.size() * sizeof(DrawPoint) + records_.size() * sizeof(Record) +
                        pens_.size() * sizeof(Pen) + fonts_.size() * sizeof(FontSpec) +
                        pictures_.size() * sizeof(PictureHandle);
    for (const TextItem& t : texts_) bytes += sizeof(TextItem) + t.text.capacity();
    return bytes;
}

DrawOp RecordingCanvas::expand(const Record& r, std::size_t segment) const {
    DrawOp op;
    op.kind = r.kind;
    const DrawPoint* p = points_.data() + r.first;
    if (isStroke(r.kind)) {
        const Pen& pen = pens_[r.pen];
        op.color = pen.color;
        op.penWidth = pen.width;
        op.lineStyle = pen.style;
        op.penMode = pen.mode;
    }
    switch (r.kind) {
        case DrawOp::Kind::Clear: op.color = Rgb{r.item}; break;
        case DrawOp::Kind::Line: p += 2 * segment; [[fallthrough]];
        case DrawOp::Kind::Box:
        case DrawOp::Kind::FillBox:
        case DrawOp::Kind::Clip:
        case DrawOp::Kind::Picture:
            op.x1 = p[0].x;
            op.y1 = p[0].y;
            op.x2 = p[1].x;
            op.y2 = p[1].y;
            if (r.kind == DrawOp::Kind::FillBox) op.color = Rgb{r.item};
            if (r.kind == DrawOp::Kind::Picture) op.picture = pictures_[r.item];
            break;
        case DrawOp::Kind::Circle:
            op.x1 = p[0].x;
            op.y1 = p[0].y;
            op.x2 = p[1].x;
            break;
        case DrawOp::Kind::Polyline:
        case DrawOp::Kind::Polygon:
        case DrawOp::Kind::FillPolygon:
            op.points.assign(p, p + r.count);
            if (r.kind == DrawOp::Kind::FillPolygon) op.color = Rgb{r.item};
            break;
        case DrawOp::Kind::Text:
        case DrawOp::Kind::RotatedText: {
            const TextItem& t = texts_[r.item];
            op.x1 = p[0].x;
            op.y1 = p[0].y;
            op.text = t.text;
            op.font = fonts_[t.font];
            op.angleTenths = t.angleTenths;
            break;
        }
        case DrawOp::Kind::ClearClip: break;
    }
    return op;
}

std::vector<DrawOp> RecordingCanvas::ops() const {
    std::vector<DrawOp> result;
    for (const Record& r : records_) {
        const std::size_t count = r.kind == DrawOp::Kind::Line ? r.count / 2 : 1;
        for (std::size_t i = 0; i < count; ++i) result.push_back(expand(r, i));
    }
    return result;
}

std::vector<DrawOp> RecordingCanvas::ofKind(DrawOp::Kind kind) const {
    std::vector<DrawOp> result;
    for (const Record& r : records_) {
        if (r.kind != kind) continue;
        const std::size_t count = r.kind == DrawOp::Kind::Line ? r.count / 2 : 1;
        for (std::size_t i = 0; i < count; ++i) result.push_back(expand(r, i));
    }
    return result;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> result;
    for (const Record& r : records_)
        if (r.kind == DrawOp::Kind::Text || r.kind == DrawOp::Kind::RotatedText) result.push_back(texts_[r.item].text);
    return result;
}

}  // namespace ravelin
