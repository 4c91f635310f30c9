// The drawing view's speed: a 24-megapixel photograph under 20,000 traces,
// shown off-screen in a view of 1600 x 1000 pixels. Prints one "name value"
// line per measurement (milliseconds, megabytes).
//
//   ravelin-bench-canvas PICTURE.jpg   load PICTURE (made first if missing) and measure

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <random>
#include <sys/resource.h>
#include <ctime>
#include <vector>

#include "core/Drawing.h"
#include "core/Form.h"
#include "core/ScriptedPlatform.h"
#include "core/Session.h"
#include "ui/UiContext.h"
#include "ui/QtPlatform.h"
#include "ui/render/QtPicture.h"
#include "ui/views/CanvasView.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace ravelin;

// Wall time and processor time of one step (milliseconds). On a machine
// shared with other work the wall time includes waiting for a core; the
// processor time counts Qt's helper threads too (it scales large pictures
// on several).
struct Step {
    double wall = 0;
    double processor = 0;
};

double processorMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

template <class Work>
Step timed(Work work) {
    const Clock::time_point wall = Clock::now();
    const double processor = processorMilliseconds();
    work();
    return {std::chrono::duration<double, std::milli>(Clock::now() - wall).count(),
            processorMilliseconds() - processor};
}

constexpr int kPictureWidth = 6000;  // 24 megapixels
constexpr int kPictureHeight = 4000;
constexpr int kTraces = 20000;
constexpr int kSteps = 40;  // measurements of each kind

void printMedians(const char* name, std::vector<Step> steps) {
    auto median = [&](double Step::*part) {
        std::vector<double> values;
        for (const Step& step : steps) values.push_back(step.*part);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::cout << name << "_ms " << median(&Step::wall) << "\n"
              << name << "_cpu_ms " << median(&Step::processor) << "\n";
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// A photograph's worth of detail: smooth shading with grain, so that JPEG
// stores it at a photograph's size.
void makePicture(const QString& path) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < kPictureHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPictureWidth; ++x) {
            const int grain = static_cast<int>(random() % 40);
            line[x] = qRgb((x / 30 + grain) % 256, (y / 20 + grain) % 256, ((x + y) / 50 + grain) % 256);
        }
    }
    image.save(path, "JPG", 85);
}

// A photograph with its traces, in pixels of the photograph; a press starts a rubber band the moves drag.
class TracesForm : public Form {
public:
    TracesForm(Session& s, const PictureHandle& photo) : Form(s, "frmBench", "Bench") {
        Control& canvas = add(ControlKind::PictureBox, "picCanvas");
        Drawing& drawn = drawing(canvas);
        drawn.navigable = true;
        drawn.unitTwips = 15;
        drawn.setSize(kPictureWidth, kPictureHeight);
        RecordingCanvas& layer = drawn.staticLayer();
        layer.picture(photo, 0, 0, kPictureWidth, kPictureHeight);
        layer.setPen(Rgb::fromRgb(0, 0, 255));
        std::mt19937 random(11);
        std::uniform_real_distribution<double> x(0, kPictureWidth), y(0, kPictureHeight), length(20, 200),
            turn(0, 6.283185307179586);
        std::vector<DrawPoint> ends;
        for (int i = 0; i < kTraces; ++i) {
            const DrawPoint a{x(random), y(random)};
            const double angle = turn(random), l = length(random);
            ends.push_back(a);
            ends.push_back({a.x + l * std::cos(angle), a.y + l * std::sin(angle)});
        }
        layer.lines(ends);
    }
    Control& canvas() { return at("picCanvas"); }

protected:
    void onPointerPress(Control& c, const PointerEvent& e) override { anchor_ = {e.x, e.y}; }
    void onPointerMove(Control& c, const PointerEvent& e) override {
        RecordingCanvas& overlay = drawing(c).overlay();
        overlay.reset();
        overlay.setPen({colors::Black, 1, LineStyle::Solid, PenMode::Invert});
        overlay.line(anchor_.x, anchor_.y, e.x, e.y);
        drawingChanged(c, DrawingLayer::Overlay);
    }

private:
    DrawPoint anchor_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ravelin-bench-canvas PICTURE.jpg\n";
        return 2;
    }
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (!QFileInfo::exists(path)) makePicture(path);

    QtPlatform platform;
    Session session(platform);
    UiContext context(session, platform);
    PictureLoad loaded;
    const Step load = timed([&] { loaded = platform.loadPicture(path.toStdString()); });
    if (!loaded.picture) {
        std::cerr << loaded.error << "\n";
        return 1;
    }
    std::cout << "load_ms " << load.wall << "\n";
    TracesForm form(session, loaded.picture);
    CanvasView view(form, form.canvas(), context, nullptr);
    view.resize(1600 + view.verticalScrollBar()->sizeHint().width(),
                1000 + view.horizontalScrollBar()->sizeHint().height());
    // Bars always shown: a fitted photograph would hide them and resize the viewport between measurements.
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.show();
    QApplication::processEvents();
    QWidget* surface = view.viewport();
    std::cout << "viewport " << surface->width() << "x" << surface->height() << "\n";

    auto repaint = [&] { return timed([&] { surface->repaint(); }); };
    auto changeView = [&](auto change) {
        ViewTransform view = form.findDrawing(form.canvas())->view();
        change(view);
        form.setView(form.canvas(), view);
    };
    const DrawPoint middle{surface->width() / 2.0, surface->height() / 2.0};

    // Zoom steps about the middle with the whole photograph in sight (every trace drawn).
    changeView([](ViewTransform& v) { v.fit({0, 0, kPictureWidth, kPictureHeight}); });
    repaint();
    std::vector<Step> zooms, pans, bands;
    for (int i = 0; i < kSteps; ++i) {
        const double factor = i % 2 == 0 ? std::pow(2.0, 0.25) : std::pow(2.0, -0.25);
        zooms.push_back(timed([&] {
            changeView([&](ViewTransform& v) { v.zoomAbout(middle, factor); });
            surface->repaint();
        }));
    }
    // Pan steps of a wheel's scroll at the whole photograph and at 100 %.
    for (const bool actual : {false, true}) {
        if (actual) changeView([&](ViewTransform& v) { v.actualSize(view.naturalScale(), middle); });
        repaint();
        for (int i = 0; i < kSteps / 2; ++i) {
            const double step = i % 2 == 0 ? 40 : -40;
            pans.push_back(timed([&] {
                changeView([&](ViewTransform& v) { v.panBy(step, step / 2); });
                surface->repaint();
            }));
        }
    }
    // The rubber band: a press, then moves; each move is handled by the form, then the area it
    // asked to repaint is painted.
    changeView([](ViewTransform& v) { v.fit({0, 0, kPictureWidth, kPictureHeight}); });
    repaint();
    const int rendersBefore = view.staticRenders();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 300), surface->mapToGlobal(QPointF(300, 300)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &press);
    struct AskedArea : QObject {
        QRegion asked;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) asked += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } watch;
    surface->installEventFilter(&watch);
    double pixelsPainted = 0;
    int unpainted = 0;  // moves whose asked area the timed repaint did not paint
    for (int i = 0; i < kSteps; ++i) {
        const QPointF at(400 + 7 * i, 350 + 3 * i);
        QMouseEvent move(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        const Step handled = timed([&] { QApplication::sendEvent(surface, &move); });
        // The window system paints the asked area when its next frame is due; that wait is not work.
        watch.asked = {};
        while (watch.asked.isEmpty()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const QRegion area = watch.asked;
        watch.asked = {};
        const Step painted = timed([&] { surface->repaint(area); });
        unpainted += watch.asked != area;
        for (const QRect& r : area) pixelsPainted += r.width() * r.height();
        bands.push_back({handled.wall + painted.wall, handled.processor + painted.processor});
    }
    surface->removeEventFilter(&watch);
    printMedians("zoom_step", zooms);
    printMedians("pan_step", pans);
    printMedians("rubber_band", bands);
    std::cout << "rubber_band_pixels " << pixelsPainted / kSteps << "\n"
              << "static_redrawn_by_band " << view.staticRenders() - rendersBefore << "\n"
              << "unpainted_band_moves " << unpainted << "\n"
              << "peak_mb " << peakMegabytes() << "\n";
    return 0;
}
