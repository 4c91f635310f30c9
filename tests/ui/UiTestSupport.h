#pragma once
// The desktop program assembled for widget tests: real windows on the
// off-screen platform, with the dialogs that would wait for a user answered
// from a script instead.

#include <QMdiSubWindow>
#include <deque>
#include <functional>
#include <memory>

#include "core/MainForm.h"
#include "core/Session.h"
#include "spacing/SpacingForm.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"
#include "ui/UiContext.h"

namespace ravelin::testing {

class TestQtPlatform : public QtPlatform {
public:
    MessageAnswer messageBox(const MessageRequest& request) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string&,
                                        const std::string& defaultText) override {
        unscripted("input box: " + prompt);
        return defaultText;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        return next(files, "open dialog \"" + request.title + "\"");
    }
    std::optional<FileChoice> saveFileDialog(const FileDialogRequest& request) override {
        auto path = next(files, "save dialog \"" + request.title + "\"");
        if (!path) return std::nullopt;
        return FileChoice{*path, request.filterIndex};
    }
    // The messages shown so far, in order; the test has now seen them. A
    // message that only tells (OK alone) and that the test never looks at
    // fails it when the desktop goes; a question, input box or file dialog
    // that the test did not script fails it where it was asked.
    const std::vector<MessageRequest>& told() {
        unseen_.clear();
        return messages;
    }
    // Fails the running test for each message it never looked at.
    void checkAllSeen();
    // Set while the desktop of a finished test closes: its questions about
    // unsaved documents are answered No, unscripted and unrecorded.
    bool tearingDown = false;
    void showModal(Form&) override {}
    std::optional<FontChoice> fontDialog(const FontChoice&) override { return next(fonts, "font dialog"); }
    void beep() override {}
    std::string programFolder() override { return {}; }  // no log file from tests
    // Pictures and PDF files through the real exporters, meeting the next of writeFaults.
    bool exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips, const std::string& path,
                       std::string* error) override;
    bool exportRichText(const RichText& text, const std::string& path, std::string* error) override;

    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;  // the questions' answers in order; none left = Yes (or OK), a failure
    std::deque<std::optional<std::string>> files;  // the file dialogs' answers; none left = Cancel, a failure
    std::string printPdf;                          // the print dialog chooses this PDF file; empty = cancelled
    bool printAsProposed = false;                  // the print dialog is accepted with what it proposed
    std::vector<QString> printDialogFiles;         // the file each print dialog proposed when it opened
    // The page set-up dialog's answer: changes the printer it shows; unset = Cancel.
    std::function<void(QPrinter&)> pageSetup;
    // Runs while the preview is shown (its own Print button included); false = closed without printing.
    std::function<bool(QPrintPreviewDialog&)> preview;
    std::deque<std::optional<FontChoice>> fonts;  // the font dialog's answers; none left = Cancel (and a failure)
    std::deque<WriteFault> writeFaults;           // failures the next exports meet, in order

protected:
    bool runPrintDialog(QPrintDialog& dialog) override;
    bool runPageSetupDialog(QPageSetupDialog& dialog) override;
    bool runPreviewDialog(QPrintPreviewDialog& dialog) override;

private:
    void unscripted(const std::string& what) const;
    std::vector<std::string> unseen_;

    template <class T>
    std::optional<T> next(std::deque<std::optional<T>>& answers, const std::string& what) const {
        if (answers.empty()) {
            unscripted(what);
            return std::nullopt;
        }
        std::optional<T> answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

struct Desktop {
    TestQtPlatform platform;
    Session session{platform};
    UiContext context{session, platform};
    std::unique_ptr<MainWindow> window;
    MainForm* main = nullptr;

    Desktop();
    ~Desktop();
    QWidget* windowOf(const std::string& formName) const;
    template <class T>
    T* find(const std::string& formName, const QString& objectName) const {
        QWidget* w = windowOf(formName);
        return w ? w->findChild<T*>(objectName) : nullptr;
    }
    // The view of a document window, or the one inside a floating window.
    template <class View>
    View* viewOf(const std::string& formName) const {
        QWidget* w = windowOf(formName);
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return qobject_cast<View*>(sub->widget());
        return w ? w->findChild<View*>() : nullptr;
    }
    // A datasheet made by File > New data, holding `values` in its measured grid.
    SpacingForm& newDatasheet(std::initializer_list<const char*> values = {});
};

}  // namespace ravelin::testing
