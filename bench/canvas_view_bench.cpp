// The drawing view's speed: a 24-megapixel photograph under 20,000 traces,
// shown off-screen in a view of 1600 x 1000 pixels. Prints one "name value"
// line per measurement (milliseconds, megabytes).
//
//   ravelin-bench-canvas PICTURE.jpg [--acquisition]
// loads PICTURE (made first if missing) and measures a bare drawing window,
// or with --acquisition the acquisition window itself: the photograph under
// 20,000 traces, a 200-vertex contour, the rectangle with its handles and
// the scanline, the rubber band of a trace being drawn.

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

#include "acquisition/ScanForm.h"
#include "app/Registrations.h"
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

// Ends of kTraces random traces over the photograph, in its pixels.
std::vector<DrawPoint> traceEnds() {
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
    return ends;
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
        layer.lines(traceEnds());
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

// The acquisition window with the photograph and a digitizing over it, drawing traces.
ScanForm& acquisitionWindow(Session& session, const PictureHandle& photo, const std::string& path) {
    registerAllForms(session);
    auto& scan = dynamic_cast<ScanForm&>(session.createForm("frmScan"));
    scan.setPicture(photo, path, path);
    const double unit = 2001.0 / kPictureWidth;  // canvas units a pixel
    AcquisitionGeometry g;
    g.scaleText = "35";
    const std::vector<DrawPoint> ends = traceEnds();
    for (std::size_t i = 0; i + 1 < ends.size(); i += 2)
        g.traces.push_back({roundToCanvas(ends[i].x * unit, ends[i].y * unit),
                            roundToCanvas(ends[i + 1].x * unit, ends[i + 1].y * unit)});
    for (int i = 0; i < 200; ++i) {
        const double angle = 6.283185307179586 * i / 200, radius = 450 + 120 * std::sin(7 * angle);
        g.contour.push_back(roundToCanvas(1000 + radius * std::cos(angle), 660 + 0.8 * radius * std::sin(angle)));
    }
    g.rectangle = {{{300, 200}, {1700, 200}, {1700, 1100}, {300, 1100}}};
    g.scanline = {{{50, 650}, {1950, 660}}};
    scan.showAcquisition(std::move(g));
    scan.cmdDisc_Click();
    return scan;
}

}  // namespace

int main(int argc, char** argv) {
    const bool acquisition = argc == 3 && std::string(argv[2]) == "--acquisition";
    if (argc != 2 && !acquisition) {
        std::cerr << "usage: ravelin-bench-canvas PICTURE.jpg [--acquisition]\n";
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
    std::unique_ptr<TracesForm> bare;
    Form* shown = nullptr;
    Control* canvas = nullptr;
    DrawRect content{0, 0, kPictureWidth, kPictureHeight};
    if (acquisition) {
        ScanForm& scan = acquisitionWindow(session, loaded.picture, path.toStdString());
        shown = &scan;
        canvas = &scan.canvas();
        content = {0, 0, scan.canvasDrawing().width(), scan.canvasDrawing().height()};
    } else {
        bare = std::make_unique<TracesForm>(session, loaded.picture);
        shown = bare.get();
        canvas = &bare->canvas();
    }
    Form& form = *shown;
    CanvasView view(form, *canvas, context, nullptr);
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
        ViewTransform view = form.findDrawing(*canvas)->view();
        change(view);
        form.setView(*canvas, view);
    };
    const DrawPoint middle{surface->width() / 2.0, surface->height() / 2.0};

    // Zoom steps about the middle with the whole photograph in sight (every trace drawn).
    changeView([&](ViewTransform& v) { v.fit(content); });
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
    changeView([&](ViewTransform& v) { v.fit(content); });
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
