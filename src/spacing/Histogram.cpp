#include "spacing/Histogram.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "spacing/ValueSort.h"

namespace ravelin {

namespace {
// The decade search of the default interval runs in a 16-bit integer: it may
// reach 10000, and one more step overflows.
constexpr long long kLargestDecade = 10000;
// The largest count starts from this value, so an empty class list is "not positive".
constexpr long long kMaxCountStart = -50000;
}  // namespace

SampleStatistics Statistics(const std::vector<double>& data, std::size_t from, std::size_t to) {
    SampleStatistics result;
    if (data.empty() || from > to || to >= data.size()) return result;
    const double m = static_cast<double>(to - from + 1);
    double sum = 0;
    for (std::size_t i = from; i <= to; ++i) sum += data[i];
    result.sum = sum;
    if (to == from) {
        result.mean = data[from];
        return result;
    }
    result.mean = sum / m;
    double squares = 0;
    for (std::size_t i = from; i <= to; ++i) squares += (data[i] - result.mean) * (data[i] - result.mean);
    result.stdDev = std::sqrt(squares / (m - 1));
    return result;
}

SampleStatistics Statistics(const std::vector<double>& data) {
    return data.empty() ? SampleStatistics{} : Statistics(data, 0, data.size() - 1);
}

void ToSpacings(std::vector<double>& data) {
    for (std::size_t i = data.size(); i-- > 1;) data[i] -= data[i - 1];
}

double ScanlineLength(const std::vector<double>& data) {
    double sum = 0;
    for (double value : data) sum += value;
    return sum;
}

std::optional<double> DefaultInterval(const std::vector<double>& data) {
    if (data.empty()) return DefaultIntervalOfMean(0);
    double sum = 0;
    for (double value : data) sum += value;
    // As Statistics takes it: a single value is its own mean.
    return DefaultIntervalOfMean(data.size() == 1 ? data.front() : sum / static_cast<double>(data.size()));
}

std::optional<double> DefaultIntervalOfMean(double mean) {
    long long k = 10;
    while (static_cast<double>(k) * mean < 1) {
        if (k >= kLargestDecade) return std::nullopt;
        k *= 10;
    }
    const double kd = static_cast<double>(k);
    const double interval = roundHalfEven((intPart(kd * mean) + 1) / 4 / kd, 2);
    if (!std::isfinite(interval)) return std::nullopt;
    return interval;
}

std::vector<long long> CountClasses(const std::vector<double>& sorted, long long classes, double interval) {
    std::vector<long long> counts(static_cast<std::size_t>(std::max(classes, 0LL)) + 1, 0);
    if (classes < 1 || !std::isfinite(interval)) return counts;
    long long j = 1;
    for (double x : sorted) {
        // Below its class: no later class holds it either (the data are sorted).
        if (!(x > static_cast<double>(j - 1) * interval + ClassEpsilon)) break;
        while (x > static_cast<double>(j) * interval + ClassEpsilon) {
            if (++j > classes) return counts;
        }
        ++counts[static_cast<std::size_t>(j)];
    }
    return counts;
}

long long MaxCount(const std::vector<long long>& counts, long long from, long long to) {
    long long largest = kMaxCountStart;
    for (long long j = std::max(from, 0LL); j <= to && j < static_cast<long long>(counts.size()); ++j)
        largest = std::max(largest, counts[static_cast<std::size_t>(j)]);
    return largest;
}

std::optional<VerticalRange> VerticalRangeOf(double largest) {
    if (!(largest > 0) || !std::isfinite(largest)) return std::nullopt;
    VerticalRange range;
    range.e = intPart(100 * (std::log(largest) / std::log(10.0))) / 100;
    range.p = std::pow(10.0, intPart(range.e) - 1);
    range.ymax = range.p * intPart(largest / range.p) + 3 * range.p;
    return range;
}

double TickStep(double e) {
    if (e <= 0.5) return 1;
    if (e <= 1) return 2;
    if (e <= 1.3) return 4;
    if (e <= 1.9) return 5;
    if (e <= 2.3) return 10;
    if (e <= 2.9) return 25;
    if (e <= 3) return 50;
    if (e <= 3.3) return 100;
    return std::pow(10.0, e) - 2;
}

int VerticalLabelStep(double intervals, double textHeight, double plotHeight) {
    const double needed = intervals * textHeight;
    int m = 1;
    if (needed > plotHeight) m = 2;
    if (needed > 2 * plotHeight) m = 4;
    if (needed > 5 * plotHeight) m = 10;
    if (needed > 10 * plotHeight) m = 20;
    return m;
}

int HorizontalLabelStep(double textWidth, long long classes, double plotWidth) {
    const double needed = textWidth * static_cast<double>(classes + 2);
    int q = 1;
    if (needed > plotWidth) q = 2;
    if (needed / 2 > plotWidth) q = 4;
    return q;
}

HistogramFigures SettleHistogram(std::vector<double>& data, double interval, long long classes) {
    HistogramFigures figures;
    figures.n = static_cast<long long>(data.size());
    if (data.empty()) return figures;
    SortValues(data);
    // Taken once: the default interval needs the mean, the figures all of it.
    const SampleStatistics statistics = Statistics(data);
    if (interval == 0 || classes == 0) {
        const std::optional<double> chosen = DefaultIntervalOfMean(statistics.mean);
        if (!chosen) {
            figures.status = HistogramStatus::IntervalOverflow;
            return figures;
        }
        interval = *chosen == 0 ? 0.05 : *chosen;
        const double wanted = intPart(data.back() / interval) + 2;
        if (!(wanted <= static_cast<double>(MaximumClasses))) {
            figures.status = HistogramStatus::TooManyClasses;
            return figures;
        }
        classes = static_cast<long long>(wanted);
    } else if (classes > MaximumClasses) {
        figures.status = HistogramStatus::TooManyClasses;
        return figures;
    }
    figures.interval = interval;
    figures.classes = classes;
    figures.classesSettled = true;
    figures.counts = CountClasses(data, classes, interval);
    figures.maxCount = MaxCount(figures.counts, 1, classes);
    const std::optional<VerticalRange> range = VerticalRangeOf(static_cast<double>(figures.maxCount));
    if (!range) {
        figures.status = HistogramStatus::NothingCounted;
        return figures;
    }
    figures.range = *range;
    figures.statistics = statistics;
    figures.status = std::isfinite(figures.statistics.mean) && std::isfinite(figures.statistics.stdDev)
                         ? HistogramStatus::Ok
                         : HistogramStatus::NotFinite;
    return figures;
}

std::string IntervalText(double interval) {
    return interval < 1 ? formatNumber(interval, "0.0###") : generalNumber(interval);
}

}  // namespace ravelin
