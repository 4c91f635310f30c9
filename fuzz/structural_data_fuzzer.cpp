// The projection tool's data rows on any text: rows split without fault,
// cells free of separators, readings finite and in file order; every
// reading projects inside the net as a line or a pole; the first readings
// also as great and small circles, with their Fisher statistics and density
// contours, all finite and on the net.

#include <algorithm>
#include <cmath>
#include <string>

#include "FuzzCheck.h"
#include "projection/DensityContours.h"
#include "projection/FisherStatistics.h"
#include "projection/StereonetCurves.h"
#include "projection/StructuralData.h"

using namespace ravelin;

namespace {

// Curves and contours cost a hundred times more than reading a row: a few
// readings exercise them, and contours are drawn for one input in eight.
constexpr std::size_t kCurveReadings = 3;
constexpr std::size_t kContourEvery = 8;
constexpr std::size_t kContourReadings = 64;
// A curve point may sit a rounding error outside the primitive circle: the
// Wulff arc of a near-vertical plane is centred some 10^7 radii away.
constexpr double kOnNet = 1e-6;  // of the radius

bool onNet(const NetView& view, const NetPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) &&
           std::hypot(p.x - view.cx(), p.y - view.cy()) <= view.radius() * (1 + kOnNet);
}

bool pathsOnNet(const NetView& view, const std::vector<Polyline>& paths) {
    return std::all_of(paths.begin(), paths.end(), [&](const Polyline& path) {
        return std::all_of(path.begin(), path.end(), [&](const NetPoint& p) { return onNet(view, p); });
    });
}

void checkRows(std::string_view text, const std::vector<DataRow>& rows, const std::vector<Reading>& readings) {
    RAVELIN_FUZZ_CHECK(rows.size() <= text.size());
    for (const DataRow& row : rows) {
        for (const std::string* cell : {&row.direction, &row.dip})
            RAVELIN_FUZZ_CHECK(cell->find_first_of(",\t\r\n") == std::string::npos);
    }
    RAVELIN_FUZZ_CHECK(readings.size() <= rows.size());
    for (std::size_t i = 0; i < readings.size(); ++i) {
        RAVELIN_FUZZ_CHECK(std::isfinite(readings[i].direction) && std::isfinite(readings[i].dip));
        RAVELIN_FUZZ_CHECK(readings[i].row >= 1 && static_cast<std::size_t>(readings[i].row) <= rows.size());
        RAVELIN_FUZZ_CHECK(i == 0 || readings[i].row > readings[i - 1].row);
    }
}

void checkCurves(const NetView& view, const std::vector<Reading>& readings) {
    const std::vector<Reading> first(readings.begin(), readings.begin() + std::min(readings.size(), kCurveReadings));
    for (const Line& plane : plottedLines(first, StructureType::Planes))
        RAVELIN_FUZZ_CHECK(pathsOnNet(view, {greatCircle(view, {plane.trend, plane.plunge})}));
    // The dip stands for the cone's angle too: any finite angle is folded into 0..180.
    for (const Line& axis : plottedLines(first, StructureType::SmallCircles))
        RAVELIN_FUZZ_CHECK(pathsOnNet(view, smallCircle(view, axis, axis.plunge, true)));
}

void checkStatistics(const NetView& view, const std::vector<Line>& poles) {
    const FisherStatistics fisher = fisherStatistics(poles, FisherData::Axes);
    RAVELIN_FUZZ_CHECK(std::isfinite(fisher.resultantLength));
    RAVELIN_FUZZ_CHECK(!fisher.kappa || !std::isnan(*fisher.kappa));
    const DensityContours contours = densityContours(view, poles, {2, 20});
    for (const ContourLevel& level : contours.contours) {
        RAVELIN_FUZZ_CHECK(std::isfinite(level.level));
        RAVELIN_FUZZ_CHECK(pathsOnNet(view, level.paths));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    const std::vector<DataRow> rows = splitDataText(text);
    const std::vector<Reading> readings = readDataRows(rows);
    checkRows(text, rows, readings);

    // One net and hemisphere per input, chosen by its length: the fuzzer tries them all.
    const NetKind net = size % 2 ? NetKind::Wulff : NetKind::Schmidt;
    const Hemisphere hemisphere = size % 4 < 2 ? Hemisphere::Lower : Hemisphere::Upper;
    const NetView view = NetView::forCanvas(6300, 6300, net, hemisphere);
    for (StructureType type : {StructureType::Lines, StructureType::Poles}) {
        const std::vector<Line> lines = plottedLines(readings, type);
        RAVELIN_FUZZ_CHECK(lines.size() == readings.size());
        for (const Line& line : lines) {
            const std::optional<NetPoint> point = view.project(line);
            RAVELIN_FUZZ_CHECK(point && onNet(view, *point));
        }
    }
    checkCurves(view, readings);
    if (size % kContourEvery == 0 && !readings.empty()) {
        const std::vector<Reading> first(readings.begin(),
                                         readings.begin() + std::min(readings.size(), kContourReadings));
        checkStatistics(view, plottedLines(first, StructureType::Poles));
    }
    return 0;
}
