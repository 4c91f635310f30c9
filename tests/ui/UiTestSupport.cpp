#include "UiTestSupport.h"

#include <QPrinter>

#include "core/Startup.h"
#include "ui/views/ShellViews.h"

namespace ravelin::testing {
namespace {

// The next scripted answer, or `otherwise` once the script is used up.
template <class T>
T next(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

MessageAnswer TestQtPlatform::messageBox(const MessageRequest& request) {
    messages.push_back(request);
    return next(answers, request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes);
}

std::optional<std::string> TestQtPlatform::inputBox(const std::string&, const std::string&, const std::string& defaultText) {
    return next(inputs, std::optional<std::string>(defaultText));
}

std::optional<std::string> TestQtPlatform::openFileDialog(const FileDialogRequest&) { return next(files, {}); }

std::optional<std::string> TestQtPlatform::saveFileDialog(const FileDialogRequest&) { return next(files, {}); }

void TestQtPlatform::showModal(Form& form) { modalForms.push_back(form.name()); }

std::optional<FontChoice> TestQtPlatform::fontDialog(const FontChoice& initial) {
    fontDialogs.push_back(initial);
    return next(fonts, {});
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
