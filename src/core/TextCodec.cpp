#include "core/TextCodec.h"

#include "core/Unicode.h"

namespace ravelin {

bool isValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = decodeUtf8(bytes, i, cp);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            appendUtf8(out, cp1252CodePoint(b));
        }
    }
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    char32_t cp = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = decodeUtf8(utf8, i, cp);
        if (n == 0) return std::nullopt;
        i += n;
        const int byte = cp1252Byte(cp);
        if (byte < 0) return std::nullopt;
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

std::string decodeFileText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (isValidUtf8(bytes)) return std::string(bytes);
    return cp1252ToUtf8(bytes);
}

std::string encodeFileText(std::string_view utf8) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    // Single-byte text is kept unless a reader would take it for UTF-8 or a
    // byte-order mark ("\xC3\xA9" is "Ã©" in Windows-1252 and "é" in UTF-8).
    if (auto single = utf8ToCp1252(utf8); single && !single->starts_with(kBom)) {
        const bool ascii = std::all_of(single->begin(), single->end(), [](char c) { return (c & 0x80) == 0; });
        if (ascii || !isValidUtf8(*single)) return *single;
    }
    // A text starting with U+FEFF keeps it behind the mark the reader drops.
    if (utf8.starts_with(kBom)) return std::string(kBom) + std::string(utf8);
    return std::string(utf8);
}

std::string lowerExtension(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return {};
    std::string extension(name.substr(dot));
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

}  // namespace ravelin
