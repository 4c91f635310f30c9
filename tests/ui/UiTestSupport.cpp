#include "UiTestSupport.h"

#include <QPrinter>

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

std::optional<FontChoice> TestQtPlatform::fontDialog(const FontChoice& initial) {
    fontDialogs.push_back(initial);
    if (fonts.empty()) return std::nullopt;
    auto answer = fonts.front();
    fonts.pop_front();
    return answer;
}

std::unique_ptr<PrintJob> TestQtPlatform::startPrint(const PrintDialogRequest& request) {
    printDialogs.push_back(request);
    if (printPdf.empty()) return nullptr;
    // The program's own print job, printing to a PDF file instead of a printer.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(printPdf));
    return printJobFor(std::move(printer));
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
