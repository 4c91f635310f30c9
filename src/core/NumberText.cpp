#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace ravelin {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The extent of the leading numeric part of a text.
struct NumberToken {
    std::size_t begin = 0;  // first character of the sign or mantissa
    std::size_t end = 0;    // one past the last character that belongs to the number
    bool negative = false;
    bool valid = false;
};

NumberToken scanNumber(std::string_view text) {
    NumberToken t;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    t.begin = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        t.negative = text[i] == '-';
        ++i;
    }
    bool digits = false;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            digits = true;
        }
    }
    if (!digits) return t;
    t.valid = true;
    t.end = i;
    // An exponent counts only when digits follow it; "1e" and "1e+" read as 1.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            t.end = j;
        }
    }
    return t;
}

// Decimal exponent of the leading significant digit of an unsigned number
// text ("123.4e2" gives 4; the lowest long long when every digit is 0). Only
// tells overflow from underflow, so a giant written exponent is clamped.
long long leadingExponent(std::string_view unsignedText) {
    long long position = -1;  // exponent of the fraction digit being looked at
    std::size_t i = 0;
    std::size_t intDigits = 0;
    while (i < unsignedText.size() && isDigit(unsignedText[i])) {
        ++intDigits;
        ++i;
    }
    long long lead = std::numeric_limits<long long>::min();
    for (std::size_t k = 0; k < intDigits; ++k) {
        if (unsignedText[k] != '0') {
            lead = static_cast<long long>(intDigits - k) - 1;
            break;
        }
    }
    if (i < unsignedText.size() && unsignedText[i] == '.') {
        ++i;
        for (; i < unsignedText.size() && isDigit(unsignedText[i]); ++i, --position) {
            if (lead == std::numeric_limits<long long>::min() && unsignedText[i] != '0') lead = position;
        }
    }
    if (lead == std::numeric_limits<long long>::min()) return lead;
    long long exponent = 0;
    if (i < unsignedText.size() && (unsignedText[i] == 'e' || unsignedText[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < unsignedText.size() && (unsignedText[i] == '+' || unsignedText[i] == '-')) {
            negative = unsignedText[i] == '-';
            ++i;
        }
        for (; i < unsignedText.size() && isDigit(unsignedText[i]); ++i) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (unsignedText[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return lead + exponent;
}

// A finite non-negative value as its 15 significant decimal digits:
// value = d0.d1d2...d14 x 10^exponent. Zero has all digits '0' and exponent 0.
struct Decimal15 {
    std::string digits;
    int exponent = 0;
};

Decimal15 decimal15(double magnitude) {
    Decimal15 d;
    if (magnitude == 0) {
        d.digits.assign(15, '0');
        return d;
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // Shape: "d.dddddddddddddde+XX".
    d.digits.reserve(15);
    d.digits.push_back(text[0]);
    std::size_t e = text.find('e');
    for (std::size_t i = 2; i < e; ++i) d.digits.push_back(text[i]);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    d.exponent = exponent;
    return d;
}

enum class Halves { AwayFromZero, ToEven };

// Adds one unit in the last place of a digit string; may lengthen it.
void incrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Keeps the first `keep` digits of `digits`, rounding on the ones dropped.
// A `keep` of 0 or less yields "0" or "1"; the result may gain a digit on carry.
std::string roundDigits(const std::string& digits, long long keep, Halves halves) {
    if (keep >= static_cast<long long>(digits.size())) return digits;
    if (keep < 0) return "0";
    std::size_t k = static_cast<std::size_t>(keep);
    std::string kept = digits.substr(0, k);
    char next = digits[k];
    bool up = false;
    if (next > '5') {
        up = true;
    } else if (next == '5') {
        if (halves == Halves::AwayFromZero) {
            up = true;
        } else {
            bool beyond = digits.find_first_not_of('0', k + 1) != std::string::npos;
            bool lastOdd = !kept.empty() && (kept.back() - '0') % 2 == 1;
            up = beyond || lastOdd;
        }
    }
    if (kept.empty()) return up ? "1" : "0";
    if (up) incrementDigits(kept);
    return kept;
}

// |value| x 10^decimals rounded to an integer, as a digit string without
// leading zeros ("0" for zero). `exponentShift` scales the value by a power
// of ten first (2 for percent), exactly, on the decimal text.
std::string scaledDigits(double magnitude, int decimals, int exponentShift, Halves halves) {
    if (magnitude == 0) return "0";
    Decimal15 d = decimal15(magnitude);
    long long exponent = static_cast<long long>(d.exponent) + exponentShift;
    long long keep = exponent + 1 + decimals;  // digits left of the rounding point
    std::string out = roundDigits(d.digits, keep, halves);
    if (keep > static_cast<long long>(d.digits.size()))
        out.append(static_cast<std::size_t>(keep) - d.digits.size(), '0');
    std::size_t first = out.find_first_not_of('0');
    return first == std::string::npos ? "0" : out.substr(first);
}

double roundOnText(double value, int decimals, Halves halves) {
    if (!std::isfinite(value) || value == 0) return value;
    Decimal15 d = decimal15(std::fabs(value));
    // Nothing to drop: the value already has no more digits than asked for.
    if (static_cast<long long>(d.exponent) + 1 + decimals >= 15) return value;
    std::string digits = scaledDigits(std::fabs(value), decimals, 0, halves);
    if (digits == "0") return 0.0;
    std::string text = digits + "e" + std::to_string(-static_cast<long long>(decimals));
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return value < 0 ? -result : result;
}

std::string exponentText(long long exponent, bool alwaysSign, std::size_t minDigits) {
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
    if (exponent < 0) return "-" + digits;
    return alwaysSign ? "+" + digits : digits;
}

// A display pattern split into its parts.
struct Pattern {
    std::string prefix;
    std::string integerPart;  // placeholders '0'/'#' with literals between them
    bool point = false;
    std::string decimals;  // placeholders after the point
    bool scientific = false;
    char exponentChar = 'E';
    bool exponentAlwaysSigned = true;
    std::size_t exponentDigits = 0;  // '0' placeholders of the exponent
    std::string suffix;
    bool percent = false;
};

bool isPlaceholder(char c) { return c == '0' || c == '#'; }

bool exponentAt(std::string_view p, std::size_t i) {
    return i + 2 < p.size() && (p[i] == 'E' || p[i] == 'e') && (p[i + 1] == '+' || p[i + 1] == '-') &&
           isPlaceholder(p[i + 2]);
}

Pattern parsePattern(std::string_view p) {
    Pattern pat;
    std::size_t i = 0;
    while (i < p.size() && !isPlaceholder(p[i]) && p[i] != '.') ++i;
    pat.prefix = std::string(p.substr(0, i));
    // The integer part runs to its last placeholder before the point or exponent;
    // literals inside it (digit-group marks) are kept in place.
    std::size_t stop = i;
    while (stop < p.size() && p[stop] != '.' && !exponentAt(p, stop)) ++stop;
    std::size_t lastPlaceholder = std::string_view::npos;
    for (std::size_t k = i; k < stop; ++k)
        if (isPlaceholder(p[k])) lastPlaceholder = k;
    std::size_t integerEnd = lastPlaceholder == std::string_view::npos ? i : lastPlaceholder + 1;
    pat.integerPart = std::string(p.substr(i, integerEnd - i));
    i = integerEnd;
    if (i < p.size() && p[i] == '.') {
        pat.point = true;
        ++i;
        while (i < p.size() && isPlaceholder(p[i])) pat.decimals.push_back(p[i++]);
    }
    if (exponentAt(p, i)) {
        pat.scientific = true;
        pat.exponentChar = p[i];
        pat.exponentAlwaysSigned = p[i + 1] == '+';
        i += 2;
        while (i < p.size() && isPlaceholder(p[i])) {
            if (p[i] == '0') ++pat.exponentDigits;
            ++i;
        }
    }
    pat.suffix = std::string(p.substr(i));
    pat.percent = pat.prefix.find('%') != std::string::npos || pat.suffix.find('%') != std::string::npos;
    return pat;
}

// Writes integer digits into the placeholders right to left. Digits beyond the
// placeholders go in front; '0' placeholders pad, '#' ones do not; a literal
// appears only when a digit or a '0' placeholder stands to its left.
std::string fillInteger(const std::string& placeholders, const std::string& digits) {
    if (placeholders.empty()) return digits;
    std::size_t leftmost = placeholders.find_first_of("0#");
    std::string reversed;  // built backwards
    std::size_t remaining = digits.size();
    for (std::size_t k = placeholders.size(); k-- > 0;) {
        char c = placeholders[k];
        if (isPlaceholder(c)) {
            if (remaining > 0) {
                reversed.push_back(digits[--remaining]);
            } else if (c == '0') {
                reversed.push_back('0');
            }
            if (k == leftmost) {
                while (remaining > 0) reversed.push_back(digits[--remaining]);
            }
        } else if (k > leftmost) {
            bool zeroToLeft = placeholders.find('0') < k;
            if (remaining > 0 || zeroToLeft) reversed.push_back(c);
        }
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

// Fraction digits with the optional trailing zeros dropped.
std::string trimDecimals(std::string fraction, const std::string& placeholders) {
    std::size_t lastZero = placeholders.rfind('0');
    std::size_t required = lastZero == std::string::npos ? 0 : lastZero + 1;
    while (fraction.size() > required && fraction.back() == '0') fraction.pop_back();
    return fraction;
}

std::string joinNumber(const Pattern& pat, const std::string& integerText, const std::string& fraction) {
    std::string out = integerText;
    if (pat.point && !fraction.empty()) out += "." + fraction;
    return out;
}

std::string formatFixed(double magnitude, const Pattern& pat, bool& isZero) {
    int decimals = static_cast<int>(pat.decimals.size());
    std::string digits = scaledDigits(magnitude, decimals, pat.percent ? 2 : 0, Halves::AwayFromZero);
    isZero = digits == "0";
    std::string integerDigits;
    std::string fraction;
    if (digits.size() > static_cast<std::size_t>(decimals)) {
        integerDigits = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
        fraction = digits.substr(integerDigits.size());
    } else {
        fraction = std::string(static_cast<std::size_t>(decimals) - digits.size(), '0') + digits;
    }
    if (integerDigits == "0") integerDigits.clear();
    return joinNumber(pat, fillInteger(pat.integerPart, integerDigits), trimDecimals(fraction, pat.decimals));
}

std::string formatScientific(double magnitude, const Pattern& pat, bool& isZero) {
    std::size_t integerPlaces = 0;
    for (char c : pat.integerPart)
        if (isPlaceholder(c)) ++integerPlaces;
    if (integerPlaces == 0) integerPlaces = 1;
    std::size_t significant = integerPlaces + pat.decimals.size();
    Decimal15 d = decimal15(magnitude);
    long long exponent = d.exponent;
    if (pat.percent && magnitude != 0) exponent += 2;
    std::string digits = roundDigits(d.digits, static_cast<long long>(significant), Halves::AwayFromZero);
    if (digits.size() > significant) {  // 9.995 became 10.00
        digits.pop_back();
        ++exponent;
    }
    if (digits.size() < significant) digits.append(significant - digits.size(), '0');
    isZero = digits.find_first_not_of('0') == std::string::npos;
    if (isZero) exponent = 0;
    else exponent -= static_cast<long long>(integerPlaces) - 1;
    std::string integerDigits = digits.substr(0, integerPlaces);
    std::size_t nonZero = integerDigits.find_first_not_of('0');
    integerDigits = nonZero == std::string::npos ? std::string() : integerDigits.substr(nonZero);
    std::string fraction = trimDecimals(digits.substr(integerPlaces), pat.decimals);
    return joinNumber(pat, fillInteger(pat.integerPart, integerDigits), fraction) + pat.exponentChar +
           exponentText(exponent, pat.exponentAlwaysSigned, pat.exponentDigits);
}

}  // namespace

double readNumber(std::string_view text) {
    NumberToken t = scanNumber(text);
    if (!t.valid) return 0;
    std::size_t unsignedBegin = t.begin;
    if (text[unsignedBegin] == '+' || text[unsignedBegin] == '-') ++unsignedBegin;
    // from_chars refuses a leading "+", so it gets the unsigned token; unlike
    // strtod it ignores the C locale's decimal separator.
    std::string_view token = text.substr(unsignedBegin, t.end - unsignedBegin);
    double value = 0;
    auto result = std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Shown values must stay finite: overflow gives the largest double.
        value = leadingExponent(token) > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return t.negative ? -value : value;
}

bool hasNumericStart(std::string_view text) { return scanNumber(text).valid; }

std::string generalNumber(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";
    Decimal15 d = decimal15(std::fabs(value));
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = value < 0 ? "-" : "";
    int e = d.exponent;
    if (e >= 15 || e <= -5) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1, std::string::npos);
        }
        out += 'E';
        return out + exponentText(e, true, 2);
    }
    if (e >= 0) {
        std::size_t intCount = static_cast<std::size_t>(e) + 1;
        if (digits.size() <= intCount) return out + digits + std::string(intCount - digits.size(), '0');
        return out + digits.substr(0, intCount) + "." + digits.substr(intCount);
    }
    return out + "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + digits;
}

std::string formatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return "-";
    if (pattern.empty()) return generalNumber(value);
    Pattern pat = parsePattern(pattern);
    bool isZero = false;
    double magnitude = std::fabs(value);
    std::string number =
        pat.scientific ? formatScientific(magnitude, pat, isZero) : formatFixed(magnitude, pat, isZero);
    std::string sign = value < 0 && !isZero ? "-" : "";
    return sign + pat.prefix + number + pat.suffix;
}

double roundHalfEven(double value, int decimals) { return roundOnText(value, decimals, Halves::ToEven); }

double roundHalfAway(double value, int decimals) { return roundOnText(value, decimals, Halves::AwayFromZero); }

double intPart(double value) { return std::floor(value); }

}  // namespace ravelin
