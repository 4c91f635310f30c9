#include "core/FileFacts.h"

#include <chrono>
#include <filesystem>

#if defined(__linux__)
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace ravelin {

namespace {

std::optional<std::time_t> birthTime([[maybe_unused]] const std::string& path) {
#if defined(__linux__) && defined(STATX_BTIME)
    struct statx facts {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &facts) == 0 && (facts.stx_mask & STATX_BTIME) != 0)
        return static_cast<std::time_t>(facts.stx_btime.tv_sec);
#endif
    return std::nullopt;  // the file system keeps no creation date, or the platform does not tell it
}

}  // namespace

std::optional<FileFacts> fileFacts(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(path, error)) return std::nullopt;
    FileFacts facts;
    facts.size = fs::file_size(path, error);
    if (error) return std::nullopt;
    const fs::file_time_type written = fs::last_write_time(path, error);
    if (error) return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(written);
    facts.modified = std::chrono::system_clock::to_time_t(system);
    facts.created = birthTime(path);
    return facts;
}

std::string localTimeText(std::time_t time) {
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string byteCountText(std::uintmax_t bytes) {
    std::string digits = std::to_string(bytes);
    for (auto i = static_cast<std::ptrdiff_t>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), 1, ' ');
    return digits + (bytes == 1 ? " byte" : " bytes");
}

}  // namespace ravelin
