// The acquisition window on the screen: the example's photograph under its
// traces, scanline, rectangle and contour at two zooms, drawing with the
// mouse at any zoom, the wheel, the middle-button drag, "Fit to window" and
// "Actual size", the main toolbar's drawing buttons, the picture on the
// clipboard, and the estimator report in the Info box.
//
// With RAVELIN_SCREENSHOTS=FOLDER the test also writes what it shows there
// as PNG files (the window fitted, zoomed in, and the Info box's report).

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>
#include <cmath>

#include "UiTestSupport.h"
#include "acquisition/AcquisitionDrawing.h"
#include "acquisition/ScanForm.h"
#include "documents/DocumentCommands.h"
#include "ui/views/AcquisitionView.h"
#include "ui/views/CanvasView.h"

using namespace ravelin;
using ravelin::testing::Desktop;

namespace {

const QString kExamples = QString(RAVELIN_SOURCE_DIR) + "/examples/";

// The desktop at the size of a usual screen, with the acquisition window filling its work area: a new
// one, or a copy of the example (the close at the end answers Yes to saving what a test drew).
struct Acquisition {
    QTemporaryDir folder;
    Desktop d;
    ScanForm* scan = nullptr;
    AcquisitionView* view = nullptr;

    explicit Acquisition(bool example = false) {
        d.window->resize(1400, 900);
        d.window->show();
        if (!example) {
            d.window->action("mnuFileNewScan")->trigger();
        } else {
            for (const char* name : {"rock-face.dgt", "rock-face.png"})
                QFile::copy(kExamples + name, folder.filePath(name));
            OpenDocumentFile(d.session, folder.filePath("rock-face.dgt").toStdString());
        }
        scan = dynamic_cast<ScanForm*>(d.session.findForm("frmScan"));
        if (!scan) return;
        auto* sub = qobject_cast<QMdiSubWindow*>(d.window->windowOf(*scan));
        view = qobject_cast<AcquisitionView*>(sub->widget());
        sub->showMaximized();
        QApplication::processEvents();
    }
    QWidget* surface() const { return view->canvas()->viewport(); }
    ViewTransform transform() const { return scan->canvasDrawing().view(); }
    // The canvas point under a pixel of the surface, worked out from the view's scale and origin.
    DrawPoint under(QPoint pixel) const {
        const ViewTransform t = transform();
        return {t.origin().x + pixel.x() / t.scale(), t.origin().y + pixel.y() / t.scale()};
    }
    QPoint pixelOf(CanvasPoint p) const {
        const ViewTransform t = transform();
        return QPoint(static_cast<int>(std::lround((p.x - t.origin().x) * t.scale())),
                      static_cast<int>(std::lround((p.y - t.origin().y) * t.scale())));
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(surface(), button, {}, at);
        QTest::mouseRelease(surface(), button, {}, at);
    }
    void wheel(QPoint at, int notches) {
        QWheelEvent turn(at, surface()->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface(), &turn);
    }
    QToolButton* button(const char* name) const { return view->findChild<QToolButton*>(name); }
    QImage shown() const { return surface()->grab().toImage(); }
    void screenshot(const char* name) const {
        const QByteArray folder = qgetenv("RAVELIN_SCREENSHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        QApplication::processEvents();  // scroll bars and repaints settle first
        d.window->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
    }
};

// Whether the pixel is mostly the colour: its hue within 25° and clearly saturated.
bool hasHue(QColor pixel, Rgb colour) {
    const QColor wanted(colour.red(), colour.green(), colour.blue());
    const int turn = std::abs(pixel.hsvHue() - wanted.hsvHue());
    return pixel.hsvSaturation() > 120 && std::min(turn, 360 - turn) < 25;
}

// Whether any pixel within `radius` of `at` has the colour.
bool colourNear(const QImage& image, QPoint at, Rgb colour, int radius = 2) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (image.rect().contains(p) && hasHue(image.pixelColor(p), colour)) return true;
        }
    return false;
}

CanvasPoint middle(CanvasPoint a, CanvasPoint b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

}  // namespace

class AcquisitionViewTest : public QObject {
    Q_OBJECT
private slots:
    void theExampleShowsItsPhotographAndGeometryFittedThenAtActualSize() {
        Acquisition a(true);
        QVERIFY(a.view);
        QVERIFY(a.scan->picture());
        QCOMPARE(a.scan->picture()->width(), 1600);
        QCOMPARE(a.d.window->windowOf(*a.scan)->windowTitle(), QString::fromStdString(a.scan->caption()));
        // Fitted: the whole canvas of 2001 units in sight, as large as the viewport allows.
        const ViewTransform fitted = a.transform();
        const double height = 2001.0 * 1000 / 1600;
        const double scale = std::min(a.surface()->width() / 2001.0, a.surface()->height() / height);
        QVERIFY(std::abs(fitted.scale() - scale) < 1e-9);
        const DrawRect visible = fitted.visible();
        QVERIFY(visible.left <= 1e-9 && visible.top <= 1e-9 && visible.right >= 2001 - 1e-9 &&
                visible.bottom >= height - 1e-9);

        // Each kind of geometry shows in its colour where the geometry says.
        const AcquisitionGeometry& g = a.scan->geometry();
        QImage image = a.shown();
        QVERIFY(colourNear(image, a.pixelOf(middle(g.traces[3].end1, g.traces[3].end2)), acquisition_colors::Traces));
        QVERIFY(colourNear(image, a.pixelOf(middle(g.scanline[0], g.scanline[1])), acquisition_colors::Scanline));
        QVERIFY(colourNear(image, a.pixelOf(middle(g.contour[0], g.contour[1])), acquisition_colors::Contour));
        QVERIFY(colourNear(image, a.pixelOf(g.rectangle[0]), acquisition_colors::Rectangle));
        a.screenshot("acquisition-fitted");

        // Actual size: one photograph pixel a screen pixel, about the middle of the view.
        QTest::mouseClick(a.button("cmdActualSize"), Qt::LeftButton);
        QVERIFY(std::abs(a.transform().scale() - 1600 / 2001.0) < 1e-9);
        image = a.shown();
        const CanvasPoint handle = g.rectangle[2];
        const QPoint corner = a.pixelOf(handle);
        if (image.rect().contains(corner)) QVERIFY(colourNear(image, corner, acquisition_colors::Rectangle));
        const Trace& seen = g.traces[9];
        QVERIFY(colourNear(image, a.pixelOf(middle(seen.end1, seen.end2)), acquisition_colors::Traces) ||
                !image.rect().contains(a.pixelOf(middle(seen.end1, seen.end2))));
        a.screenshot("acquisition-actual-size");

        QTest::mouseClick(a.button("cmdFit"), Qt::LeftButton);
        QTRY_COMPARE(a.transform(), fitted);  // once the scroll bars of the larger zoom are gone
    }

    void tracesAreDrawnWhereTheMouseClicksAtEveryZoom() {
        Acquisition a;
        QVERIFY(a.view);
        QCOMPARE(a.d.window->windowOf(*a.scan)->windowTitle(), QString("Acquisition Window - Digit 1"));
        QAction* discont = a.d.window->action("tbToolBar(21)");
        QVERIFY(discont && discont->isVisible() && discont->isEnabled());
        discont->trigger();
        QVERIFY(discont->isChecked());
        QVERIFY(a.button("cmdDisc")->isChecked());
        QCOMPARE(a.surface()->cursor().shape(), Qt::CrossCursor);

        // The first trace at the fitted zoom; its ends are the canvas points under the pixels.
        const QPoint p1(100, 120), p2(300, 260);
        const DrawPoint u1 = a.under(p1), u2 = a.under(p2);
        a.click(p1);
        QTest::mouseMove(a.surface(), QPoint(200, 200));
        // The rubber band follows the pointer in the inverting pen, on the overlay alone.
        const auto band = a.scan->canvasDrawing().overlay().ops();
        QCOMPARE(band.size(), std::size_t{1});
        QCOMPARE(band[0].penMode, PenMode::Invert);
        a.click(p2);
        QCOMPARE(a.scan->geometry().traces.at(0).end1, roundToCanvas(u1.x, u1.y));
        QCOMPARE(a.scan->geometry().traces.at(0).end2, roundToCanvas(u2.x, u2.y));

        // Four notches in about a point double the zoom and keep that point under the pointer.
        const QPoint pointer(250, 200);
        const DrawPoint before = a.under(pointer);
        const double scale = a.transform().scale();
        a.wheel(pointer, 4);
        QVERIFY(std::abs(a.transform().scale() - 2 * scale) < 1e-9);
        const DrawPoint after = a.under(pointer);
        QVERIFY(std::abs(after.x - before.x) < 1e-6 && std::abs(after.y - before.y) < 1e-6);

        // The second trace at the doubled zoom lands on the units under its pixels too.
        const QPoint q1(40, 50), q2(160, 90);
        const DrawPoint v1 = a.under(q1), v2 = a.under(q2);
        a.click(q1);
        a.click(q2);
        QCOMPARE(a.scan->geometry().traces.size(), std::size_t{2});
        QCOMPARE(a.scan->geometry().traces[1].end1, roundToCanvas(v1.x, v1.y));
        QCOMPARE(a.scan->geometry().traces[1].end2, roundToCanvas(v2.x, v2.y));
        QVERIFY(colourNear(a.shown(), (q1 + q2) / 2, acquisition_colors::Traces));
        QVERIFY(a.scan->caption().ends_with("*"));

        // A middle-button drag pans by the pixels dragged and draws nothing.
        const DrawPoint origin = a.transform().origin();
        QTest::mousePress(a.surface(), Qt::MiddleButton, {}, QPoint(200, 200));
        QTest::mouseMove(a.surface(), QPoint(150, 180));
        QTest::mouseRelease(a.surface(), Qt::MiddleButton, {}, QPoint(150, 180));
        const double s = a.transform().scale();
        QVERIFY(std::abs(a.transform().origin().x - (origin.x + 50 / s)) < 1e-9);
        QVERIFY(std::abs(a.transform().origin().y - (origin.y + 20 / s)) < 1e-9);
        QCOMPARE(a.scan->geometry().traces.size(), std::size_t{2});
    }

    void aContourClosedWithTheRightButtonHidingThePictureAndCopyingTheCanvas() {
        Acquisition a(true);
        QVERIFY(a.view);
        QTest::mouseClick(a.button("cmdDraw"), Qt::LeftButton);
        QVERIFY(a.d.window->action("tbToolBar(20)")->isChecked());  // the toolbar's "Contour"
        const QPoint vertices[] = {{60, 60}, {400, 70}, {380, 300}, {80, 280}};
        for (QPoint v : vertices) a.click(v);
        a.click(vertices[3], Qt::RightButton);
        QCOMPARE(a.scan->geometry().contourCount(), 4);
        QVERIFY(!a.d.window->action("tbToolBar(20)")->isChecked());  // released on closing
        QVERIFY(colourNear(a.shown(), (vertices[3] + vertices[0]) / 2, acquisition_colors::Contour));
        const QString surface = a.view->findChild<QLineEdit*>("txtSurface")->text();
        QCOMPARE(surface, QString::fromStdString(a.scan->text("txtSurface")));
        QVERIFY(surface != "0");

        // Hidden, the photograph leaves a white canvas; the traces stay.
        const QPoint bare(a.pixelOf({1000, 40}));
        QVERIFY(a.shown().pixelColor(bare) != QColor(Qt::white));
        a.d.window->action("tbToolBar(24)")->trigger();  // "HidePict"
        QCOMPARE(a.button("cmdShowHide")->text(), QString("Show picture"));
        QCOMPARE(a.d.window->action("tbToolBar(24)")->toolTip(), QString("Show picture"));
        QImage hidden = a.shown();
        QCOMPARE(hidden.pixelColor(bare), QColor(Qt::white));
        const Trace& t = a.scan->geometry().traces[3];
        QVERIFY(colourNear(hidden, a.pixelOf(middle(t.end1, t.end2)), acquisition_colors::Traces));
        a.screenshot("acquisition-picture-hidden");
        QTest::mouseClick(a.button("cmdShowHide"), Qt::LeftButton);

        // Edit > Copy: the canvas at the photograph's own size, with what is drawn on it.
        QApplication::clipboard()->clear();
        a.d.window->action("mnuEditCopy")->trigger();
        const QImage copied = QApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(1600, 1000));
        const Trace& seen = a.scan->geometry().traces[3];
        const CanvasPoint mid = middle(seen.end1, seen.end2);
        QVERIFY(colourNear(copied, QPoint(mid.x * 1600 / 2001, mid.y * 1600 / 2001), acquisition_colors::Traces));
    }

    void theEstimatorsWriteTheirReportIntoTheInfoBox() {
        Acquisition a(true);
        QVERIFY(a.view);
        QTest::mouseClick(a.button("cmdShowJab"), Qt::LeftButton);
        QWidget* box = a.d.windowOf("frmInfoBox");
        QVERIFY(box && box->isVisible());
        // The Info box is named after the acquisition's file, which its title does not show.
        QCOMPARE(box->windowTitle(), QString("InfoBox"));
        auto* text = a.d.find<QTextEdit>("frmInfoBox", "txtText");
        QVERIFY(text);
        const QString report = text->toPlainText();
        for (const char* title :
             {"Mean spacing and mean persistance estimations", "Tarvenoz (2001)", "Tarvenoz (1996)", "Pahl (1981)"})
            QVERIFY2(report.contains(title), title);
        // After the chain the surface field shows the rectangle's surface, written last.
        QCOMPARE(a.view->findChild<QLineEdit*>("txtSurface")->text(),
                 QString::fromStdString(a.scan->text("txtSurface")));
        if (auto* sub = qobject_cast<QMdiSubWindow*>(box)) sub->showMaximized();
        text->verticalScrollBar()->setValue(0);  // the report from its heading
        a.screenshot("acquisition-estimators");
    }
};

QTEST_MAIN(AcquisitionViewTest)
#include "AcquisitionViewTest.moc"
