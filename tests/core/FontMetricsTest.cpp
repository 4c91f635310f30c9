#include "core/FontMetrics.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin {
namespace {

FontSpec arial(double size) { return FontSpec{"Arial", size, false, false}; }

// Advance of a text at 2048 pt, where one font unit is 20 twips (the faces
// have 2048 units per em), so widths can be checked in font units.
double units(const FontSpec& base, std::string_view text) {
    FontSpec f = base;
    f.size = 2048;
    return measureText(f, text).width / 20;
}

TEST(FontMetrics, WidthsAddUpFromTheTableAndUnknownCharactersTakeTheWidthOfN) {
    const double n = 1139;
    const std::pair<std::string, double> cases[] = {
        {"", 0},
        {"0.00", 3 * 1139 + 569},  // digits share the figure width, the point is narrower
        {"\xC2\xB0", 819},         // °
        {"\xE2\x82\xAC", n},       // €
        {"\xF0\x9F\x98\x80", n},   // outside the BMP
        {"\xB0", n},               // a stray byte is one character
        {"\xE2\x82", 2 * n},       // truncated: each byte on its own
        {"\xC0\xAF", 2 * n},       // overlong
        {std::string("\xE2\x82") + "a", 2 * n + 1139},
    };
    for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(units(arial(12), text), expected) << text;
    EXPECT_DOUBLE_EQ(measureText(arial(10), "0.00").width, (3 * 1139 + 569) * 10.0 * 20 / 2048);
}

}  // namespace
}  // namespace ravelin
