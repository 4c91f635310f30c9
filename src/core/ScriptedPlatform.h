#pragma once
// A platform without a display: it records every request the windows make
// (message boxes, input boxes, dialogs, beeps, clipboard, printing) and
// answers from a script. ravelin-cli and the tests drive windows with it.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/Platform.h"
#include "core/RichText.h"

namespace ravelin {

class RecordingPrintJob : public PrintJob {
public:
    Canvas& page() override;
    void newPage() override;
    void printRichText(const RichText& text) override { richTexts.push_back(text); }
    bool endDocument() override {
        ended = true;
        return failureText.empty();
    }
    std::string failure() const override { return failureText; }
    bool selectionOnly() const override { return selection; }

    std::vector<std::unique_ptr<RecordingCanvas>> pages;
    std::vector<RichText> richTexts;
    bool ended = false;
    bool selection = false;
    std::string failureText;  // not empty: the printer refuses the job with these words
};

class ScriptedPlatform : public Platform {
public:
    ScriptedPlatform();

    MessageAnswer messageBox(const MessageRequest& request) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    void beep() override { ++beeps; }
    void showModal(Form& form) override;

    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<FileChoice> saveFileDialog(const FileDialogRequest& request) override;

    void clipboardClear() override;
    void setClipboardText(const std::string& text) override { clipboard.text = text; }
    void setClipboardRichText(const std::string& plain, const std::string& rtf) override;
    void setClipboardImage(const Image& image) override { clipboard.image = image; }
    std::string clipboardText() override { return clipboard.text; }

    std::optional<std::string> readSetting(const std::string& application, const std::string& section,
                                           const std::string& key) override;
    void writeSetting(const std::string& application, const std::string& section, const std::string& key,
                      const std::string& value) override;

    // Without a painter there is nothing to draw with; ravelin-cli supplies one.
    std::optional<Image> renderImage(const RecordingCanvas&, double, double) override { return std::nullopt; }
    bool exportDrawing(const RecordingCanvas&, double, double, const std::string& path, std::string* error) override;

    bool exportRichText(const RichText&, const std::string& path, std::string* error) override;
    // Writes the file for real, meeting the next of writeFaults.
    bool writeFile(const std::string& path, std::string_view bytes, std::string* error) override;

    // Answers from the scripted pictures below; any other path cannot be opened.
    PictureLoad loadPicture(const std::string& path) override;
    // A picture of width x height pixels for `path` (held to the size limit of every platform), or a failure.
    void addPicture(const std::string& path, int width, int height);
    void addPictureFailure(const std::string& path, std::string error);

    std::optional<FontChoice> fontDialog(const FontChoice& initial) override;

    void printerSetupDialog() override { ++printerSetups; }
    std::unique_ptr<PrintJob> startPrint(const PrintDialogRequest& request) override;
    PreviewOutcome printPreview(const PrintDialogRequest& request, const PrintContent& content) override;

    KeyboardState keyboardState() override { return keyboard; }

    ClockText now() override { return clock; }
    void processEvents() override { ++eventsProcessed; }
    void wait(double seconds) override { waits.push_back(seconds); }
    void setBusy(bool busy) override { this->busy = busy; }

    std::string programFolder() override { return folder; }
    std::string executableName() override { return executable; }
    std::string currentFolder() override { return workingFolder; }

    // --- what was asked ---
    std::vector<MessageRequest> messages;
    struct InputRequest {
        std::string prompt, title, defaultText;
    };
    std::vector<InputRequest> inputs;
    std::vector<FileDialogRequest> openDialogs;
    std::vector<FileDialogRequest> saveDialogs;
    std::vector<PrintDialogRequest> printDialogs;
    std::vector<PrintDialogRequest> previewDialogs;
    std::vector<FontChoice> fontDialogs;  // the presets shown
    std::vector<std::string> modalForms;
    std::vector<std::string> exportedDrawings;  // paths asked of exportDrawing
    std::vector<std::string> writtenFiles;      // paths asked of writeFile
    std::vector<std::string> loadedPictures;    // paths asked of loadPicture
    int beeps = 0;
    int printerSetups = 0;
    int eventsProcessed = 0;
    std::vector<double> waits;  // seconds asked of wait()
    bool busy = false;
    struct Clipboard {
        std::string text;
        std::string rtf;
        Image image;
    } clipboard;
    std::map<std::string, std::string> settings;  // "application/section/key"
    // Print jobs that were started and not cancelled, in order.
    std::vector<RecordingPrintJob*> printJobs;
    // What each preview showed, in order.
    std::vector<RecordingPrintJob*> previews;

    // --- the script ---
    // Answers used in order; when a queue is empty: message boxes answer their
    // first button (OK or Yes), input boxes their default text, file dialogs Cancel,
    // print dialogs OK.
    //
    // Strict (the default): a message box, input box or file dialog that finds its queue empty was not
    // scripted. It is still answered as above, so the window goes on, but it is recorded in `unscripted` and
    // reported to `onUnscripted`, which a test uses to fail. Lenient: only answered.
    bool strict = true;
    struct Unscripted {
        std::string what;  // the request's kind, title and text
        // False for a message with an OK button alone: it tells, it asks nothing. The others were answered
        // with a guess.
        bool question = true;
    };
    std::vector<Unscripted> unscripted;
    std::function<void(const Unscripted&)> onUnscripted;
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    // The filter chosen with each saved name (1-based); none left: the one the request proposed.
    std::deque<int> saveFilters;
    std::deque<bool> printAnswers;
    bool printSelectionOnly = false;  // the print dialog's "Selection" choice
    std::string printFailure;         // not empty: every print job fails with these words
    // Whether the user prints from each preview; none left: the preview is closed.
    std::deque<bool> previewPrintAnswers;
    KeyboardState keyboard;
    std::deque<std::optional<FontChoice>> fontAnswers;  // empty: Cancel
    // The failure each file written in turn meets (writeFile, and the pictures
    // and PDF files exported, which fail with the fault's own reason and leave
    // the earlier file alone); none left: writeFile writes.
    std::deque<WriteFault> writeFaults;
    // Runs while a modal window is shown (a test clicks its buttons here).
    std::function<void(Form&)> modalHandler;

    ClockText clock{"06/12/2026", "14:03:27"};
    std::string folder;  // empty: no log file is written
    std::string executable = "Ravelin";
    std::string workingFolder;

private:
    std::map<std::string, PictureLoad> pictures_;
    RecordingPrintJob& newJob(std::vector<RecordingPrintJob*>& list);
    void reportUnscripted(const std::string& what, bool question = true);

    std::vector<std::unique_ptr<RecordingPrintJob>> jobs_;
};

// The next of the queued failures a file writing is told to meet (None when none is left).
WriteFault takeFault(std::deque<WriteFault>& faults);

}  // namespace ravelin
