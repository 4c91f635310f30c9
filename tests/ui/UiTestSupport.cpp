#include "UiTestSupport.h"

#include <QAction>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTest>

#include "app/Registrations.h"
#include "core/ScriptedPlatform.h"
#include "core/Startup.h"
#include "ui/render/Render.h"
#include "ui/views/ShellViews.h"

namespace ravelin::testing {

MessageAnswer TestQtPlatform::messageBox(const MessageRequest& request) {
    if (tearingDown && answers.empty())
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    messages.push_back(request);
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (request.buttons == MessageButtons::Ok) {
        unseen_.push_back(request.title + ": " + request.text);
        return MessageAnswer::Ok;
    }
    unscripted("message box \"" + request.title + "\": " + request.text);
    return MessageAnswer::Yes;
}

bool TestQtPlatform::exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips,
                                   const std::string& path, std::string* error) {
    return exportDrawingToFile(drawing, widthTwips, heightTwips, path, error, takeFault(writeFaults));
}

bool TestQtPlatform::exportRichText(const RichText& text, const std::string& path, std::string* error) {
    return exportRichTextToPdf(text, path, error, takeFault(writeFaults));
}

void TestQtPlatform::unscripted(const std::string& what) const {
    if (tearingDown) return;
    QTest::qFail(("Not scripted: " + what).c_str(), __FILE__, __LINE__);
}

void TestQtPlatform::checkAllSeen() {
    for (const std::string& what : unseen_)
        QTest::qFail(("Not scripted and never looked at: " + what).c_str(), __FILE__, __LINE__);
    unseen_.clear();
}

bool TestQtPlatform::runPrintDialog(QPrintDialog& dialog) {
    QPrinter& printer = *dialog.printer();
    printDialogFiles.push_back(printer.outputFileName());
    if (printAsProposed) return true;
    if (printPdf.empty()) return false;
    // The "Print to File (PDF)" destination with the test's file name.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(printPdf));
    return true;
}

bool TestQtPlatform::runPageSetupDialog(QPageSetupDialog& dialog) {
    if (!pageSetup) return false;
    pageSetup(*dialog.printer());
    return true;
}

bool TestQtPlatform::runPreviewDialog(QPrintPreviewDialog& dialog) { return preview && preview(dialog); }

Desktop::Desktop() {
    registerAllForms(session);
    platform.setContext(&context);
    registerAllViews(context);
    window = std::make_unique<MainWindow>(context);
    main = &runStartup(session, 0);
}

Desktop::~Desktop() {
    platform.checkAllSeen();
    platform.tearingDown = true;
    if (session.mainForm()) session.closeForm(*session.mainForm());
    window.reset();
}

SpacingForm& Desktop::newDatasheet(std::initializer_list<const char*> values) {
    window->action("mnuFileNewData")->trigger();
    auto& sheet = dynamic_cast<SpacingForm&>(*session.currentDocument());
    long long row = 1;
    for (const char* value : values) sheet.setCell(0, row++, 1, value);
    if (values.size() > 0) sheet.UpdateDataInfo();
    return sheet;
}

QWidget* Desktop::windowOf(const std::string& formName) const {
    const Form* form = session.findForm(formName);
    return form ? window->windowOf(*form) : nullptr;
}

}  // namespace ravelin::testing
