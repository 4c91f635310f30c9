#pragma once
// The spacing datasheet file (".spg"): a plain-text file of key lines
// ("Head = ", "Clif = ", ...; a key is known by its first letter), comment
// lines beginning with "'" and one distance per line. Fields are read as
// comma-separated input: a field ends at a comma or a line end, and a field
// that starts with a double quote runs to its closing quote.
//
// The writer protects a field holding a comma by writing it whole between
// double quotes, so every file Ravelin writes reads back as it was written;
// a file without commas in its texts is written as before.

#include <string>

namespace ravelin {

class SpacingForm;

// Why reading a file stopped before its end.
struct SpgReadError {
    int number = 0;            // the error number recorded in the log
    std::string description;   // its description in the log
    std::string reason;        // what the user is told
    long long line = 0;        // 1-based line of the file
    std::string lineText;
};

// Fills the datasheet from the file. Returns false when the file could not
// be opened or stopped reading at an error; what was read before the error
// stays, the window is completed as for a full file, the log gets an error
// record and the user a message naming the line.
bool LoadSpacingFile(const std::string& path, SpacingForm& window);

// The file text (UTF-8, CR LF line ends) of a datasheet.
std::string SpacingFileText(const SpacingForm& window);

struct SpgSaveOutcome {
    bool written = false;
    std::string error;  // why not, when a path was given
};
// Writes the datasheet atomically (beside the old file, then renamed over
// it). An empty path writes nothing. A failure is logged, not shown.
SpgSaveOutcome SaveSpacingFile(const std::string& path, const SpacingForm& window);

// The caption of a datasheet loaded from or saved to `path`: the file name
// when it lies in `currentFolder`, otherwise the whole path.
std::string DatasheetCaption(const std::string& path, const std::string& currentFolder);

}  // namespace ravelin
