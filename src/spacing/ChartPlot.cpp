#include "spacing/ChartPlot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/NumberText.h"
#include "spacing/DensityLaws.h"
#include "spacing/Variogram.h"

namespace ravelin {

namespace {

constexpr double kLeftMargin = 1000;  // twips at print scale 1
constexpr double kRightMargin = 200;
constexpr double kVerticalMargin = 800;
constexpr double kLabelOffset = 100;  // between a tick's end and its label
constexpr double kLongTick = 30;      // vertical axis
constexpr double kShortTick = 10;
constexpr double kLongClassTick = 60;  // horizontal axis
constexpr double kShortClassTick = 40;
// Curve points closer than this to the last one drawn are skipped: below a
// twip nothing shows, and a curve of 32767 classes keeps a few thousand segments.
constexpr double kSmallestStep = 1;
// More vertical ticks than this cannot be told apart; larger ranges tick in
// bigger decades (a semivariogram below 100 keeps its 0.1 ticks).
constexpr double kMostVerticalTicks = 1000;

// The chart's y-up coordinates on a y-down canvas.
class UpCanvas {
public:
    explicit UpCanvas(Canvas& canvas) : canvas_(canvas), height_(canvas.height()) {}
    Canvas& canvas() { return canvas_; }
    void line(double x1, double y1, double x2, double y2) { canvas_.line(x1, height_ - y1, x2, height_ - y2); }
    void box(double x1, double y1, double x2, double y2) { canvas_.box(x1, height_ - y2, x2, height_ - y1); }
    void fillBox(double x1, double y1, double x2, double y2, Rgb fill) {
        canvas_.fillBox(x1, height_ - y2, x2, height_ - y1, fill);
    }
    // Text whose top edge lies at y.
    void text(double x, double top, const std::string& text) { canvas_.text(x, height_ - top, text); }
    void path(const PenPath& points) {
        if (points.size() < 2) return;
        ChartPoint last = points.front();
        for (std::size_t i = 1; i < points.size(); ++i) {
            const ChartPoint& p = points[i];
            const bool final = i + 1 == points.size();
            if (!final && std::fabs(p.x - last.x) < kSmallestStep && std::fabs(p.y - last.y) < kSmallestStep) continue;
            line(last.x, last.y, p.x, p.y);
            last = p;
        }
    }

private:
    Canvas& canvas_;
    double height_;
};

FontSpec chartFont(double scale) { return FontSpec{"Arial", 8 * scale, true}; }

// A vertical tick on the left axis (outwards) and on the right edge (inwards), with an optional label.
void verticalTick(UpCanvas& up, double x0, double right, double y, double length, const std::string* label) {
    up.line(x0, y, x0 - length, y);
    up.line(right, y, right - length, y);
    if (!label) return;
    const double width = up.canvas().textWidth(*label);
    up.text(x0 - length - kLabelOffset - width, y + kLabelOffset, *label);
}

// A tick on the bottom axis and on the top edge (both downwards), with an optional centred label.
void horizontalTick(UpCanvas& up, double x, double y0, double top, double length, const std::string* label) {
    up.line(x, y0, x, y0 - length);
    up.line(x, top, x, top - length);
    if (!label) return;
    const double width = up.canvas().textWidth(*label);
    // Centred under its tick, but moved in where it would pass an edge of the picture (the last label, narrow margins).
    const double left = std::clamp(x - width / 2, 0.0, std::max(0.0, up.canvas().width() - width));
    up.text(left, y0 - length - kLabelOffset, *label);
}

struct LawCurve {
    Rgb color;
    PenPath path;  // chart coordinates (y up)
    const char* name;
    int box;  // its check box in the options window, the legend's order
};

// The curves of the chosen laws in drawing order: exponential, triangular, normal, lognormal.
std::vector<LawCurve> lawCurves(const HistogramFigures& figures, const LawChoice& laws, const PlotArea& area) {
    const SampleStatistics& s = figures.statistics;
    const long long samples = figures.classes * SamplesPerClass;
    const double subStep = figures.interval / static_cast<double>(SamplesPerClass);
    const double k = CountScale(figures.n, laws.relative);
    std::vector<LawCurve> curves;
    if (laws.exponential) {
        curves.push_back({chartcolors::Exponential,
                          ExponentialCurve(ExponentialDensities(samples, subStep, s.mean), area, k),
                          "Negative exponential", 0});
    }
    if (laws.triangular) {
        PenPath line;
        if (auto ends = TriangularLine(figures.n, s.mean, figures.interval, area)) line = {ends->first, ends->second};
        curves.push_back({chartcolors::Triangular, std::move(line), "Triangular", 3});
    }
    // Without spread the normal and lognormal laws have no density to draw.
    if (laws.normal && s.stdDev > 0) {
        curves.push_back(
            {chartcolors::Normal, FlattenedCurve(NormalDensities(samples, subStep, s), area, k), "Normal", 1});
    }
    if (laws.lognormal && s.stdDev > 0) {
        curves.push_back(
            {chartcolors::Lognormal, FlattenedCurve(LognormalDensities(samples, subStep, s), area, k), "Lognormal", 2});
    }
    return curves;
}

PlotArea histogramArea(const Canvas& canvas, const HistogramFigures& figures, double f) {
    PlotArea area;
    area.x0 = kLeftMargin * f;
    area.right = canvas.width() - kRightMargin * f;
    area.y0 = kVerticalMargin * f;
    area.top = canvas.height() - kVerticalMargin * f;
    area.classWidth = (area.right - area.x0) / static_cast<double>(figures.classes);
    area.countHeight = (area.top - area.y0) / figures.range.ymax;
    return area;
}

FontSpec legendFont(double scale) { return FontSpec{"Arial", 8 * scale, false}; }

// Curve points the legend should not cover: a few thousand per curve are enough to judge a place.
constexpr std::size_t kLegendPointsPerCurve = 4000;

std::optional<LegendLayout> legendFor(const Canvas& canvas, const HistogramFigures& figures,
                                      const std::vector<LawCurve>& curves, const PlotArea& area, double f,
                                      const std::vector<CanvasRect>& keepClear) {
    LegendLayout legend;
    // Listed in the order of the options window's check boxes.
    for (int box = 0; box < 4; ++box) {
        for (const LawCurve& curve : curves)
            if (curve.box == box && !curve.path.empty()) legend.entries.push_back({curve.name, curve.color});
    }
    if (legend.entries.empty()) return std::nullopt;
    const FontSpec font = legendFont(f);
    double widest = 0;
    for (const LegendEntry& entry : legend.entries) widest = std::max(widest, measureText(font, entry.name).width);
    const double rowHeight = measureText(font, "Tg").height;
    const double width = (2 * legendsize::Padding + legendsize::Stroke + legendsize::Gap) * f + widest;
    const double height = 2 * legendsize::Padding * f + rowHeight * static_cast<double>(legend.entries.size());

    const double h = canvas.height();
    std::vector<CanvasRect> solid = keepClear;
    for (long long j = 1; j <= figures.classes; ++j) {
        const double left = area.x0 + static_cast<double>(j - 1) * area.classWidth;
        const double count = static_cast<double>(figures.counts[static_cast<std::size_t>(j)]);
        const double top = area.y0 + count * area.countHeight;
        solid.push_back({left, h - top, left + area.classWidth, h - area.y0});
    }
    std::vector<DrawPoint> points;
    for (const LawCurve& curve : curves) {
        const std::size_t stride = std::max<std::size_t>(1, curve.path.size() / kLegendPointsPerCurve);
        for (std::size_t i = 0; i < curve.path.size(); i += stride)
            points.push_back({curve.path[i].x, h - curve.path[i].y});
    }
    const CanvasRect plot{area.x0, h - area.top, area.right, h - area.y0};
    const auto frame = PlaceLegend(plot, width, height, legendsize::Inset * f, solid, points);
    if (!frame) return std::nullopt;
    legend.frame = *frame;
    for (const CanvasRect& r : solid) legend.hiddenArea += OverlapArea(*frame, r);
    return legend;
}

}  // namespace

void PlotHistogramOn(Canvas& canvas, const HistogramFigures& figures, const LawChoice& laws, double scale,
                     const std::vector<CanvasRect>& keepClear) {
    if (figures.status != HistogramStatus::Ok && figures.status != HistogramStatus::NotFinite) return;
    UpCanvas up(canvas);
    const double f = scale;
    canvas.setFont(chartFont(f));
    canvas.setPen(colors::Black, 1);

    const PlotArea area = histogramArea(canvas, figures, f);
    const double plotWidth = area.right - area.x0;
    const double plotHeight = area.top - area.y0;
    const long long classes = figures.classes;

    for (long long j = 1; j <= classes; ++j) {
        const double left = area.x0 + static_cast<double>(j - 1) * area.classWidth;
        const double height = static_cast<double>(figures.counts[static_cast<std::size_t>(j)]) * area.countHeight;
        up.fillBox(left, area.y0, left + area.classWidth, area.y0 + height, chartcolors::Bar);
    }
    for (long long j = 1; j <= classes; ++j) {
        const double left = area.x0 + static_cast<double>(j - 1) * area.classWidth;
        const double height = static_cast<double>(figures.counts[static_cast<std::size_t>(j)]) * area.countHeight;
        up.box(left, area.y0, left + area.classWidth, area.y0 + height);
    }

    // Vertical ticks every s counts; positions and range rounded to whole counts.
    const double step = TickStep(figures.range.e);
    const double wholeStep = std::max(1.0, std::nearbyint(step));
    const double wholeTop = std::nearbyint(figures.range.ymax);
    const int m = VerticalLabelStep(figures.range.ymax / step, canvas.textHeight("Tg"), plotHeight);
    long long k = 0;
    for (double v = 0; v <= wholeTop; v += wholeStep, ++k) {
        const double y = area.y0 + v * area.countHeight;
        bool labelled = true;
        if (m > 1) {
            if (k % (m / 2) != 0) continue;
            labelled = k % m == 0;
        }
        const std::string label = labelled ? formatNumber(v, "##0") : std::string();
        verticalTick(up, area.x0, area.right, y, labelled ? kLongTick : kShortTick, labelled ? &label : nullptr);
    }

    const int q = HorizontalLabelStep(canvas.textWidth("0.00"), classes, plotWidth);
    for (long long j = 0; j <= classes; ++j) {
        const double x = area.x0 + static_cast<double>(j) * area.classWidth;
        const bool labelled = j % q == 0;
        const std::string label =
            labelled ? formatNumber(static_cast<double>(j) * figures.interval, "0.0#") : std::string();
        horizontalTick(up, x, area.y0, area.top, labelled ? kLongClassTick : kShortClassTick,
                       labelled ? &label : nullptr);
    }

    if (figures.status != HistogramStatus::Ok) return;
    const std::vector<LawCurve> curves = lawCurves(figures, laws, area);
    for (const LawCurve& curve : curves) {
        canvas.setPen(curve.color, 1);
        up.path(curve.path);
    }
    canvas.setPen(colors::Black, 1);
    up.box(area.x0, area.y0, area.right, area.top);
    if (!laws.legend) return;
    if (auto legend = legendFor(canvas, figures, curves, area, f, keepClear))
        DrawLegend(canvas, *legend, legendFont(f), f);
}

std::optional<LegendLayout> HistogramLegend(const Canvas& canvas, const HistogramFigures& figures,
                                            const LawChoice& laws, double scale,
                                            const std::vector<CanvasRect>& keepClear) {
    if (figures.status != HistogramStatus::Ok) return std::nullopt;
    const PlotArea area = histogramArea(canvas, figures, scale);
    return legendFor(canvas, figures, lawCurves(figures, laws, area), area, scale, keepClear);
}

void PlotVariogramOn(Canvas& canvas, const std::vector<double>& gamma, double width, double scale) {
    if (gamma.empty()) return;
    const double largest = *std::max_element(gamma.begin(), gamma.end());
    const auto range = VerticalRangeOf(largest);
    if (!range) return;
    UpCanvas up(canvas);
    const double f = scale;
    canvas.setFont(chartFont(f));
    canvas.setPen(colors::Black, 1);
    const double x0 = kLeftMargin * f;
    const double xr = canvas.width() - kRightMargin * f;
    const double y0 = kVerticalMargin * f;
    const double yt = canvas.height() - kVerticalMargin * f;
    const auto lags = static_cast<long long>(gamma.size());
    const double lagWidth = (xr - x0) / static_cast<double>(lags);
    const double unitHeight = (yt - y0) / range->ymax;

    PenPath curve;
    for (long long h = 1; h <= lags; ++h) {
        const double value = gamma[static_cast<std::size_t>(h - 1)];
        curve.push_back({x0 + static_cast<double>(h) * lagWidth, y0 + value * unitHeight});
    }
    if (curve.size() == 1) curve.push_back(curve.front());  // one lag: a dot
    up.path(curve);

    // Ticks every 0.1 of semivariogram (every 10^d / 10 for very large ranges).
    double decade = 1;
    while (10 * range->ymax / decade > kMostVerticalTicks) decade *= 10;
    const double tick = decade / 10;
    const double step = TickStep(range->e);
    const int m = VariogramLabelStep(range->ymax / step, canvas.textHeight("Tg"), yt - y0);
    const long long lastTick = static_cast<long long>(std::nearbyint(range->ymax / tick));
    for (long long k = 0; k <= lastTick; ++k) {
        const double y = y0 + static_cast<double>(k) * tick * unitHeight;
        if (y > yt) break;
        bool labelled = true;
        if (m > 1) {
            if (k % (m / 2) != 0) continue;
            labelled = k % m == 0;
        }
        const std::string label =
            labelled ? formatNumber(static_cast<double>(k) * decade / 10, "##0.0#") : std::string();
        verticalTick(up, x0, xr, y, labelled ? kLongTick : kShortTick, labelled ? &label : nullptr);
    }

    const int q = LagLabelStep(canvas.textWidth("0.00"), lags, xr - x0);
    for (long long k = 0; k <= lags; ++k) {
        const double x = x0 + static_cast<double>(k) * lagWidth;
        const bool labelled = k % q == 0;
        const std::string label = labelled ? generalNumber(static_cast<double>(k) * width) : std::string();
        horizontalTick(up, x, y0, yt, labelled ? kLongClassTick : kShortClassTick, labelled ? &label : nullptr);
    }
    up.box(x0, y0, xr, yt);
}

}  // namespace ravelin
