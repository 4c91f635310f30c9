#pragma once
// The values "Plot Histo" draws, read from a datasheet's measured column:
// the non-zero values times cos(theta), turned into spacings when they are
// intersection distances, in ascending order.
//
// A column of plain decimals (every cell as typed "0.35" or "12", the usual
// file) is not sorted as doubles: each value is a whole number of the
// smallest decimal place the column uses, so the values are counted (a few
// thousand distinct ones to the centimetre) or radix-sorted as those whole
// numbers, then multiplied in that order. The result is the array a sort of
// the products would give, value for value: the products keep the order of
// the numbers (or turn it round, for a negative factor), and equal numbers
// give equal products.

#include <cstdint>
#include <vector>

#include "spacing/LargeBuffer.h"
#include "spacing/SpacingGrid.h"
#include "spacing/ValueSort.h"

namespace ravelin {

// Gathers the values during a pass over the measured rows that does other
// work too (the conversion of "Plot Histo"), then sorts them.
class HistogramValuesBuilder {
public:
    // Chooses how to sort from the measured column's cells (a byte a row is
    // looked at). `factor`: cos theta, any finite value but 0.
    HistogramValuesBuilder(const SpacingGrid& measured, double factor, bool intersectionDistances);

    // Each measured value and its product with the factor, in row order; zeros are left out.
    void add(double measured, double product) {
        if (product == 0) return;
        switch (way_) {
            case Way::Count: ++counts_[wholeNumber(measured)]; break;
            case Way::SortWhole32: {
                const std::uint64_t whole = wholeNumber(measured);
                whole32_.push_back(static_cast<std::uint32_t>(whole));
                countDigits(whole);
                break;
            }
            case Way::SortWhole64: {
                const std::uint64_t whole = wholeNumber(measured);
                whole64_.push_back(whole);
                countDigits(whole);
                break;
            }
            case Way::SortProducts: products_.push_back(product); break;
        }
    }

    SortedValues finish();

private:
    enum class Way { Count, SortWhole32, SortWhole64, SortProducts };

    // The whole number of the smallest place a plain decimal's value stands
    // for. The value is its digits divided by a power of ten, rounded once,
    // so the product below is within a quarter of the whole number (below 10^15).
    std::uint64_t wholeNumber(double value) const { return static_cast<std::uint64_t>(value * scale_ + 0.5); }
    // The product the grid's value of a whole number gives: the division
    // below rounds the same quotient as the column's own value did.
    double productOf(std::uint64_t whole) const { return static_cast<double>(whole) / scale_ * factor_; }

    // The radix sort's digit counts, one table a pass, taken as the numbers come.
    void countDigits(std::uint64_t whole) {
        std::uint32_t* counts = digitCounts_.data();
        for (int pass = 0; pass < passes_; ++pass)
            ++counts[(static_cast<std::size_t>(pass) << digitBits_) + ((whole >> (pass * digitBits_)) & digitMask_)];
    }

    std::vector<ValueRun> countedRuns() const;
    template <class Whole>
    SortedValues sortedProducts(LargeVector<Whole>& wholes);

    Way way_ = Way::SortProducts;
    double factor_;
    bool spacings_;            // intersection distances, turned into spacings
    double scale_ = 1;         // 10^decimals of the smallest place
    std::uint64_t bound_ = 0;  // every whole number is below it
    std::vector<std::uint32_t> counts_;
    int passes_ = 0;
    int digitBits_ = 0;
    std::uint64_t digitMask_ = 0;
    std::vector<std::uint32_t> digitCounts_;
    LargeVector<std::uint32_t> whole32_;
    LargeVector<std::uint64_t> whole64_;
    LargeVector<double> products_;
};

// The same in a pass of its own.
SortedValues SortedHistogramValues(const SpacingGrid& measured, double factor, bool intersectionDistances);

}  // namespace ravelin
