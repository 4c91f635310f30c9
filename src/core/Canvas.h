#pragma once
// A drawing surface in twips (1/1440 inch), y growing downwards, origin at
// the top left of the surface's inner area. Charts, the stereonet and the
// acquisition overlays are written once against it: Qt draws it on the
// screen, in images, SVG, PDF and on the printer; tests record it.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Form.h"
#include "core/FontMetrics.h"

namespace ravelin {

// 24-bit colour with red in the low byte (0x0000FF is red, 0xFF0000 blue).
struct Rgb {
    std::uint32_t value = 0;
    static constexpr Rgb fromRgb(int r, int g, int b) {
        return Rgb{static_cast<std::uint32_t>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16))};
    }
    int red() const { return static_cast<int>(value & 255); }
    int green() const { return static_cast<int>((value >> 8) & 255); }
    int blue() const { return static_cast<int>((value >> 16) & 255); }
    bool operator==(const Rgb&) const = default;
};

namespace colors {
constexpr Rgb Black{0x000000};
constexpr Rgb White{0xFFFFFF};
}  // namespace colors

class Canvas {
public:
    virtual ~Canvas() = default;

    // Inner size of the surface (twips).
    virtual double width() const = 0;
    virtual double height() const = 0;

    virtual void clear(Rgb color) = 0;
    virtual void setPen(Rgb color, double widthPixels = 1) = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void box(double x1, double y1, double x2, double y2) = 0;  // outline with the pen
    virtual void fillBox(double x1, double y1, double x2, double y2, Rgb fill) = 0;
    virtual void circle(double cx, double cy, double radius) = 0;  // outline with the pen
    virtual void setFont(const FontSpec& font) = 0;
    virtual const FontSpec& font() const = 0;
    // Text with its top-left corner at (x, y).
    virtual void text(double x, double y, const std::string& utf8) = 0;
    // Text turned counter-clockwise by angleTenths (900 = reading upwards),
    // starting at (x, y), the top-left of the unrotated text.
    virtual void rotatedText(double x, double y, const std::string& utf8, int angleTenths) = 0;

    // Measured size of a text in the current font (twips).
    virtual double textWidth(const std::string& utf8) const { return measureText(font(), utf8).width; }
    virtual double textHeight(const std::string& utf8) const { return measureText(font(), utf8).height; }
};

// One drawing operation, as recorded.
struct DrawOp {
    enum class Kind { Clear, Pen, Line, Box, FillBox, Circle, Font, Text, RotatedText } kind = Kind::Clear;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // points; circle: (x1, y1) centre, x2 radius
    Rgb color;
    double penWidth = 1;
    FontSpec font;
    std::string text;
    int angleTenths = 0;
};

// Keeps the operations: tests inspect them, and windows with persistent
// drawing replay them on exposure.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(double width = 0, double height = 0) : width_(width), height_(height) {}

    void setSize(double width, double height) { width_ = width; height_ = height; }
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

    const std::vector<DrawOp>& ops() const { return ops_; }
    void reset() { ops_.clear(); }
    // Replays every operation onto another canvas, scaled by `factor`.
    void replay(Canvas& target, double factor = 1) const;

    // Conveniences for tests.
    std::vector<const DrawOp*> ofKind(DrawOp::Kind kind) const;
    std::vector<std::string> texts() const;

private:
    // Records an operation drawn with the current pen.
    void stroke(DrawOp drawn);

    double width_;
    double height_;
    FontSpec font_{"Arial", 8.25};
    Rgb pen_ = colors::Black;
    double penWidth_ = 1;
    std::vector<DrawOp> ops_;
};

}  // namespace ravelin
