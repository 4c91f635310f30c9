// The drawing view (pointer events, zoom, drag, the kept static layer), then
// the acquisition window on it: what reaches the pixels. What it draws and
// computes is the core tests'.

#include <QAction>
#include <QClipboard>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "UiTestSupport.h"
#include "acquisition/AcquisitionDrawing.h"
#include "acquisition/ScanForm.h"
#include "documents/DocumentCommands.h"
#include "support/SketchForm.h"
#include "ui/render/QtPicture.h"
#include "ui/views/AcquisitionView.h"
#include "ui/views/CanvasView.h"

using namespace ravelin;
using ravelin::testing::Desktop;
using ravelin::testing::SketchForm;
using ravelin::testing::TestQtPlatform;

namespace {

struct Shown {
    TestQtPlatform platform;
    Session session{platform};
    UiContext context{session, platform};
    SketchForm form{session};
    CanvasView view{form, form.canvas(), context, nullptr};

    Shown() {
        view.resize(400, 300);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view)) qFatal("the view was never shown");
    }
    const ViewTransform& transform() const { return form.sketch().view(); }
    QWidget* surface() { return view.viewport(); }
    void setView(double scale, DrawPoint origin) {
        ViewTransform v = transform();
        v.setScale(scale);
        v.setOrigin(origin);
        form.setView(form.canvas(), v);
    }
};

// The desktop at the size of a usual screen, with the example acquisition filling its work area: a
// copy, so that nothing a test draws can reach the example itself.
struct Acquisition {
    QTemporaryDir folder;
    Desktop d;
    ScanForm* scan = nullptr;
    AcquisitionView* view = nullptr;

    Acquisition() {
        d.window->resize(1400, 900);
        d.window->show();
        for (const char* name : {"rock-face.dgt", "rock-face.png"})
            QFile::copy(QString(RAVELIN_SOURCE_DIR) + "/examples/" + name, folder.filePath(name));
        OpenDocumentFile(d.session, folder.filePath("rock-face.dgt").toStdString());
        scan = dynamic_cast<ScanForm*>(d.session.findForm("frmScan"));
        if (!scan) return;
        view = d.viewOf<AcquisitionView>("frmScan");
        d.windowOf("frmScan")->showMaximized();
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
    void click(QPoint at) { QTest::mouseClick(surface(), Qt::LeftButton, {}, at); }
    QImage shown() const { return surface()->grab().toImage(); }
};

// Whether any pixel within 2 of `at` has the colour's hue (within 25°, clearly saturated).
bool colourNear(const QImage& image, QPoint at, Rgb colour) {
    const QColor wanted(colour.red(), colour.green(), colour.blue());
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (!image.rect().contains(p)) continue;
            const QColor pixel = image.pixelColor(p);
            const int turn = std::abs(pixel.hsvHue() - wanted.hsvHue());
            if (pixel.hsvSaturation() > 120 && std::min(turn, 360 - turn) < 25) return true;
        }
    return false;
}

CanvasPoint middle(CanvasPoint a, CanvasPoint b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

}  // namespace

class AcquisitionViewTest : public QObject {
    Q_OBJECT
private slots:
    void pointerEventsArriveInDrawingUnitsAtTwoZooms() {
        Shown s;
        // At 96 per inch a drawing unit of 15 twips is one pixel: actual size is one to one.
        QCOMPARE(s.view.naturalScale(), 1.0);
        QTest::mousePress(s.surface(), Qt::LeftButton, {}, QPoint(100, 50));
        QTest::mouseRelease(s.surface(), Qt::LeftButton, {}, QPoint(100, 50));
        // Two and a half pixels a unit, scrolled to (40, 30): pixel (100, 50) is (40 + 100 / 2.5, 30 + 50 / 2.5).
        s.setView(2.5, {40, 30});
        QTest::mousePress(s.surface(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 50));
        QTest::mouseRelease(s.surface(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 50));
        QCOMPARE(s.form.heard.size(), 4u);
        const PointerEvent first = s.form.heard[0].event;
        const PointerEvent second = s.form.heard[2].event;
        QCOMPARE(s.form.heard[2].what, std::string("press"));
        QCOMPARE(QPointF(first.x, first.y), QPointF(100, 50));
        QCOMPARE(first.buttons, buttons::Left);
        QCOMPARE(QPointF(second.x, second.y), QPointF(80, 50));
        QCOMPARE(second.buttons, buttons::Right);
        QCOMPARE(second.shift, shift::Shift);
    }

    void theWheelZoomsAboutThePointerAndTheMiddleButtonDrags() {
        Shown s;
        const QPoint pointer(200, 100);
        const DrawPoint under = s.transform().toDrawing({200, 100});
        QWheelEvent turn(pointer, s.surface()->mapToGlobal(pointer), {}, QPoint(0, 4 * 120), Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(s.surface(), &turn);  // four notches double the zoom
        QCOMPARE(s.transform().scale(), 2.0);
        const DrawPoint after = s.transform().toDrawing({200, 100});
        QVERIFY(std::abs(after.x - under.x) < 1e-9 && std::abs(after.y - under.y) < 1e-9);
        QCOMPARE(s.form.heard.back().event.wheel, 4.0);

        // A middle-button drag of 50 pixels left and 20 up moves the drawing with it; the form hears none of it.
        const std::size_t heard = s.form.heard.size();
        const DrawPoint origin = s.transform().origin();
        QTest::mousePress(s.surface(), Qt::MiddleButton, {}, QPoint(200, 100));
        QTest::mouseMove(s.surface(), QPoint(150, 80));
        QTest::mouseRelease(s.surface(), Qt::MiddleButton, {}, QPoint(150, 80));
        QCOMPARE(s.form.heard.size(), heard);
        QCOMPARE(QPointF(s.transform().origin().x, s.transform().origin().y),
                 QPointF(origin.x + 50 / 2.0, origin.y + 20 / 2.0));
    }

    void theOverlayRepaintsAloneOverTheKeptStaticLayer() {
        Shown s;
        QTest::mousePress(s.surface(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(s.surface(), QPoint(120, 20));
        s.surface()->repaint();
        const int renders = s.view.staticRenders();
        QVERIFY(renders >= 1);
        QTest::mouseMove(s.surface(), QPoint(220, 20));
        s.surface()->repaint();
        QCOMPARE(s.view.staticRenders(), renders);  // the band moved; the kept layer was not drawn again
        // The inverting band (on the pixel edge y = 20, so smoothed over two rows) darkens the light grey.
        const QImage shown = s.surface()->grab().toImage();
        const int band = std::min(qGray(shown.pixel(200, 19)), qGray(shown.pixel(200, 20)));
        const int around = qGray(shown.pixel(200, 60));
        QVERIFY2(band < around - 20, qPrintable(QString("%1 against %2").arg(band).arg(around)));
        QCOMPARE(qGray(shown.pixel(260, 20)), around);  // beyond the band's end

        QTest::mouseRelease(s.surface(), Qt::LeftButton, {}, QPoint(220, 20));
        s.surface()->repaint();
        QCOMPARE(s.view.staticRenders(), renders + 1);  // the committed segment
        QCOMPARE(s.form.segments.size(), 1u);
    }

    void aPannedViewShowsWhatAFreshViewShows() {
        // A photograph with detail everywhere and traces across it.
        QImage photo(1200, 900, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x + y) % 256));
        Shown s;
        RecordingCanvas& background = s.form.drawing(s.form.canvas()).staticLayer();
        background.picture(std::make_shared<QtPicture>(photo), 0, 0, 1200, 900);
        background.setPen(Rgb::fromRgb(0, 0, 255));
        for (int i = 0; i < 40; ++i) background.line(30 * i, 0, 1200 - 25 * i, 900);
        s.form.drawingChanged(s.form.canvas(), DrawingLayer::Static);
        s.setView(0.8, {10, 20});
        s.surface()->repaint();
        // Moved by whole pixels: the kept image is shifted and only the strips that came in are drawn.
        ViewTransform moved = s.transform();
        moved.panBy(-37, 23);
        s.form.setView(s.form.canvas(), moved);
        const QImage panned = s.surface()->grab().toImage();

        Shown fresh;
        RecordingCanvas& again = fresh.form.drawing(fresh.form.canvas()).staticLayer();
        again.reset();
        s.form.sketch().staticLayer().replay(again);
        fresh.form.setView(fresh.form.canvas(), moved);
        const QImage whole = fresh.surface()->grab().toImage();
        QCOMPARE(panned.size(), whole.size());
        int differing = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) {
                const QRgb a = panned.pixel(x, y), b = whole.pixel(x, y);
                // The smoothed photograph may round a level or three the other way when drawn from
                // another corner; a strip's edge may differ a little more. Anything shifted wrong differs a lot.
                const int step = std::max(
                    {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
                QVERIFY2(step <= 24, qPrintable(QString("(%1, %2) differs by %3").arg(x).arg(y).arg(step)));
                differing += step > 3;
            }
        QVERIFY2(differing < whole.width() + whole.height(), qPrintable(QString::number(differing)));
    }

    void theExampleShowsItsPhotographAndGeometryFitted() {
        Acquisition a;
        QVERIFY(a.view);
        QVERIFY(a.scan->picture());
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
        const QImage image = a.shown();
        QVERIFY(colourNear(image, a.pixelOf(middle(g.traces[3].end1, g.traces[3].end2)), acquisition_colors::Traces));
        QVERIFY(colourNear(image, a.pixelOf(middle(g.scanline[0], g.scanline[1])), acquisition_colors::Scanline));
        QVERIFY(colourNear(image, a.pixelOf(middle(g.contour[0], g.contour[1])), acquisition_colors::Contour));
        QVERIFY(colourNear(image, a.pixelOf(g.rectangle[0]), acquisition_colors::Rectangle));
    }

    void aTraceDrawnWithTheMouseTheCanvasCopiedAndThePictureHidden() {
        Acquisition a;
        QVERIFY(a.view);
        a.d.window->action("tbToolBar(21)")->trigger();  // "Discont"
        // The trace's ends are the canvas points under the pixels clicked, and it is drawn there.
        const QPoint p1(100, 120), p2(300, 260);
        const DrawPoint u1 = a.under(p1), u2 = a.under(p2);
        QVERIFY(!colourNear(a.shown(), (p1 + p2) / 2, acquisition_colors::Traces));
        a.click(p1);
        a.click(p2);
        const Trace& drawn = a.scan->geometry().traces.back();
        QCOMPARE(drawn.end1, roundToCanvas(u1.x, u1.y));
        QCOMPARE(drawn.end2, roundToCanvas(u2.x, u2.y));
        QVERIFY(colourNear(a.shown(), (p1 + p2) / 2, acquisition_colors::Traces));

        // Edit > Copy: the canvas at the photograph's own size, with what is drawn on it.
        QApplication::clipboard()->clear();
        a.d.window->action("mnuEditCopy")->trigger();
        const QImage copied = QApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(1600, 1000));
        const CanvasPoint mid = middle(drawn.end1, drawn.end2);
        QVERIFY(colourNear(copied, QPoint(mid.x * 1600 / 2001, mid.y * 1600 / 2001), acquisition_colors::Traces));

        // Hidden, the photograph leaves a white canvas.
        const QPoint bare(a.pixelOf({1000, 40}));
        QVERIFY(a.shown().pixelColor(bare) != QColor(Qt::white));
        a.d.window->action("tbToolBar(24)")->trigger();  // "HidePict"
        QCOMPARE(a.shown().pixelColor(bare), QColor(Qt::white));
    }
};

QTEST_MAIN(AcquisitionViewTest)
#include "AcquisitionViewTest.moc"
