#pragma once
// Text files as Ravelin writes and reads them. Inside the program text is
// UTF-8. Files are Windows-1252 (the single-byte code page) with CR LF line
// ends; a text holding characters Windows-1252 lacks is written as UTF-8
// (no byte-order mark) rather than losing them. Readers take a file that is
// valid UTF-8 as UTF-8 and any other as Windows-1252, and accept CR LF, LF
// or CR line ends.

#include <optional>
#include <string>
#include <string_view>

namespace ravelin {

bool isValidUtf8(std::string_view bytes);
// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81 0x8D 0x8F 0x90 0x9D) become the C1 controls of the same value, so
// they come back unchanged through utf8ToCp1252.
std::string cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; nullopt when a character has no Windows-1252 form.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);
// File bytes to UTF-8 text by the rule above (a UTF-8 BOM is dropped).
std::string decodeFileText(std::string_view bytes);
// UTF-8 text to file bytes by the rule above (no line-end change), so that
// decodeFileText gives the text back: Windows-1252 that would read as UTF-8
// is written as UTF-8.
std::string encodeFileText(std::string_view utf8);
// Every CR LF, lone LF and lone CR becomes CR LF.
std::string toCrLf(std::string_view text);

// The extension of a file name in lower case with its dot (".rtf"): from the
// last dot of the name after the last '/', "" when the name has no dot.
// Readers and writers pick the format by it, whatever case the user typed.
std::string lowerExtension(std::string_view path);

// Whole-file reading; nullopt when the file cannot be opened.
std::optional<std::string> readFileBytes(const std::string& path);
// A failure the file writing can be told to meet, so that tests see each
// step fail as a full disk or a locked folder would make it fail: the
// temporary file refused (no permission), the first write refused (no
// space), the write stopped halfway (an I/O error after half the bytes),
// or the final rename refused (the target locked).
enum class WriteFault { None, NoPermission, NoSpace, MidWrite, Rename };

// Writes beside the target and renames over it, so a failed write never
// leaves a truncated file. Returns false, with the reason in `error`, on
// failure; `fault` makes the named step fail as the system would.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                         WriteFault fault = WriteFault::None);

}  // namespace ravelin
