#pragma once
// Drawing of a histogram (with its density laws) and of a variogram on any
// Canvas. The charts are computed with y growing upwards from the bottom of
// the surface and converted to the canvas's y downwards when drawn.
//
// The print scale f (1 on screen, 2 for the double-size picture) multiplies
// the margins (1000 left, 200 right, 800 top and bottom, twips) and the font
// size; tick lengths and label offsets stay in twips.

#include <optional>
#include <vector>

#include "core/Canvas.h"
#include "spacing/ChartLegend.h"
#include "spacing/Histogram.h"

namespace ravelin {

// Which laws are drawn, by the check boxes of the histogram options window.
struct LawChoice {
    bool exponential = false;  // Check1(0)
    bool normal = false;       // Check1(1)
    bool lognormal = false;    // Check1(2)
    bool triangular = false;   // Check1(3)
    bool relative = false;     // Check1(4) "Relative frequencies"
    bool legend = false;       // chkLegend: a legend naming the drawn laws
};

namespace chartcolors {
constexpr Rgb Bar{0xE6FFFF};          // RGB(255, 255, 230)
constexpr Rgb Exponential{0xFF0000};  // blue
constexpr Rgb Normal{0x00FF00};       // green
constexpr Rgb Lognormal{0xFF00FF};    // magenta
constexpr Rgb Triangular{0x0000FF};   // red
}  // namespace chartcolors

// Draws the bars, ticks and labels, the chosen laws and the frame, and the
// legend when asked for, clear of the `keepClear` rectangles (the window's
// labels, in canvas coordinates). A status that failed before the drawing
// draws nothing; NotFinite stops after the ticks.
void PlotHistogramOn(Canvas& canvas, const HistogramFigures& figures, const LawChoice& laws, double scale,
                     const std::vector<CanvasRect>& keepClear = {});

// The legend PlotHistogramOn draws (whether or not laws.legend asks for it):
// nullopt when no law is drawn or it does not fit in the plotting area.
std::optional<LegendLayout> HistogramLegend(const Canvas& canvas, const HistogramFigures& figures,
                                            const LawChoice& laws, double scale,
                                            const std::vector<CanvasRect>& keepClear);

// Draws the semivariogram gamma (lags 1..H) of windows `width` wide.
void PlotVariogramOn(Canvas& canvas, const std::vector<double>& gamma, double width, double scale);

}  // namespace ravelin
