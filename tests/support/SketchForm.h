#pragma once
// A small drawing window for tests of pointer input, layers and views:
// a press anchors a segment, moves drag an inverting rubber band on the
// overlay, the release commits the segment to the static layer; the right
// button drops it. Ctrl + wheel is the window's own. Every pointer event
// it hears is kept.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Drawing.h"
#include "core/Form.h"

namespace ravelin::testing {

class SketchForm : public Form {
public:
    explicit SketchForm(Session& s) : Form(s, "frmSketch", "Sketch") {
        Drawing& sketch = drawing(add(ControlKind::PictureBox, "picCanvas"));
        sketch.navigable = true;
        sketch.unitTwips = 15;  // a drawing unit is a pixel at 96 per inch
        sketch.setSize(2000, 1500);
        add(ControlKind::PictureBox, "picOff").withEnabled(false);
    }
    Control& canvas() { return at("picCanvas"); }
    const Drawing& sketch() const { return *findDrawing(at("picCanvas")); }

    struct Heard {
        std::string what;
        PointerEvent event;
    };
    std::vector<Heard> heard;
    std::vector<std::pair<DrawPoint, DrawPoint>> segments;

protected:
    void onPointerPress(Control&, const PointerEvent& e) override {
        heard.push_back({"press", e});
        if (e.buttons == buttons::Left) anchor_ = DrawPoint{e.x, e.y};
        if (e.buttons == buttons::Right) {
            anchor_.reset();
            rubberBand(std::nullopt);
        }
    }
    void onPointerMove(Control&, const PointerEvent& e) override {
        heard.push_back({"move", e});
        if (anchor_) rubberBand(DrawPoint{e.x, e.y});
    }
    void onPointerRelease(Control& c, const PointerEvent& e) override {
        heard.push_back({"release", e});
        if (!anchor_ || e.buttons != buttons::Left) return;
        segments.push_back({*anchor_, {e.x, e.y}});
        anchor_.reset();
        RecordingCanvas& committed = drawing(c).staticLayer();
        committed.reset();
        committed.setPen(Rgb::fromRgb(0, 0, 255));
        for (const auto& [a, b] : segments) committed.line(a.x, a.y, b.x, b.y);
        drawingChanged(c, DrawingLayer::Static);
        rubberBand(std::nullopt);
    }
    void onDoubleClick(Control& c) override { heard.push_back({"double click " + c.name(), {}}); }
    bool onPointerWheel(Control&, const PointerEvent& e) override {
        heard.push_back({"wheel", e});
        return e.shift & shift::Ctrl;
    }

private:
    void rubberBand(std::optional<DrawPoint> to) {
        RecordingCanvas& overlay = drawing(canvas()).overlay();
        overlay.reset();
        if (anchor_ && to) {
            overlay.setPen({colors::Black, 1, LineStyle::Solid, PenMode::Invert});
            overlay.line(anchor_->x, anchor_->y, to->x, to->y);
        }
        drawingChanged(canvas(), DrawingLayer::Overlay);
    }
    std::optional<DrawPoint> anchor_;
};

}  // namespace ravelin::testing
