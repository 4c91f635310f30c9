// The chart window: the recorded chart on the surface, the labels where the
// form puts them, in-place label editing, the options window's buttons,
// and charts leaving the program (clipboard, files).

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "UiTestSupport.h"
#include "core/SystemFiles.h"
#include "spacing/ChartPlot.h"
#include "spacing/HistoForm.h"
#include "ui/views/CanvasView.h"
#include "ui/views/ChartView.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

// A datasheet with a dozen spacings and its histogram, drawn through the "Plot Histo" button.
struct Plotted {
    HistoForm* chart = nullptr;
    ChartView* view = nullptr;
};

Plotted plot(Desktop& d) {
    SpacingForm& sheet =
        d.newDatasheet({"0.5", "1.2", "0.8", "2.5", "0.3", "1.7", "0.9", "3.1", "0.6", "1.4", "2.2", "0.7"});
    QApplication::setActiveWindow(d.window.get());
    QTest::mouseClick(d.window->windowOf(sheet)->findChild<QPushButton*>("cmdHisto"), Qt::LeftButton);
    return {dynamic_cast<HistoForm*>(d.session.findForm("frmHisto")), d.viewOf<ChartView>("frmHisto")};
}

QRect pixels(const Desktop& d, const Control& control) {
    return {d.context.px(control.left()), d.context.px(control.top()), d.context.px(control.width()),
            d.context.px(control.height())};
}

int countColour(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

QColor qcolor(Rgb c) { return QColor(c.red(), c.green(), c.blue()); }

// Pixels of a smoothed line: its colour's hue, however much of the light background is blended in.
int countLineColour(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int turn = std::abs(p.hsvHue() - colour.hsvHue());
            // 20°: the laws' hues are 60° or more apart; saturation 100 leaves out greys and the pale bars.
            if (p.hsvSaturation() > 100 && std::min(turn, 360 - turn) < 20) ++n;
        }
    return n;
}

}  // namespace

class ChartViewTest : public QObject {
    Q_OBJECT
private slots:
    void plotHistoOpensTheChartWithItsLabelsAndTheOptionsWindowDrawsTheLaws() {
        Desktop d;
        Plotted p = plot(d);
        QVERIFY(p.chart && p.view);
        for (const char* name : {"lblTitre", "lblMean"}) {
            const Control& control = p.chart->at(name);
            QLabel* label = p.view->label(name);
            QVERIFY2(label, name);
            QCOMPARE(label->text(), QString::fromStdString(control.text()));
            QCOMPARE(label->pos(), pixels(d, control).topLeft());
        }
        // The options window comes with the chart, once the command has named it.
        QTRY_VERIFY(d.windowOf("frmHistoTools") && d.windowOf("frmHistoTools")->isVisible());

        // The surface shows the bars; the options window's Apply draws the laws and the legend.
        QImage before = p.view->grab().toImage();
        QVERIFY(countColour(before, qcolor(chartcolors::Bar)) > 500);
        QCOMPARE(countLineColour(before, qcolor(chartcolors::Triangular)), 0);
        QWidget* options = d.windowOf("frmHistoTools");
        auto tick = [](QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); };
        for (int i = 0; i < 4; ++i) {
            auto* box = options->findChild<QCheckBox*>(QString("Check1(%1)").arg(i));
            if (!box->isChecked()) tick(box);
        }
        tick(options->findChild<QCheckBox*>("chkLegend"));
        QTest::mouseClick(options->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY(p.chart->histogram()->laws.legend);
        QImage after = p.view->grab().toImage();
        for (Rgb law : {chartcolors::Exponential, chartcolors::Normal, chartcolors::Lognormal, chartcolors::Triangular})
            QVERIFY(countLineColour(after, qcolor(law)) > 40);
    }

    void doubleClickEditsLabelsInPlace() {
        Desktop d;
        Plotted p = plot(d);
        QVERIFY(p.view);
        QLabel* title = p.view->label("lblTitre");
        const QPoint place = title->pos();
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(4, 4));
        QLineEdit* editor = p.view->labelEditor();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->selectedText(), QString("Frequency distribution"));
        QTest::keyClicks(editor, "Profile 2");
        QCOMPARE(title->text(), QString("Profile 2"));  // the label follows the typing

        // A click on the surface ends the edit; the label keeps its place.
        QWidget* surface = p.view->surface()->viewport();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() / 2, surface->height() / 2));
        QVERIFY(!editor->isVisible());
        QCOMPARE(title->pos(), place);
    }

    // With the documents maximised, a new chart opens maximised: its drawing
    // and labels take the whole window at once, not the size it was made at.
    void aChartOpenedMaximisedDrawsAtItsFullSize() {
        Desktop d;
        d.window->resize(1400, 900);
        d.window->show();
        d.window->action("mnuFileNewData")->trigger();
        auto* sheetWindow = qobject_cast<QMdiSubWindow*>(d.window->windowOf(*d.session.currentDocument()));
        sheetWindow->showMaximized();
        QCoreApplication::processEvents();
        const Plotted p = plot(d);
        QVERIFY(p.view);
        auto* chartWindow = qobject_cast<QMdiSubWindow*>(d.window->windowOf(*p.chart));
        QTRY_VERIFY(chartWindow->isMaximized());
        const QSize area = p.view->size();
        QVERIFY(area.width() > 1000);
        // The surface fills the window but for the frame the form allows for (a maximised window shows none).
        const QSize frame(d.context.px(HistoForm::kFrameWidth), d.context.px(HistoForm::kFrameHeight));
        QTRY_COMPARE(p.view->surface()->size(), area - frame);
        QCOMPARE(p.chart->chart().width(), p.chart->innerWidth());
        // The statistics sit at the upper right of the full-size drawing.
        QVERIFY(p.view->label("lblMean")->geometry().right() > area.width() * 3 / 4);
    }

    void copyAndSaveTheChart() {
        Desktop d;
        Plotted p = plot(d);
        QVERIFY(p.view);
        QTRY_COMPARE(d.session.activeForm(), static_cast<Form*>(p.chart));
        QApplication::clipboard()->clear();
        d.window->action("mnuEditCopy")->trigger();
        const QImage copied = QApplication::clipboard()->image();
        // The double-size picture.
        QCOMPARE(copied.width(), d.context.px(2 * p.chart->innerWidth()));
        QVERIFY(countColour(copied, qcolor(chartcolors::Bar)) > 2000);

        QTemporaryDir dir;
        const QString path = dir.filePath("chart.png");
        d.platform.files.push_back(path.toStdString());
        d.window->action("mnuFileSave")->trigger();
        QCOMPARE(QImage(path).size(), copied.size());

        // A save that fails halfway keeps the earlier picture and tells the user why.
        const std::optional<std::string> kept = readFileBytes(path.toStdString());
        QVERIFY(kept);
        d.platform.files.push_back(path.toStdString());
        d.platform.writeFaults = {WriteFault::MidWrite};
        const size_t toldBefore = d.platform.told().size();
        d.window->action("mnuFileSave")->trigger();
        QVERIFY(d.platform.writeFaults.empty());
        QCOMPARE(d.platform.told().size(), toldBefore + 1);
        QVERIFY(QString::fromStdString(d.platform.told().back().text).endsWith("Input/output error"));
        QVERIFY(readFileBytes(path.toStdString()) == kept);
    }
};

QTEST_MAIN(ChartViewTest)
#include "ChartViewTest.moc"
