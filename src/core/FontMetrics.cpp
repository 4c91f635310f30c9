#include "core/FontMetrics.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ravelin {

namespace {

#include "core/FontMetricsTables.inc"

const FaceTable& faceFor(const FontSpec& font) {
    // Italic faces of this family share the upright advance widths.
    return font.bold ? kSansBold : kSansRegular;
}

// Advance of one character in font units; characters the table lacks take
// the width of "n", a typical lower-case letter.
int advanceOf(const FaceTable& face, char32_t cp) {
    if (cp >= 0x20 && cp <= 0xFF) {
        std::uint16_t w = face.latin[cp - 0x20];
        if (w != 0) return w;
    } else {
        auto end =
            std::find_if(face.extra.begin(), face.extra.end(), [](const ExtraAdvance& e) { return e.codePoint == 0; });
        auto it = std::lower_bound(face.extra.begin(), end, cp,
                                   [](const ExtraAdvance& e, char32_t c) { return e.codePoint < c; });
        if (it != end && it->codePoint == cp) return it->advance;
    }
    return face.latin['n' - 0x20];
}

// Next code point of a UTF-8 text; a byte that does not start a well-formed
// sequence counts as one replacement character.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byte(i);
    std::size_t length = b0 < 0x80             ? 1
                         : (b0 & 0xE0) == 0xC0 ? 2
                         : (b0 & 0xF0) == 0xE0 ? 3
                         : (b0 & 0xF8) == 0xF0 ? 4
                                               : 0;
    if (length == 1) {
        ++i;
        return b0;
    }
    constexpr char32_t kReplacement = 0xFFFD;
    if (length == 0 || i + length > s.size()) {
        ++i;
        return kReplacement;
    }
    char32_t cp = b0 & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return cp;
}

// Font units to twips at the font's size (1 pt = 20 twips).
double toTwips(const FaceTable& face, const FontSpec& font, double units) {
    return units * font.size * 20.0 / face.unitsPerEm;
}

}  // namespace

TextSize measureText(const FontSpec& font, std::string_view utf8) {
    const FaceTable& face = faceFor(font);
    double units = 0;
    for (std::size_t i = 0; i < utf8.size();) units += advanceOf(face, nextCodePoint(utf8, i));
    return {toTwips(face, font, units), lineHeight(font)};
}

double lineHeight(const FontSpec& font) {
    const FaceTable& face = faceFor(font);
    return toTwips(face, font, face.winAscent + face.winDescent);
}

double internalLeading(const FontSpec& font) {
    const FaceTable& face = faceFor(font);
    return toTwips(face, font, face.winAscent + face.winDescent - face.unitsPerEm);
}

std::string widestText(const FontSpec& font, const std::vector<std::string>& texts) {
    std::string widest;
    double widestWidth = -1;
    for (const std::string& text : texts) {
        const double width = measureText(font, text).width;
        if (width > widestWidth) {
            widest = text;
            widestWidth = width;
        }
    }
    return widest;
}

}  // namespace ravelin
