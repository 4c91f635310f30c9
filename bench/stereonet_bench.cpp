// Times the stereonet on many poles: N plane rows "dip direction,dip" (three
// sets and a scatter, fixed seed) read as the projection tool reads a file,
// turned into poles, projected on a Schmidt net and contoured by the
// modified Kamb method; then the kinematic analysis of the first 3,000
// planes (4.5 million pairs). Prints one "name value" line per measure.
//   ravelin-bench-stereonet [N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "PlaneRows.h"
#include "projection/DensityContours.h"
#include "projection/KinematicAnalysis.h"
#include "projection/StructuralData.h"

using namespace ravelin;

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::string text = bench::planeRows(n);

    const auto start = std::chrono::steady_clock::now();
    const std::vector<Reading> readings = readDataRows(splitDataText(text));
    const std::vector<Line> poles = plottedLines(readings, StructureType::Poles);
    const double readMs = msSince(start);

    const NetView view = NetView::forCanvas(6000, 6000, NetKind::Schmidt, Hemisphere::Lower);
    const auto projectStart = std::chrono::steady_clock::now();
    std::vector<NetPoint> points;
    points.reserve(poles.size());
    for (const Line& pole : poles) points.push_back(*view.project(pole));
    const double projectMs = msSince(projectStart);

    const auto contourStart = std::chrono::steady_clock::now();
    const DensityContours contours = densityContours(view, poles);
    const double contourMs = msSince(contourStart);
    const double totalMs = msSince(start);

    std::size_t paths = 0;
    for (const ContourLevel& level : contours.contours) paths += level.paths.size();

    std::vector<Plane> planes;
    for (std::size_t i = 0; i < readings.size() && i < kMaxWedgePlanes; ++i) {
        planes.push_back({readings[i].direction, readings[i].dip});
    }
    const auto kinematicStart = std::chrono::steady_clock::now();
    const KinematicResult kinematic = kinematicAnalysis({{120, 65}, 30, 20}, planes);
    const double kinematicMs = msSince(kinematicStart);

    std::printf("poles %zu\nread_ms %.2f\nproject_ms %.2f\ncontour_ms %.2f\ntotal_ms %.2f\n", poles.size(), readMs,
                projectMs, contourMs, totalMs);
    std::printf("levels %zu\npaths %zu\nmaximum_sigma %.1f\n", contours.legend.levels.size(), paths,
                contours.legend.maximumSigma);
    std::printf("kinematic_planes %zu\nkinematic_ms %.2f\nwedge_primary %zu\n", planes.size(), kinematicMs,
                kinematic.wedgePrimary.critical);
    return 0;
}
