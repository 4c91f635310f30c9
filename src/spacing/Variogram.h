#pragma once
// The experimental semivariogram of discontinuity counts along a scanline,
// without any window. The scanline is cut into consecutive windows of width
// w; window j covers [(j - 1) w, j w), so a position on an edge counts in
// the upper window, and the last window (the one holding the last position)
// is incomplete and not recorded.
//
// Units: positions and w are lengths along the scanline (metres); counts
// are numbers of discontinuities; the semivariogram is in counts squared.

#include <optional>
#include <vector>

namespace ravelin {

// Lags beyond a 16-bit count are not offered.
constexpr long long MaximumLags = 32767;
// More windows than this cannot be told apart on a chart; the cap also keeps
// the semivariogram (lags x windows steps) within seconds.
constexpr long long MaximumWindows = 100000;

// Positions from the scanline origin of the non-zero values, in row order:
// spacings accumulate, intersection distances are positions already.
std::vector<double> VariogramPositions(const std::vector<double>& values, bool spacings);

// Discontinuities per complete window; nullopt when more than MaximumWindows
// windows would be needed (or the width is not positive).
std::optional<std::vector<long long>> CountWindows(const std::vector<double>& positions, double width);

// gamma(h) for h = 1..min(maxLags, J - 1), returned 0-based (gamma[0] is lag 1).
std::vector<double> Semivariogram(const std::vector<long long>& counts, long long maxLags);

// Every m-th tick of 0.1 semivariogram is labelled (N tick intervals of text height T on a plot P high).
int VariogramLabelStep(double intervals, double textHeight, double plotHeight);
// Every q-th lag is labelled.
int LagLabelStep(double textWidth, long long lags, double plotWidth);

}  // namespace ravelin
