#include "documents/PrintOutput.h"

#include <algorithm>

#include "core/Canvas.h"
#include "core/Platform.h"

namespace ravelin {

namespace {

constexpr const char* kPrintTitle = "Ravelin - Print";

bool finish(Platform& platform, PrintJob& job) {
    platform.processEvents();
    if (job.endDocument()) return true;
    platform.messageBox({kPrintTitle, "The document could not be printed.", MessageIcon::Exclamation,
                         MessageButtons::Ok});
    return false;
}

}  // namespace

bool printRichText(Platform& platform, const RichText& text, const RichText* selection) {
    std::unique_ptr<PrintJob> job = platform.startPrint({kPrintTitle, selection != nullptr, false});
    if (!job) return false;
    platform.processEvents();
    job->printRichText(selection && job->selectionOnly() ? *selection : text);
    return finish(platform, *job);
}

bool printDrawing(Platform& platform, const RecordingCanvas& drawing) {
    std::unique_ptr<PrintJob> job = platform.startPrint({kPrintTitle, false, false});
    if (!job) return false;
    platform.processEvents();
    Canvas& page = job->page();
    double scale = 1;
    if (drawing.width() > 0 && drawing.height() > 0)
        scale = std::min({1.0, page.width() / drawing.width(), page.height() / drawing.height()});
    drawing.replay(page, scale);
    return finish(platform, *job);
}

}  // namespace ravelin
