#include "core/TextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace ravelin {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined keep their C1 control code points, so any file survives a
// read and a write unchanged.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

void appendUtf8(std::string& out, char32_t cp) {
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

// Decodes one well-formed UTF-8 sequence at `i` (rejecting overlong forms,
// surrogates and values above U+10FFFF); returns its length, 0 if invalid.
std::size_t decodeOne(std::string_view s, std::size_t i, char32_t& cp) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

std::string systemError(const std::string& what, int code) { return what + ": " + std::strerror(code); }

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The mode a new file gets from open(..., 0666): mkstemp creates 0600.
mode_t defaultFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = decodeOne(bytes, i, cp);
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
        } else if (b < 0xA0) {
            appendUtf8(out, kHighControls[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    char32_t cp = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = decodeOne(utf8, i, cp);
        if (n == 0) return std::nullopt;
        i += n;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        bool found = false;
        for (std::size_t k = 0; k < kHighControls.size(); ++k) {
            if (kHighControls[k] == cp) {
                out.push_back(static_cast<char>(0x80 + k));
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return out;
}

std::string decodeFileText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (isValidUtf8(bytes)) return std::string(bytes);
    return cp1252ToUtf8(bytes);
}

std::string encodeFileText(std::string_view utf8) {
    if (auto single = utf8ToCp1252(utf8)) return *single;
    return std::string(utf8);
}

std::string toCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    std::string tempTemplate = path + ".tmp-XXXXXX";
    std::vector<char> tempPath(tempTemplate.begin(), tempTemplate.end());
    tempPath.push_back('\0');
    int fd = ::mkstemp(tempPath.data());
    if (fd < 0) return fail(systemError("Cannot create a temporary file beside " + path, errno));
    std::string temp(tempPath.data());

    auto abandon = [&](const std::string& what) {
        int code = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return fail(systemError(what, code));
    };

    // Keep the permissions of a file being replaced; a new one gets the usual ones.
    struct stat existing {};
    mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : defaultFileMode();
    if (::fchmod(fd, mode) != 0) return abandon("Cannot set the permissions of " + temp);
    if (!writeAll(fd, bytes)) return abandon("Cannot write " + temp);
    if (::fsync(fd) != 0) return abandon("Cannot flush " + temp);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon("Cannot close " + temp);
    if (::rename(temp.c_str(), path.c_str()) != 0) return abandon("Cannot replace " + path);

    // Make the rename itself durable; a failure here no longer endangers the data.
    std::string::size_type slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    if (error) error->clear();
    return true;
}

}  // namespace ravelin
