#include "spacing/ValueSort.h"

#include <algorithm>
#include <array>
#include <bit>
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

    bool count(const std::vector<double>& values, std::size_t limit) {
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

    // Rewrites the array in ascending order from the counts.
    void writeSorted(std::vector<double>& values) const {
        std::vector<std::pair<double, std::size_t>> runs;
        runs.reserve(distinct_);
        for (std::size_t slot = 0; slot < keys_.size(); ++slot)
            if (keys_[slot] != 0) runs.emplace_back(std::bit_cast<double>(keys_[slot]), counts_[slot]);
        std::sort(runs.begin(), runs.end());
        double* out = values.data();
        for (const auto& [value, count] : runs) out = std::fill_n(out, count, value);
    }

private:
    std::size_t slotOf(std::uint64_t bits) const { return static_cast<std::size_t>((bits * kHashMultiplier) >> shift_); }

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

void SortValues(std::vector<double>& values) {
    LargeVector<double> scratch;
    SortValues(values, scratch);
}

void SortValues(std::vector<double>& values, LargeVector<double>& scratch) {
    const std::size_t n = values.size();
    // A histogram redrawn with new classes sorts the values it sorted before.
    if (std::is_sorted(values.begin(), values.end())) return;
    if (n < kRadixThreshold) {
        std::stable_sort(values.begin(), values.end());
        return;
    }
    DistinctCounter counter;
    if (counter.count(values, std::min(kMostDistinct, n / kRepeatsAtLeast))) {
        counter.writeSorted(values);
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
