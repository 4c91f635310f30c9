#include "acquisition/AcquisitionDrawing.h"

#include <vector>

namespace ravelin {

namespace {

DrawPoint at(CanvasPoint p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

Pen pen(Rgb color) { return Pen{color, kAcquisitionPenWidth}; }

}  // namespace

bool HasScanline(const std::array<CanvasPoint, 2>& scanline) {
    const CanvasPoint none{};
    const CanvasPoint fileNone{-10, -10};
    return !(scanline[0] == none && scanline[1] == none) && !(scanline[0] == fileNone && scanline[1] == fileNone);
}

void DrawRectangle(Canvas& canvas, const std::array<CanvasPoint, 4>& corners, double handleHalfSize) {
    if (corners[0].x == kNoRectangleX) return;
    // A rectangle with these x coordinates is never drawn (an old marker of "no rectangle yet").
    if (corners[0].x == 50 && corners[1].x == 1000 && corners[2].x == 1000 && corners[3].x == 50) return;
    const std::array<DrawPoint, 4> outline{at(corners[0]), at(corners[1]), at(corners[2]), at(corners[3])};
    canvas.setPen(pen(acquisition_colors::Rectangle));
    canvas.polygon(outline);
    for (const DrawPoint& corner : outline) {
        canvas.fillBox(corner.x - handleHalfSize, corner.y - handleHalfSize, corner.x + handleHalfSize,
                       corner.y + handleHalfSize, acquisition_colors::Rectangle);
    }
}

void DrawAcquisition(Canvas& canvas, const AcquisitionScene& scene) {
    if (scene.picture) canvas.picture(scene.picture, 0, 0, scene.width, scene.height);
    else canvas.fillBox(0, 0, scene.width, scene.height, acquisition_colors::Background);
    const AcquisitionGeometry& g = *scene.geometry;

    if (g.contour.size() > 1) {
        // Its edges as one batch of segments: a painter strokes a batch faster than a path with joins, and
        // leaves out the edges out of sight (a 200-vertex contour cost a zoom step 4 ms as a polygon).
        const std::size_t n = g.contour.size();
        std::vector<DrawPoint> edges;
        edges.reserve(2 * n);
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 1 == n && scene.contourOpen) break;  // open while drawn: no closing edge yet
            edges.push_back(at(g.contour[i]));
            edges.push_back(at(g.contour[(i + 1) % n]));
        }
        canvas.setPen(pen(acquisition_colors::Contour));
        canvas.lines(edges);
    }
    if (!scene.traces.empty()) {
        std::vector<DrawPoint> ends;
        ends.reserve(scene.traces.size() * 2);
        for (const Trace& t : scene.traces) {
            ends.push_back(at(t.end1));
            ends.push_back(at(t.end2));
        }
        canvas.setPen(Pen{acquisition_colors::Traces, scene.traces.size() > kThinTraces ? 1 : kAcquisitionPenWidth});
        canvas.lines(ends);
    }
    if (!scene.scanlineHalfDrawn && HasScanline(g.scanline)) {
        canvas.setPen(pen(acquisition_colors::Scanline));
        canvas.line(g.scanline[0].x, g.scanline[0].y, g.scanline[1].x, g.scanline[1].y);
    }
    if (scene.rectangle) DrawRectangle(canvas, g.rectangle, scene.handleHalfSize);
}

void DrawAcquisitionOverlay(Canvas& canvas, const std::optional<RubberBand>& band,
                            const std::array<CanvasPoint, 4>* draggedRectangle, double handleHalfSize) {
    if (draggedRectangle) DrawRectangle(canvas, *draggedRectangle, handleHalfSize);
    if (band) {
        canvas.setPen(Pen{colors::Black, 1, LineStyle::Solid, PenMode::Invert});
        canvas.line(band->anchor.x, band->anchor.y, band->x, band->y);
    }
}

}  // namespace ravelin
