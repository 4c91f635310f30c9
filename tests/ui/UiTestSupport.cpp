#include "UiTestSupport.h"

#include <QPrinter>

#include "app/Registrations.h"
#include "core/Startup.h"
#include "ui/views/ShellViews.h"

namespace ravelin::testing {

MessageAnswer TestQtPlatform::messageBox(const MessageRequest& request) {
    messages.push_back(request);
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
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
