#pragma once
// Datasheet windows and ".spg" files. The file itself is a value
// (spacing/SpgFormat); here a datasheet is filled from that value and the
// value built from a datasheet, and a load tells the user and the log what
// went wrong, as "&Open datasheet" and "&Save" need.

#include <string>

#include "spacing/SpgFormat.h"

namespace ravelin {

class SpacingForm;

// Puts a document into the datasheet: each text, orientation, type and chart
// setting the file held (the others stay as they were), and the distances
// into the measured grid, enlarging both grids when they do not fit; rows
// below the distances are emptied in both grids.
void FillDatasheet(SpacingForm& window, SpgDocument document);

// The document a datasheet saves: its texts and type, its measured column,
// and the chart settings of its last histogram, or those loaded with its
// file when it has not been drawn since.
SpgDocument DatasheetDocument(const SpacingForm& window);

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
