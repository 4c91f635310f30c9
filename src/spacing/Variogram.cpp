#include "spacing/Variogram.h"

#include <algorithm>
#include <cmath>

namespace ravelin {

std::vector<double> VariogramPositions(const std::vector<double>& values, bool spacings) {
    std::vector<double> positions;
    positions.reserve(values.size());
    double previous = 0;
    for (double x : values) {
        if (x == 0) continue;
        previous = spacings ? previous + x : x;
        positions.push_back(previous);
    }
    return positions;
}

std::optional<std::vector<long long>> CountWindows(const std::vector<double>& positions, double width) {
    if (!(width > 0)) return std::nullopt;
    std::vector<long long> counts;
    long long j = 1;
    long long start = 1;
    for (std::size_t k = 0; k < positions.size(); ++k) {
        const long long i = static_cast<long long>(k) + 1;
        while (positions[k] >= static_cast<double>(j) * width) {
            if (j > MaximumWindows) return std::nullopt;
            counts.push_back(i - start);
            start = i;
            ++j;
        }
    }
    return counts;
}

std::vector<double> Semivariogram(const std::vector<long long>& counts, long long maxLags) {
    const long long windows = static_cast<long long>(counts.size());
    const long long lags = std::max(0LL, std::min(maxLags, windows - 1));
    std::vector<double> gamma(static_cast<std::size_t>(lags), 0.0);
    for (long long h = 1; h <= lags; ++h) {
        double sum = 0;
        for (long long k = 0; k + h < windows; ++k) {
            const double d =
                static_cast<double>(counts[static_cast<std::size_t>(k)] - counts[static_cast<std::size_t>(k + h)]);
            sum += d * d;
        }
        gamma[static_cast<std::size_t>(h - 1)] = sum / static_cast<double>(windows - h) / 2;
    }
    return gamma;
}

int VariogramLabelStep(double intervals, double textHeight, double plotHeight) {
    const double needed = intervals * textHeight;
    int m = 1;
    if (needed > 0.04 * plotHeight) m = 2;
    if (needed > 0.1 * plotHeight) m = 8;
    if (needed > 0.2 * plotHeight) m = 16;
    if (needed > 0.4 * plotHeight) m = 32;
    if (needed > plotHeight) m = 64;
    return m;
}

int LagLabelStep(double textWidth, long long lags, double plotWidth) {
    const double needed = textWidth * static_cast<double>(lags + 2);
    int q = 1;
    if (needed > plotWidth) q = 2;
    if (needed / 2 > plotWidth) q = 5;
    if (needed / 4 > plotWidth) q = 10;
    if (needed / 8 > plotWidth) q = 40;
    if (needed / 10 > plotWidth) q = 100;
    return q;
}

}  // namespace ravelin
