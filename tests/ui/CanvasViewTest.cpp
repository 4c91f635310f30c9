// The drawing view: pointer events reach the form in drawing units at any
// zoom, the wheel zooms about the pointer and the middle button drags, the
// scroll bars move the form's view, the overlay repaints without drawing
// the static layer again, and the pointer takes the form's shape.

#include <QScrollBar>
#include <QtTest>
#include <cmath>

#include "UiTestSupport.h"
#include "support/SketchForm.h"
#include "ui/render/QtPicture.h"
#include "ui/views/CanvasView.h"

using namespace ravelin;
using ravelin::testing::SketchForm;
using ravelin::testing::TestQtPlatform;

namespace {

// The areas painted, as the paint events give them.
struct PaintWatch : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

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
    void wheel(QPoint at, int notches, Qt::KeyboardModifiers modifiers = {}) {
        QWheelEvent turn(at, surface()->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface(), &turn);
    }
};

}  // namespace

class CanvasViewTest : public QObject {
    Q_OBJECT
private slots:
    void pointerEventsArriveInDrawingUnitsAtTwoZooms() {
        Shown s;
        // At 96 per inch a drawing unit of 15 twips is one pixel: actual size is one to one.
        QCOMPARE(s.view.naturalScale(), 1.0);
        QCOMPARE(s.transform().scale(), 1.0);
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
        s.wheel(pointer, 4);  // four notches double the zoom
        QCOMPARE(s.transform().scale(), 2.0);
        const DrawPoint after = s.transform().toDrawing({200, 100});
        QVERIFY(std::abs(after.x - under.x) < 1e-9 && std::abs(after.y - under.y) < 1e-9);
        QCOMPARE(s.form.heard.back().event.wheel, 4.0);
        // With Ctrl the window keeps the turn for itself.
        s.wheel(pointer, -4, Qt::ControlModifier);
        QCOMPARE(s.transform().scale(), 2.0);

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

    void scrollBarsMoveTheFormsView() {
        Shown s;
        // 2000 x 1500 units at one pixel each in a 400 x 300 viewport.
        QScrollBar* across = s.view.horizontalScrollBar();
        QCOMPARE(across->value(), 0);
        QVERIFY(across->maximum() >= 2000 - 400);
        across->setValue(500);
        QCOMPARE(s.transform().origin().x, 500.0);
        // A view the form sets moves the bars.
        s.setView(0.5, {100, 200});
        QCOMPARE(s.view.verticalScrollBar()->value(), 100);
        QCOMPARE(across->value(), 50);
    }

    void theOverlayRepaintsAloneOverTheKeptStaticLayer() {
        Shown s;
        QTest::mousePress(s.surface(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(s.surface(), QPoint(120, 20));
        s.surface()->repaint();
        const int renders = s.view.staticRenders();
        QVERIFY(renders >= 1);
        PaintWatch watch;
        s.surface()->installEventFilter(&watch);
        QTest::mouseMove(s.surface(), QPoint(220, 20));
        QTRY_VERIFY(!watch.painted.isEmpty());
        s.surface()->removeEventFilter(&watch);
        QCOMPARE(s.view.staticRenders(), renders);  // the band moved; the kept layer was not drawn again
        // Only the band's old and new places were painted, not the whole view.
        QVERIFY((QRegion(20, 19, 201, 2) - watch.painted).isEmpty());
        QVERIFY2(watch.painted.boundingRect().height() < 10,
                 qPrintable(QString::number(watch.painted.boundingRect().height())));
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

    void thePointerTakesTheShapeTheFormAsksFor() {
        Shown s;
        QCOMPARE(s.surface()->cursor().shape(), Qt::ArrowCursor);
        s.form.setPointer(s.form.canvas(), PointerShape::CrossHair);
        QCOMPARE(s.surface()->cursor().shape(), Qt::CrossCursor);
        s.form.setPointer(s.form.canvas(), PointerShape::Busy);
        QCOMPARE(s.surface()->cursor().shape(), Qt::WaitCursor);
        s.form.setPointer(s.form.canvas(), PointerShape::Arrow);
        QCOMPARE(s.surface()->cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(CanvasViewTest)
#include "CanvasViewTest.moc"
