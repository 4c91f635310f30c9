#pragma once
// Text measurement without a display. The advance widths of the sans-serif
// face that stands for "Arial" (Liberation Sans, metric-compatible) are
// built in, so layouts computed by the core are the same in the desktop
// program, in ravelin-cli and in the tests.

#include <string>
#include <string_view>
#include <vector>

#include "core/Form.h"

namespace ravelin {

struct TextSize {
    double width = 0;   // twips
    double height = 0;  // twips: one line, ascent + descent (+ line gap)
};

// Size of a single-line text in the given font (sizes in points; 1 pt = 20 twips).
// Other faces are measured with the sans-serif table; bold uses the bold table.
TextSize measureText(const FontSpec& font, std::string_view utf8);

// The text of `texts` that is widest in the font; empty when there is none.
std::string widestText(const FontSpec& font, const std::vector<std::string>& texts);

// Height of one line of the font (twips).
double lineHeight(const FontSpec& font);
// Internal leading of the font (twips): ascent + descent - em size.
double internalLeading(const FontSpec& font);

}  // namespace ravelin
