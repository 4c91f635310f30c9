#include "spacing/ValueSort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "spacing/LargeBuffer.h"

namespace ravelin {

namespace {

// Below this many values the library sort is as fast and needs no second array.
constexpr std::size_t kRadixThreshold = 4096;
// Digits of 11 bits: six passes over 64-bit keys, 2048 counters per pass (fits the first-level cache).
constexpr int kDigitBits = 11;
constexpr int kPasses = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
constexpr std::uint64_t kDigitMask = kBuckets - 1;
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

// An unsigned key ordered as the values: negative values have every bit
// turned, others only the sign bit; -0 takes the key of +0.
std::uint64_t keyOf(double value) {
    if (value == 0) return kSignBit;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return (bits & kSignBit) ? ~bits : bits | kSignBit;
}

std::size_t digitOf(std::uint64_t key, int pass) {
    return static_cast<std::size_t>((key >> (pass * kDigitBits)) & kDigitMask);
}

// Counting needs each distinct value to come back this many times on average...
constexpr std::size_t kRepeatsAtLeast = 16;
// ...and no more distinct values than this (their table stays in the second-level cache).
constexpr std::size_t kMostDistinct = 16384;
constexpr std::size_t kFirstSlots = 1024;
// Fibonacci hashing: the bits of a value spread over the table's slots.
constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15ull;

// Distances measured with a tape repeat: a million spacings read to the
// centimetre hold a few thousand distinct values. Counting each one and
// writing them out in order is then quicker than any sort, and gives the
// same array, since equal values of equal bits cannot be told apart. Values
// equal with other bits (zeros of both signs) or that do not compare (NaN)
// must keep their order: the counting gives up on them, as on too many
// distinct values, leaving the array as it was.
class DistinctCounter {
public:
    DistinctCounter() { resize(kFirstSlots); }

    bool count(std::span<const double> values, std::size_t limit) {
        for (double value : values) {
            if (!(value == value) || value == 0) return false;
            const auto bits = std::bit_cast<std::uint64_t>(value);  // never 0, the mark of a free slot
            std::size_t slot = slotOf(bits);
            while (keys_[slot] != bits && keys_[slot] != 0) slot = (slot + 1) & (keys_.size() - 1);
            if (keys_[slot] == 0) {
                if (++distinct_ > limit) return false;
                keys_[slot] = bits;
            }
            ++counts_[slot];
            // Half full at most, so that probes stay short.
            if (distinct_ * 2 > keys_.size()) resize(keys_.size() * 2);
        }
        return true;
    }

    // Rewrites the array in ascending order from the counts, and gives the runs.
    std::vector<ValueRun> writeSorted(std::span<double> values) const {
        std::vector<ValueRun> runs;
        runs.reserve(distinct_);
        for (std::size_t slot = 0; slot < keys_.size(); ++slot)
            if (keys_[slot] != 0) runs.push_back({std::bit_cast<double>(keys_[slot]), counts_[slot]});
        std::sort(runs.begin(), runs.end(), [](const ValueRun& a, const ValueRun& b) { return a.value < b.value; });
        double* out = values.data();
        for (const ValueRun& run : runs) out = std::fill_n(out, run.count, run.value);
        return runs;
    }

private:
    std::size_t slotOf(std::uint64_t bits) const {
        return static_cast<std::size_t>((bits * kHashMultiplier) >> shift_);
    }

    void resize(std::size_t slots) {
        std::vector<std::uint64_t> keys = std::move(keys_);
        std::vector<std::size_t> counts = std::move(counts_);
        keys_.assign(slots, 0);
        counts_.assign(slots, 0);
        shift_ = 64 - std::countr_zero(slots);
        for (std::size_t old = 0; old < keys.size(); ++old) {
            if (keys[old] == 0) continue;
            std::size_t slot = slotOf(keys[old]);
            while (keys_[slot] != 0) slot = (slot + 1) & (slots - 1);
            keys_[slot] = keys[old];
            counts_[slot] = counts[old];
        }
    }

    std::vector<std::uint64_t> keys_;
    std::vector<std::size_t> counts_;
    int shift_ = 0;
    std::size_t distinct_ = 0;
};

}  // namespace

namespace {

// AddRepeatedly for a sum of at least +-0 and a positive value.
double addPositiveRepeatedly(double sum, double value, std::size_t count) {
    while (count > 0) {
        // Below twice the value the sum changes binade at almost every addition: stepped one at a time.
        if (!(sum >= 2 * value) || !std::isnormal(sum)) {
            sum += value;
            --count;
            continue;
        }
        // The sum lies in [top / 2, top), where doubles are `unit` apart; the
        // value is `units` of them (exactly: both scale by a power of two).
        int exponent = 0;
        std::frexp(sum, &exponent);
        const double top = std::ldexp(1.0, exponent);
        // In the highest binade the next one overflows: stepped one at a time to infinity.
        if (!std::isfinite(top)) {
            sum += value;
            --count;
            continue;
        }
        const double unit = std::ldexp(1.0, exponent - 53);
        const double units = value / unit;  // below 2^52, as the value is below top / 4
        const double whole = std::floor(units);
        const double fraction = units - whole;
        // A tie rounds by the sum's last bit, which changes as it goes: stepped one at a time.
        if (fraction == 0.5) {
            sum += value;
            --count;
            continue;
        }
        // Each addition below top adds the value rounded to whole units.
        const auto step = static_cast<std::int64_t>(fraction < 0.5 ? whole : whole + 1);
        if (step == 0) return sum;  // every addition rounds back to the sum
        // Addition j (from 0) keeps below top while sum + j step units + value < top,
        // that is while j step <= room - 1, all in whole units.
        const auto room = static_cast<std::int64_t>((top - sum) / unit) - static_cast<std::int64_t>(whole);
        if (room < 1) {
            sum += value;
            --count;
            continue;
        }
        const std::size_t steps = std::min<std::size_t>(count, static_cast<std::size_t>((room - 1) / step + 1));
        // Exact: steps x step units lie below 2^53, and the result is a double of [top / 2, top].
        sum += static_cast<double>(static_cast<std::int64_t>(steps) * step) * unit;
        count -= steps;
    }
    return sum;
}

}  // namespace

double AddRepeatedly(double sum, double value, std::size_t count) {
    if (count == 0) return sum;
    if (!std::isfinite(sum) || !std::isfinite(value)) {
        // Infinity and NaN absorb what follows: the sum stops changing within two additions.
        for (; count > 0; --count) {
            const double next = sum + value;
            if (next == sum || (std::isnan(next) && std::isnan(sum))) return next;
            sum = next;
        }
        return sum;
    }
    if (value == 0) return sum + value;  // once for the sign of a zero sum; then it stays
    // Rounding to nearest is symmetric: negative sums are the mirror of positive ones.
    while (count > 0 && (sum > 0 ? value < 0 : sum < 0 && value > 0)) {
        // Of opposite signs the sum shrinks towards zero: stepped one at a time until they agree.
        sum += value;
        --count;
    }
    if (count == 0) return sum;
    return value > 0 ? addPositiveRepeatedly(sum, value, count) : -addPositiveRepeatedly(-sum, -value, count);
}

SortedValues::SortedValues(std::vector<ValueRun> runs) : runs_(std::move(runs)) {
    for (const ValueRun& run : runs_) size_ += run.count;
}

double SortedValues::largest() const { return runs_.empty() ? values_.back() : runs_.back().value; }

std::span<const double> SortedValues::values() const {
    if (values_.size() != size_) {
        values_.resize(size_);  // left uninitialised (LargeAllocator), filled next
        double* out = values_.data();
        for (const ValueRun& run : runs_) out = std::fill_n(out, run.count, run.value);
    }
    return values_;
}

double SortedValues::sum() const {
    if (!sum_) {
        double sum = 0;
        if (runs_.empty()) {
            for (double value : values_) sum += value;
        } else {
            for (const ValueRun& run : runs_) sum = AddRepeatedly(sum, run.value, run.count);
        }
        sum_ = sum;
    }
    return *sum_;
}

void SortValues(std::vector<double>& values) {
    LargeVector<double> scratch;
    SortValues(values, scratch);
}

void SortValues(std::span<double> values, LargeVector<double>& scratch, std::vector<ValueRun>* runs) {
    if (runs) runs->clear();
    const std::size_t n = values.size();
    // A histogram redrawn with new classes sorts the values it sorted before.
    if (std::is_sorted(values.begin(), values.end())) return;
    if (n < kRadixThreshold) {
        std::stable_sort(values.begin(), values.end());
        return;
    }
    DistinctCounter counter;
    if (counter.count(values, std::min(kMostDistinct, n / kRepeatsAtLeast))) {
        std::vector<ValueRun> counted = counter.writeSorted(values);
        if (runs) *runs = std::move(counted);
        return;
    }
    std::vector<std::array<std::size_t, kBuckets>> counts(kPasses);
    for (auto& c : counts) c.fill(0);
    for (double value : values) {
        const std::uint64_t key = keyOf(value);
        for (int pass = 0; pass < kPasses; ++pass) ++counts[pass][digitOf(key, pass)];
    }
    scratch.resize(n);  // left uninitialised: every pass writes all of it
    double* from = values.data();
    double* to = scratch.data();
    for (int pass = 0; pass < kPasses; ++pass) {
        auto& c = counts[pass];
        // A digit all values share leaves the order as it is.
        if (std::find(c.begin(), c.end(), n) != c.end()) continue;
        std::size_t position = 0;
        for (std::size_t& count : c) position += std::exchange(count, position);
        for (std::size_t i = 0; i < n; ++i) to[c[digitOf(keyOf(from[i]), pass)]++] = from[i];
        std::swap(from, to);
    }
    if (from != values.data()) std::copy(from, from + n, values.data());
}

}  // namespace ravelin
