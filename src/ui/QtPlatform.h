#pragma once
// The platform on Qt widgets: message and input boxes, file dialogs, the
// clipboard, the settings store, printing, the clock and the folders.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/Platform.h"

class QPrinter;

namespace ravelin {

class UiContext;

class QtPlatform : public Platform {
public:
    QtPlatform();

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

    double timerSeconds() override;
    ClockText now() override;
    void processEvents() override;
    void setBusy(bool busy) override;

    std::string programFolder() override;
    std::string executableName() override;
    std::string currentFolder() override;

private:
    QWidget* parent() const;
    std::optional<FileChoice> fileDialog(const FileDialogRequest& request, bool save);

    UiContext* context_ = nullptr;
    QPointer<QWidget> parent_;
    int busyDepth_ = 0;
};

// The print job on a printer the print dialog (or a test) set up.
std::unique_ptr<PrintJob> printJobFor(std::unique_ptr<QPrinter> printer);

// "Desc|*.a;*.b|Desc|*.c" as Qt file-dialog filters, one per pair.
QStringList qtFileFilters(const std::string& filter);

}  // namespace ravelin
