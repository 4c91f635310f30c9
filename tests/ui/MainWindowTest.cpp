// The desktop program's main window and its tool windows, driven through
// their widgets as a user would.

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

#include "UiTestSupport.h"
#include "documents/PropertiesForm.h"
#include "ui/KeyboardState.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

// Gives a field of a window the keyboard, as a click into it would.
void focus(QWidget* window, QWidget* field) {
    QApplication::setActiveWindow(window);
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Hidden from the toolbar's own context menu, the toolbar leaves View >
    // Toolbar unchecked, and the menu brings it back in one click.
    void theToolbarsContextMenuAndTheViewMenuAgree() {
        Desktop d;
        d.window->show();
        auto* toolbar = d.window->findChild<QToolBar*>("picToolBar");
        QAction* fromContextMenu = toolbar->toggleViewAction();
        fromContextMenu->trigger();
        QVERIFY(!toolbar->isVisible());
        QVERIFY(!d.window->action("mnuViewToolbar")->isChecked());
        QCOMPARE(d.main->menuItem("mnuViewToolbar").value(), 0);
        d.window->action("mnuViewToolbar")->trigger();
        QVERIFY(toolbar->isVisible());
        QVERIFY(fromContextMenu->isChecked());

        // The status bar's processing panel shows only while the program works.
        auto* processing = d.window->statusBar()->findChild<QLabel*>("Panels(2)");
        QVERIFY(processing && !processing->isVisibleTo(d.window.get()));
        d.main->showProcessing(true);
        QVERIFY(processing->isVisibleTo(d.window.get()));
    }

    // A tool window closed from its title bar gives the keys back to the main window.
    void closingAToolWindowGivesTheFocusBackToTheMainWindow() {
        Desktop d;
        d.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.window.get()));
        d.window->action("mnuToolsVol")->trigger();
        QWidget* tool = d.windowOf("frmToolVol");
        tool->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), tool);
        tool->close();
        QVERIFY(!tool->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(d.window.get()));
    }

    void thePropertiesDialogShowsEachLineInAReadOnlyField() {
        Desktop d;
        auto& dialog = dynamic_cast<PropertiesForm&>(d.session.createForm("frmProperties"));
        dialog.fill("profile.spg", {{"Document", "Spacing datasheet"}, {"Number of values", "64"}});
        std::unique_ptr<QWidget> view(d.context.createView(dialog, nullptr));
        auto* count = view->findChild<QLineEdit*>("txtProperty(1)");
        QVERIFY(count && count->isReadOnly());
        QCOMPARE(count->text(), QString("64"));
        view.reset();
        d.session.destroyForm(dialog);
    }

    void xyzToolFromTheToolbarWithItsKeysAndRangeMessages() {
        Desktop d;
        d.window->action("tbToolBar(15)")->trigger();
        QWidget* tool = d.windowOf("frmToolXYZ");
        QVERIFY(tool && tool->isVisible());
        QVERIFY(d.window->action("mnuToolsXYZ")->isChecked() && d.window->action("tbToolBar(15)")->isChecked());

        auto* direction = d.find<QLineEdit>("frmToolXYZ", "txtDirPen(0)");
        auto* dip = d.find<QLineEdit>("frmToolXYZ", "txtDirPen(1)");
        focus(tool, direction);
        QCOMPARE(direction->selectedText(), QString("0"));  // selected on entry
        QTest::keyClicks(direction, "9,0");                 // the comma is refused
        QCOMPARE(direction->text(), QString("90"));
        QTest::keyClick(direction, Qt::Key_Return);  // Enter moves to the next field
        QVERIFY(dip->hasFocus());
        QCOMPARE(direction->text(), QString("90.0"));  // reformatted on leaving
        QTest::keyClicks(dip, "30");
        QCOMPARE(d.find<QLineEdit>("frmToolXYZ", "txtXYZ(3)")->text(), QString("270.0"));

        // Page Down shows the next page; a page's fields are enabled only while it is shown.
        auto* tabs = d.find<QTabWidget>("frmToolXYZ", "tbsOptions");
        auto* planeDip = d.find<QLineEdit>("frmToolXYZ", "txtPDirPen(1)");
        QVERIFY(!planeDip->isEnabled());
        QTest::keyClick(dip, Qt::Key_PageDown);
        QCOMPARE(tabs->currentIndex(), 1);
        tabs->setCurrentIndex(2);
        QVERIFY(planeDip->isEnabled());
        // A value out of range is told and corrected in the field, selected.
        planeDip->setFocus();
        planeDip->selectAll();
        QTest::keyClicks(planeDip, "95");
        QCOMPARE(d.platform.told().size(), size_t(1));
        QCOMPARE(planeDip->selectedText(), QString("90"));

        tool->close();
        QVERIFY(!d.window->action("mnuToolsXYZ")->isChecked() && !d.window->action("tbToolBar(15)")->isChecked());

        // The event log window shows the session and follows it.
        d.window->action("mnuViewEventLog")->trigger();
        d.window->action("mnuToolsXYZ")->trigger();
        tool->close();
        auto* text = d.find<QWidget>("frmLog", "txtLog");
        QVERIFY(text && text->isVisible());
        QCOMPARE(text->property("plainText").toString().count("Closing XYZ - Tool"), 2);
    }

    // The spacing tool's Symbol-font field shows its signs without a Symbol
    // font, in a face that has them, and goes back to its own font.
    void infiniteThresholdIsDrawnAsArrowPlusAndInfinity() {
        Desktop d;
        d.window->action("mnuToolsSpacing")->trigger();
        QWidget* tool = d.windowOf("frmToolSpacing");
        auto* probability = d.find<QLineEdit>("frmToolSpacing", "txtDistrDisc(4)");
        auto* threshold = d.find<QLineEdit>("frmToolSpacing", "txtResDD(3)");
        QVERIFY(probability && threshold);
        const QFont usual = threshold->font();
        // Frames stacked in a column start their fields at one edge.
        auto left = [&](const char* key) { return d.find<QWidget>("frmToolSpacing", key)->mapTo(tool, QPoint()).x(); };
        QCOMPARE(left("txtDistrDisc(0)"), left("txtDistrDisc(1)"));
        QCOMPARE(left("txtDistrDisc(3)"), left("txtResDD(3)"));

        focus(tool, probability);
        QTest::keyClicks(probability, "100");
        QCOMPARE(threshold->text(), QString::fromUtf8("→ +∞ "));
        QCOMPARE(threshold->font().family(), usual.family());
        for (char32_t sign : {U'→', U'∞'}) QVERIFY(QFontMetrics(threshold->font()).inFontUcs4(sign));
        QTest::keyClick(probability, Qt::Key_Backspace);  // 10 %
        QCOMPARE(threshold->text(), QString("0.00"));
        QCOMPARE(threshold->font(), usual);
    }

    // A press on the three-set page's frame tells that its scheme is under
    // testing; a press into one of its fields is typing there.
    void threeSetPageTellsItsSchemeIsUnderTestingWhenPressed() {
        Desktop d;
        d.window->action("tbToolBar(17)")->trigger();  // "DiscSpac"
        auto* tabs = d.find<QTabWidget>("frmToolSpacing", "tbsOptions");
        tabs->setCurrentIndex(4);
        auto* results = d.find<QWidget>("frmToolSpacing", "fraC4(4)");
        QVERIFY(results && results->isVisible());
        QTest::mouseClick(results, Qt::LeftButton, {}, QPoint(5, results->height() - 5));
        QCOMPARE(d.platform.told().size(), size_t(1));
        QCOMPARE(d.platform.told()[0].title, std::string("Not available"));

        QTest::mouseClick(d.find<QLineEdit>("frmToolSpacing", "txtC4(0)"), Qt::LeftButton);
        tabs->setCurrentIndex(3);
        QTest::mouseClick(d.find<QWidget>("frmToolSpacing", "fraC24(0)"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(d.platform.told().size(), size_t(1));
    }

    void editMenuAndFormatButtonsFollowTheActiveWindow() {
        Desktop d;
        auto* edit = d.window->findChild<QMenu*>("mnuEdit");
        QAction* copy = d.window->action("mnuEditCopy");
        QAction* bold = d.window->action("tbToolBar(9)");
        QAction* cut = d.window->action("tbToolBar(6)");
        auto state = [&] {
            return QList<bool>{edit->menuAction()->isEnabled(), copy->isEnabled(), cut->isEnabled(), bold->isEnabled()};
        };
        // Nothing to edit yet: the menu, its items (their shortcuts too) and the buttons are off.
        QCOMPARE(state(), (QList<bool>{false, false, false, false}));
        d.session.appendInfoText({"Report", 0, 0, ""});
        auto* box = qobject_cast<QMdiSubWindow*>(d.windowOf("frmInfoBox"));
        d.window->mdiArea()->setActiveSubWindow(box);
        QCOMPARE(state(), (QList<bool>{true, true, true, true}));
        d.window->action("mnuFileNewData")->trigger();  // a datasheet edits cells, not text formats
        QCOMPARE(state(), (QList<bool>{true, true, true, false}));
        d.window->mdiArea()->setActiveSubWindow(nullptr);
        QCOMPARE(state(), (QList<bool>{false, false, false, false}));
        d.window->mdiArea()->setActiveSubWindow(box);  // a dialog took the activation away for a while
        QVERIFY(d.window->action("mnuFilePrint")->isEnabled());
    }

    void keyboardPanelsShowTheLockKeysAndInsertSwitchesOverwriting() {
        Desktop d;
        QLabel* panel[8] = {};
        for (int i = 4; i <= 7; ++i) panel[i] = d.window->statusBar()->findChild<QLabel*>(QString("Panels(%1)").arg(i));
        // The lock keys as this window system reports them: shown only where it can tell.
        const KeyboardState locks = lockKeyState();
        const std::pair<int, std::optional<bool>> lockPanels[] = {
            {4, locks.scrollLock}, {5, locks.capsLock}, {6, locks.numLock}};
        for (const auto& [index, on] : lockPanels) {
            QCOMPARE(panel[index]->isVisibleTo(d.window.get()), on.has_value());
            if (on) QCOMPARE(panel[index]->isEnabled(), *on);
        }
        QLabel* insert = panel[7];
        QVERIFY(insert->isVisibleTo(d.window.get()) && insert->isEnabled());

        d.session.appendInfoText({"F = 1.25", 0, 0, ""});
        d.window->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(d.windowOf("frmInfoBox")));
        auto* text = d.find<QTextEdit>("frmInfoBox", "txtText");
        focus(d.window.get(), text);
        QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_Insert);
        QVERIFY(!insert->isEnabled());  // dimmed: typing overwrites
        QVERIFY(text->overwriteMode());
        QTest::keyClicks(text, "G");
        QCOMPARE(text->toPlainText(), QString("G = 1.25"));
        QTest::keyClick(text, Qt::Key_Insert, Qt::ShiftModifier);  // Shift+Insert pastes: no switch
        QVERIFY(!insert->isEnabled());
        QTest::keyClick(text, Qt::Key_Insert);
        QVERIFY(insert->isEnabled());
        QTest::keyClicks(text, "x");
        QCOMPARE(text->toPlainText(), QString("Gx = 1.25"));
    }

    void eventsLogOpensReadable() {
        Desktop d;
        d.window->resize(900, 700);
        d.window->action("mnuViewEventLog")->trigger();
        auto* text = d.find<QPlainTextEdit>("frmLog", "txtLog");
        QVERIFY(text && text->isVisible());
        QApplication::processEvents();
        const QFontMetrics metrics(text->font());
        // A dozen lines, and the session's first line whole with room for a message after a time stamp.
        QVERIFY2(text->viewport()->height() >= 10 * metrics.lineSpacing(),
                 qPrintable(QString::number(text->viewport()->height())));
        QVERIFY(text->toPlainText().startsWith("Session started on"));
        QVERIFY(text->viewport()->width() >= metrics.horizontalAdvance(QString(70, 'x')));
    }

    void toolWindowsFitTheirTallestPage() {
        Desktop d;
        d.window->action("mnuModelsGeomec")->trigger();
        auto* tabs = d.find<QTabWidget>("frmModGeom", "tbsOptions");
        QVERIFY(tabs);
        // The wedge page's twenty-odd rows count in the window's size (up to the screen's room).
        const int needed = tabs->widget(1)->sizeHint().height();
        QVERIFY(needed > 20 * 18);
        const int room = QGuiApplication::primaryScreen()->availableGeometry().height() * 9 / 10;
        QVERIFY2(d.windowOf("frmModGeom")->height() >= std::min(needed, room - 100),
                 qPrintable(QString("%1 < %2").arg(d.windowOf("frmModGeom")->height()).arg(needed)));
        // No control ever became a window of its own while its view was built.
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<QLineEdit*>(top) && !qobject_cast<QLabel*>(top), qPrintable(top->objectName()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
