#pragma once
// What the file system tells about a file, for the Properties dialog: its
// size and its dates as local time.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace ravelin {

struct FileFacts {
    std::uintmax_t size = 0;             // bytes
    std::time_t modified = 0;            // seconds since 1970-01-01 UTC
    std::optional<std::time_t> created;  // where the file system keeps it
};

// Nothing when the path names no regular file (or it cannot be read).
std::optional<FileFacts> fileFacts(const std::string& path);

// "2026-06-12 14:03:27" in local time: unambiguous whatever the user's locale.
std::string localTimeText(std::time_t time);

// "1 234 567 bytes": thousands apart, as a user reads a size.
std::string byteCountText(std::uintmax_t bytes);

}  // namespace ravelin
