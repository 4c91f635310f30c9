#pragma once
// Printing through the platform's print dialog and printer, with one way of
// telling the user that the printer refused the job.

#include "core/RichText.h"

namespace ravelin {

class Platform;
class RecordingCanvas;

// The print dialog "Ravelin - Print", then the text. False when the dialog
// was cancelled or the printer failed (a failure is told to the user).
// Prints `text`; with a selection, the print dialog also offers to print
// just that part.
bool printRichText(Platform& platform, const RichText& text, const RichText* selection = nullptr);

// The print dialog, then the drawing on one page, reduced when it is larger than the page.
bool printDrawing(Platform& platform, const RecordingCanvas& drawing);

}  // namespace ravelin
