#include "core/FileFacts.h"

#include <chrono>
#include <filesystem>

#include "core/SystemFiles.h"

namespace ravelin {

std::optional<FileFacts> fileFacts(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    // Paths are UTF-8 inside the program, which a path of chars is not on every system.
    const fs::path file(std::u8string(path.begin(), path.end()));
    if (path.empty() || !fs::is_regular_file(file, error)) return std::nullopt;
    FileFacts facts;
    facts.size = fs::file_size(file, error);
    if (error) return std::nullopt;
    const fs::file_time_type written = fs::last_write_time(file, error);
    if (error) return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(written);
    facts.modified = std::chrono::system_clock::to_time_t(system);
    facts.created = fileBirthTime(path);
    return facts;
}

std::string localTimeText(std::time_t time) {
    const std::tm local = localCalendarTime(time);
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
