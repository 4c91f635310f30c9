#include "UiTestSupport.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

#include "ui/render/QtCanvas.h"
#include "ui/render/Render.h"

#include "core/Startup.h"
#include "ui/views/ShellViews.h"

namespace ravelin::testing {

MessageAnswer TestQtPlatform::messageBox(const MessageRequest& request) {
    messages.push_back(request);
    if (answers.empty()) return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> TestQtPlatform::inputBox(const std::string&, const std::string&, const std::string& defaultText) {
    if (inputs.empty()) return defaultText;
    auto answer = inputs.front();
    inputs.pop_front();
    return answer;
}

std::optional<std::string> TestQtPlatform::openFileDialog(const FileDialogRequest&) {
    if (files.empty()) return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> TestQtPlatform::saveFileDialog(const FileDialogRequest& request) {
    return openFileDialog(request);
}

void TestQtPlatform::showModal(Form& form) { modalForms.push_back(form.name()); }

std::unique_ptr<PrintJob> TestQtPlatform::startPrint(const PrintDialogRequest&) {
    if (printPdf.empty()) return nullptr;
    // A real print job, printing to a PDF file instead of a printer.
    class PdfJob : public PrintJob {
    public:
        explicit PdfJob(const std::string& path) : printer_(QPrinter::HighResolution) {
            printer_.setOutputFormat(QPrinter::PdfFormat);
            printer_.setOutputFileName(QString::fromStdString(path));
        }
        Canvas& page() override {
            if (!painter_) {
                painter_ = std::make_unique<QPainter>(&printer_);
                const QRectF area = printer_.pageRect(QPrinter::Inch);
                canvas_ = std::make_unique<QtCanvas>(*painter_, area.width() * 1440, area.height() * 1440);
            }
            return *canvas_;
        }
        void newPage() override {
            if (painter_) printer_.newPage();
        }
        void printRichText(const RichText& text) override {
            QTextDocument document;
            fillDocument(text, document);
            document.print(&printer_);
        }
        bool endDocument() override {
            canvas_.reset();
            const bool ok = painter_ ? painter_->end() : true;
            painter_.reset();
            return ok;
        }

    private:
        QPrinter printer_;
        std::unique_ptr<QPainter> painter_;
        std::unique_ptr<QtCanvas> canvas_;
    };
    return std::make_unique<PdfJob>(printPdf);
}

Desktop::Desktop() {
    registerAllForms(session);
    platform.setContext(&context);
    registerAllViews(context);
    window = std::make_unique<MainWindow>(context);
    main = &runStartup(session, 0);
}

Desktop::~Desktop() {
    if (session.mainForm()) session.closeForm(*session.mainForm());
    window.reset();
}

QWidget* Desktop::windowOf(const std::string& formName) const {
    const Form* form = session.findForm(formName);
    return form ? window->windowOf(*form) : nullptr;
}

}  // namespace ravelin::testing
