#include "spacing/Histogram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

namespace {

SampleStatistics statisticsOf(std::span<const double> data, std::size_t from, std::size_t to) {
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
    for (std::size_t i = from; i <= to; ++i) {
        // Rounded before it is added, on every machine: a multiply-add would round once.
        const double deviation = data[i] - result.mean;
        const double square = deviation * deviation;
        squares += square;
    }
    result.stdDev = std::sqrt(squares / (m - 1));
    return result;
}

}  // namespace

SampleStatistics Statistics(const std::vector<double>& data, std::size_t from, std::size_t to) {
    return statisticsOf(data, from, to);
}

SampleStatistics Statistics(const std::vector<double>& data) { return StatisticsOf(data); }

SampleStatistics StatisticsOf(std::span<const double> data) {
    return data.empty() ? SampleStatistics{} : statisticsOf(data, 0, data.size() - 1);
}

SampleStatistics StatisticsOf(std::span<const ValueRun> runs) {
    SampleStatistics result;
    std::size_t n = 0;
    double sum = 0;
    const ValueRun* first = nullptr;
    for (const ValueRun& run : runs) {
        if (run.count == 0) continue;
        if (!first) first = &run;
        n += run.count;
        sum = AddRepeatedly(sum, run.value, run.count);
    }
    if (n == 0) return result;
    result.sum = sum;
    if (n == 1) {
        result.mean = first->value;
        return result;
    }
    const double m = static_cast<double>(n);
    result.mean = sum / m;
    double squares = 0;
    for (const ValueRun& run : runs) {
        const double deviation = run.value - result.mean;
        const double square = deviation * deviation;
        squares = AddRepeatedly(squares, square, run.count);
    }
    result.stdDev = std::sqrt(squares / (m - 1));
    return result;
}

void ToSpacings(std::vector<double>& data) {
    for (std::size_t i = data.size(); i-- > 1;) data[i] -= data[i - 1];
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

namespace {

// The walk of sorted values through the classes: class j holds the values x
// with (j-1) interval + eps < x <= j interval + eps, and the walk stops for
// good at the first value below its class or beyond the last class. Each
// boundary is worked out once, as the walk reaches it.
class ClassWalk {
public:
    ClassWalk(long long classes, double interval)
        : classes_(classes),
          interval_(interval),
          counts_(static_cast<std::size_t>(std::max(classes, 0LL)) + 1, 0),
          walking_(classes >= 1 && std::isfinite(interval)),
          lower_(boundary(0)),
          upper_(boundary(1)) {}

    void add(double x, long long count) {
        if (!walking_) return;
        // Below its class: no later class holds it either (the values are sorted).
        if (!(x > lower_)) {
            walking_ = false;
            return;
        }
        while (x > upper_) {
            if (++class_ > classes_) {
                walking_ = false;
                return;
            }
            lower_ = upper_;
            upper_ = boundary(class_);
        }
        counts_[static_cast<std::size_t>(class_)] += count;
    }

    std::vector<long long> take() { return std::move(counts_); }

private:
    double boundary(long long j) const { return static_cast<double>(j) * interval_ + ClassEpsilon; }

    long long classes_;
    double interval_;
    std::vector<long long> counts_;
    bool walking_;
    long long class_ = 1;
    double lower_;
    double upper_;
};

}  // namespace

std::vector<long long> CountClasses(const std::vector<double>& sorted, long long classes, double interval) {
    return CountClassesOf(sorted, classes, interval);
}

std::vector<long long> CountClassesOf(std::span<const double> sorted, long long classes, double interval) {
    ClassWalk walk(classes, interval);
    for (double x : sorted) walk.add(x, 1);
    return walk.take();
}

std::vector<long long> CountClassesOf(std::span<const ValueRun> sorted, long long classes, double interval) {
    ClassWalk walk(classes, interval);
    for (const ValueRun& run : sorted) walk.add(run.value, static_cast<long long>(run.count));
    return walk.take();
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
    SortValues(data);
    return SettleSortedHistogram(SortedValues(LargeVector<double>(data.begin(), data.end())), interval, classes);
}

SampleStatistics StatisticsOf(const SortedValues& sorted) {
    return sorted.runs().empty() ? StatisticsOf(sorted.values()) : StatisticsOf(sorted.runs());
}

HistogramFigures SettleSortedHistogram(const SortedValues& sorted, double interval, long long classes) {
    HistogramFigures figures;
    figures.n = static_cast<long long>(sorted.size());
    if (sorted.empty()) return figures;
    // The default interval needs the mean; the deviation and the classes come after, in one pass.
    const double m = static_cast<double>(sorted.size());
    const double mean = sorted.sum() / m;
    if (interval == 0 || classes == 0) {
        const std::optional<double> chosen = DefaultIntervalOfMean(mean);
        if (!chosen) {
            figures.status = HistogramStatus::IntervalOverflow;
            return figures;
        }
        interval = *chosen == 0 ? 0.05 : *chosen;
        const double wanted = intPart(sorted.largest() / interval) + 2;
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
    if (sorted.runs().empty()) {
        ClassWalk walk(classes, interval);
        double squares = 0;
        for (double x : sorted.values()) {
            // As Statistics takes them: each square rounded before it is added.
            const double deviation = x - mean;
            const double square = deviation * deviation;
            squares += square;
            walk.add(x, 1);
        }
        figures.counts = walk.take();
        figures.statistics = {mean, sorted.size() > 1 ? std::sqrt(squares / (m - 1)) : 0.0, sorted.sum()};
    } else {
        figures.counts = CountClassesOf(sorted.runs(), classes, interval);
        figures.statistics = StatisticsOf(sorted.runs());
    }
    figures.maxCount = MaxCount(figures.counts, 1, classes);
    const std::optional<VerticalRange> range = VerticalRangeOf(static_cast<double>(figures.maxCount));
    if (!range) {
        figures.status = HistogramStatus::NothingCounted;
        figures.statistics = {};
        return figures;
    }
    figures.range = *range;
    figures.status = std::isfinite(figures.statistics.mean) && std::isfinite(figures.statistics.stdDev)
                         ? HistogramStatus::Ok
                         : HistogramStatus::NotFinite;
    return figures;
}

std::string IntervalText(double interval) {
    return interval < 1 ? formatNumber(interval, "0.0###") : generalNumber(interval);
}

}  // namespace ravelin
