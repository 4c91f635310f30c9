#include "core/SystemFiles.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ravelin {

namespace {

// Bytes read at a time beyond a file's announced size (a pipe, a device, a file growing meanwhile).
constexpr std::size_t kReadStep = 64 * 1024;

}  // namespace

#if defined(_WIN32)

namespace {

// Paths are UTF-8 inside the program; the system takes UTF-16.
std::wstring widePath(const std::string& path) {
    if (path.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

std::string windowsError(const std::string& what) {
    const DWORD code = GetLastError();
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                   nullptr);
    std::string reason(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return what + ": " + (reason.empty() ? "error " + std::to_string(code) : reason);
}

// Closes the handle however the work ends.
struct OpenHandle {
    HANDLE handle;
    ~OpenHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

HANDLE openForReading(const std::string& path) {
    return CreateFileW(widePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Reads up to `size` bytes; the count read (less at the file's end), or nullopt on an error.
std::optional<std::size_t> readFully(HANDLE file, char* data, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        // ReadFile takes 32-bit counts: large files are read in blocks of 1 GB.
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size - filled, std::size_t{1} << 30));
        DWORD got = 0;
        if (!ReadFile(file, data + filled, wanted, &got, nullptr)) {
            if (GetLastError() == ERROR_BROKEN_PIPE) break;  // the writing end of a pipe closed
            return std::nullopt;
        }
        if (got == 0) break;
        filled += got;
    }
    return filled;
}

bool isRegular(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }

}  // namespace

std::optional<std::string> readFileBytes(const std::string& path) {
    const OpenHandle file{openForReading(path)};
    if (file.handle == INVALID_HANDLE_VALUE) return std::nullopt;  // also a folder: it cannot be opened so
    LARGE_INTEGER size{};
    const bool regular = isRegular(file.handle) && GetFileSizeEx(file.handle, &size);
    std::string bytes(regular ? static_cast<std::size_t>(size.QuadPart) : 0, '\0');
    const std::optional<std::size_t> got = readFully(file.handle, bytes.data(), bytes.size());
    if (!got) return std::nullopt;
    bytes.resize(*got);
    std::array<char, kReadStep> step;
    for (;;) {
        const std::optional<std::size_t> more = readFully(file.handle, step.data(), step.size());
        if (!more) return std::nullopt;
        bytes.append(step.data(), *more);
        if (*more < step.size()) return bytes;
    }
}

bool readRegularFile(const std::string& path, const std::function<char*(std::size_t)>& room) {
    const OpenHandle file{openForReading(path)};
    if (file.handle == INVALID_HANDLE_VALUE || !isRegular(file.handle)) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart < 0) return false;
    const auto bytes = static_cast<std::size_t>(size.QuadPart);
    char* data = room(bytes);
    const std::optional<std::size_t> got = readFully(file.handle, data, bytes);
    char more = 0;
    return got && *got == bytes && readFully(file.handle, &more, 1) == std::optional<std::size_t>(0);
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error, WriteFault fault) {
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    if (fault == WriteFault::NoPermission) {
        SetLastError(ERROR_ACCESS_DENIED);
        return fail(windowsError("Cannot create a temporary file beside " + path));
    }
    // A name of its own beside the target, from the process and the clock; taken names are stepped over.
    std::string temp;
    std::wstring wideTemp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temp = path + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + "-" +
               std::to_string(attempt);
        wideTemp = widePath(temp);
        handle = CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (handle == INVALID_HANDLE_VALUE) return fail(windowsError("Cannot create a temporary file beside " + path));
    auto abandon = [&](const std::string& what) {
        const std::string message = windowsError(what);
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        DeleteFileW(wideTemp.c_str());
        return fail(message);
    };
    if (fault == WriteFault::NoSpace) {
        SetLastError(ERROR_DISK_FULL);
        return abandon("Cannot write " + temp);
    }
    const char* p = bytes.data();
    // Half the bytes reach the temporary file before the error, as when a device fails.
    std::size_t left = fault == WriteFault::MidWrite ? bytes.size() / 2 : bytes.size();
    while (left > 0) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(left, std::size_t{1} << 30));
        DWORD written = 0;
        if (!WriteFile(handle, p, wanted, &written, nullptr) || written == 0) return abandon("Cannot write " + temp);
        p += written;
        left -= written;
    }
    if (fault == WriteFault::MidWrite) {
        SetLastError(ERROR_WRITE_FAULT);
        return abandon("Cannot write " + temp);
    }
    if (!FlushFileBuffers(handle)) return abandon("Cannot flush " + temp);
    const bool closed = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    if (!closed) return abandon("Cannot close " + temp);
    if (fault == WriteFault::Rename) {
        SetLastError(ERROR_ACCESS_DENIED);
        return abandon("Cannot replace " + path);
    }
    // ReplaceFileW keeps the replaced file's attributes and permissions; a new file is moved into place.
    const std::wstring target = widePath(path);
    const bool exists = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool replaced = exists ? ReplaceFileW(target.c_str(), wideTemp.c_str(), nullptr,
                                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                 : MoveFileExW(wideTemp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!replaced) return abandon("Cannot replace " + path);
    if (error) error->clear();
    return true;
}

std::optional<std::time_t> fileBirthTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    if (!GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &facts)) return std::nullopt;
    // FILETIME counts 100 ns steps since 1601-01-01 UTC; time_t seconds since 1970-01-01.
    constexpr unsigned long long kStepsTo1970 = 116444736000000000ULL;
    const unsigned long long steps = (static_cast<unsigned long long>(facts.ftCreationTime.dwHighDateTime) << 32) |
                                     facts.ftCreationTime.dwLowDateTime;
    if (steps < kStepsTo1970) return std::nullopt;
    return static_cast<std::time_t>((steps - kStepsTo1970) / 10000000ULL);
}

std::tm localCalendarTime(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}

#else  // POSIX: Linux and macOS

namespace {

std::string systemError(const std::string& what, int code) { return what + ": " + std::strerror(code); }

// Closes the descriptor however the work ends.
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

bool readRegularFile(const std::string& path, const std::function<char*(std::size_t)>& room) {
    const OpenFile file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) return false;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const auto size = static_cast<std::size_t>(info.st_size);
    char* data = room(size);
    if (readFully(file.fd, data, size) != static_cast<ssize_t>(size)) return false;
    char more = 0;
    return readFully(file.fd, &more, 1) == 0;  // nothing beyond: the file did not grow meanwhile
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

std::optional<std::time_t> fileBirthTime([[maybe_unused]] const std::string& path) {
#if defined(__linux__) && defined(STATX_BTIME)
    struct statx facts {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &facts) == 0 && (facts.stx_mask & STATX_BTIME) != 0)
        return static_cast<std::time_t>(facts.stx_btime.tv_sec);
#elif defined(__APPLE__)
    struct stat facts {};
    if (::stat(path.c_str(), &facts) == 0) return static_cast<std::time_t>(facts.st_birthtimespec.tv_sec);
#endif
    return std::nullopt;  // the file system keeps no creation date, or the system does not tell it
}

std::tm localCalendarTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

#endif

}  // namespace ravelin
