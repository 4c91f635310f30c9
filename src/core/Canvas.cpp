#include "core/Canvas.h"

namespace ravelin {

namespace {
DrawOp op(DrawOp::Kind kind, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0) {
    DrawOp result;
    result.kind = kind;
    result.x1 = x1;
    result.y1 = y1;
    result.x2 = x2;
    result.y2 = y2;
    return result;
}
}  // namespace

void RecordingCanvas::clear(Rgb color) {
    DrawOp clear = op(DrawOp::Kind::Clear);
    clear.color = color;
    ops_.push_back(std::move(clear));
}

void RecordingCanvas::setPen(Rgb color, double widthPixels) {
    pen_ = color;
    penWidth_ = widthPixels;
    DrawOp pen = op(DrawOp::Kind::Pen);
    pen.color = color;
    pen.penWidth = widthPixels;
    ops_.push_back(std::move(pen));
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2) {
    stroke(op(DrawOp::Kind::Line, x1, y1, x2, y2));
}

void RecordingCanvas::box(double x1, double y1, double x2, double y2) {
    stroke(op(DrawOp::Kind::Box, x1, y1, x2, y2));
}

void RecordingCanvas::fillBox(double x1, double y1, double x2, double y2, Rgb fill) {
    DrawOp box = op(DrawOp::Kind::FillBox, x1, y1, x2, y2);
    box.color = fill;
    box.penWidth = penWidth_;
    ops_.push_back(std::move(box));
}

void RecordingCanvas::circle(double cx, double cy, double radius) {
    stroke(op(DrawOp::Kind::Circle, cx, cy, radius, 0));
}

void RecordingCanvas::setFont(const FontSpec& font) {
    font_ = font;
    DrawOp change = op(DrawOp::Kind::Font);
    change.font = font;
    ops_.push_back(std::move(change));
}

void RecordingCanvas::text(double x, double y, const std::string& utf8) {
    DrawOp text = op(DrawOp::Kind::Text, x, y);
    text.font = font_;
    text.text = utf8;
    stroke(std::move(text));
}

void RecordingCanvas::rotatedText(double x, double y, const std::string& utf8, int angleTenths) {
    DrawOp text = op(DrawOp::Kind::RotatedText, x, y);
    text.font = font_;
    text.text = utf8;
    text.angleTenths = angleTenths;
    stroke(std::move(text));
}

void RecordingCanvas::stroke(DrawOp drawn) {
    drawn.color = pen_;
    drawn.penWidth = penWidth_;
    ops_.push_back(std::move(drawn));
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
