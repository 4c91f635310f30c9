// The projection tool's three windows as a user meets them: "&Projections",
// typing into the data grid through its table and cell editor, the options
// window's buttons and palette, and the plot's surface giving the net its size.

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "UiTestSupport.h"
#include "projection/DataForm.h"
#include "projection/ProjForm.h"
#include "ui/views/CanvasView.h"
#include "ui/views/DataGridView.h"
#include "ui/views/ProjectionOptionsView.h"
#include "ui/views/ProjectionView.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

const std::string kNotice = "This provisional projection tool is provided as an example.";

// Opens the tool; whether it gave its notice.
[[nodiscard]] bool openTool(Desktop& d) {
    d.window->resize(1500, 980);
    d.window->show();
    d.window->action("mnuToolsProjections")->trigger();
    QApplication::processEvents();
    const auto& told = d.platform.told();
    return !told.empty() && told.back().text == kNotice;
}

DataForm& dataForm(Desktop& d) { return dynamic_cast<DataForm&>(d.session.form("frmData")); }

}  // namespace

class ProjectionWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void projectionsMenuShowsAndHidesTheThreeWindows() {
        Desktop d;
        QVERIFY(openTool(d));
        QAction* item = d.window->action("mnuToolsProjections");
        QVERIFY(d.windowOf("frmOptProj")->isVisible());
        d.windowOf("frmProj")->close();  // its title bar's close button
        QApplication::processEvents();
        QVERIFY(!item->isChecked());
        for (const char* name : {"frmProj", "frmOptProj", "frmData"}) QVERIFY2(!d.windowOf(name)->isVisible(), name);
        item->trigger();
        QCOMPARE(d.platform.told().back().text, kNotice);
        QVERIFY(d.windowOf("frmData")->isVisible());
    }

    void typingIntoTheGridThenPlottingOnTheSurfaceOfTheWindowsSize() {
        Desktop d;
        QVERIFY(openTool(d));
        auto* grid = d.viewOf<DataGridView>("frmData");
        QVERIFY(grid);
        DataTable* table = grid->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->cellRect(1, 1).center());
        QTest::keyClicks(table, "1");
        QLineEdit* editor = grid->cellEditor();
        QTRY_VERIFY(editor->isVisible());
        QCOMPARE(editor->geometry(), table->cellRect(1, 1));  // laid over the cell it edits
        QTest::keyClicks(editor, "20");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(dataForm(d).grid().text(1, 1), std::string("120"));
        QCOMPARE(table->model()->index(0, 1).data().toString(), QString("120"));
        // Escape drops what was typed.
        QTest::keyClicks(table, "9");
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(dataForm(d).grid().text(1, 1), std::string("120"));
        QVERIFY(dataForm(d).grid().isEmpty(1, 2));
        QVERIFY(!editor->isVisible());

        // The options window's buttons plot on a canvas of the surface's own size, in twips.
        dataForm(d).userGridClick(1, 1);
        dataForm(d).grid().paste("120\t45\r200\t60\r10\t85\r");
        auto* options = d.viewOf<ProjectionOptionsView>("frmOptProj");
        QVERIFY(options);
        options->findChild<QRadioButton*>("optProj(1)")->click();
        options->swatch(2)->pressed();
        options->findChild<QPushButton*>("cmdPlot")->click();
        auto& plot = dynamic_cast<ProjForm&>(d.session.form("frmProj"));
        QCOMPARE(plot.data().size(), std::size_t(1));
        QCOMPARE(plot.data()[0].color, Rgb::fromRgb(255, 0, 0));
        auto* view = d.viewOf<ProjectionView>("frmProj");
        QVERIFY(view);
        d.windowOf("frmProj")->resize(700, 560);
        QTRY_COMPARE(plot.canvasWidth(), d.context.twips(view->surface()->viewport()->width()));
        QCOMPARE(plot.canvasHeight(), d.context.twips(view->surface()->viewport()->height()));
        QCOMPARE(plot.picture().view.cx(), plot.canvasWidth() / 2);

        view->menuBar()->findChild<QAction*>("mnuClearCanvas")->trigger();
        QCOMPARE(plot.surface().ops().size(), std::size_t(1));  // a blank surface
    }
};

QTEST_MAIN(ProjectionWindowsTest)
#include "ProjectionWindowsTest.moc"
