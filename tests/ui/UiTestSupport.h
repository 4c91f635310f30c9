#pragma once
// The desktop program assembled for widget tests: real windows on the
// off-screen platform, with the dialogs that would wait for a user answered
// from a script instead.

#include <QStringList>
#include <deque>
#include <memory>

#include "core/MainForm.h"
#include "core/Session.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"
#include "ui/UiContext.h"

namespace ravelin::testing {

class TestQtPlatform : public QtPlatform {
public:
    MessageAnswer messageBox(const MessageRequest& request) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    void showModal(Form& form) override;
    std::unique_ptr<PrintJob> startPrint(const PrintDialogRequest& request) override;
    std::optional<FontChoice> fontDialog(const FontChoice& initial) override;
    void beep() override {}
    std::string programFolder() override { return {}; }  // no log file from tests

    std::vector<MessageRequest> messages;
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> modalForms;
    std::string printPdf;  // print jobs go to this PDF file; empty = cancelled
    std::vector<PrintDialogRequest> printDialogs;
    std::vector<FontChoice> fontDialogs;        // the presets shown
    std::deque<std::optional<FontChoice>> fonts;  // the answers; none left = Cancel
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
};

}  // namespace ravelin::testing
