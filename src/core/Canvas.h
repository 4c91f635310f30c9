#pragma once
// A drawing surface in twips (1/1440 inch) or another drawing unit of the
// form's, y growing downwards, origin at the top left of the surface's inner
// area. Charts, the stereonet and the acquisition overlays are written once
// against it: Qt draws it on the screen, in images, SVG, PDF and on the
// printer; tests record it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/DrawGeometry.h"
#include "core/FontMetrics.h"
#include "core/Form.h"
#include "core/Picture.h"

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

enum class LineStyle : std::uint8_t { Solid, Dash, Dot };

// Invert: every pixel the pen covers shows the inverse of what lies under it,
// so a rubber band stays visible over any photograph; its colour is ignored.
// Devices that cannot invert (SVG, PDF, printers) draw it in its colour.
enum class PenMode : std::uint8_t { Normal, Invert };

struct Pen {
    Rgb color = colors::Black;
    double width = 1;  // screen pixels; a printer gets the same physical thickness
    LineStyle style = LineStyle::Solid;
    PenMode mode = PenMode::Normal;
    bool operator==(const Pen&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Inner size of the surface (drawing units).
    virtual double width() const = 0;
    virtual double height() const = 0;

    virtual void clear(Rgb color) = 0;
    virtual void setPen(const Pen& pen) = 0;
    void setPen(Rgb color, double widthPixels = 1) { setPen(Pen{color, widthPixels}); }
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // Separate segments from each pair of points (a last unpaired point is ignored).
    virtual void lines(std::span<const DrawPoint> ends);
    // Open path through the points; polygon() closes it back to the first one.
    virtual void polyline(std::span<const DrawPoint> points);
    virtual void polygon(std::span<const DrawPoint> points);
    // Inside of the closed path, non-zero winding rule, without outline.
    virtual void fillPolygon(std::span<const DrawPoint> points, Rgb fill) = 0;
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
    // Later drawing stays inside the rectangle, until clearClip(); a new clip replaces the last.
    virtual void setClip(double x1, double y1, double x2, double y2) = 0;
    virtual void clearClip() = 0;
    // The whole picture scaled into the rectangle (x1, y1)-(x2, y2).
    virtual void picture(const PictureHandle& picture, double x1, double y1, double x2, double y2) = 0;

    // Measured size of a text in the current font (twips).
    virtual double textWidth(const std::string& utf8) const { return measureText(font(), utf8).width; }
    virtual double textHeight(const std::string& utf8) const { return measureText(font(), utf8).height; }
};

// One drawing operation as tests and exports see it; a recording keeps its
// operations compactly and builds these on demand.
struct DrawOp {
    enum class Kind : std::uint8_t {
        Clear,
        Line,
        Box,
        FillBox,
        Circle,
        Polyline,
        Polygon,
        FillPolygon,
        Text,
        RotatedText,
        Clip,
        ClearClip,
        Picture
    } kind = Kind::Clear;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // ends, corners; circle: (x1, y1) centre, x2 radius; text: (x1, y1)
    Rgb color;                              // pen colour of strokes and texts, fill colour of fills and clears
    double penWidth = 1;
    LineStyle lineStyle = LineStyle::Solid;
    PenMode penMode = PenMode::Normal;
    FontSpec font;                  // texts
    std::string text;               // texts
    int angleTenths = 0;            // rotated texts
    std::vector<DrawPoint> points;  // polylines and polygons
    PictureHandle picture;
};

// Keeps the operations: tests inspect them, views replay them. Geometry is
// one flat array of points with small records over it; consecutive lines of
// one pen share a record, and pens, fonts, texts and pictures sit in side
// tables, so tens of thousands of segments cost little more than their points.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(double width = 0, double height = 0) : width_(width), height_(height) {}

    void setSize(double width, double height) {
        width_ = width;
        height_ = height;
    }
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
    const FontSpec& font() const override { return fonts_[font_]; }
    void text(double x, double y, const std::string& utf8) override;
    void rotatedText(double x, double y, const std::string& utf8, int angleTenths) override;
    void setClip(double x1, double y1, double x2, double y2) override;
    void clearClip() override;
    void picture(const PictureHandle& picture, double x1, double y1, double x2, double y2) override;

    // Forgets every operation; the size, the pen and the font stay.
    void reset();
    bool empty() const { return records_.empty(); }
    // Replays every operation onto another canvas, scaled by `factor`.
    void replay(Canvas& target, double factor = 1) const;
    // What the operations cover (drawing units; texts measured in twips),
    // without the pens' width; nullopt when nothing is drawn. Views repaint
    // this much of an overlay.
    std::optional<DrawRect> bounds() const;
    double widestPen() const;  // pixels
    // Bytes held for the operations.
    std::size_t storageBytes() const;

    // Conveniences for tests: one operation per segment.
    std::vector<DrawOp> ops() const;
    std::vector<DrawOp> ofKind(DrawOp::Kind kind) const;
    std::vector<std::string> texts() const;

private:
    struct Record {
        DrawOp::Kind kind;
        std::uint32_t pen;    // in pens_: strokes and texts
        std::uint32_t first;  // first point in points_
        std::uint32_t count;  // points
        std::uint32_t item;   // fill colour (fills, clears), index in texts_ or pictures_
    };
    struct TextItem {
        std::string text;
        std::uint32_t font;
        int angleTenths;
    };
    void add(DrawOp::Kind kind, std::span<const DrawPoint> points, std::uint32_t item = 0);
    std::uint32_t currentPen();
    DrawOp expand(const Record& record, std::size_t segment) const;

    double width_;
    double height_;
    Pen pen_;
    std::uint32_t font_ = 0;
    std::vector<DrawPoint> points_;
    std::vector<Record> records_;
    std::vector<Pen> pens_;
    std::vector<FontSpec> fonts_{FontSpec{"Arial", 8.25}};
    std::vector<TextItem> texts_;
    std::vector<PictureHandle> pictures_;
};

}  // namespace ravelin
