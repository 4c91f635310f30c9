#include "documents/PrintOutput.h"

#include <algorithm>
#include <memory>

#include "core/Canvas.h"
#include "core/Session.h"

namespace ravelin {

namespace {

constexpr const char* kPrintTitle = "Ravelin - Print";
constexpr const char* kPreviewTitle = "Ravelin - Print Preview";

void tellPrintFailed(Session& session, const std::string& documentName, const std::string& why) {
    const std::string reason = why.empty() ? "The printer did not accept it." : why;
    session.platform().messageBox(
        {kPrintTitle, "The document could not be printed.\r\n" + reason, MessageIcon::Exclamation, MessageButtons::Ok});
    session.writeLogFile("Printing '" + documentName + "' failed: " + reason);
}

}  // namespace

PrintContent richTextPrintout(RichText text, std::optional<RichText> selection) {
    return [text = std::move(text), selection = std::move(selection)](PrintJob& job) {
        job.printRichText(selection && job.selectionOnly() ? *selection : text);
    };
}

PrintContent drawingPrintout(RecordingCanvas drawing) {
    return [drawing = std::move(drawing)](PrintJob& job) {
        Canvas& page = job.page();
        double scale = 1;
        if (drawing.width() > 0 && drawing.height() > 0)
            scale = std::min({1.0, page.width() / drawing.width(), page.height() / drawing.height()});
        drawing.replay(page, scale);
    };
}

bool printContent(Session& session, const std::string& documentName, const PrintContent& content, bool offerSelection) {
    Platform& platform = session.platform();
    std::unique_ptr<PrintJob> job = platform.startPrint({kPrintTitle, offerSelection, false, documentName});
    if (!job) return false;
    platform.processEvents();
    content(*job);
    platform.processEvents();
    if (job->endDocument()) return true;
    tellPrintFailed(session, documentName, job->failure());
    return false;
}

void previewContent(Session& session, const std::string& documentName, const PrintContent& content) {
    const PreviewOutcome outcome =
        session.platform().printPreview({kPreviewTitle, false, false, documentName}, content);
    if (outcome.printed && outcome.failed) tellPrintFailed(session, documentName, outcome.failure);
}

}  // namespace ravelin
