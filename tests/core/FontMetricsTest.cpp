#include "core/FontMetrics.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin {
namespace {

FontSpec arial(double size, bool bold = false, bool italic = false) {
    FontSpec f;
    f.name = "Arial";
    f.size = size;
    f.bold = bold;
    f.italic = italic;
    return f;
}

// Advance of a text at 2048 pt, where one font unit is 20 twips (the faces
// have 2048 units per em), so widths can be checked in font units.
double units(const FontSpec& base, std::string_view text) {
    FontSpec f = base;
    f.size = 2048;
    return measureText(f, text).width / 20;
}

TEST(FontMetrics, VerticalMetrics) {
    // The sans faces have win ascent 1854 and descent 434 on a 2048 em.
    EXPECT_DOUBLE_EQ(lineHeight(arial(8)), 2288.0 * 8 * 20 / 2048);
    EXPECT_DOUBLE_EQ(internalLeading(arial(8)), 240.0 * 8 * 20 / 2048);
    EXPECT_NEAR(measureText(arial(8, true), "Tg").height, 8 * 20 * 1.15, 8 * 20 * 0.05);
    EXPECT_DOUBLE_EQ(measureText(arial(8), "").height, lineHeight(arial(8)));
    EXPECT_DOUBLE_EQ(lineHeight(arial(16)), 2 * lineHeight(arial(8)));
    EXPECT_GT(internalLeading(arial(11)), 0);
}

TEST(FontMetrics, WidthsAddUpFromTheTable) {
    FontSpec regular = arial(10);
    EXPECT_EQ(measureText(regular, "").width, 0);
    // Digits and the point share the figure width 1139 and 569 units.
    EXPECT_DOUBLE_EQ(units(regular, "0.00"), 3 * 1139 + 569);
    EXPECT_DOUBLE_EQ(measureText(regular, "0.00").width, (3 * 1139 + 569) * 10.0 * 20 / 2048);
    EXPECT_DOUBLE_EQ(units(regular, "W"), 1933);
    EXPECT_DOUBLE_EQ(units(regular, "il"), 455 + 455);
    EXPECT_DOUBLE_EQ(units(regular, "\xC2\xB0"), 819);    // °
    EXPECT_DOUBLE_EQ(units(regular, "\xE2\x82\xAC"), 1139);  // €
    EXPECT_DOUBLE_EQ(units(regular, "\xE2\x80\x94"), 2048);  // em dash
    EXPECT_DOUBLE_EQ(measureText(regular, "ab").width,
                     measureText(regular, "a").width + measureText(regular, "b").width);
}

TEST(FontMetrics, FacesAndStyles) {
    std::string text = "Spacing 0.25 m";
    EXPECT_GT(measureText(arial(8, true), text).width, measureText(arial(8), text).width);
    EXPECT_DOUBLE_EQ(measureText(arial(8, false, true), text).width, measureText(arial(8), text).width);
    EXPECT_DOUBLE_EQ(measureText(arial(8, true, true), text).width, measureText(arial(8, true), text).width);
    FontSpec other = arial(8);
    other.name = "MS Sans Serif";
    EXPECT_DOUBLE_EQ(measureText(other, text).width, measureText(arial(8), text).width);
    EXPECT_DOUBLE_EQ(units(arial(8, true), "t"), 682);
    EXPECT_DOUBLE_EQ(units(arial(8), "t"), 569);
}

TEST(FontMetrics, UnknownAndBrokenCharactersTakeTheWidthOfN) {
    FontSpec f = arial(12);
    double n = units(f, "n");
    EXPECT_DOUBLE_EQ(n, 1139);
    EXPECT_DOUBLE_EQ(units(f, "\xE5\xB1\xB1"), n);  // a CJK character
    EXPECT_DOUBLE_EQ(units(f, "\xF0\x9F\x98\x80"), n);  // outside the BMP
    EXPECT_DOUBLE_EQ(units(f, "\t"), n);
    EXPECT_DOUBLE_EQ(units(f, "\xB0"), n);  // a stray byte is one character
    EXPECT_DOUBLE_EQ(units(f, "\xE2\x82"), 2 * n);  // truncated: each byte on its own
    EXPECT_DOUBLE_EQ(units(f, "\xC0\xAF"), 2 * n);  // overlong
    EXPECT_DOUBLE_EQ(units(f, "\xE2\x82" "a"), 2 * n + 1139);
}

}  // namespace
}  // namespace ravelin
