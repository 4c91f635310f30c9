#pragma once
// The four density laws drawn over a spacing histogram, each fitted by the
// method of moments to the sample mean and standard deviation, and the
// curves that scale them to the histogram's bars.
//
// Notation: I is the class interval, h = I / 50 the sampling sub-step, N =
// classes x 50 the number of samples; sample i (1..N) is evaluated at
// x_i = i h - h/2 and drawn at X_i = x0 + i x classWidth / 50. The sampled
// value v_i = I f(x_i) is the probability of a class of width I around x_i;
// it is drawn at Y_i = y0 + v_i x countHeight x k, k being the count scale.
// Chart coordinates are twips with y growing upwards.

#include <optional>
#include <utility>
#include <vector>

#include "spacing/Histogram.h"

namespace ravelin {

// 2 pi as the laws take it (14 digits).
constexpr double LawTwoPi = 6.28318530717958;
constexpr long long SamplesPerClass = 50;

// Densities for x > 0 (1 / length). Mean and standard deviation must be positive.
double ExponentialDensity(double x, double mean);
double NormalDensity(double x, double mean, double stdDev);
double LognormalDensity(double x, double mean, double stdDev);
// A right triangle from its top at 0 down to 3 x mean; 0 beyond.
double TriangularDensity(double x, double mean);

// v_1..v_N, index 0 unused.
std::vector<double> ExponentialDensities(long long samples, double subStep, double mean);
std::vector<double> NormalDensities(long long samples, double subStep, const SampleStatistics& statistics);
std::vector<double> LognormalDensities(long long samples, double subStep, const SampleStatistics& statistics);

// n, or round(100 / n) (halves to even) for relative frequencies.
double CountScale(long long n, bool relative);

struct ChartPoint {
    double x = 0;
    double y = 0;
};

// Where a histogram's plotting area lies (chart coordinates).
struct PlotArea {
    double x0 = 0;           // left edge
    double y0 = 0;           // bottom edge (the horizontal axis)
    double right = 0;        // right edge
    double top = 0;          // upper edge
    double classWidth = 0;   // drawing length of one class
    double countHeight = 0;  // drawing length of one count
};

// A pen path: the first point is where the pen starts, each further point is
// reached by a straight segment.
using PenPath = std::vector<ChartPoint>;

// The exponential curve starts at the top edge where the curve comes down into the area.
PenPath ExponentialCurve(const std::vector<double>& values, const PlotArea& area, double countScale);
// Normal and lognormal: from the axis at x0 up to the first sample, parts above the area flattened onto its top.
PenPath FlattenedCurve(const std::vector<double>& values, const PlotArea& area, double countScale);
// The triangular law scaled by n (never by relative frequencies), cut at the
// top and right edges of the area; nullopt when nothing of it lies inside.
std::optional<std::pair<ChartPoint, ChartPoint>> TriangularLine(long long n, double mean, double interval,
                                                                const PlotArea& area);

}  // namespace ravelin
