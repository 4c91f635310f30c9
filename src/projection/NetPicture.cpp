#include "projection/NetPicture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/NumberText.h"
#include "projection/StereonetCurves.h"

namespace ravelin {

namespace {

constexpr const char* kSigma = "\xCF\x83";
constexpr const char* kAlpha = "\xCE\xB1";
constexpr const char* kDegree = "\xC2\xB0";

// Items drawn between two pauses of a long drawing: some 10 ms of work.
constexpr std::size_t kItemsPerPause = 4000;

// Sizes in twips.
constexpr double kCriticalPoleRadius = 38;  // a little larger than a data circle, so it rims it
constexpr double kCriticalLineRadius = 22;  // intersections are many: smaller dots
constexpr double kCriticalRingRadius = 70;  // around the most critical line of intersection
constexpr double kMeanHalfSize = 45;        // the mean's square
constexpr double kLegendMargin = 60;        // legend text from the canvas edge
constexpr double kSwatchWidth = 180;        // a legend's colour sample
constexpr double kSwatchGap = 50;
constexpr int kFilledCircleSides = 16;        // a filled symbol reads as a disc at any zoom
constexpr std::size_t kMostLegendLevels = 6;  // contour levels named in the legend

const FontSpec kLegendFont{"Arial", 8};
const FontSpec kSymbolFont{"Arial", 8.25};
// Small enough that the letter, standing on the rim's gap, stays within the net's margin.
const FontSpec kNorthFont{"Arial", 8, true};
// The face's descent below the baseline, per em (Liberation Sans): the "N" stands on its baseline.
constexpr double kDescentPerEm = 0.212;
constexpr double kTwipsPerPoint = 20;

std::vector<DrawPoint> drawPoints(const Polyline& path) {
    std::vector<DrawPoint> points;
    points.reserve(path.size());
    for (const NetPoint& p : path) points.push_back({p.x, p.y});
    return points;
}

void strokePath(Canvas& canvas, const Polyline& path) {
    if (path.size() >= 2) canvas.polyline(drawPoints(path));
}

void fillPath(Canvas& canvas, const Polyline& path, Rgb color) {
    if (path.size() >= 3) canvas.fillPolygon(drawPoints(path), color);
}

void disc(Canvas& canvas, NetPoint c, double radius, Rgb fill) {
    std::vector<DrawPoint> polygon;
    polygon.reserve(kFilledCircleSides);
    for (int k = 0; k < kFilledCircleSides; ++k) {
        const double a = 2 * std::numbers::pi * k / kFilledCircleSides;
        polygon.push_back({c.x + radius * std::cos(a), c.y + radius * std::sin(a)});
    }
    canvas.fillPolygon(polygon, fill);
}

// Calls `pause` after every kItemsPerPause items.
class Pacer {
public:
    explicit Pacer(const std::function<void()>& pause) : pause_(pause) {}
    void item() {
        if (pause_ && ++count_ % kItemsPerPause == 0) pause_();
    }
    // Between two steps that each take a while.
    void step() {
        if (pause_) pause_();
    }

private:
    const std::function<void()>& pause_;
    std::size_t count_ = 0;
};

void drawSymbols(Canvas& canvas, const PlottedLayer& layer, Pacer& pacer) {
    canvas.setPen(layer.color);
    const PointSymbol& symbol = layer.symbol;
    if (symbol.shape == SymbolShape::Character) {
        canvas.setFont(kSymbolFont);
        const double w = canvas.textWidth(symbol.character);
        const double h = canvas.textHeight(symbol.character);
        for (const NetPoint& p : layer.points) {
            canvas.text(p.x - w / 2, p.y - h / 2, symbol.character);
            pacer.item();
        }
        return;
    }
    for (const NetPoint& p : layer.points) {
        if (symbol.shape == SymbolShape::FilledCircle) disc(canvas, p, symbol.radius, layer.color);
        canvas.circle(p.x, p.y, symbol.radius);
        pacer.item();
    }
}

void drawCurves(Canvas& canvas, const std::vector<Polyline>& curves, Pacer& pacer) {
    for (const Polyline& curve : curves) {
        strokePath(canvas, curve);
        pacer.item();
    }
}

// ---------------------------------------------------------------- legends

struct LegendLine {
    std::string text;
    std::optional<Rgb> line;  // a short line of this colour before the text
    std::optional<Rgb> fill;  // a filled sample of this colour before the text
};

enum class Corner { TopLeft, TopRight, BottomLeft };

void drawLegend(Canvas& canvas, const std::vector<LegendLine>& lines, Corner corner) {
    if (lines.empty()) return;
    canvas.setFont(kLegendFont);
    const double lineHeight = canvas.textHeight("Xg");
    double widest = 0;
    for (const LegendLine& l : lines) {
        const double sample = l.line || l.fill ? kSwatchWidth + kSwatchGap : 0;
        widest = std::max(widest, sample + canvas.textWidth(l.text));
    }
    const double left = corner == Corner::TopRight ? canvas.width() - kLegendMargin - widest : kLegendMargin;
    double y = corner == Corner::BottomLeft
                   ? canvas.height() - kLegendMargin - lineHeight * static_cast<double>(lines.size())
                   : kLegendMargin;
    for (const LegendLine& l : lines) {
        double x = left;
        const double middle = y + lineHeight / 2;
        if (l.fill) {
            canvas.fillBox(x, middle - lineHeight / 3, x + kSwatchWidth, middle + lineHeight / 3, *l.fill);
            canvas.setPen(colors::Black);
            canvas.box(x, middle - lineHeight / 3, x + kSwatchWidth, middle + lineHeight / 3);
        } else if (l.line) {
            canvas.setPen(Pen{*l.line, 1.5});
            canvas.line(x, middle, x + kSwatchWidth, middle);
        }
        if (l.line || l.fill) x += kSwatchWidth + kSwatchGap;
        canvas.setPen(colors::Black);
        canvas.text(x, y, l.text);
        y += lineHeight;
    }
}

std::string count(const ModeCount& m) {
    return std::to_string(m.critical) + "/" + std::to_string(m.total) + " (" + formatNumber(m.percent(), "0.0") + " %)";
}

std::vector<LegendLine> kinematicLegend(const KinematicPicture& k) {
    if (k.plot == KinematicPlot::Poles) {
        return {{"Planar " + count(k.result.planar), std::nullopt, netcolors::PlanarZone},
                {"Toppling " + count(k.result.toppling), std::nullopt, netcolors::TopplingZone}};
    }
    if (k.result.wedgesSkipped) {
        return {{"Wedges: more than " + std::to_string(kMaxWedgePlanes) + " planes", std::nullopt, std::nullopt}};
    }
    std::vector<LegendLine> lines = {
        {"Primary zone " + count(k.result.wedgePrimary), std::nullopt, netcolors::WedgePrimaryZone},
        {"Secondary zone " + count(k.result.wedgeSecondary), std::nullopt, netcolors::WedgeSecondaryZone}};
    if (k.criticalLine) lines.push_back({"Most critical pair", netcolors::CriticalPair, std::nullopt});
    return lines;
}

std::string sigmaText(double value) { return formatNumber(value, "0.#") + kSigma; }

std::vector<LegendLine> contourLegend(const NetPicture& picture) {
    if (picture.contoursNeedSchmidt) return {{"Contours: Schmidt net only", std::nullopt, std::nullopt}};
    if (!picture.contours) return {};
    const DensityContours& c = *picture.contours;
    std::vector<LegendLine> lines = {{"Kamb contours", std::nullopt, std::nullopt}};
    const std::size_t levels = c.contours.size();
    if (levels == 0) {
        lines.push_back({c.legend.n == 0 ? "no lines or poles" : "none above " + sigmaText(c.legend.levelStep),
                         std::nullopt, std::nullopt});
        return lines;
    }
    // Evenly chosen levels, the first and the last among them.
    const std::size_t named = std::min(levels, kMostLegendLevels);
    for (std::size_t i = 0; i < named; ++i) {
        const std::size_t k = named == 1 ? 0 : i * (levels - 1) / (named - 1);
        lines.push_back({sigmaText(c.contours[k].level), contourColor(k, levels), std::nullopt});
    }
    lines.push_back({"max " + sigmaText(c.legend.maximumSigma), std::nullopt, std::nullopt});
    return lines;
}

std::vector<LegendLine> meanLegend(const MeanOrientation& mean) {
    const FisherStatistics& s = mean.statistics;
    if (!s.mean) return {{"Mean: no lines or poles", std::nullopt, std::nullopt}};
    const std::string n = "n = " + std::to_string(s.n);
    std::string k = "K = ";
    if (!s.kappa) k += "-";
    else if (std::isinf(*s.kappa)) k += "\xE2\x88\x9E";  // every datum the same
    else k += formatNumber(*s.kappa, "0.0");
    const std::string alpha =
        std::string(kAlpha) + "95 = " + (s.alpha95 ? formatNumber(*s.alpha95, "0.0") + kDegree : std::string("-"));
    return {{"Mean " + formatNumber(s.mean->trend, "000") + "/" + formatNumber(s.mean->plunge, "00"), std::nullopt,
             std::nullopt},
            {k + ", " + alpha + ", " + n, std::nullopt, std::nullopt}};
}

// ---------------------------------------------------------------- parts of the picture

void drawZones(Canvas& canvas, const KinematicPicture& k) {
    const KinematicZones& z = k.zones;
    if (k.plot == KinematicPlot::Poles) {
        fillPath(canvas, z.planarZone, netcolors::PlanarZone);
        fillPath(canvas, z.topplingZone, netcolors::TopplingZone);
    } else {
        fillPath(canvas, z.wedgeSecondaryZone, netcolors::WedgeSecondaryZone);
        fillPath(canvas, z.wedgePrimaryZone, netcolors::WedgePrimaryZone);
    }
}

void drawZoneBoundaries(Canvas& canvas, const KinematicPicture& k) {
    const KinematicZones& z = k.zones;
    const Rgb grey = Rgb::fromRgb(90, 90, 90);
    if (k.plot == KinematicPlot::Poles) {
        canvas.setPen(Pen{netcolors::PlanarCritical, 1.5});
        strokePath(canvas, z.daylightEnvelope);
        canvas.setPen(Pen{grey, 1, LineStyle::Dash});
        for (const Polyline& p : z.poleFrictionCone) strokePath(canvas, p);
        canvas.setPen(Pen{grey, 1, LineStyle::Dot});
        for (const Polyline& p : z.planarLateralLimits) strokePath(canvas, p);
        canvas.setPen(Pen{netcolors::TopplingCritical, 1, LineStyle::Dash});
        for (const Polyline& p : z.topplingSlipLimit) strokePath(canvas, p);
        canvas.setPen(Pen{netcolors::TopplingCritical, 1, LineStyle::Dot});
        for (const Polyline& p : z.topplingLateralLimits) strokePath(canvas, p);
        return;
    }
    canvas.setPen(Pen{colors::Black, 2});
    strokePath(canvas, z.slopeGreatCircle);
    canvas.setPen(Pen{grey, 1, LineStyle::Dot});
    strokePath(canvas, z.frictionPlaneGreatCircle);
    canvas.setPen(Pen{grey, 1, LineStyle::Dash});
    for (const Polyline& p : z.lineFrictionCone) strokePath(canvas, p);
}

void drawCritical(Canvas& canvas, const KinematicPicture& k, Pacer& pacer) {
    auto dots = [&](const std::vector<NetPoint>& points, double radius, Rgb color) {
        for (const NetPoint& p : points) {
            disc(canvas, p, radius, color);
            pacer.item();
        }
    };
    if (k.plot == KinematicPlot::Poles) {
        dots(k.planarPoles, kCriticalPoleRadius, netcolors::PlanarCritical);
        dots(k.topplingPoles, kCriticalPoleRadius, netcolors::TopplingCritical);
        return;
    }
    dots(k.secondaryLines, kCriticalLineRadius, netcolors::WedgeSecondary);
    dots(k.primaryLines, kCriticalLineRadius, netcolors::WedgePrimary);
    canvas.setPen(Pen{netcolors::CriticalPair, 2});
    for (const Polyline& p : k.criticalPlanes) strokePath(canvas, p);
    if (k.criticalLine) canvas.circle(k.criticalLine->x, k.criticalLine->y, kCriticalRingRadius);
}

void drawContours(Canvas& canvas, const DensityContours& contours, Pacer& pacer) {
    const std::size_t levels = contours.contours.size();
    for (std::size_t k = 0; k < levels; ++k) {
        canvas.setPen(Pen{contourColor(k, levels), 1.25});
        drawCurves(canvas, contours.contours[k].paths, pacer);
    }
}

void drawMean(Canvas& canvas, const MeanOrientation& mean) {
    canvas.setPen(Pen{netcolors::Mean, 1.5});
    for (const Polyline& p : mean.cone) strokePath(canvas, p);
    if (!mean.point) return;
    const NetPoint p = *mean.point;
    canvas.fillBox(p.x - kMeanHalfSize, p.y - kMeanHalfSize, p.x + kMeanHalfSize, p.y + kMeanHalfSize, netcolors::Mean);
}

void drawNet(Canvas& canvas, const NetView& view) {
    canvas.setPen(colors::Black);
    strokePath(canvas, primitiveCircle(view));
    const RimMarks marks = rimMarks(view);
    for (const Polyline& tick : marks.ticks) strokePath(canvas, tick);
    canvas.setFont(kNorthFont);
    const double w = canvas.textWidth(marks.northLabel);
    const double h = canvas.textHeight(marks.northLabel);
    const double descent = kDescentPerEm * kNorthFont.size * kTwipsPerPoint;
    canvas.text(marks.northLabelAnchor.x - w / 2, marks.northLabelAnchor.y - h + descent, marks.northLabel);
}

}  // namespace

Rgb contourColor(std::size_t k, std::size_t count) {
    // Blue, green, orange, red: the usual reading of low to high density.
    static constexpr Rgb kStops[] = {Rgb::fromRgb(40, 80, 210), Rgb::fromRgb(30, 150, 60), Rgb::fromRgb(230, 140, 20),
                                     Rgb::fromRgb(200, 20, 20)};
    const double t = count <= 1 ? 0 : static_cast<double>(k) / static_cast<double>(count - 1);
    const double at = t * 3;
    const int i = std::min(static_cast<int>(at), 2);
    const double f = at - i;
    auto mix = [&](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * f)); };
    const Rgb from = kStops[i], to = kStops[i + 1];
    return Rgb::fromRgb(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

std::vector<Line> plottedPointLines(const std::vector<PlottedData>& data) {
    std::vector<Line> lines;
    for (const PlottedData& d : data) {
        if (!d.shown || (d.type != StructureType::Lines && d.type != StructureType::Poles)) continue;
        const std::vector<Line> plotted = plottedLines(d.readings, d.type);
        lines.insert(lines.end(), plotted.begin(), plotted.end());
    }
    return lines;
}

std::vector<Plane> plottedPlanes(const std::vector<PlottedData>& data) {
    std::vector<Plane> planes;
    for (const PlottedData& d : data) {
        if (!d.shown) continue;
        for (const Reading& r : d.readings) planes.push_back({r.direction, r.dip});
    }
    return planes;
}

MeanOrientation meanOrientation(const NetView& view, const std::vector<PlottedData>& data) {
    MeanOrientation mean;
    bool poles = false;
    for (const PlottedData& d : data) poles = poles || (d.shown && d.type == StructureType::Poles);
    mean.kind = poles ? FisherData::Axes : FisherData::Vectors;
    mean.statistics = fisherStatistics(plottedPointLines(data), mean.kind);
    const FisherStatistics& s = mean.statistics;
    if (!s.mean) return mean;
    mean.point = view.project(*s.mean);
    if (s.alpha95) {
        // An upward mean vector is drawn, as every line, by its lower end: its cone goes round that end too.
        const Line axis = lowerHemisphereLine(*s.mean).value_or(*s.mean);
        mean.cone = smallCircle(view, axis, *s.alpha95, mean.kind == FisherData::Axes);
    }
    return mean;
}

KinematicPicture kinematicPicture(const NetView& view, const std::vector<PlottedData>& data,
                                  const KinematicInputs& inputs, KinematicPlot plot) {
    KinematicPicture k;
    k.inputs = inputs;
    k.plot = plot;
    k.planes = plottedPlanes(data);
    k.result = kinematicAnalysis(inputs, k.planes);
    k.zones = kinematicZones(view, inputs);
    auto poleOf = [&](const Plane& plane) { return view.project({plane.dipDirection + 180, 90 - plane.dip}); };
    for (std::size_t i = 0; i < k.planes.size(); ++i) {
        if (k.result.planarCritical[i])
            if (auto p = poleOf(k.planes[i])) k.planarPoles.push_back(*p);
        if (k.result.topplingCritical[i])
            if (auto p = poleOf(k.planes[i])) k.topplingPoles.push_back(*p);
    }
    for (const PlanePair& pair : k.result.primaryPairs)
        if (auto p = view.project(pair.intersection)) k.primaryLines.push_back(*p);
    for (const PlanePair& pair : k.result.secondaryPairs)
        if (auto p = view.project(pair.intersection)) k.secondaryLines.push_back(*p);
    if (const auto& pair = k.result.mostCriticalPair) {
        k.criticalPlanes = {greatCircle(view, k.planes[pair->first]), greatCircle(view, k.planes[pair->second])};
        k.criticalLine = view.project(pair->intersection);
    }
    return k;
}

NetPicture buildNetPicture(const NetView& view, const std::vector<PlottedData>& data, const NetAnalyses& analyses,
                           const std::function<void()>& pause) {
    Pacer pacer(pause);
    NetPicture picture;
    picture.view = view;
    for (const PlottedData& d : data) {
        if (!d.shown) continue;
        PlottedLayer layer;
        layer.type = d.type;
        layer.symbol = pointSymbol(d.symbol);
        layer.color = d.color;
        switch (d.type) {
            case StructureType::Lines:
            case StructureType::Poles:
                layer.points.reserve(d.readings.size());
                for (const Line& line : plottedLines(d.readings, d.type)) {
                    if (auto p = view.project(line)) layer.points.push_back(*p);
                    pacer.item();
                }
                break;
            case StructureType::Planes:
                for (const Reading& r : d.readings) {
                    layer.curves.push_back(greatCircle(view, {r.direction, r.dip}));
                    pacer.item();
                }
                break;
            case StructureType::SmallCircles:
                for (const Reading& r : d.readings) {
                    for (Polyline& piece : smallCircle(view, {r.direction, r.dip}, d.coneAngle))
                        layer.curves.push_back(std::move(piece));
                    pacer.item();
                }
                break;
        }
        picture.layers.push_back(std::move(layer));
    }
    if (analyses.contours) {
        pacer.step();
        if (view.net() == NetKind::Schmidt) picture.contours = densityContours(view, plottedPointLines(data));
        else picture.contoursNeedSchmidt = true;
    }
    if (analyses.mean) {
        pacer.step();
        picture.mean = meanOrientation(view, data);
    }
    if (analyses.kinematic) {
        pacer.step();
        picture.kinematic = kinematicPicture(view, data, *analyses.kinematic, analyses.kinematicPlot);
    }
    return picture;
}

void drawNetPicture(Canvas& canvas, const NetPicture& picture, const std::function<void()>& pause) {
    canvas.clear(colors::White);
    if (picture.blank) return;
    Pacer pacer(pause);
    if (picture.kinematic) drawZones(canvas, *picture.kinematic);
    if (picture.contours) drawContours(canvas, *picture.contours, pacer);
    if (picture.kinematic) drawZoneBoundaries(canvas, *picture.kinematic);
    for (const PlottedLayer& layer : picture.layers) {
        if (layer.type == StructureType::Lines || layer.type == StructureType::Poles) {
            drawSymbols(canvas, layer, pacer);
        } else {
            canvas.setPen(layer.color);
            drawCurves(canvas, layer.curves, pacer);
        }
    }
    if (picture.kinematic) drawCritical(canvas, *picture.kinematic, pacer);
    if (picture.mean) drawMean(canvas, *picture.mean);
    drawNet(canvas, picture.view);
    if (picture.kinematic) drawLegend(canvas, kinematicLegend(*picture.kinematic), Corner::TopLeft);
    drawLegend(canvas, contourLegend(picture), Corner::TopRight);
    if (picture.mean) drawLegend(canvas, meanLegend(*picture.mean), Corner::BottomLeft);
}

}  // namespace ravelin
