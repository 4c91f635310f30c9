// The spacing datasheet window: the grids over the form's column stores,
// typing through the cell editor, selection, scrolling in step and the
// Edit commands, driven through the widgets. First the model and table every
// grid window shares, over a grid of three columns (row numbers, direction,
// dip angle) and 100 rows.

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "UiTestSupport.h"
#include "core/Grid.h"
#include "ui/views/DatasheetView.h"
#include "ui/views/GridModel.h"
#include "ui/views/GridTable.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

std::unique_ptr<Grid> dataGrid() {
    auto grid = std::make_unique<Grid>(
        std::vector<GridColumnSpec>{{"", 420, GridAlignment::Right}, {"Direction", 800}, {"Dip angle", 800}}, "##0 ");
    grid->setRows(101);
    return grid;
}

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
    void theModelReadsTheGridAndTellsItsChanges() {
        const auto owner = dataGrid();
        Grid& grid = *owner;
        GridModel model(grid);
        QCOMPARE(model.index(99, 0).data().toString(), QString("100 "));  // the grid's rows less its header
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        // The numbering column is not a cell the user selects.
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable));
        QVERIFY(model.flags(model.index(0, 2)) & Qt::ItemIsSelectable);

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        grid.setText(5, 2, "45");
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model.index(4, 0));
        QCOMPARE(changed[0][1].toModelIndex(), model.index(4, 2));
        QCOMPARE(model.index(4, 2).data().toString(), QString("45"));

        model.detach();
        QCOMPARE(model.rowCount(), 0);
        grid.setText(1, 1, "still safe");  // no longer listening
    }

    void theTableFollowsTheGridsCursorBlockAndTopRow() {
        Desktop d;
        const auto owner = dataGrid();
        Grid& grid = *owner;
        GridTable table(grid, d.context, nullptr);
        table.resize(300, 200);
        table.show();
        QCOMPARE(table.horizontalHeader()->sectionSize(1), d.context.px(800));  // twips from the grid

        grid.selectBlock({6, 2}, {3, 1});
        QCOMPARE(table.selectionModel()->selectedIndexes().size(), 8);
        QCOMPARE(table.currentIndex(), table.model()->index(2, 1));

        // The user's scrolling and a current cell out of sight: through the datasheet's grids below.
        grid.setTopRow(40);
        QCOMPARE(table.verticalScrollBar()->value(), 39);
        table.detach();
        QCOMPARE(table.model()->rowCount(), 0);
    }

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

        // Double click: the present text; Escape writes it back.
        click(measured, 3);
        QTest::mouseDClick(measured->viewport(), Qt::LeftButton, {}, cellCentre(measured, 3));
        QCOMPARE(editor->text(), QString("5.25"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());

        // In the corrected grid too, and the editor stays over its cell when the grid scrolls.
        SpacingTable* corrected = view->table(1);
        click(corrected, 2);
        QTest::keyClick(corrected, '7');
        QCOMPARE(editor->parentWidget(), corrected->viewport());
        corrected->verticalScrollBar()->setValue(2);
        QCOMPARE(editor->geometry(), corrected->valueCellRect(2));
        QVERIFY(editor->geometry().top() < 0);
        // A click on another row commits the edit into the row it was opened on.
        click(corrected, 5);
        QVERIFY(!editor->isVisible());
        QCOMPARE(sheet.cell(1, 2, 1), std::string("7"));
    }

    void scrollingOneGridScrollsTheOther() {
        Desktop d;
        SpacingForm& sheet = newDatasheet(d);
        DatasheetView* view = d.viewOf<DatasheetView>("frmSpacing");
        view->table(0)->verticalScrollBar()->setValue(499);
        QCOMPARE(sheet.grid(1).topRow(), 500LL);
        QCOMPARE(view->table(1)->rowAt(0), 499);
        view->table(1)->verticalScrollBar()->setValue(20);
        QCOMPARE(view->table(0)->verticalScrollBar()->value(), 20);

        // Enter on the last visible row scrolls both grids so the new row shows.
        SpacingTable* measured = view->table(0);
        const int bottom = measured->rowAt(measured->viewport()->height() - 1);  // a model row: store row - 1
        click(measured, bottom + 1);
        QTest::keyClick(measured, '1');
        QTest::keyClick(view->cellEditor(), Qt::Key_Down);
        QVERIFY(measured->viewport()->rect().contains(measured->valueCellRect(bottom + 2)));
        QCOMPARE(view->table(1)->verticalScrollBar()->value(), measured->verticalScrollBar()->value());
    }

    void blockSelectionCopyAndPasteThroughTheWindow() {
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

        // Keyboard: Shift+Down extends from the current row.
        click(measured, 1);
        QTest::keyClick(measured, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(sheet.grid(0).selection(), (GridBlock{1, 2, 1, 1}));

        // Paste below the last row grows both grids rather than dropping values.
        measured->setFocus();
        QTest::keyClick(measured, Qt::Key_End);
        QCOMPARE(sheet.grid(0).row(), 1000LL);
        QTest::keyClick(measured, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(view->table(1)->model()->rowCount(), 1002);
        QCOMPARE(shown(measured, 1001, 1), QString("40"));
    }

    void commandsAndSummaryReachTheGrids() {
        Desktop d;
        SpacingForm& sheet = newDatasheet(d);
        DatasheetView* view = d.viewOf<DatasheetView>("frmSpacing");
        long long row = 1;
        for (const char* value : {"2", "4", "1"}) sheet.setCell(0, row++, 1, value);
        auto* count = view->findChild<QLabel*>("lblRes(2)");
        QVERIFY(count->text().isEmpty());
        // Moving the mouse over the window's background refreshes the summary.
        QTest::mouseMove(view, QPoint(2, 2));
        QTRY_COMPARE(count->text(), QString("N = 3"));
        auto* convert = view->findChild<QPushButton*>("cmdConvert");
        QVERIFY(convert->isEnabled());

        auto* theta = view->findChild<QLineEdit*>("txtOr(4)");
        theta->setFocus();
        theta->selectAll();
        QTest::keyClicks(theta, "60");
        QSignalSpy changed(view->table(1)->model(), &QAbstractItemModel::dataChanged);
        QTest::mouseClick(convert, Qt::LeftButton);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(shown(view->table(1), 1, 1), QString("2.0"));

        // Orientations fill the theta field, which the form then disables.
        const char* orientation[] = {"160", "75", "145", "70", "", "150", "5"};
        for (int i : {0, 1, 2, 3, 5, 6}) sheet.userType(sheet.at("txtOr", i), orientation[i]);
        QCOMPARE(theta->text(), QString::fromStdString(sheet.text("txtOr", 4)));
        QVERIFY(!theta->isEnabled());
        QTest::mouseClick(view->findChild<QRadioButton*>("optData(0)"), Qt::LeftButton);
        QCOMPARE(sheet.at("optData", 0).value(), 1);
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
            const QWidget* frame = view->findChild<QLineEdit*>("txtOr(0)")->parentWidget();
            const std::pair<const char*, const char*> rows[] = {
                {"Cliff wall", "txtOr(0)"}, {"Disc. set", "txtOr(2)"}, {"Scanline", "txtOr(5)"}};
            for (const auto& [caption, field] : rows) {
                const QLabel* label = nullptr;
                for (const QLabel* candidate : frame->findChildren<QLabel*>())
                    if (candidate->text() == caption) label = candidate;
                QVERIFY(label);
                const QLineEdit* edit = frame->findChild<QLineEdit*>(field);
                const int gap = edit->geometry().left() - label->geometry().left() - label->sizeHint().width();
                QVERIFY2(gap >= 0 && gap < 40, qPrintable(QString("%1: %2 px").arg(caption).arg(gap)));
            }
            // The header's fields take the width instead: they still start right after their labels.
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

    void numberedRowsFromAThousandToAMillion() {
        Desktop d;
        SpacingForm& sheet = newDatasheet(d);
        DatasheetView* view = d.viewOf<DatasheetView>("frmSpacing");
        for (int g = 0; g < 2; ++g) QCOMPARE(shown(view->table(g), 999, 0), QString("1000"));
        sheet.NumFlexGrid(1'000'001, 1);
        SpacingTable* measured = view->table(0);
        QCOMPARE(measured->model()->rowCount(), 1'000'000);
        measured->setFocus();
        QTest::keyClick(measured, Qt::Key_End);
        QCOMPARE(sheet.grid(0).row(), 1'000'000LL);
        QCOMPARE(view->table(1)->verticalScrollBar()->value(), measured->verticalScrollBar()->value());
        QVERIFY(measured->verticalScrollBar()->value() > 999'000);
        QTest::keyClick(measured, '8');
        QTest::keyClick(view->cellEditor(), Qt::Key_Return);  // the last row: written, no move
        QCOMPARE(shown(measured, 999'999, 1), QString("8"));
        // The numbering column widens so that seven digits show whole.
        QVERIFY(measured->columnWidth(0) > measured->fontMetrics().horizontalAdvance("1000000"));

        // Closed, the million rows are freed once the event loop has the hand again.
        d.session.destroyForm(sheet);
        QVERIFY(d.session.closedFormsKept() >= 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(d.session.closedFormsKept(), std::size_t{0});
    }
};

QTEST_MAIN(DatasheetViewTest)
#include "DatasheetViewTest.moc"
