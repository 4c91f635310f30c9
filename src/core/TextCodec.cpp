#include "core/TextCodec.h"

#include "core/Unicode.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

namespace ravelin {

namespace {

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

namespace {
// Bytes read at a time beyond a file's announced size (a pipe, a device, a file growing meanwhile).
constexpr std::size_t kReadStep = 64 * 1024;

// Closes the descriptor however the reading ends.
struct OpenFile {
    int fd;
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
};

// Reads up to `size` bytes into `data`; the count read (less at the file's end), or -1 on an error.
ssize_t readFully(int fd, char* data, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd, data + filled, size - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(filled);
}
}  // namespace

// A regular file is read in one block of its size; a pipe or a device, or
// what a file gained since its size was taken, is read on in steps.
std::optional<std::string> readFileBytes(const std::string& path) {
    const OpenFile file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    std::string bytes(S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0, '\0');
    const ssize_t got = readFully(file.fd, bytes.data(), bytes.size());
    if (got < 0) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    std::array<char, kReadStep> step;
    for (;;) {
        const ssize_t more = readFully(file.fd, step.data(), step.size());
        if (more < 0) return std::nullopt;
        bytes.append(step.data(), static_cast<std::size_t>(more));
        if (static_cast<std::size_t>(more) < step.size()) return bytes;
    }
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error, WriteFault fault) {
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    if (fault == WriteFault::NoPermission)
        return fail(systemError("Cannot create a temporary file beside " + path, EACCES));
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
    if (fault == WriteFault::NoSpace) {
        errno = ENOSPC;
        return abandon("Cannot write " + temp);
    }
    if (fault == WriteFault::MidWrite) {
        // Half the bytes reach the temporary file before the error, as when a device fails.
        const bool half = writeAll(fd, bytes.substr(0, bytes.size() / 2));
        errno = half ? EIO : errno;
        return abandon("Cannot write " + temp);
    }
    if (!writeAll(fd, bytes)) return abandon("Cannot write " + temp);
    if (::fsync(fd) != 0) return abandon("Cannot flush " + temp);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon("Cannot close " + temp);
    if (fault == WriteFault::Rename) {
        errno = EACCES;
        return abandon("Cannot replace " + path);
    }
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
