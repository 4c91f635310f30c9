#include "spacing/HistogramValues.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <utility>

namespace ravelin {

namespace {

// Up to this many distinct whole numbers the values are counted in a table
// (half a megabyte, within the second-level cache); beyond, radix-sorted.
constexpr std::uint64_t kMostCounted = std::uint64_t{1} << 17;
// The radix sort's digits: at most 4096 counters a pass (16 KB, within the first-level cache).
constexpr int kMostDigitBits = 12;

// A column whose cells are all plain decimals (or empty): each value is a
// whole number of 10^-decimals, below `bound`.
struct PlainColumn {
    int decimals = 0;
    std::uint64_t bound = 1;
};

std::optional<PlainColumn> plainColumn(const SpacingColumn& column) {
    // The codes present, marked in one pass without a branch, then looked at once each.
    std::array<bool, 256> present{};
    const std::uint8_t* codes = column.codeData();
    for (std::size_t i = 0, n = column.size(); i < n; ++i) present[codes[i]] = true;
    int integerDigits = 0;
    int decimals = 0;
    for (std::size_t code = 0; code < present.size(); ++code) {
        if (!present[code]) continue;
        const auto shape = static_cast<std::uint8_t>(code);
        if (SpacingColumn::kindOfCode(shape) == CellKind::Empty) continue;
        if (!SpacingColumn::isPlainDecimal(shape)) return std::nullopt;
        integerDigits = std::max(integerDigits, SpacingColumn::integerDigitsOf(shape));
        decimals = std::max(decimals, SpacingColumn::decimalsOf(shape));
    }
    // Whole numbers below 10^15 are exact as doubles, with room to spare for the rounding of wholeNumber.
    if (integerDigits + decimals > SpacingColumn::kExactDigits) return std::nullopt;
    std::uint64_t bound = 1;
    for (int i = 0; i < integerDigits + decimals; ++i) bound *= 10;
    return PlainColumn{decimals, bound};
}

}  // namespace

HistogramValuesBuilder::HistogramValuesBuilder(const SpacingGrid& measured, double factor, bool intersectionDistances)
    : factor_(factor), spacings_(intersectionDistances) {
    const SpacingColumn& column = measured.cells();
    const std::optional<PlainColumn> plain = intersectionDistances ? std::nullopt : plainColumn(column);
    const auto rows = static_cast<std::size_t>(measured.lastFilledRow());
    if (!plain) {
        // Texts, written values or intersection distances: the products are sorted as doubles.
        products_.reserve(rows);
        return;
    }
    scale_ = SpacingColumn::powerOfTen(plain->decimals);
    bound_ = plain->bound;
    if (bound_ <= kMostCounted) {
        way_ = Way::Count;
        counts_.assign(bound_, 0);
        return;
    }
    if (bound_ <= (std::uint64_t{1} << 32)) {
        way_ = Way::SortWhole32;
        whole32_.reserve(rows);
    } else {
        way_ = Way::SortWhole64;
        whole64_.reserve(rows);
    }
    // As few passes as digits of at most kMostDigitBits allow, the bits shared evenly between them.
    const int bits = std::bit_width(bound_ - 1);
    passes_ = (bits + kMostDigitBits - 1) / kMostDigitBits;
    digitBits_ = (bits + passes_ - 1) / passes_;
    digitMask_ = (std::uint64_t{1} << digitBits_) - 1;
    digitCounts_.assign(static_cast<std::size_t>(passes_) << digitBits_, 0);
}

std::vector<ValueRun> HistogramValuesBuilder::countedRuns() const {
    std::vector<ValueRun> runs;
    auto add = [&](std::uint64_t whole) {
        if (counts_[whole] != 0) runs.push_back({productOf(whole), counts_[whole]});
    };
    // A negative factor turns the order round.
    if (factor_ > 0) {
        for (std::uint64_t whole = 0; whole < bound_; ++whole) add(whole);
    } else {
        for (std::uint64_t whole = bound_; whole-- > 0;) add(whole);
    }
    return runs;
}

// A radix sort of the whole numbers from their least significant digit,
// then their products in order, summed as they are written.
template <class Whole>
SortedValues HistogramValuesBuilder::sortedProducts(LargeVector<Whole>& wholes) {
    const std::size_t n = wholes.size();
    const std::size_t buckets = std::size_t{1} << digitBits_;
    LargeVector<Whole> other(n);  // left uninitialised: each pass writes all of it
    Whole* from = wholes.data();
    Whole* to = other.data();
    for (int pass = 0; pass < passes_; ++pass) {
        // Where each digit's numbers start, from the counts taken as they came.
        std::uint32_t* starts = digitCounts_.data() + (static_cast<std::size_t>(pass) << digitBits_);
        std::uint32_t position = 0;
        for (std::size_t digit = 0; digit < buckets; ++digit) position += std::exchange(starts[digit], position);
        const int shift = pass * digitBits_;
        for (std::size_t i = 0; i < n; ++i) to[starts[(from[i] >> shift) & digitMask_]++] = from[i];
        std::swap(from, to);
    }
    LargeVector<double> products(n);  // filled next
    double* out = products.data();
    double sum = 0;
    // Equal neighbours share their product; a negative factor turns the order round.
    Whole previous = 0;
    double product = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Whole whole = from[factor_ > 0 ? i : n - 1 - i];
        if (i == 0 || whole != previous) product = productOf(whole);
        previous = whole;
        out[i] = product;
        sum += product;
    }
    return SortedValues(std::move(products), {}, sum);
}

SortedValues HistogramValuesBuilder::finish() {
    switch (way_) {
        case Way::Count: return SortedValues(countedRuns());
        case Way::SortWhole32: return sortedProducts(whole32_);
        case Way::SortWhole64: return sortedProducts(whole64_);
        case Way::SortProducts: break;
    }
    LargeVector<double>& data = products_;
    if (spacings_) {
        for (std::size_t i = data.size(); i-- > 1;) data[i] -= data[i - 1];
    }
    LargeVector<double> scratch;
    std::vector<ValueRun> runs;
    SortValues(data, scratch, &runs);
    return SortedValues(std::move(data), std::move(runs));
}

SortedValues SortedHistogramValues(const SpacingGrid& measured, double factor, bool intersectionDistances) {
    HistogramValuesBuilder builder(measured, factor, intersectionDistances);
    measured.foldRows(0, [&](int, long long, double x, bool) {
        builder.add(x, x * factor);
        return 0;
    });
    return builder.finish();
}

}  // namespace ravelin
