// The desktop program's main window and its tool windows, driven through
// their widgets as a user would.

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "UiTestSupport.h"

using namespace ravelin;
using ravelin::testing::Desktop;

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
    }

    // A toolbar button checks itself when clicked: the window's state, not
    // the click, decides its check mark and that of the menu item beside it.
    void toolbarButtonAndMenuItemFollowTheToolWindow() {
        Desktop d;
        QAction* button = d.window->action("tbToolBar(15)");
        QAction* item = d.window->action("mnuToolsXYZ");
        button->trigger();
        QWidget* tool = d.windowOf("frmToolXYZ");
        QVERIFY(tool && tool->isVisible());
        QVERIFY(item->isChecked() && button->isChecked());
        button->trigger();
        QVERIFY(!tool->isVisible() && !item->isChecked() && !button->isChecked());
        item->trigger();
        QVERIFY(tool->isVisible() && button->isChecked());
        tool->close();  // from its title bar
        QVERIFY(!item->isChecked() && !button->isChecked());
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

    // The Info box made active again, as after a dialog took the activation
    // away for a while, can be printed.
    void printFollowsTheActiveWindow() {
        Desktop d;
        d.session.appendInfoText({"Report", 0, 0, ""});
        auto* box = qobject_cast<QMdiSubWindow*>(d.windowOf("frmInfoBox"));
        d.window->mdiArea()->setActiveSubWindow(nullptr);
        QVERIFY(!d.window->action("mnuFilePrint")->isEnabled());
        d.window->mdiArea()->setActiveSubWindow(box);
        QVERIFY(d.window->action("mnuFilePrint")->isEnabled());
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
        QApplication::setActiveWindow(tool);
        probability->setFocus();
        QTRY_VERIFY(probability->hasFocus());
        QTest::keyClicks(probability, "100");
        QCOMPARE(threshold->text(), QString::fromUtf8("→ +∞ "));
        QCOMPARE(threshold->font().family(), usual.family());
        for (char32_t sign : {U'→', U'∞'}) QVERIFY(QFontMetrics(threshold->font()).inFontUcs4(sign));
        QTest::keyClick(probability, Qt::Key_Backspace);  // 10 %
        QCOMPARE(threshold->text(), QString("0.00"));
        QCOMPARE(threshold->font(), usual);
    }

    // The log window appends what the session logs after it opened.
    void theEventLogFollowsTheSession() {
        Desktop d;
        d.window->action("mnuViewEventLog")->trigger();
        auto* text = d.find<QPlainTextEdit>("frmLog", "txtLog");
        QVERIFY(text && text->isVisible());
        QVERIFY(text->toPlainText().startsWith("Session started on"));
        d.window->action("mnuToolsXYZ")->trigger();
        d.windowOf("frmToolXYZ")->close();
        QVERIFY(text->toPlainText().contains("Closing XYZ - Tool"));
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
