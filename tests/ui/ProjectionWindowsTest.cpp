// The projection tool's three windows as a user meets them: "&Projections"
// and its check mark, typing into the data grid through its table and cell
// editor, the context menu from the right button, the options window's
// buttons and palette, and the plot's surface giving the net its size.
//
// With RAVELIN_SCREENSHOTS set to a folder, pictures of the three windows
// (contours and a mean cone on a Schmidt net; the kinematic zones with the
// critical poles highlighted) are saved there for looking at.

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <random>

#include "UiTestSupport.h"
#include "projection/DataForm.h"
#include "projection/OptProjForm.h"
#include "projection/ProjForm.h"
#include "ui/views/CanvasView.h"
#include "ui/views/DataGridView.h"
#include "ui/views/ProjectionOptionsView.h"
#include "ui/views/ProjectionView.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

template <class View>
View* viewOf(Desktop& d, const char* formName) {
    QWidget* window = d.windowOf(formName);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) return qobject_cast<View*>(sub->widget());
    return window ? window->findChild<View*>() : nullptr;
}

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

void click(DataTable* table, long long row, int column) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->cellRect(row, column).center());
}

// Three joint sets and a scatter, as a field campaign gives them (dip direction, dip).
std::string fieldRows() {
    std::mt19937 random(7);
    std::normal_distribution<double> spread(0, 7);
    const double sets[4][2] = {{185, 50}, {100, 75}, {15, 30}, {290, 82}};
    std::string rows;
    for (int i = 0; i < 160; ++i) {
        const double* set = sets[i % 4];
        const double direction = std::fmod(set[0] + spread(random) + 360, 360);
        const double dip = std::clamp(set[1] + spread(random), 0.0, 90.0);
        rows += std::to_string(static_cast<int>(direction)) + "\t" + std::to_string(static_cast<int>(dip)) + "\r";
    }
    return rows;
}

void pasteRows(Desktop& d, const std::string& rows) {
    auto& data = dynamic_cast<DataForm&>(d.session.form("frmData"));
    data.userGridClick(1, 1);
    data.grid().paste(rows);
}

// The main window with its two documents, and the floating options window beside it.
void saveScreenshot(Desktop& d, const QString& name) {
    const QString folder = qEnvironmentVariable("RAVELIN_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QApplication::processEvents();
    QTest::qWait(150);  // the plot replots once resizing pauses
    const QImage main = d.window->grab().toImage();
    const QImage options = d.windowOf("frmOptProj")->grab().toImage();
    QImage picture(main.width() + options.width() + 12, std::max(main.height(), options.height()),
                   QImage::Format_RGB32);
    picture.fill(QColor(90, 90, 90));
    QPainter painter(&picture);
    painter.drawImage(0, 0, main);
    painter.drawImage(main.width() + 12, 0, options);
    painter.end();
    picture.save(folder + "/" + name + ".png");
}

}  // namespace

class ProjectionWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void projectionsMenuShowsAndHidesTheThreeWindows() {
        Desktop d;
        QVERIFY(openTool(d));
        QAction* item = d.window->action("mnuToolsProjections");
        QVERIFY(item->isChecked());
        for (const char* name : {"frmProj", "frmOptProj", "frmData"}) QVERIFY2(d.windowOf(name)->isVisible(), name);
        // Two documents of the main window's area, and a floating options window.
        QVERIFY(qobject_cast<QMdiSubWindow*>(d.windowOf("frmProj")));
        QVERIFY(qobject_cast<QMdiSubWindow*>(d.windowOf("frmData")));
        QVERIFY(!qobject_cast<QMdiSubWindow*>(d.windowOf("frmOptProj")));

        d.windowOf("frmProj")->close();  // its title bar's close button
        QApplication::processEvents();
        QVERIFY(!item->isChecked());
        for (const char* name : {"frmProj", "frmOptProj", "frmData"}) QVERIFY2(!d.windowOf(name)->isVisible(), name);
        item->trigger();
        QVERIFY(item->isChecked());
        QCOMPARE(d.platform.told().back().text, kNotice);
        QVERIFY(d.windowOf("frmData")->isVisible());
    }

    void typingIntoTheGridThroughItsEditor() {
        Desktop d;
        QVERIFY(openTool(d));
        auto* view = viewOf<DataGridView>(d, "frmData");
        QVERIFY(view);
        DataTable* table = view->table();
        auto& data = dynamic_cast<DataForm&>(d.session.form("frmData"));
        click(table, 1, 1);
        QTest::keyClicks(table, "1");
        QLineEdit* editor = view->cellEditor();
        QTRY_VERIFY(editor->isVisible());
        QCOMPARE(editor->geometry(), table->cellRect(1, 1));  // laid over the cell it edits
        QTest::keyClicks(editor, "20");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(data.grid().text(1, 1), std::string("120"));
        QCOMPARE(data.grid().current(), (GridCell{1, 2}));
        QTest::keyClicks(table, "4");
        QTest::keyClicks(editor, "5");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(data.grid().text(1, 2), std::string("45"));
        QCOMPARE(data.grid().current(), (GridCell{2, 1}));
        QCOMPARE(table->model()->index(0, 2).data().toString(), QString("45"));
        // Escape drops what was typed.
        QTest::keyClicks(table, "9");
        QTest::keyClick(view->cellEditor(), Qt::Key_Escape);
        QVERIFY(data.grid().isEmpty(2, 1));
        QVERIFY(!editor->isVisible());
    }

    void rightButtonOpensTheContextMenu() {
        Desktop d;
        QVERIFY(openTool(d));
        pasteRows(d, "120\t45\r200\t60\r");
        auto* view = viewOf<DataGridView>(d, "frmData");
        auto& data = dynamic_cast<DataForm&>(d.session.form("frmData"));
        QStringList captions;
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* action : menu->actions())
                if (!action->isSeparator()) captions << action->text();
            menu->findChild<QAction*>("mnuContextClearGrid")->trigger();
            menu->close();
        });
        const QPoint at = view->table()->cellRect(2, 1).center();
        QTest::mousePress(view->table()->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(view->table()->viewport(), Qt::RightButton, {}, at);
        QTRY_COMPARE(captions, (QStringList{"&Copy", "Cu&t", "&Paste", "Clear &grid", "&Select all"}));
        QTRY_COMPARE(data.grid().lastFilledRow(), 0LL);
        QVERIFY(!data.contextMenuRequest());
    }

    void optionsButtonsPlotOnTheSurfaceOfTheWindowsSize() {
        Desktop d;
        QVERIFY(openTool(d));
        pasteRows(d, "120\t45\r200\t60\r10\t85\r");
        auto* options = viewOf<ProjectionOptionsView>(d, "frmOptProj");
        QVERIFY(options);
        options->findChild<QRadioButton*>("optProj(1)")->click();
        options->swatch(2)->pressed();
        options->findChild<QPushButton*>("cmdPlot")->click();
        auto& plot = dynamic_cast<ProjForm&>(d.session.form("frmProj"));
        QCOMPARE(plot.data().size(), std::size_t(1));
        QCOMPARE(plot.data()[0].color, Rgb::fromRgb(255, 0, 0));
        QCOMPARE(options->swatch(OptProjForm::kPaletteSize)->color(), QColor(255, 0, 0));  // the current colour

        // The canvas is the surface's own size, in twips.
        auto* view = viewOf<ProjectionView>(d, "frmProj");
        QVERIFY(view);
        d.windowOf("frmProj")->resize(700, 560);
        QTRY_COMPARE(plot.canvasWidth(), d.context.twips(view->surface()->viewport()->width()));
        QCOMPARE(plot.canvasHeight(), d.context.twips(view->surface()->viewport()->height()));
        QCOMPARE(plot.picture().view.cx(), plot.canvasWidth() / 2);
        QCOMPARE(plot.data()[0].color,
                 Rgb::fromRgb(255, 100, 100));  // a new size replots in the lower hemisphere's colour

        view->menuBar()->findChild<QAction*>("mnuClearCanvas")->trigger();
        QCOMPARE(plot.surface().ops().size(), std::size_t(1));  // a blank surface
    }

    void screenshotsOfTheThreeWindows() {
        if (qEnvironmentVariable("RAVELIN_SCREENSHOTS").isEmpty()) QSKIP("RAVELIN_SCREENSHOTS names no folder");
        Desktop d;
        QVERIFY(openTool(d));
        d.windowOf("frmProj")->resize(760, 800);
        QTest::qWait(150);  // the plot takes its new size before anything is plotted
        pasteRows(d, fieldRows());
        dynamic_cast<DataForm&>(d.session.form("frmData")).userGridClick(1, 1);
        auto* options = viewOf<ProjectionOptionsView>(d, "frmOptProj");
        auto button = [&](const char* name) { return options->findChild<QAbstractButton*>(name); };
        button("optStruct(1)")->click();
        button("optProj(1)")->click();
        button("chkContour")->click();
        button("chkMean")->click();
        button("cmdPlot")->click();
        saveScreenshot(d, "projection-contours-and-mean");

        button("chkContour")->click();
        button("chkMean")->click();
        button("optSymbol(1)")->click();
        options->swatch(1)->pressed();
        button("chkKinematic")->click();
        button("cmdPlot")->click();
        saveScreenshot(d, "projection-kinematic-poles");
        button("optStruct(2)")->click();
        options->swatch(0)->pressed();
        button("cmdPlot")->click();
        button("optKinematicPlot(1)")->click();
        saveScreenshot(d, "projection-kinematic-wedges");
    }
};

QTEST_MAIN(ProjectionWindowsTest)
#include "ProjectionWindowsTest.moc"
