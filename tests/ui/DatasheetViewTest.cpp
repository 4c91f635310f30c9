// The spacing datasheet window: the grids over the form's column stores,
// typing through the cell editor, selection, scrolling in step and the
// Edit commands, driven through the widgets.

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "UiTestSupport.h"
#include "ui/views/DatasheetView.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

SpacingForm& newDatasheet(Desktop& d) {
    SpacingForm& sheet = d.newDatasheet();
    QApplication::setActiveWindow(d.window.get());
    return sheet;
}

QString shown(SpacingTable* table, int modelRow, int column) {
    return table->model()->index(modelRow, column).data().toString();
}

// The centre of a store row's value cell, in the viewport.
QPoint cellCentre(SpacingTable* table, long long storeRow) { return table->valueCellRect(storeRow).center(); }

void click(SpacingTable* table, long long storeRow, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cellCentre(table, storeRow));
}

// Types a value into a row of the measured grid through the cell editor.
void typeValue(DatasheetView* view, long long storeRow, const char* text) {
    click(view->table(0), storeRow);
    QTest::keyClicks(view->table(0), text);
    QTest::keyClick(view->cellEditor(), Qt::Key_Return);
}

}  // namespace

class DatasheetViewTest : public QObject {
    Q_OBJECT
private slots:
    void typingOpensTheEditorOverTheCellAndEnterMovesDown() {
        Desktop d;
        SpacingForm& sheet = newDatasheet(d);
        DatasheetView* view = d.viewOf<DatasheetView>("frmSpacing");
        SpacingTable* measured = view->table(0);
        click(measured, 3);
        QTest::keyClick(measured, '5');
        QLineEdit* editor = view->cellEditor();
        QCOMPARE(editor->geometry(), measured->valueCellRect(3));
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClicks(editor, "x.25");  // the letter is refused by the key filter
        QCOMPARE(editor->text(), QString("5.25"));
        QVERIFY(d.window->windowOf(sheet)->windowTitle().endsWith("*"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!editor->isVisible());
        QCOMPARE(shown(measured, 2, 1), QString("5.25"));
        QCOMPARE(measured->currentIndex().row(), 3);  // moved down
        QVERIFY(measured->hasFocus());

        // In the corrected grid too: a click on another row commits the edit into the row it was opened on.
        SpacingTable* corrected = view->table(1);
        click(corrected, 2);
        QTest::keyClick(corrected, '7');
        click(corrected, 5);
        QVERIFY(!editor->isVisible());
        QCOMPARE(sheet.cell(1, 2, 1), std::string("7"));
    }

    void blockSelectionCopyPasteScrollingAndClosing() {
        Desktop d;
        SpacingForm& sheet = newDatasheet(d);
        for (int r = 1; r <= 4; ++r) sheet.setCell(0, r, 1, std::to_string(r * 10));
        DatasheetView* view = d.viewOf<DatasheetView>("frmSpacing");
        SpacingTable* measured = view->table(0);

        // Mouse: press on row 2, drag to row 4.
        QTest::mousePress(measured->viewport(), Qt::LeftButton, {}, cellCentre(measured, 2));
        const QPoint end = cellCentre(measured, 4);
        QMouseEvent move(QEvent::MouseMove, end, measured->viewport()->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(measured->viewport(), &move);
        QTest::mouseRelease(measured->viewport(), Qt::LeftButton, {}, cellCentre(measured, 4));
        QCOMPARE(sheet.grid(0).selection(), (GridBlock{2, 4, 1, 1}));

        QTest::keyClick(measured, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("20\r30\r40"));

        // Paste below the last row grows both grids rather than dropping values.
        measured->setFocus();
        QTest::keyClick(measured, Qt::Key_End);
        QCOMPARE(sheet.grid(0).row(), 1000LL);
        QVERIFY(measured->verticalScrollBar()->value() > 0);
        QCOMPARE(view->table(1)->verticalScrollBar()->value(), measured->verticalScrollBar()->value());
        QTest::keyClick(measured, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(view->table(1)->model()->rowCount(), 1002);
        QCOMPARE(shown(measured, 1001, 1), QString("40"));

        // Closed, its rows are freed once the event loop has the hand again.
        d.session.destroyForm(sheet);
        QCOMPARE(measured->model()->rowCount(), 0);  // the grids let go of the form at once
        QVERIFY(d.session.closedFormsKept() >= 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(d.session.closedFormsKept(), std::size_t{0});
    }

    // Maximised or widened, the window's extra room goes past the fields, not
    // between the orientation fields and their row labels.
    void fieldsStayBesideTheirLabelsAtEverySize() {
        Desktop d;
        d.window->resize(1600, 1000);
        d.window->show();
        SpacingForm& sheet = newDatasheet(d);
        DatasheetView* view = d.viewOf<DatasheetView>("frmSpacing");
        auto* sub = qobject_cast<QMdiSubWindow*>(d.window->windowOf(sheet));
        for (const bool maximised : {false, true}) {
            if (maximised) sub->showMaximized();
            QTRY_VERIFY(sub->isMaximized() == maximised);
            QCoreApplication::processEvents();
            if (maximised) QVERIFY(view->width() > 1200);
            // The rows share their columns: one row's field and label stand for all.
            const QLineEdit* edit = view->findChild<QLineEdit*>("txtOr(2)");
            const QLabel* label = nullptr;
            for (const QLabel* candidate : edit->parentWidget()->findChildren<QLabel*>())
                if (candidate->text() == "Disc. set") label = candidate;
            QVERIFY(label);
            const int gap = edit->geometry().left() - label->geometry().left() - label->sizeHint().width();
            QVERIFY2(gap >= 0 && gap < 40, qPrintable(QString("%1 px").arg(gap)));
            // The header's fields take the width instead.
            const QLineEdit* comment = view->findChild<QLineEdit*>("txtComment");
            QVERIFY(comment->geometry().right() > view->width() - 40);
        }
    }

    // Ctrl+Z and Ctrl+Y in the window take back and make again what the user
    // did, whichever of its fields or grids has the focus; Delete empties cells.
    void undoAndRedoKeysAndDeleteInTheWindow() {
        Desktop d;
        SpacingForm& sheet = newDatasheet(d);
        DatasheetView* view = d.viewOf<DatasheetView>("frmSpacing");
        typeValue(view, 1, "4");
        typeValue(view, 2, "6");
        SpacingTable* measured = view->table(0);
        auto* family = view->findChild<QLineEdit*>("txtFamily");
        family->setFocus();
        QTest::keyClicks(family, "J2");
        QCOMPARE(sheet.text("txtFamily"), std::string("J2"));

        QTest::keyClick(family, Qt::Key_Z, Qt::ControlModifier);  // the field's typing, in one step
        QCOMPARE(family->text(), QString());
        QTest::keyClick(family, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shown(measured, 1, 1), QString());
        QTest::keyClick(family, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shown(measured, 1, 1), QString("6"));
        QTest::keyClick(family, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(family->text(), QString("J2"));

        click(measured, 2);
        QTest::keyClick(measured, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(measured, Qt::Key_Delete);
        QCOMPARE(shown(measured, 0, 1) + shown(measured, 1, 1), QString());
        QTest::keyClick(measured, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shown(measured, 0, 1) + "|" + shown(measured, 1, 1), QString("4|6"));
    }
};

QTEST_MAIN(DatasheetViewTest)
#include "DatasheetViewTest.moc"
