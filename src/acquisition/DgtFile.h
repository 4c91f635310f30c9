#pragma once
// The acquisition window and its ".dgt" files. The file itself is a value
// (acquisition/DgtFormat); here the window is filled from that value, with
// its photograph, and the value built from the window; a load tells the
// user and the log what went wrong, as "&Open datasheet" and "&Save" need.

#include <string>

#include "acquisition/DgtFormat.h"

namespace ravelin {

class ScanForm;

// Fills the window from the file and shows it. A missing file leaves the
// window empty, captioned "Acquisition Window - Digit ". A photograph that
// is missing or cannot be read is told and left out, and the geometry still
// loads. A reading that stops at an error keeps what came before it,
// completes the window as for a whole file, and is told with the line.
// Returns false when the file could not be read whole.
bool LoadDigitizedFile(const std::string& path, ScanForm& window);

// The document a save writes for `path`: the geometry and the scale, and the
// photograph's source as stored, unless it is relative and would name
// another file from the new file's folder (then its whole path).
DigitizedDocument ScanDocument(const ScanForm& window, const std::string& path);

struct DgtSaveOutcome {
    bool written = false;
    std::string error;  // why not, when a path was given
};
// Writes the window's acquisition atomically (beside the old file, then
// renamed over it). An empty path writes nothing. A failure is logged with
// the error record, not shown.
DgtSaveOutcome SaveDigitizedFile(const std::string& path, const ScanForm& window);

// The caption of a window read from or saved to `path`: "Acquisition Window - "
// and the path, without the current folder when the file lies in it.
std::string AcquisitionCaption(const std::string& path, const std::string& currentFolder);

// Where a photograph's source points: an absolute path as it is; a relative
// one from the datafile's folder when the file is there, otherwise from the
// current folder.
std::string ResolveImageSource(const std::string& source, const std::string& datafilePath,
                               const std::string& currentFolder);

}  // namespace ravelin
