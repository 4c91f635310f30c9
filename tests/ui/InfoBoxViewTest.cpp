// The Info box window: reports shown with their formats, the user's edits
// reaching the form's document, the toolbars, the document commands and
// printing, driven through the widgets.

#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

#include "UiTestSupport.h"
#include "core/TextCodec.h"
#include "documents/InfoBoxForm.h"
#include "documents/Rtf.h"
#include "ui/render/Render.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

InfoBoxForm& infoBox(Desktop& d) { return dynamic_cast<InfoBoxForm&>(d.session.form("frmInfoBox")); }

QTextEdit* field(Desktop& d) { return d.find<QTextEdit>("frmInfoBox", "txtText"); }

QAction* button(Desktop& d, const char* key) {
    auto* toolbar = d.find<QToolBar>("frmInfoBox", "Toolbar1");
    return toolbar ? toolbar->findChild<QAction*>(key) : nullptr;
}

// The format of the character that starts at `position` in the field.
QTextCharFormat formatAt(QTextEdit* edit, int position) {
    QTextCursor cursor(edit->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

// Runs of one format joined: the field and the form may cut a text into runs differently.
RichText joined(RichText text) {
    for (RichParagraph& paragraph : text.paragraphs) {
        std::vector<TextRun> runs;
        for (TextRun& run : paragraph.runs)
            if (!runs.empty() && runs.back().format == run.format) runs.back().text += run.text;
            else runs.push_back(std::move(run));
        paragraph.runs = std::move(runs);
    }
    return text;
}

// What the field shows, line breaks as "\n", its formats and paragraphs, against the form's document.
void compareTexts(Desktop& d) {
    QCOMPARE(field(d)->toPlainText(), QString::fromStdString(infoBox(d).document().plainText("\n")));
    QVERIFY(joined(documentToRichText(*field(d)->document())) == joined(infoBox(d).document().richText()));
}

void focusField(Desktop& d) {
    QApplication::setActiveWindow(d.window.get());
    field(d)->setFocus();
}

// A report in the Info box, and its field with the focus for typing.
QTextEdit* fieldAfterReport(Desktop& d, const std::string& report) {
    d.session.appendInfoText(bodyBlock(report));
    focusField(d);
    return field(d);
}

}  // namespace

class InfoBoxViewTest : public QObject {
    Q_OBJECT
private slots:
    void reportsAppearWithTheirFormats() {
        Desktop d;
        d.session.appendInfoText(titleBlock("Plane failure\r\n"));
        d.session.appendInfoText(bodyBlock("Cohesion : 25 kPa\r\n"));
        d.session.appendInfoText({"Note\r\n", style::Italic | style::Underline, 0, ""});
        d.session.appendInfoText({"Code", style::Bold | style::Underline, 9, "Courier New"});
        QTextEdit* edit = field(d);
        QVERIFY(edit);
        QVERIFY(d.windowOf("frmInfoBox")->isVisible());
        compareTexts(d);
        QCOMPARE(edit->textCursor().position(), 41);  // the caret waits at the insertion point

        // The main toolbar's format buttons act on the Info box.
        focusField(d);
        d.window->findChild<QAction*>("tbCenter")->trigger();
        QCOMPARE(edit->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        compareTexts(d);
    }

    void editsInTheFieldReachTheDocument() {
        Desktop d;
        QTextEdit* edit = fieldAfterReport(d, "Report\r\nend");
        QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(edit, "My ");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);  // the "R"
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Backspace);  // joins the paragraphs again
        QTest::keyClick(edit, Qt::Key_Tab);
        compareTexts(d);
        QCOMPARE(edit->toPlainText(), QString("My\teport\nend"));

        // Selection with the keyboard, then typing over it.
        QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(infoBox(d).selectionLength(), 5LL);
        QTest::keyClicks(edit, "X");
        compareTexts(d);
        QCOMPARE(edit->toPlainText(), QString("My\tX\nend"));

        // Insert switches to overwriting.
        QTest::keyClick(edit, Qt::Key_Insert);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClicks(edit, "m");
        compareTexts(d);
        QCOMPARE(edit->toPlainText(), QString("my\tX\nend"));
    }

    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in the field go through the form's
    // history (whose steps the core tests check): the field shows each one.
    void undoAndRedoKeysInTheField() {
        Desktop d;
        QTextEdit* edit = fieldAfterReport(d, "Report");
        QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(edit, " one");
        QTextCursor word(edit->document());
        word.setPosition(6, QTextCursor::KeepAnchor);  // "Report"
        edit->setTextCursor(word);
        button(d, "Bold")->trigger();
        focusField(d);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!formatAt(edit, 1).font().bold());
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->toPlainText(), QString("Report"));
        QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(formatAt(edit, 1).font().bold());
        compareTexts(d);
    }

    void charactersBeyondTheBasicPlaneCountOnce() {
        Desktop d;
        QTextEdit* edit = fieldAfterReport(d, "a\r\nb");
        QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Right);
        const QString smile = QString::fromUcs4(U"\U0001F600");       // two UTF-16 units
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, smile);  // both units in one key event
        QApplication::sendEvent(edit, &press);
        compareTexts(d);
        QCOMPARE(infoBox(d).selectionStart(), 2LL);  // code points
        QCOMPARE(edit->textCursor().position(), 3);  // UTF-16 units
        QTest::keyClicks(edit, "c");

        // Positions after the wide character stay right, in the next paragraph too.
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_End);
        QCOMPARE(infoBox(d).selectionStart(), 5LL);
        QTest::keyClicks(edit, "!");
        // Reports go to the insertion point, which the typing moved on, not to the caret.
        QTest::keyClick(edit, Qt::Key_Home);
        d.session.appendInfoText(titleBlock("Z"));
        compareTexts(d);
        QCOMPARE(edit->toPlainText(), "a" + smile + "c\nb!Z");

        // The caret steps over the pair; Delete and Backspace remove it whole.
        QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Right);
        QTest::keyClick(edit, Qt::Key_Delete);
        compareTexts(d);
        QCOMPARE(edit->toPlainText(), QString("ac\nb!Z"));
    }

    void clipboardTakesPlainAndRichTextAndGivesPlainText() {
        Desktop d;
        d.session.appendInfoText(titleBlock("Title\r\n"));
        d.session.appendInfoText(bodyBlock("body"));
        button(d, "Copy")->trigger();
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QCOMPARE(copied->text().remove('\r'), QString("Title\nbody"));
        QCOMPARE(readRtf(copied->data("text/rtf").toStdString()), infoBox(d).document().richText());

        // Pasted rich text arrives as plain text in the typing format.
        auto* data = new QMimeData;
        data->setHtml("<b>rich</b>");
        data->setText("rich");
        QApplication::clipboard()->setMimeData(data);
        QTextEdit* edit = field(d);
        focusField(d);
        QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->toPlainText(), QString("Title\nbodyrich"));
        QCOMPARE(formatAt(edit, 11).fontWeight(), int(QFont::Normal));

        // Changes that do not come through the form are undone; nothing is dropped in.
        QVERIFY(!edit->acceptDrops());
        QTextCursor(edit->document()).insertText("lost ");
        QTRY_COMPARE(edit->toPlainText(), QString("Title\nbodyrich"));
    }

    // Which window is active is the main window's: the one it shows, not a
    // tool window left before. Closed from its title bar, the box only hides.
    void printActsOnTheActiveBoxWhichClosingHidesAndAFileReplaces() {
        Desktop d;
        d.session.appendInfoText(titleBlock("Report\r\n"));
        auto* sub = qobject_cast<QMdiSubWindow*>(d.windowOf("frmInfoBox"));
        QVERIFY(sub);
        d.window->mdiArea()->setActiveSubWindow(sub);
        d.window->action("mnuToolsXYZ")->trigger();
        QApplication::setActiveWindow(d.windowOf("frmToolXYZ"));
        QCOMPARE(d.session.activeForm(), d.session.findForm("frmToolXYZ"));
        QApplication::setActiveWindow(d.window.get());
        QCOMPARE(d.session.activeForm(), d.session.findForm("frmInfoBox"));
        d.window->action("mnuFilePrint")->trigger();  // the dialog is cancelled
        QCOMPARE(d.platform.printDialogFiles.size(), size_t(1));

        sub->close();
        QVERIFY(!sub->isVisible());
        QVERIFY(!d.window->action("mnuFilePrint")->isEnabled());
        d.session.appendInfoText(bodyBlock(" again"));
        QVERIFY(sub->isVisible());
        QCOMPARE(field(d)->toPlainText(), QString("Report\n again"));

        // An opened rich text file replaces the reports, formats and the centred paragraph included.
        QTemporaryDir dir;
        const std::string rtfPath = dir.filePath("report.rtf").toStdString();
        QVERIFY(writeFileAtomically(rtfPath,
                                    "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
                                    "\\qc\\f1\\fs40\\i Centred \\f0\\fs22\\i0\\b bold\\par}"));
        d.platform.files.push_back(rtfPath);
        d.platform.answers.push_back(MessageAnswer::No);  // the reports were never saved: asked first
        d.window->action("mnuFileOpen")->trigger();
        QCOMPARE(sub->windowTitle(), QString::fromStdString("Info box - " + rtfPath));
        compareTexts(d);
        QCOMPARE(field(d)->toPlainText(), QString("Centred bold\n"));
    }
};

QTEST_MAIN(InfoBoxViewTest)
#include "InfoBoxViewTest.moc"
