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

}  // namespace

void SortValues(std::vector<double>& values) {
    std::vector<double> scratch;
    SortValues(values, scratch);
}

void SortValues(std::vector<double>& values, std::vector<double>& scratch) {
    const std::size_t n = values.size();
    // A histogram redrawn with new classes sorts the values it sorted before.
    if (std::is_sorted(values.begin(), values.end())) return;
    if (n < kRadixThreshold) {
        std::stable_sort(values.begin(), values.end());
        return;
    }
    std::vector<std::array<std::size_t, kBuckets>> counts(kPasses);
    for (auto& c : counts) c.fill(0);
    for (double value : values) {
        const std::uint64_t key = keyOf(value);
        for (int pass = 0; pass < kPasses; ++pass) ++counts[pass][digitOf(key, pass)];
    }
    if (scratch.capacity() < n) {
        scratch.clear();
        ReserveLarge(scratch, n);
    }
    scratch.resize(n);
    std::vector<double>* from = &values;
    std::vector<double>* to = &scratch;
    for (int pass = 0; pass < kPasses; ++pass) {
        auto& c = counts[pass];
        // A digit all values share leaves the order as it is.
        if (std::find(c.begin(), c.end(), n) != c.end()) continue;
        std::size_t position = 0;
        for (std::size_t& count : c) position += std::exchange(count, position);
        double* out = to->data();
        for (double value : *from) out[c[digitOf(keyOf(value), pass)]++] = value;
        std::swap(from, to);
    }
    if (from != &values) values.swap(scratch);  // the caller's room now holds the old array
}

}  // namespace ravelin
