#pragma once
// Ascending sort of a histogram's values. A million values sort several
// times faster by their bits (a radix sort) than by comparisons, and faster
// still by counting when they repeat a few thousand distinct values, as
// measured distances do; short arrays use the library sort.
//
// The order is that of a stable sort by value: equal values, +0 and -0
// included, keep their order. NaN values (which no comparison orders) go
// after +infinity, or before -infinity when their sign bit is set. Values
// already in order are left as they are after one look.

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "spacing/LargeBuffer.h"

namespace ravelin {

// A run of equal values in a sorted array: the value and how many times it comes.
struct ValueRun {
    double value = 0;
    std::size_t count = 0;
    bool operator==(const ValueRun&) const = default;
};

// The sum left by adding `value` to `sum` `count` times, one addition after
// the other, each rounded (to nearest, ties to even). Any arguments (NaN and
// infinities absorb what follows as they would);
// the additions are stepped in closed form while the sum stays within a
// power of two, so a run of a million costs a few dozen steps.
double AddRepeatedly(double sum, double value, std::size_t count);

// Values in ascending order, kept as runs of equal ones when they were
// counted (a million values to the centimetre in a few thousand runs) and
// written out one by one only when something asks for them that way.
class SortedValues {
public:
    SortedValues() = default;
    explicit SortedValues(LargeVector<double> values) : values_(std::move(values)), size_(values_.size()) {}
    explicit SortedValues(std::vector<ValueRun> runs);
    // Values already written out, with their runs when a sort counted them,
    // and their sum when the pass that wrote them took it.
    SortedValues(LargeVector<double> values, std::vector<ValueRun> runs, std::optional<double> sum = std::nullopt)
        : values_(std::move(values)), runs_(std::move(runs)), size_(values_.size()), sum_(sum) {}

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    double largest() const;  // the last value; not for an empty set
    // The runs, when the values were counted; empty otherwise.
    std::span<const ValueRun> runs() const { return runs_; }
    // The values one by one, written out from the runs on first use.
    std::span<const double> values() const;
    // The sum of the values added one after the other in their order (0 for none).
    double sum() const;

private:
    mutable LargeVector<double> values_;
    std::vector<ValueRun> runs_;
    std::size_t size_ = 0;
    mutable std::optional<double> sum_;
};

void SortValues(std::vector<double>& values);
// The same, with room the sort may use (its content is left unspecified):
// a caller that needs a second array of the same size anyway lends it.
// When the sort counted repeated values, `runs` (if given) receives the
// sorted values as runs too; otherwise it is left empty.
void SortValues(std::span<double> values, LargeVector<double>& scratch, std::vector<ValueRun>* runs = nullptr);

}  // namespace ravelin
