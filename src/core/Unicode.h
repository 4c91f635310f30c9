#pragma once
// Code points and their UTF-8 and Windows-1252 forms: the text files, the
// rich-text document (positions count code points) and the RTF writer and
// reader share them.

#include <cstddef>
#include <string>
#include <string_view>

namespace ravelin {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one well-formed UTF-8 sequence at `i` (no overlong forms,
// surrogates or values above U+10FFFF); returns its length, 0 when malformed.
std::size_t decodeUtf8(std::string_view utf8, std::size_t i, char32_t& codePoint);
// Decodes UTF-8; every malformed byte becomes U+FFFD, so any bytes decode.
std::u32string toCodePoints(std::string_view utf8);
void appendUtf8(std::string& out, char32_t codePoint);
std::string toUtf8(std::u32string_view text);

// The Windows-1252 byte of a code point, or -1 when the code page lacks it.
int cp1252Byte(char32_t codePoint);
// The code point of a Windows-1252 byte.
char32_t cp1252CodePoint(unsigned char byte);

// Controls other than tab (C0, DEL and C1) have no place in a text.
inline bool isDroppedControl(char32_t c) { return (c < 0x20 && c != U'\t') || (c >= 0x7F && c < 0xA0); }

}  // namespace ravelin
