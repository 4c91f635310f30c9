// Printing through Qt's printer: the PDF file proposed without a printer,
// failures told, Page Set-up's choices kept, the preview's pages. And the save
// dialog: the type the user picks gives a bare name its extension.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "UiTestSupport.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

// A report of `lines` lines in the Info box, which is made the active window.
void report(Desktop& d, int lines) {
    d.session.appendInfoText({"Wedge failure\r\n", 1, 14, ""});
    for (int i = 0; i < lines; ++i) d.session.appendInfoText({"F = 1." + std::to_string(i) + "\r\n", 0, 0, ""});
    d.window->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(d.windowOf("frmInfoBox")));
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int pageCount(const QByteArray& pdf) {
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

// The first page's size in points, from its media box.
QSizeF mediaBox(const QByteArray& pdf) {
    static const QRegularExpression box("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]");
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(pdf));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

// Answers the next file dialog as a user would: picks a file type, types a name, presses Save.
void answerNextDialog(const QString& filter, const QString& name) {
    QTimer::singleShot(0, [filter, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // The user picks the type in the dialog's list, which the dialog hears of.
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(types);
        const int index = types->findText(filter);
        QVERIFY(index >= 0);
        types->setCurrentIndex(index);
        emit types->activated(index);
        emit types->textActivated(filter);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private slots:
    void withoutAPrinterAPdfFileNamedAfterTheDocumentIsProposed() {
        if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("a printer is installed here");
        Desktop d;
        QTemporaryDir dir;
        report(d, 3);
        QAction* print = d.window->action("mnuFilePrint");
        d.platform.printPdf = dir.filePath("first.pdf").toStdString();
        print->trigger();
        QVERIFY(read(dir.filePath("first.pdf")).startsWith("%PDF"));
        QVERIFY2(d.platform.printDialogFiles[0].endsWith("/InfoBox.pdf"), qPrintable(d.platform.printDialogFiles[0]));

        // The next dialog starts in the folder of the last PDF file, with this document's name.
        d.platform.printPdf.clear();
        d.platform.printAsProposed = true;
        print->trigger();
        QCOMPARE(d.platform.printDialogFiles[1], dir.filePath("InfoBox.pdf"));
        QVERIFY(read(dir.filePath("InfoBox.pdf")).startsWith("%PDF"));
        QVERIFY(d.platform.told().empty());
    }

    void aPrintoutThatCannotBeWrittenIsTold() {
        Desktop d;
        QTemporaryDir dir;
        report(d, 3);
        // Nothing is begun on a printer that cannot print (Qt would only warn).
        QTest::failOnWarning(QRegularExpression("QPainter::begin"));
        const QString path = dir.filePath("no such folder/report.pdf");
        d.platform.printPdf = path.toStdString();
        d.window->action("mnuFilePrint")->trigger();
        QCOMPARE(d.platform.told().size(), size_t(1));
        QCOMPARE(QString::fromStdString(d.platform.told()[0].text),
                 "The document could not be printed.\r\nThe folder of the PDF file '" + path + "' does not exist.");

        // The same printer set-up prints once the file can be written.
        d.platform.printPdf = dir.filePath("report.pdf").toStdString();
        d.window->action("mnuFilePrint")->trigger();
        QCOMPARE(d.platform.told().size(), size_t(1));
        QVERIFY(read(dir.filePath("report.pdf")).startsWith("%PDF"));
    }

    void pageSetUpChoicesReachThePrintoutsAndTheNextDialogs() {
        Desktop d;
        QTemporaryDir dir;
        d.platform.pageSetup = [](QPrinter& printer) {
            printer.setPageSize(QPageSize(QPageSize::A5));
            printer.setPageOrientation(QPageLayout::Landscape);
        };
        d.window->action("mnuFilePageSetup")->trigger();
        d.platform.pageSetup = nullptr;  // cancelled: the choices stay
        d.window->action("mnuFilePageSetup")->trigger();

        report(d, 3);
        d.platform.printPdf = dir.filePath("report.pdf").toStdString();
        d.window->action("mnuFilePrint")->trigger();
        // A5 across: 210 mm wide, 148 mm high, in points.
        const QSizeF page = mediaBox(read(dir.filePath("report.pdf")));
        QVERIFY2(qAbs(page.width() - 210 / 25.4 * 72) < 1 && qAbs(page.height() - 148 / 25.4 * 72) < 1,
                 qPrintable(QString("%1 x %2").arg(page.width()).arg(page.height())));
    }

    void thePreviewShowsThePagesThePrintoutHasAndPrintsThem() {
        Desktop d;
        QTemporaryDir dir;
        report(d, 120);  // more than a page
        d.platform.printPdf = dir.filePath("report.pdf").toStdString();
        d.window->action("mnuFilePrint")->trigger();
        const int printed = pageCount(read(dir.filePath("report.pdf")));
        QVERIFY(printed >= 2);

        int previewed = 0;
        bool fullPage = true;
        d.platform.preview = [&](QPrintPreviewDialog& dialog) {
            fullPage = dialog.printer()->fullPage();
            dialog.show();
            QApplication::processEvents();
            auto* pages = dialog.findChild<QPrintPreviewWidget*>();
            previewed = pages ? pages->pageCount() : 0;
            // Its Print button: the same drawing, on the printer.
            dialog.printer()->setOutputFileName(dir.filePath("from-preview.pdf"));
            if (pages) pages->print();
            return true;
        };
        QAction* preview = d.window->action("mnuFilePrintPreview");
        preview->trigger();
        QCOMPARE(previewed, printed);
        QCOMPARE(pageCount(read(dir.filePath("from-preview.pdf"))), printed);
        QVERIFY(d.platform.told().empty());

        // A chart (then the active window) previews on one page, and is printed from the preview as well.
        SpacingForm& sheet = d.newDatasheet({"0.4", "1.1", "0.7", "2.3", "0.9"});
        sheet.userClick(sheet.at("cmdHisto"));
        preview->trigger();
        QCOMPARE(previewed, 1);
        QVERIFY(!fullPage);  // inside the printer's margins, though the report before used the whole page
        QCOMPARE(pageCount(read(dir.filePath("from-preview.pdf"))), 1);
    }

    void theChosenTypeGivesABareNameItsExtension() {
        QTemporaryDir dir;
        QtPlatform platform;
        const std::string folder = dir.path().toStdString();
        const FileDialogRequest request{
            "Ravelin - Save", "Rich text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt", folder + "/x", 1, false, true};
        answerNextDialog("Text files (*.txt)", "report");
        const std::optional<FileChoice> text = platform.saveFileDialog(request);
        QVERIFY(text.has_value());
        QCOMPARE(text->filterIndex, 2);
        QCOMPARE(QString::fromStdString(text->path), dir.filePath("report.txt"));
    }
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
