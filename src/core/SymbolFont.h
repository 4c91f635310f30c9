#pragma once
// Text shown in the "Symbol" font. That font draws the bytes of its text as
// Greek letters, arrows and mathematical signs rather than as the Latin
// characters a text font draws for the same bytes; a Symbol font is not
// installed everywhere, and a report written in a text font would show the
// Latin characters. The windows keep the field's own text and font; what
// the user sees and what a report copies is the text below.

#include <string>
#include <string_view>

#include "core/Form.h"

namespace ravelin {

constexpr const char* kSymbolFontName = "Symbol";

// The characters the Symbol font draws for a text: each character is taken
// as its Windows-1252 byte and replaced by the sign that byte has in that
// font ("® +¥ " becomes "→ +∞ "). Characters outside the code page, and the
// few bytes the font leaves without a Unicode sign, stay as they are.
std::string SymbolFontText(std::string_view utf8);

// A control's text as the user sees it: through SymbolFontText when the
// control's font is "Symbol", else unchanged.
std::string ShownText(const Control& control);

}  // namespace ravelin
