#pragma once
// Numbers as the windows read and show them.
//
// Reading takes the leading numeric part of a text: leading blanks are
// skipped, then an optional sign, digits with at most one ".", and an
// optional exponent ("E" or "e", optional sign, digits). The first other
// character ends the number; a text without a numeric start reads as 0.
//
// Showing uses display patterns such as "0.0#", "000°" or "0.00E+00".
// Halves round away from zero, judged on the value's decimal text with
// 15 significant digits (so 2.675 shows as 2.68 with "0.00"), and a value
// that rounds to zero never shows a minus sign.

#include <string>
#include <string_view>

namespace ravelin {

// The leading numeric part of text; 0 when there is none. Never throws.
double readNumber(std::string_view text);

// True when text starts (after blanks) with something readNumber reads.
bool hasNumericStart(std::string_view text);

// The general number form: up to 15 significant digits, no trailing zeros,
// "." as separator; scientific ("1E+15", "1.5E-07") when the decimal
// exponent is 15 or more, or -5 or less. Infinity and NaN give "inf"/"nan"
// only as a last resort; callers guard against them.
std::string generalNumber(double value);

// The value formatted with a display pattern. Supported patterns: digit
// placeholders "0" and "#", one ".", literal characters (such as "'", "°",
// blanks), a trailing "%" (the value is scaled by 100) and the scientific
// forms "0.00E+00" / "0.00E-00".
std::string formatNumber(double value, std::string_view pattern);

// Rounds to `decimals` decimals, halves to even, judged on the 15-digit
// decimal text of the value (0.125 gives 0.12, 0.075 gives 0.08).
double roundHalfEven(double value, int decimals);

// Rounds to `decimals` decimals, halves away from zero, on the 15-digit text.
double roundHalfAway(double value, int decimals);

// Integer part toward minus infinity, as the windows' Int() does.
double intPart(double value);

}  // namespace ravelin
