#pragma once
// The picture of the projection window: the net, the data plotted on it,
// and the analyses drawn over them when asked for (density contours, the
// mean orientation with its cone of confidence, the kinematic zones with
// the critical poles and lines of intersection). Built as geometry in
// canvas units (twips, y down), which the window draws and the command
// line prints; drawn in one place so that the screen, the files and the
// printer show the same picture.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "projection/DensityContours.h"
#include "projection/FisherStatistics.h"
#include "projection/KinematicAnalysis.h"
#include "projection/Stereonet.h"
#include "projection/StructuralData.h"

namespace ravelin {

// The data of one plot command, kept so that the window can draw it again.
struct PlottedData {
    StructureType type = StructureType::Lines;
    std::vector<Reading> readings;
    int symbol = 0;  // 0..4, as the options window numbers them
    Rgb color;
    double coneAngle = 0;  // degrees, small circles only
    bool shown = true;     // false from "&Clear canvas" until the data is plotted again
};

// Which plot of the kinematic analysis the net shows: the poles of the
// planes (planar sliding and flexural toppling) or the lines of
// intersection of pairs of planes (wedge sliding).
enum class KinematicPlot { Poles = 0, Intersections = 1 };

struct NetAnalyses {
    bool contours = false;
    bool mean = false;
    std::optional<KinematicInputs> kinematic;  // none: no kinematic analysis
    KinematicPlot kinematicPlot = KinematicPlot::Poles;
};

// The lines and poles of the shown data, as plotted (poles rounded as the
// tool plots them); what the contours and the mean are taken over.
std::vector<Line> plottedPointLines(const std::vector<PlottedData>& data);
// Every shown row read as a plane (dip direction, dip), unrounded: what the
// kinematic analysis takes.
std::vector<Plane> plottedPlanes(const std::vector<PlottedData>& data);

struct MeanOrientation {
    // Vectors when every datum is a line, axes as soon as poles take part.
    FisherData kind = FisherData::Vectors;
    FisherStatistics statistics;
    std::optional<NetPoint> point;  // where the mean is drawn
    std::vector<Polyline> cone;     // the 95 % cone (both ends for axes)
};
MeanOrientation meanOrientation(const NetView& view, const std::vector<PlottedData>& data);

struct KinematicPicture {
    KinematicInputs inputs;
    KinematicPlot plot = KinematicPlot::Poles;
    std::vector<Plane> planes;  // as analysed, in reading order
    KinematicResult result;
    KinematicZones zones;
    // Pole plot: where the critical poles are drawn.
    std::vector<NetPoint> planarPoles;
    std::vector<NetPoint> topplingPoles;
    // Intersection plot: the critical lines of intersection (those listed),
    // and the most critical pair's two great circles and its line.
    std::vector<NetPoint> primaryLines;
    std::vector<NetPoint> secondaryLines;
    std::array<Polyline, 2> criticalPlanes;
    std::optional<NetPoint> criticalLine;
};
KinematicPicture kinematicPicture(const NetView& view, const std::vector<PlottedData>& data,
                                  const KinematicInputs& inputs, KinematicPlot plot);

// One shown data set as drawn: points for lines and poles, pen paths for
// planes and small circles.
struct PlottedLayer {
    StructureType type = StructureType::Lines;
    std::vector<NetPoint> points;
    std::vector<Polyline> curves;
    PointSymbol symbol;
    Rgb color;
};

struct NetPicture {
    NetView view{0, 0, 0, NetKind::Wulff, Hemisphere::Lower};
    bool blank = false;  // a cleared canvas: nothing at all is drawn
    std::vector<PlottedLayer> layers;
    std::optional<DensityContours> contours;  // asked for, on the Schmidt net
    bool contoursNeedSchmidt = false;         // asked for on the Wulff net: none drawn, the legend says why
    std::optional<MeanOrientation> mean;
    std::optional<KinematicPicture> kinematic;
};

// The picture of the shown data on a net, with the analyses asked for.
// `pause` runs between the steps of a long build (every few thousand data
// projected, before and after each analysis), as in drawNetPicture.
NetPicture buildNetPicture(const NetView& view, const std::vector<PlottedData>& data, const NetAnalyses& analyses,
                           const std::function<void()>& pause = {});

// Draws the picture on a canvas of the net's size. `pause` runs now and
// then during a long drawing (every few thousand items), so that a window
// can let its events run.
void drawNetPicture(Canvas& canvas, const NetPicture& picture, const std::function<void()>& pause = {});

// Colours of the picture.
namespace netcolors {
constexpr Rgb PlanarZone = Rgb::fromRgb(255, 212, 212);
constexpr Rgb TopplingZone = Rgb::fromRgb(212, 226, 255);
constexpr Rgb WedgePrimaryZone = Rgb::fromRgb(255, 208, 168);
constexpr Rgb WedgeSecondaryZone = Rgb::fromRgb(255, 240, 188);
constexpr Rgb PlanarCritical = Rgb::fromRgb(200, 0, 0);
constexpr Rgb TopplingCritical = Rgb::fromRgb(0, 70, 200);
constexpr Rgb WedgePrimary = Rgb::fromRgb(170, 0, 0);
constexpr Rgb WedgeSecondary = Rgb::fromRgb(225, 130, 0);
constexpr Rgb CriticalPair = Rgb::fromRgb(180, 0, 180);
constexpr Rgb Mean = colors::Black;
}  // namespace netcolors
// The colour of contour level k (0-based) of `count`, from blue through green to red.
Rgb contourColor(std::size_t k, std::size_t count);

}  // namespace ravelin
