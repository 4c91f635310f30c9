#include "spacing/DensityLaws.h"

#include <algorithm>
#include <cmath>

namespace ravelin {

double ExponentialDensity(double x, double mean) { return (1 / mean) * std::exp(-x / mean); }

double NormalDensity(double x, double mean, double stdDev) {
    const double z = (x - mean) / stdDev;
    return 1 / (std::sqrt(LawTwoPi) * stdDev) * std::exp(-0.5 * z * z);
}

double LognormalDensity(double x, double mean, double stdDev) {
    const double ratio = stdDev / mean;
    const double sigmaSquared = std::log(1 + ratio * ratio);
    const double sigma = std::sqrt(sigmaSquared);
    // ln x - mu with mu = ln(mean) - sigma^2 / 2, the location that gives the law the sample's mean.
    const double z = (std::log(x) - std::log(mean) + sigmaSquared * 0.5) / sigma;
    return 1 / (x * sigma * std::sqrt(LawTwoPi)) * std::exp(-0.5 * z * z);
}

double TriangularDensity(double x, double mean) {
    if (x < 0 || x > 3 * mean) return 0;
    return 2 / (3 * mean) * (1 - x / (3 * mean));
}

namespace {
template <class Density>
std::vector<double> sample(long long samples, double subStep, Density density) {
    std::vector<double> values(static_cast<std::size_t>(std::max(samples, 0LL)) + 1, 0.0);
    const double interval = subStep * static_cast<double>(SamplesPerClass);
    for (long long i = 1; i <= samples; ++i) {
        const double x = static_cast<double>(i) * subStep - subStep / 2;
        values[static_cast<std::size_t>(i)] = interval * density(x);
    }
    return values;
}
}  // namespace

std::vector<double> ExponentialDensities(long long samples, double subStep, double mean) {
    return sample(samples, subStep, [mean](double x) { return ExponentialDensity(x, mean); });
}

std::vector<double> NormalDensities(long long samples, double subStep, const SampleStatistics& s) {
    return sample(samples, subStep, [s](double x) { return NormalDensity(x, s.mean, s.stdDev); });
}

std::vector<double> LognormalDensities(long long samples, double subStep, const SampleStatistics& s) {
    return sample(samples, subStep, [s](double x) { return LognormalDensity(x, s.mean, s.stdDev); });
}

double CountScale(long long n, bool relative) {
    if (!relative) return static_cast<double>(n);
    return n > 0 ? std::nearbyint(100.0 / static_cast<double>(n)) : 0;
}

namespace {
ChartPoint samplePoint(const std::vector<double>& values, std::size_t i, const PlotArea& area, double countScale) {
    return {area.x0 + static_cast<double>(i) * area.classWidth / static_cast<double>(SamplesPerClass),
            area.y0 + values[i] * area.countHeight * countScale};
}
}  // namespace

PenPath ExponentialCurve(const std::vector<double>& values, const PlotArea& area, double countScale) {
    PenPath path;
    if (values.size() < 2) return path;
    const ChartPoint first = samplePoint(values, 1, area, countScale);
    const double start = first.y < area.top ? first.y : area.top;
    std::size_t i = 1;
    while (i < values.size() && samplePoint(values, i, area, countScale).y > area.top) ++i;
    if (i >= values.size()) return path;
    path.push_back({samplePoint(values, i, area, countScale).x, start});
    for (; i < values.size(); ++i) path.push_back(samplePoint(values, i, area, countScale));
    return path;
}

PenPath FlattenedCurve(const std::vector<double>& values, const PlotArea& area, double countScale) {
    PenPath path;
    if (values.size() < 2) return path;
    path.push_back({area.x0, area.y0});
    // The rise from the axis is flattened like the rest of the curve.
    path.push_back({area.x0, std::min(samplePoint(values, 1, area, countScale).y, area.top)});
    for (std::size_t i = 1; i < values.size(); ++i) {
        ChartPoint p = samplePoint(values, i, area, countScale);
        p.y = std::min(p.y, area.top);
        path.push_back(p);
    }
    return path;
}

std::optional<std::pair<ChartPoint, ChartPoint>> TriangularLine(long long n, double mean, double interval,
                                                                const PlotArea& area) {
    const double height = static_cast<double>(n) * area.countHeight * interval * 2 / (3 * mean);
    const double end = area.x0 + 3 * mean * area.classWidth / interval;
    if (!std::isfinite(height) || !std::isfinite(end) || height <= 0 || end <= area.x0) return std::nullopt;
    // The line y = y0 + height (1 - t), t = (x - x0) / (end - x0).
    auto heightAt = [&](double x) { return area.y0 + height * (1 - (x - area.x0) / (end - area.x0)); };
    auto xAt = [&](double y) { return area.x0 + (1 - (y - area.y0) / height) * (end - area.x0); };
    ChartPoint from{area.x0, area.y0 + height};
    if (from.y > area.top) from = {xAt(area.top), area.top};
    ChartPoint to{end, area.y0};
    if (to.x > area.right) to = {area.right, heightAt(area.right)};
    if (from.x >= to.x) return std::nullopt;
    return std::make_pair(from, to);
}

}  // namespace ravelin
