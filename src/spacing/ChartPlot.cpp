#include "spacing/ChartPlot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/NumberText.h"
#include "spacing/DensityLaws.h"
#include "spacing/Variogram.h"

namespace ravelin {

namespace {

constexpr double kLeftMargin = 1000;    // twips at print scale 1
constexpr double kRightMargin = 200;
constexpr double kVerticalMargin = 800;
constexpr double kLabelOffset = 100;    // between a tick's end and its label
constexpr double kLongTick = 30;        // vertical axis
constexpr double kShortTick = 10;
constexpr double kLongClassTick = 60;   // horizontal axis
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
    up.text(x - width / 2, y0 - length - kLabelOffset, *label);
}

void drawLaws(UpCanvas& up, const HistogramFigures& figures, const LawChoice& laws, const PlotArea& area) {
    const SampleStatistics& s = figures.statistics;
    const long long samples = figures.classes * SamplesPerClass;
    const double subStep = figures.interval / static_cast<double>(SamplesPerClass);
    const double k = CountScale(figures.n, laws.relative);
    Canvas& canvas = up.canvas();
    if (laws.exponential) {
        canvas.setPen(chartcolors::Exponential, 1);
        up.path(ExponentialCurve(ExponentialDensities(samples, subStep, s.mean), area, k));
    }
    if (laws.triangular) {
        canvas.setPen(chartcolors::Triangular, 1);
        if (auto line = TriangularLine(figures.n, s.mean, figures.interval, area))
            up.line(line->first.x, line->first.y, line->second.x, line->second.y);
    }
    // Without spread the normal and lognormal laws have no density to draw.
    if (laws.normal && s.stdDev > 0) {
        canvas.setPen(chartcolors::Normal, 1);
        up.path(FlattenedCurve(NormalDensities(samples, subStep, s), area, k));
    }
    if (laws.lognormal && s.stdDev > 0) {
        canvas.setPen(chartcolors::Lognormal, 1);
        up.path(FlattenedCurve(LognormalDensities(samples, subStep, s), area, k));
    }
}

}  // namespace

void PlotHistogramOn(Canvas& canvas, const HistogramFigures& figures, const LawChoice& laws, double scale) {
    if (figures.status != HistogramStatus::Ok && figures.status != HistogramStatus::NotFinite) return;
    UpCanvas up(canvas);
    const double f = scale;
    canvas.setFont(chartFont(f));
    canvas.setPen(colors::Black, 1);

    PlotArea area;
    area.x0 = kLeftMargin * f;
    area.right = canvas.width() - kRightMargin * f;
    area.y0 = kVerticalMargin * f;
    area.top = canvas.height() - kVerticalMargin * f;
    const double plotWidth = area.right - area.x0;
    const double plotHeight = area.top - area.y0;
    const long long classes = figures.classes;
    area.classWidth = plotWidth / static_cast<double>(classes);
    area.countHeight = plotHeight / figures.range.ymax;

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
        const std::string label = labelled ? formatNumber(static_cast<double>(j) * figures.interval, "0.0#") : std::string();
        horizontalTick(up, x, area.y0, area.top, labelled ? kLongClassTick : kShortClassTick,
                       labelled ? &label : nullptr);
    }

    if (figures.status != HistogramStatus::Ok) return;
    drawLaws(up, figures, laws, area);
    canvas.setPen(colors::Black, 1);
    up.box(area.x0, area.y0, area.right, area.top);
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
        const std::string label = labelled ? formatNumber(static_cast<double>(k) * decade / 10, "##0.0#") : std::string();
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
