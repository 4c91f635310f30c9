#pragma once
// The statistics and classes of a spacing histogram, without any window.
//
// Units: values are lengths along the scanline (metres); counts are numbers
// of values; the vertical range is in counts. Values ≤ ClassEpsilon never
// fall into a class (they arise only from intersection distances that do not
// increase), so a histogram of such data has nothing to show.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "spacing/ValueSort.h"

namespace ravelin {

// A value within this distance above a class boundary still counts in the
// lower class, so 1.0000005 with an interval of 0.5 belongs to class 2.
constexpr double ClassEpsilon = 1e-06;

// More classes than a 16-bit count holds cannot be drawn: the "Invalid data" message covers it.
constexpr long long MaximumClasses = 32767;

struct SampleStatistics {
    double mean = 0;
    double stdDev = 0;  // sample standard deviation (n - 1); 0 for a single value
    double sum = 0;     // of the values in their order (the scanline length of spacings)
};

// Mean and sample standard deviation of data[from..to] (0-based, inclusive).
// An empty range gives zeros. The sums are taken in the data's order, one
// value after the other, and each square is rounded before it is added.
SampleStatistics Statistics(const std::vector<double>& data, std::size_t from, std::size_t to);
SampleStatistics Statistics(const std::vector<double>& data);
SampleStatistics StatisticsOf(std::span<const double> data);

// Sorted values as runs of equal ones (ValueSort.h): a million distances
// measured to the centimetre make a few thousand runs, and the histogram's
// figures are taken from the runs with the same result, to the last bit, as
// from the values one by one.
// Statistics of the values the runs stand for, in their order.
SampleStatistics StatisticsOf(std::span<const ValueRun> runs);

// Intersection distances to spacings, in place: each value less the one before it.
void ToSpacings(std::vector<double>& data);

// The class interval chosen when none is stored: about a quarter of the
// mean's leading decade, rounded to 2 decimals with halves to even.
// nullopt when the mean is below 1e-4 or not positive (the decade search
// overflows its 16-bit counter).
std::optional<double> DefaultInterval(const std::vector<double>& data);
// The same from the data's mean.
std::optional<double> DefaultIntervalOfMean(double mean);

// counts[1..classes] of the sorted data; counts[0] is unused. Class j holds
// the values x with (j-1)*interval + eps < x <= j*interval + eps; the walk
// stops at the first value below its class or beyond the last class.
std::vector<long long> CountClasses(const std::vector<double>& sorted, long long classes, double interval);
std::vector<long long> CountClassesOf(std::span<const double> sorted, long long classes, double interval);
std::vector<long long> CountClassesOf(std::span<const ValueRun> sorted, long long classes, double interval);
// The largest of counts[from..to], starting from -50000.
long long MaxCount(const std::vector<long long>& counts, long long from, long long to);

// The vertical range of a chart from its largest value G (a count or a
// semivariogram): e = Int(100 log10 G) / 100, p = 10^(Int(e) - 1),
// ymax = p Int(G / p) + 3p. nullopt when G is not positive.
struct VerticalRange {
    double e = 0;
    double p = 0;
    double ymax = 0;
};
std::optional<VerticalRange> VerticalRangeOf(double largest);

// Vertical tick step (in counts) chosen from e.
double TickStep(double e);
// Every m-th vertical tick is labelled; N tick intervals of text height T on a plot P high.
int VerticalLabelStep(double intervals, double textHeight, double plotHeight);
// Every q-th class boundary is labelled.
int HorizontalLabelStep(double textWidth, long long classes, double plotWidth);

enum class HistogramStatus {
    Ok,
    NoData,
    IntervalOverflow,  // the default interval's decade search overflowed
    TooManyClasses,    // more than MaximumClasses
    NothingCounted,    // the largest count is not positive
    NotFinite,         // the statistics overflowed
};

// Everything a histogram shows, settled from its data.
struct HistogramFigures {
    HistogramStatus status = HistogramStatus::NoData;
    long long n = 0;
    double interval = 0;
    long long classes = 0;
    std::vector<long long> counts;  // [0] unused
    long long maxCount = 0;
    VerticalRange range;
    SampleStatistics statistics;
    // True when the interval and classes were written back: the options
    // window shows them even when the drawing fails afterwards.
    bool classesSettled = false;
};

// Sorts data in place and settles the classes as "Plot Histo" does: a
// given interval and number of classes are kept when both are non-zero,
// otherwise the default interval (0.05 when it rounds to 0) and
// Int(largest / interval) + 2 classes.
HistogramFigures SettleHistogram(std::vector<double>& data, double interval, long long classes);
// The same from values already sorted; from their runs when they have them,
// with the same figures.
HistogramFigures SettleSortedHistogram(const SortedValues& sorted, double interval, long long classes);
// Statistics of sorted values, from their runs when they have them.
SampleStatistics StatisticsOf(const SortedValues& sorted);

// The interval as the options window shows it: "0.0###" below 1, plain above.
std::string IntervalText(double interval);

}  // namespace ravelin
