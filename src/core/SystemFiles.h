#pragma once
// The file calls of the operating system, in one place: whole-file reading,
// the safe replacement of a file, a file's creation date and local time.
// Everything else in the core reaches files through these functions or the
// standard library; SystemFiles.cpp holds the branch for each system.

#include <cstddef>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ravelin {

// Whole-file reading; nullopt when the file cannot be opened or is a folder.
// A pipe or a device is read to its end.
std::optional<std::string> readFileBytes(const std::string& path);

// Reads a regular file whole into the room `room(size)` gives for its
// announced size. False, with nothing to rely on in the room, when the path
// is no regular file, cannot be read, or changed size while it was read.
bool readRegularFile(const std::string& path, const std::function<char*(std::size_t)>& room);

// A failure the file writing can be told to meet, so that tests see each
// step fail as a full disk or a locked folder would make it fail: the
// temporary file refused (no permission), the first write refused (no
// space), the write stopped halfway (an I/O error after half the bytes),
// or the final rename refused (the target locked).
enum class WriteFault { None, NoPermission, NoSpace, MidWrite, Rename };

// Writes beside the target and renames over it, so a failed write never
// leaves a truncated file; a file replaced keeps its permissions. Returns
// false, with the reason in `error`, on failure; `fault` makes the named
// step fail as the system would.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                         WriteFault fault = WriteFault::None);

// When the file was created, where the file system keeps it and the system tells it.
std::optional<std::time_t> fileBirthTime(const std::string& path);

// A time as the user's local calendar time.
std::tm localCalendarTime(std::time_t time);

}  // namespace ravelin
