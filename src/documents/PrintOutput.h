#pragma once
// Printing and print preview through the platform. A document describes its
// printout once, as a PrintContent; the print dialog's job and the preview
// both draw that same content. A print that fails is told to the user with
// a message box and written to the log file.

#include <optional>
#include <string>

#include "core/Platform.h"
#include "core/RichText.h"

namespace ravelin {

class RecordingCanvas;
class Session;

// A rich text on as many pages as it needs; with a selection, the print
// dialog's "Selection" choice prints that part alone.
PrintContent richTextPrintout(RichText text, std::optional<RichText> selection = std::nullopt);
// A drawing on one page, reduced when it is larger than the page.
PrintContent drawingPrintout(RecordingCanvas drawing);

// The print dialog "Ravelin - Print", then the content on the chosen printer.
// False when the dialog was cancelled or printing failed (the failure is told).
bool printContent(Session& session, const std::string& documentName, const PrintContent& content,
                  bool offerSelection = false);

// The preview "Ravelin - Print Preview" of the same content; a print started
// from the preview that fails is told as above.
void previewContent(Session& session, const std::string& documentName, const PrintContent& content);

}  // namespace ravelin
