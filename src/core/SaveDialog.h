#pragma once
// The save dialog as every document's Save uses it: the file type the user
// picks decides the format, so a name typed without an extension takes the
// chosen filter's (".spg", ".rtf", ".png"...).

#include <optional>
#include <string>
#include <vector>

#include "core/Platform.h"

namespace ravelin {

// The extensions each filter of a dialog's filter text lists
// ("Desc|*.a;*.b|Desc|*.c"), in lower case with their dot; a pattern
// without one ("*.*", "*") lists none.
std::vector<std::vector<std::string>> filterExtensions(const std::string& filter);

// The path a save writes: a name whose extension no filter of the dialog
// lists gets the first extension of the chosen filter (1-based), if it has
// one ("report" with "Text files" chosen is "report.txt"; "report.final" is
// "report.final.txt"; "report.rtf" stays itself whatever was chosen).
std::string pathForFilter(const std::string& path, const std::string& filter, int filterIndex);

// Shows the save dialog and gives the path to write, completed by the chosen
// filter. When an extension was added and a file of that name exists (the
// dialog asked about the name without it), the user is asked before it is
// replaced; No gives nothing, as a cancelled dialog does.
std::optional<std::string> chooseSaveFile(Platform& platform, const FileDialogRequest& request);

}  // namespace ravelin
