// The desktop program's main window and a tool window, driven through
// their widgets as a user would.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "UiTestSupport.h"
#include "ui/KeyboardState.h"
#include "documents/PropertiesForm.h"

using namespace ravelin;
using ravelin::testing::Desktop;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menusToolbarAndStatusBarMirrorTheMainForm() {
        Desktop d;
        QVERIFY(!d.window->action("mnuDataExpScan")->isEnabled());
        QVERIFY(d.window->action("mnuViewToolbar")->isChecked());

        auto* toolbar = d.window->findChild<QToolBar*>("picToolBar");
        QVERIFY(toolbar);
        for (QAction* a : toolbar->actions())
            QVERIFY2(a->isSeparator() || !a->icon().isNull(), qPrintable(a->toolTip()));
        QVERIFY(d.window->action("tbToolBar(15)")->isCheckable());

        auto* processing = d.window->statusBar()->findChild<QLabel*>("Panels(2)");
        QVERIFY(processing);
        QCOMPARE(processing->text(), QString("Processing..."));
        QVERIFY(!processing->isVisibleTo(d.window.get()));
        d.main->showProcessing(true);
        QVERIFY(processing->isVisibleTo(d.window.get()));
    }

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

    // Properties is a small dialog laid out from its lines: one labelled, read-only field each.
    void thePropertiesDialogShowsEachLineBesideItsLabel() {
        Desktop d;
        auto& dialog = dynamic_cast<PropertiesForm&>(d.session.createForm("frmProperties"));
        dialog.fill("profile.spg", {{"Document", "Spacing datasheet"}, {"Number of values", "64"}});
        std::unique_ptr<QWidget> view(d.context.createView(dialog, nullptr));
        QCOMPARE(dialog.caption(), std::string("Properties - profile.spg"));
        auto* count = view->findChild<QLineEdit*>("txtProperty(1)");
        QVERIFY(count && count->isReadOnly());
        QCOMPARE(count->text(), QString("64"));
        bool labelled = false;
        for (const QLabel* label : view->findChildren<QLabel*>()) labelled |= label->text() == "Number of values :";
        QVERIFY(labelled);
        QVERIFY(view->findChild<QPushButton*>("cmdOK"));
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
        auto* trend = d.find<QLineEdit>("frmToolXYZ", "txtXYZ(3)");
        QVERIFY(direction && dip && trend);
        QApplication::setActiveWindow(tool);
        direction->setFocus();
        QTRY_VERIFY(direction->hasFocus());
        QCOMPARE(direction->selectedText(), QString("0"));  // selected on entry
        QTest::keyClicks(direction, "9,0");                 // the comma is refused
        QCOMPARE(direction->text(), QString("90"));
        QTest::keyClick(direction, Qt::Key_Return);  // Enter moves to the next field
        QVERIFY(dip->hasFocus());
        QCOMPARE(direction->text(), QString("90.0"));  // reformatted on leaving
        QTest::keyClicks(dip, "30");
        QCOMPARE(trend->text(), QString("270.0"));

        // Page Down shows the next page; a page's fields are enabled only while it is shown.
        auto* tabs = d.find<QTabWidget>("frmToolXYZ", "tbsOptions");
        auto* planeDip = d.find<QLineEdit>("frmToolXYZ", "txtPDirPen(1)");
        QVERIFY(planeDip && !planeDip->isEnabled());
        QTest::keyClick(dip, Qt::Key_PageDown);
        QCOMPARE(tabs->currentIndex(), 1);
        tabs->setCurrentIndex(2);
        QVERIFY(planeDip->isEnabled());
        // A value out of range is told and corrected in the field, selected.
        planeDip->setFocus();
        planeDip->selectAll();
        QTest::keyClicks(planeDip, "95");
        QCOMPARE(d.platform.told().size(), size_t(1));
        QCOMPARE(planeDip->text(), QString("90"));
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

    void editMenuAndFormatButtonsFollowTheActiveWindow() {
        Desktop d;
        auto* edit = d.window->findChild<QMenu*>("mnuEdit");
        QVERIFY(edit);
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
        QApplication::setActiveWindow(d.window.get());
        text->setFocus();
        QTRY_VERIFY(text->hasFocus());
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
        const QString first = text->toPlainText().section('\n', 0, 0);
        QVERIFY(first.startsWith("Session started on"));
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
