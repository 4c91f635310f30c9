#include "core/Canvas.h"

namespace ravelin {

void RecordingCanvas::clear(Rgb color) {
    DrawOp op{DrawOp::Kind::Clear};
    op.color = color;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::setPen(Rgb color, double widthPixels) {
    pen_ = color;
    penWidth_ = widthPixels;
    DrawOp op{DrawOp::Kind::Pen};
    op.color = color;
    op.penWidth = widthPixels;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2) {
    DrawOp op{DrawOp::Kind::Line, x1, y1, x2, y2, pen_, penWidth_};
    ops_.push_back(std::move(op));
}

void RecordingCanvas::box(double x1, double y1, double x2, double y2) {
    DrawOp op{DrawOp::Kind::Box, x1, y1, x2, y2, pen_, penWidth_};
    ops_.push_back(std::move(op));
}

void RecordingCanvas::fillBox(double x1, double y1, double x2, double y2, Rgb fill) {
    DrawOp op{DrawOp::Kind::FillBox, x1, y1, x2, y2, fill, penWidth_};
    ops_.push_back(std::move(op));
}

void RecordingCanvas::circle(double cx, double cy, double radius) {
    DrawOp op{DrawOp::Kind::Circle, cx, cy, radius, 0, pen_, penWidth_};
    ops_.push_back(std::move(op));
}

void RecordingCanvas::setFont(const FontSpec& font) {
    font_ = font;
    DrawOp op{DrawOp::Kind::Font};
    op.font = font;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::text(double x, double y, const std::string& utf8) {
    DrawOp op{DrawOp::Kind::Text, x, y, 0, 0, pen_, penWidth_, font_, utf8};
    ops_.push_back(std::move(op));
}

void RecordingCanvas::rotatedText(double x, double y, const std::string& utf8, int angleTenths) {
    DrawOp op{DrawOp::Kind::RotatedText, x, y, 0, 0, pen_, penWidth_, font_, utf8, angleTenths};
    ops_.push_back(std::move(op));
}

void RecordingCanvas::replay(Canvas& target, double factor) const {
    for (const DrawOp& op : ops_) {
        switch (op.kind) {
            case DrawOp::Kind::Clear: target.clear(op.color); break;
            case DrawOp::Kind::Pen: target.setPen(op.color, op.penWidth); break;
            case DrawOp::Kind::Line: target.line(op.x1 * factor, op.y1 * factor, op.x2 * factor, op.y2 * factor); break;
            case DrawOp::Kind::Box: target.box(op.x1 * factor, op.y1 * factor, op.x2 * factor, op.y2 * factor); break;
            case DrawOp::Kind::FillBox:
                target.fillBox(op.x1 * factor, op.y1 * factor, op.x2 * factor, op.y2 * factor, op.color);
                break;
            case DrawOp::Kind::Circle: target.circle(op.x1 * factor, op.y1 * factor, op.x2 * factor); break;
            case DrawOp::Kind::Font: {
                FontSpec font = op.font;
                font.size *= factor;
                target.setFont(font);
                break;
            }
            case DrawOp::Kind::Text: target.text(op.x1 * factor, op.y1 * factor, op.text); break;
            case DrawOp::Kind::RotatedText:
                target.rotatedText(op.x1 * factor, op.y1 * factor, op.text, op.angleTenths);
                break;
        }
    }
}

std::vector<const DrawOp*> RecordingCanvas::ofKind(DrawOp::Kind kind) const {
    std::vector<const DrawOp*> result;
    for (const DrawOp& op : ops_)
        if (op.kind == kind) result.push_back(&op);
    return result;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> result;
    for (const DrawOp& op : ops_)
        if (op.kind == DrawOp::Kind::Text || op.kind == DrawOp::Kind::RotatedText) result.push_back(op.text);
    return result;
}

}  // namespace ravelin
