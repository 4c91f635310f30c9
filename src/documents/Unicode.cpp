#include "documents/Unicode.h"

#include <array>

#include "core/TextCodec.h"

namespace ravelin {

namespace {

// Decodes one well-formed sequence at i; returns its length, 0 when malformed.
std::size_t decodeOne(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

// Code points of the bytes 0x80..0x9F, taken from the file text codec so
// both agree on the code page.
const std::array<char32_t, 32>& highRange() {
    static const std::array<char32_t, 32> table = [] {
        std::array<char32_t, 32> t{};
        for (int b = 0; b < 32; ++b) {
            const char byte = static_cast<char>(0x80 + b);
            const std::u32string cp = toCodePoints(cp1252ToUtf8(std::string_view(&byte, 1)));
            t[static_cast<std::size_t>(b)] = cp.empty() ? kReplacementCharacter : cp.front();
        }
        return t;
    }();
    return table;
}

}  // namespace

std::u32string toCodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const std::size_t n = decodeOne(utf8, i, cp);
        if (n == 0) {
            out.push_back(kReplacementCharacter);
            ++i;
        } else {
            out.push_back(cp);
            i += n;
        }
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementCharacter;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) appendUtf8(out, c);
    return out;
}

int cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    const auto& table = highRange();
    for (std::size_t k = 0; k < table.size(); ++k)
        if (table[k] == cp) return static_cast<int>(0x80 + k);
    return -1;
}

char32_t cp1252CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return highRange()[byte - 0x80];
    return byte;
}

}  // namespace ravelin
