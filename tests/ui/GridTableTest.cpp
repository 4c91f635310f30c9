// A grid component of three columns (row numbers, direction, dip angle) and
// 100 rows shown by the shared model and table: what the model reads from
// the grid, the signals its notifications become, and the table following
// the grid's cursor, block and top row.

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <memory>
#include <vector>

#include "UiTestSupport.h"
#include "core/Grid.h"
#include "ui/views/GridModel.h"
#include "ui/views/GridTable.h"

using namespace ravelin;

namespace {

std::unique_ptr<Grid> dataGrid() {
    auto grid = std::make_unique<Grid>(
        std::vector<GridColumnSpec>{{"", 420, GridAlignment::Right}, {"Direction", 800}, {"Dip angle", 800}}, "##0 ");
    grid->setRows(101);
    return grid;
}

}  // namespace

class GridTableTest : public QObject {
    Q_OBJECT
private slots:
    void theModelReadsTheGridAndTellsItsChanges() {
        const auto owner = dataGrid();
        Grid& grid = *owner;
        GridModel model(grid);
        QCOMPARE(model.rowCount(), 100);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("Dip angle"));
        QCOMPARE(model.index(99, 0).data().toString(), QString("100 "));
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable));
        QVERIFY(model.flags(model.index(0, 2)) & Qt::ItemIsSelectable);

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        grid.setText(5, 2, "45");
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model.index(4, 0));
        QCOMPARE(changed[0][1].toModelIndex(), model.index(4, 2));
        QCOMPARE(model.index(4, 2).data().toString(), QString("45"));

        // A paste past the last row resets the model with the new rows.
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        grid.setCurrent(100, 1);
        grid.paste("1\t2\r\n3\t4\r\n");
        QCOMPARE(reset.size(), 1);
        QCOMPARE(model.rowCount(), 101);
        QCOMPARE(model.index(100, 1).data().toString(), QString("3"));

        model.detach();
        QCOMPARE(model.rowCount(), 0);
        grid.setText(1, 1, "still safe");  // no longer listening
    }

    void theTableFollowsTheGridsCursorBlockAndTopRow() {
        testing::Desktop d;
        const auto owner = dataGrid();
        Grid& grid = *owner;
        GridTable table(grid, d.context, nullptr);
        table.resize(300, 200);
        table.show();
        QCOMPARE(table.horizontalHeader()->sectionSize(1), d.context.px(800));

        grid.selectBlock({6, 2}, {3, 1});
        QCOMPARE(table.selectionModel()->selectedIndexes().size(), 8);
        QCOMPARE(table.currentIndex(), table.model()->index(2, 1));

        grid.setTopRow(40);
        QCOMPARE(table.verticalScrollBar()->value(), 39);
        table.verticalScrollBar()->setValue(10);  // the user's scrolling reaches the grid
        QCOMPARE(grid.topRow(), 11LL);

        // A single current cell out of sight is brought into it.
        grid.setCurrent(90, 2);
        QVERIFY(table.viewport()->rect().contains(table.cellRect(90, 2)));
        table.detach();
        QCOMPARE(table.model()->rowCount(), 0);
    }
};

QTEST_MAIN(GridTableTest)
#include "GridTableTest.moc"
