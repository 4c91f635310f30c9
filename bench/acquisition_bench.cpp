// The acquisition core's speed on a large digitizing: 20,000 traces of two
// joint sets over a 2001 × 1500 canvas, a 200-vertex contour, a rectangle and
// a scanline across. Times opening its ".dgt" (file to document), the
// scanline export and the whole estimator chain, each RUNS times, first in
// the core alone, then through the acquisition window as the user runs them
// ("&Open datasheet" with its drawing, "Export data" into a new datasheet,
// "&Spacing and persistance estimations" into the Info box); prints one
// "name best_ms median_ms" line per measurement.
//
//   ravelin-bench-acquisition [RUNS]

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "acquisition/DgtFormat.h"
#include "acquisition/ScanForm.h"
#include "acquisition/ScanlineSampling.h"
#include "acquisition/WindowEstimators.h"
#include "app/Registrations.h"
#include "core/MainForm.h"
#include "core/ScriptedPlatform.h"
#include "core/Session.h"
#include "core/TextCodec.h"
#include "documents/AcquisitionDocument.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace ravelin;

DigitizedDocument largeAcquisition() {
    DigitizedDocument d;
    d.imageSource = "north-face.jpg";
    AcquisitionGeometry& g = d.geometry;
    g.scaleText = "35";
    std::mt19937 random(2001);
    std::uniform_real_distribution<double> x(0, 2001), y(0, 1500), length(20, 200), spread(-8, 8);
    for (int i = 0; i < 20000; ++i) {
        // Two sets, about 70° and 20° from the horizontal.
        const double angle = ((i % 2) ? 70 : 20 + spread(random)) * std::numbers::pi / 180;
        const double cx = x(random), cy = y(random), half = length(random) / 2;
        g.traces.push_back({roundToCanvas(cx - half * std::cos(angle), cy - half * std::sin(angle)),
                            roundToCanvas(cx + half * std::cos(angle), cy + half * std::sin(angle))});
    }
    for (int i = 0; i < 200; ++i) {
        const double angle = 2 * std::numbers::pi * i / 200, radius = 450 + 120 * std::sin(7 * angle);
        g.contour.push_back(roundToCanvas(1000 + radius * std::cos(angle), 750 + 0.8 * radius * std::sin(angle)));
    }
    g.rectangle = {{{300, 200}, {1700, 200}, {1700, 1300}, {300, 1300}}};
    g.scanline = {{{50, 750}, {1950, 760}}};
    return d;
}

template <class Work>
void measure(const char* name, int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::cout << name << " " << times.front() << " " << times[times.size() / 2] << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const DigitizedDocument document = largeAcquisition();
    const std::string path = (std::filesystem::temp_directory_path() / "ravelin-bench-acquisition.dgt").string();
    if (!writeFileAtomically(path, WriteDigitizedFile(document))) return 1;

    std::size_t sink = 0;  // keeps the work from being optimised away
    measure("open_ms", runs, [&] {
        const DgtReadResult read = ReadDigitizedFile(readFileBytes(path).value_or(""));
        sink += read.document.geometry.traces.size() + (read.error ? 1 : 0);
    });
    const AcquisitionGeometry& g = document.geometry;
    measure("export_ms", runs,
            [&] { sink += ExportScanline(g, g.traces, "Acquisition Window - x").sample.values.size(); });
    measure("estimators_ms", runs,
            [&] { sink += RunEstimators(g, "Acquisition Window - north-face.dgt").blocks.size(); });

    // The same through the window, in a session as the desktop program has one.
    ScriptedPlatform platform;
    Session session(platform);
    registerAllForms(session);
    auto& main = dynamic_cast<MainForm&>(session.createForm("frmMain"));
    ScanForm* scan = nullptr;
    measure("window_open_ms", runs, [&] {
        scan = OpenDigitizedFile(session, path);
        sink += scan->geometry().traces.size() + scan->canvasDrawing().staticLayer().storageBytes();
    });
    measure("window_export_ms", runs, [&] {
        scan->cmdExport_Click();
        sink += session.forms().size();
        // Each new datasheet is closed again, as the user would after looking at it.
        ClearModifiedMarker(*session.currentDocument());
        main.CloseDocumentWindow(*session.currentDocument());
    });
    measure("window_estimators_ms", runs, [&] {
        scan->cmdShowJab_Click();
        sink += scan->text("txtSurface").size();
    });

    const EstimatorReport report = RunEstimators(g, "Acquisition Window - north-face.dgt");
    const ScanlineExport exported = ExportScanline(g, g.traces, "Acquisition Window - x");
    std::cout << "file_bytes " << std::filesystem::file_size(path) << "\ncrossings "
              << exported.sample.values.size() + 1 << "\nsurface " << report.surfaceText << "\nsink " << sink << "\n";
    std::filesystem::remove(path);
    return 0;
}
