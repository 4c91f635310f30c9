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

#include "core/SystemFiles.h"  // the files these texts are read from and written to

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

// The extension of a file name in lower case with its dot (".rtf"): from the
// last dot of the name after the last '/', "" when the name has no dot.
// Readers and writers pick the format by it, whatever case the user typed.
std::string lowerExtension(std::string_view path);

}  // namespace ravelin
