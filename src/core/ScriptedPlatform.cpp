#include "core/ScriptedPlatform.h"

#include "core/Form.h"

namespace ravelin {

const char* iconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return "information";
        case MessageIcon::Exclamation: return "exclamation";
        case MessageIcon::Stop: return "stop";
        case MessageIcon::Question: return "question";
        case MessageIcon::None: break;
    }
    return "none";
}

Canvas& RecordingPrintJob::page() {
    if (pages.empty()) newPage();
    return *pages.back();
}

void RecordingPrintJob::newPage() {
    // An A4 page with the printer's usual margins, in twips.
    pages.push_back(std::make_unique<RecordingCanvas>(11000, 15600));
}

ScriptedPlatform::ScriptedPlatform() = default;

MessageAnswer ScriptedPlatform::messageBox(const MessageRequest& request) {
    messages.push_back(request);
    if (!messageAnswers.empty()) {
        const MessageAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    reportUnscripted(std::string("message box \"") + request.title + "\": " + request.text,
                     request.buttons != MessageButtons::Ok);
    switch (request.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
        default: return MessageAnswer::Ok;
    }
}

std::optional<std::string> ScriptedPlatform::inputBox(const std::string& prompt, const std::string& title,
                                                      const std::string& defaultText) {
    inputs.push_back({prompt, title, defaultText});
    if (!inputAnswers.empty()) {
        auto answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }
    reportUnscripted("input box \"" + title + "\": " + prompt);
    return defaultText;
}

void ScriptedPlatform::showModal(Form& form) {
    modalForms.push_back(form.name());
    if (modalHandler) modalHandler(form);
}

std::optional<std::string> ScriptedPlatform::openFileDialog(const FileDialogRequest& request) {
    openDialogs.push_back(request);
    if (openAnswers.empty()) {
        reportUnscripted("open dialog \"" + request.title + "\"");
        return std::nullopt;
    }
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<FileChoice> ScriptedPlatform::saveFileDialog(const FileDialogRequest& request) {
    saveDialogs.push_back(request);
    if (saveAnswers.empty()) {
        reportUnscripted("save dialog \"" + request.title + "\"");
        return std::nullopt;
    }
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    int filter = request.filterIndex;
    if (!saveFilters.empty()) {
        filter = saveFilters.front();
        saveFilters.pop_front();
    }
    if (!answer) return std::nullopt;
    return FileChoice{*answer, filter};
}

void ScriptedPlatform::reportUnscripted(const std::string& what, bool question) {
    if (!strict) return;
    unscripted.push_back({what, question});
    if (onUnscripted) onUnscripted(unscripted.back());
}

void ScriptedPlatform::clipboardClear() { clipboard = Clipboard{}; }

void ScriptedPlatform::setClipboardRichText(const std::string& plain, const std::string& rtf) {
    clipboard.text = plain;
    clipboard.rtf = rtf;
}

std::optional<std::string> ScriptedPlatform::readSetting(const std::string& application, const std::string& section,
                                                         const std::string& key) {
    auto it = settings.find(application + "/" + section + "/" + key);
    if (it == settings.end()) return std::nullopt;
    return it->second;
}

void ScriptedPlatform::writeSetting(const std::string& application, const std::string& section, const std::string& key,
                                    const std::string& value) {
    settings[application + "/" + section + "/" + key] = value;
}

RecordingPrintJob& ScriptedPlatform::newJob(std::vector<RecordingPrintJob*>& list) {
    jobs_.push_back(std::make_unique<RecordingPrintJob>());
    jobs_.back()->failureText = printFailure;
    list.push_back(jobs_.back().get());
    return *jobs_.back();
}

std::unique_ptr<PrintJob> ScriptedPlatform::startPrint(const PrintDialogRequest& request) {
    printDialogs.push_back(request);
    bool ok = true;
    if (!printAnswers.empty()) {
        ok = printAnswers.front();
        printAnswers.pop_front();
    }
    if (!ok) return nullptr;
    // The caller owns the job; the platform keeps a view of what it printed.
    struct Forwarding : PrintJob {
        RecordingPrintJob& job;
        explicit Forwarding(RecordingPrintJob& j) : job(j) {}
        Canvas& page() override { return job.page(); }
        void newPage() override { job.newPage(); }
        void printRichText(const RichText& text) override { job.printRichText(text); }
        bool endDocument() override { return job.endDocument(); }
        std::string failure() const override { return job.failure(); }
        bool selectionOnly() const override { return job.selectionOnly(); }
    };
    RecordingPrintJob& job = newJob(printJobs);
    job.selection = request.offerSelection && printSelectionOnly;
    return std::make_unique<Forwarding>(job);
}

PreviewOutcome ScriptedPlatform::printPreview(const PrintDialogRequest& request, const PrintContent& content) {
    previewDialogs.push_back(request);
    RecordingPrintJob& shown = newJob(previews);
    shown.failureText.clear();  // a preview is drawn in memory: it cannot fail
    content(shown);
    shown.endDocument();
    const bool print = !previewPrintAnswers.empty() && previewPrintAnswers.front();
    if (!previewPrintAnswers.empty()) previewPrintAnswers.pop_front();
    if (!print) return {};
    RecordingPrintJob& printed = newJob(printJobs);
    content(printed);
    const bool ok = printed.endDocument();
    return {true, !ok, ok ? std::string() : printed.failure()};
}

WriteFault takeFault(std::deque<WriteFault>& faults) {
    if (faults.empty()) return WriteFault::None;
    const WriteFault fault = faults.front();
    faults.pop_front();
    return fault;
}

namespace {

// A picture or PDF file this platform cannot draw: a queued fault fails as the
// real writing would, at its own step, else the painter is missing.
bool failExport(std::deque<WriteFault>& faults, const std::string& path, std::string* error) {
    const WriteFault fault = takeFault(faults);
    if (fault != WriteFault::None) writeFileAtomically(path, {}, error, fault);
    else if (error) *error = "no painter available";
    return false;
}

}  // namespace

bool ScriptedPlatform::exportDrawing(const RecordingCanvas&, double, double, const std::string& path,
                                     std::string* error) {
    exportedDrawings.push_back(path);
    return failExport(writeFaults, path, error);
}

bool ScriptedPlatform::exportRichText(const RichText&, const std::string& path, std::string* error) {
    exportedDrawings.push_back(path);
    return failExport(writeFaults, path, error);
}

bool ScriptedPlatform::writeFile(const std::string& path, std::string_view bytes, std::string* error) {
    writtenFiles.push_back(path);
    return writeFileAtomically(path, bytes, error, takeFault(writeFaults));
}

std::optional<FontChoice> ScriptedPlatform::fontDialog(const FontChoice& initial) {
    fontDialogs.push_back(initial);
    if (fontAnswers.empty()) return std::nullopt;
    auto answer = fontAnswers.front();
    fontAnswers.pop_front();
    return answer;
}

namespace {

// A picture without pixels: its size is all a scripted session needs.
class ScriptedPicture : public Picture {
public:
    ScriptedPicture(int width, int height) : Picture(width, height) {}
};

}  // namespace

PictureLoad ScriptedPlatform::loadPicture(const std::string& path) {
    loadedPictures.push_back(path);
    auto it = pictures_.find(path);
    if (it == pictures_.end()) return {nullptr, pictureOpenError(path, "no such file")};
    return it->second;
}

void ScriptedPlatform::addPicture(const std::string& path, int width, int height) {
    if (width <= 0 || height <= 0) {
        addPictureFailure(path, pictureDamagedError(path, "no pixels"));
        return;
    }
    if (!pictureSizeAllowed(width, height)) {
        addPictureFailure(path, pictureSizeError(path, width, height));
        return;
    }
    pictures_[path] = {std::make_shared<ScriptedPicture>(width, height), {}};
}

void ScriptedPlatform::addPictureFailure(const std::string& path, std::string error) {
    pictures_[path] = {nullptr, std::move(error)};
}

}  // namespace ravelin
