#pragma once
// How an acquisition looks: the photograph (or an empty background), the
// contoured window, the traces, the scanline and the rectangular window
// with its corner handles, in canvas units on any canvas. The acquisition
// window draws its layers with it; printing, copying and the command
// line's pictures draw the same.

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "acquisition/AcquisitionEditor.h"
#include "acquisition/AcquisitionGeometry.h"
#include "core/Canvas.h"

namespace ravelin {

namespace acquisition_colors {
constexpr Rgb Contour = Rgb::fromRgb(255, 0, 0);
constexpr Rgb Traces = Rgb::fromRgb(0, 0, 255);
constexpr Rgb Scanline = Rgb::fromRgb(0, 150, 150);
constexpr Rgb Rectangle = Rgb::fromRgb(0, 200, 150);
constexpr Rgb Background = colors::White;
}  // namespace acquisition_colors

// Pen widths in screen pixels: one-pixel lines vanish in the grain of a photograph at any zoom below 100 %.
constexpr double kAcquisitionPenWidth = 2;
// Beyond this many traces they are drawn one pixel wide: a dense digitizing stays legible, and smoothed
// two-pixel lines take twice as long to draw (20,000 traces: a zoom step of 45 ms instead of 25 ms).
constexpr std::size_t kThinTraces = 2000;

struct AcquisitionScene {
    const AcquisitionGeometry* geometry = nullptr;
    std::span<const Trace> traces;  // the finished ones: a half-drawn trace is the rubber band's
    PictureHandle picture;          // null when there is none or it is hidden
    double width = 0;               // the drawing's extent, canvas units
    double height = 0;
    bool contourOpen = false;        // being drawn: no closing edge yet
    bool scanlineHalfDrawn = false;  // its second end is awaited: the rubber band shows it
    bool rectangle = true;           // false while a corner is dragged (the overlay shows it then)
    double handleHalfSize = 10;      // corner handles, canvas units
};

// The static layer: background, contour, traces, scanline, rectangle with its handles.
void DrawAcquisition(Canvas& canvas, const AcquisitionScene& scene);

// The rectangle 1-2-3-4-1 and a filled square handle on each corner, unless
// there is no rectangle (corner 1 at x = -10) or its corners' x are 50,
// 1000, 1000, 50, a rectangle that is never drawn.
void DrawRectangle(Canvas& canvas, const std::array<CanvasPoint, 4>& corners, double handleHalfSize);

// The overlay: the rubber band in the inverting pen, and the rectangle while one of its corners is dragged.
void DrawAcquisitionOverlay(Canvas& canvas, const std::optional<RubberBand>& band,
                            const std::array<CanvasPoint, 4>* draggedRectangle, double handleHalfSize);

// Whether there is a scanline: its ends are not both the empty (0, 0) nor both the file's "-10,-10".
bool HasScanline(const std::array<CanvasPoint, 2>& scanline);

}  // namespace ravelin
