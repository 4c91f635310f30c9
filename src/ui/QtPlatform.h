#pragma once
// The platform on Qt widgets: message and input boxes, file dialogs, the
// clipboard, the settings store, printing, the clock and the folders.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/Platform.h"

class QPageSetupDialog;
class QPrintDialog;
class QPrintPreviewDialog;
class QPrinter;

namespace ravelin {

class KeyboardWatcher;
class UiContext;

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    void setContext(UiContext* context) { context_ = context; }
    // Dialogs are centred on this window.
    void setDialogParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer messageBox(const MessageRequest& request) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    void beep() override;
    void showModal(Form& form) override;

    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<FileChoice> saveFileDialog(const FileDialogRequest& request) override;

    void clipboardClear() override;
    void setClipboardText(const std::string& text) override;
    void setClipboardRichText(const std::string& plain, const std::string& rtf) override;
    void setClipboardImage(const Image& image) override;
    std::string clipboardText() override;

    std::optional<std::string> readSetting(const std::string& application, const std::string& section,
                                           const std::string& key) override;
    void writeSetting(const std::string& application, const std::string& section, const std::string& key,
                      const std::string& value) override;

    std::optional<Image> renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) override;
    bool exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips, const std::string& path,
                       std::string* error) override;
    bool exportRichText(const RichText& text, const std::string& path, std::string* error) override;
    PictureLoad loadPicture(const std::string& path) override;

    std::optional<FontChoice> fontDialog(const FontChoice& initial) override;

    void printerSetupDialog() override;
    std::unique_ptr<PrintJob> startPrint(const PrintDialogRequest& request) override;
    PreviewOutcome printPreview(const PrintDialogRequest& request, const PrintContent& content) override;

    KeyboardState keyboardState() override;
    // Told when a lock key or Insert was pressed, or the program became active again.
    void setKeyboardListener(std::function<void()> listener);

    ClockText now() override;
    void processEvents() override;
    void wait(double seconds) override;
    void setBusy(bool busy) override;

    std::string programFolder() override;
    std::string executableName() override;
    std::string currentFolder() override;

protected:
    // The dialogs themselves, apart so that widget tests can answer them;
    // each returns true when the user accepted it.
    virtual bool runPrintDialog(QPrintDialog& dialog);
    virtual bool runPageSetupDialog(QPageSetupDialog& dialog);
    virtual bool runPreviewDialog(QPrintPreviewDialog& dialog);

private:
    struct PrinterSetup;

    // A printer with the session's printer set-up, ready for `documentName`:
    // where no printer is installed (or a PDF file was the last choice) it
    // writes a PDF file named after the document.
    std::unique_ptr<QPrinter> printerFor(const std::string& documentName) const;
    // Keeps the printer's choices for the session's next dialogs.
    void rememberPrinterSetup(const QPrinter& printer);

    QWidget* parent() const;
    std::optional<FileChoice> fileDialog(const FileDialogRequest& request, bool save);

    UiContext* context_ = nullptr;
    QPointer<QWidget> parent_;
    int busyDepth_ = 0;
    std::unique_ptr<PrinterSetup> printerSetup_;
    std::unique_ptr<KeyboardWatcher> keyboard_;
};

// "Desc|*.a;*.b|Desc|*.c" as Qt file-dialog filters, one per pair.
QStringList qtFileFilters(const std::string& filter);

}  // namespace ravelin
