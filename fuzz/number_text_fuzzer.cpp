// Numbers as text, both ways, on any input. Reading: always finite, and the
// value of the leading numeric part as the C library reads it (overflow held
// at the largest double). Showing: any pattern is safe and bounded; the
// general form reads back to within its 15 digits and shows again the same;
// fixed patterns read back to within half their last place; rounding on the
// decimal text moves a value by at most half the place it keeps.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "FuzzCheck.h"
#include "core/NumberText.h"

using namespace ravelin;

namespace {

// The leading numeric part as strtod reads it: blanks, sign, digits with one
// point, an exponent only when digits follow it. C locale ("." separator).
double referenceNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t begin = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    auto isDigit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
    for (; isDigit(i); ++i) digits = true;
    if (i < text.size() && text[i] == '.')
        for (++i; isDigit(i); ++i) digits = true;
    if (!digits) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (isDigit(j)) {
            while (isDigit(j)) ++j;
            i = j;
        }
    }
    const std::string token = text.substr(begin, i - begin);
    errno = 0;
    const double value = std::strtod(token.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) return std::copysign(DBL_MAX, value);
    return value;
}

// Near-equality where the general form keeps 15 significant digits.
bool within15Digits(double shown, double value) {
    return std::fabs(shown - value) <= 5.1e-15 * std::fabs(value) || std::fabs(value) < DBL_MIN;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(64);
    const double read = readNumber(text);
    RAVELIN_FUZZ_CHECK(std::isfinite(read));
    const double expected = referenceNumber(text);
    // Below the smallest normal double the C library may round differently; 0 is kept there.
    RAVELIN_FUZZ_CHECK(read == expected || (std::fabs(expected) < DBL_MIN && std::fabs(read) < DBL_MIN));
    RAVELIN_FUZZ_CHECK(hasNumericStart(text) || read == 0);

    const std::string pattern = input.ConsumeRandomLengthString(24);
    double value = input.ConsumeFloatingPoint<double>();
    if (input.ConsumeBool()) value = read;
    const std::string shown = formatNumber(value, pattern);
    // Digits beyond the pattern come only from the value's own size (at most 309 digits before the point).
    RAVELIN_FUZZ_CHECK(shown.size() <= 2 * pattern.size() + 330);
    if (!std::isfinite(value)) {
        RAVELIN_FUZZ_CHECK(shown == "-");
        return 0;
    }

    const std::string general = generalNumber(value);
    const double back = readNumber(general);
    RAVELIN_FUZZ_CHECK(within15Digits(back, value) || std::fabs(value) > 1.797693134862315e308);
    RAVELIN_FUZZ_CHECK(std::fabs(back) < DBL_MIN || generalNumber(back) == general);

    const int decimals = input.ConsumeIntegralInRange(0, 12);
    const std::string fixed = formatNumber(value, "0." + std::string(static_cast<std::size_t>(decimals), '0'));
    const double place = std::pow(10.0, -decimals);
    if (std::fabs(value) < 1e15) {
        // Half the last place, with the 15-digit text's own rounding on top.
        RAVELIN_FUZZ_CHECK(std::fabs(readNumber(fixed) - value) <= place / 2 + 1e-14 * std::fabs(value) + 1e-300);
        const double even = roundHalfEven(value, decimals);
        const double away = roundHalfAway(value, decimals);
        RAVELIN_FUZZ_CHECK(std::fabs(even - value) <= place / 2 + 1e-14 * std::fabs(value) + 1e-300);
        RAVELIN_FUZZ_CHECK(std::fabs(away - value) <= place / 2 + 1e-14 * std::fabs(value) + 1e-300);
    }
    return 0;
}
