// Texts in the "Symbol" font read as the signs that font draws.

#include <gtest/gtest.h>

#include "core/SymbolFont.h"

namespace ravelin {
namespace {

TEST(SymbolFontTest, BytesBecomeTheSignsTheFontDraws) {
    const std::pair<const char*, const char*> cases[] = {
        {"® +¥ ", "→ +∞ "},        // the infinite distance of the spacing tool
        {"abgDW", "αβγΔΩ"},        // Latin letters are Greek ones
        {"12.5 + 3", "12.5 + 3"},  // digits, point, blank and plus are kept
        {"→ ∞", "→ ∞"},            // characters outside the code page stay
        {"", ""},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(SymbolFontText(text), shown) << text;

    // Only a control in the Symbol font is shown through the signs.
    Control field(ControlKind::TextBox, "txtResDD", 3);
    field.withText("® +¥ ");
    EXPECT_EQ(ShownText(field), "® +¥ ");
    FontSpec symbol;
    symbol.name = "Symbol";
    field.withFont(symbol);
    EXPECT_EQ(ShownText(field), "→ +∞ ");
}

}  // namespace
}  // namespace ravelin
