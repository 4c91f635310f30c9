#pragma once
// Spacing datasheets as documents: ".spg" files opened into datasheet
// windows (the datasheet table remembers which file each holds), saved back
// to the file a window came from or to a new name, and printed as a report.

#include <string>

#include "documents/DocumentKinds.h"

namespace ravelin {

class Session;
class SpacingForm;

DocumentKind datasheetDocumentKind();

// Opens a datasheet file into a new datasheet window, or, once the user
// agrees, again into the window that already holds it. Returns the window
// the file was read into; nullptr when the user kept the opened one or there
// is no main window to hold it.
SpacingForm* OpenDatasheetFile(Session& session, const std::string& path);

}  // namespace ravelin
