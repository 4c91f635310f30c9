// The projection window on many poles: N plane rows (three sets and a
// scatter, fixed seed: bench/PlaneRows.h) pasted into
// the data grid, then "Replace" with poles on a Schmidt net with density
// contours, drawn on the window's surface and shown off-screen in a view of
// 1000 x 1000 pixels. Prints one "name value" line per measure:
//   plot_ms          the plot command: rows read, projected, contoured, recorded
//   longest_gap_ms   the longest stretch of the plot command without events running (the
//                    view's drawing that follows is one more stretch, paint_ms)
//   pauses           how often the plot let events run
//   paint_ms         the view drawing the new picture into its kept image (paint_cpu_ms: processor time)
//   plot_kinematic_ms the same plot with the kinematic zones of 3,000 rows (4.5 million pairs)
//   ravelin-bench-projection-window [N]
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/Registrations.h"
#include "core/Session.h"
#include "PlaneRows.h"
#include "projection/DataForm.h"
#include "projection/OptProjForm.h"
#include "projection/ProjForm.h"
#include "ui/QtPlatform.h"
#include "ui/UiContext.h"
#include "ui/views/CanvasView.h"

using namespace ravelin;
using Clock = std::chrono::steady_clock;

namespace {

double processorMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The desktop's platform, timing the stretches between two runs of the event loop.
class TimingPlatform : public QtPlatform {
public:
    void processEvents() override {
        const Clock::time_point now = Clock::now();
        longestGap = std::max(longestGap, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        ++pauses;
        QtPlatform::processEvents();
    }
    void start() {
        last = Clock::now();
        longestGap = 0;
        pauses = 0;
    }
    // The stretch since events last ran, without running them.
    void stop() {
        longestGap = std::max(longestGap, std::chrono::duration<double, std::milli>(Clock::now() - last).count());
    }

    Clock::time_point last;
    double longestGap = 0;
    int pauses = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const std::size_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    QApplication app(argc, argv);
    TimingPlatform platform;
    Session session(platform);
    registerAllForms(session);
    session.createForm("frmMain");
    UiContext context(session, platform);

    auto& data = dynamic_cast<DataForm&>(session.form("frmData"));
    auto& options = dynamic_cast<OptProjForm&>(session.form("frmOptProj"));
    auto& plot = dynamic_cast<ProjForm&>(session.form("frmProj"));
    CanvasView view(plot, plot.at("picProj"), context, nullptr);
    view.resize(1000, 1000);
    view.show();
    QApplication::processEvents();
    plot.resizeCanvas(context.twips(view.viewport()->width()), context.twips(view.viewport()->height()));
    data.userGridClick(1, 1);
    data.grid().paste(bench::planeRows(n, "\t", "\r"));

    options.userClick(options.at("optStruct", 1));
    options.userClick(options.at("optProj", 1));
    options.userClick(options.at("chkContour"));
    view.viewport()->repaint();

    platform.start();
    const Clock::time_point plotStart = Clock::now();
    plot.cmdPlot_Click();
    const double plotMs = msSince(plotStart);
    platform.stop();
    // The new picture, drawn into the view's kept image before anything else runs.
    const Clock::time_point paintStart = Clock::now();
    const double paintProcessor = processorMilliseconds();
    view.viewport()->repaint();
    const double paintMs = msSince(paintStart);
    const double paintCpuMs = processorMilliseconds() - paintProcessor;

    std::size_t points = 0;
    for (const PlottedLayer& layer : plot.picture().layers) points += layer.points.size();
    std::printf("poles %zu\nplot_ms %.1f\nlongest_gap_ms %.1f\npauses %d\npaint_ms %.1f\npaint_cpu_ms %.1f\n", points,
                plotMs, platform.longestGap, platform.pauses, paintMs, paintCpuMs);

    // The kinematic analysis of the first rows: all pairs of 3,000 planes.
    data.grid().setRows(3001);
    options.userClick(options.at("chkContour"));
    options.userClick(options.at("chkKinematic"));
    platform.start();
    const Clock::time_point kinematicStart = Clock::now();
    plot.cmdPlot_Click();
    const double kinematicMs = msSince(kinematicStart);
    platform.stop();
    std::printf("plot_kinematic_ms %.1f\nlongest_gap_kinematic_ms %.1f\n", kinematicMs, platform.longestGap);
    return 0;
}
