#include "acquisition/ScanlineSampling.h"

#include "acquisition/PlaneGeometry.h"
#include "core/CommaFields.h"
#include "core/NumberText.h"
#include "core/Orientation.h"

namespace ravelin {

namespace {

// Ends at (0, 0) or at the file's (-10, -10) mean that no scanline was drawn.
bool hasScanline(const std::array<CanvasPoint, 2>& scanline) {
    return scanline[0].x >= 1 && scanline[0].y >= 1 && scanline[1].x >= 1 && scanline[1].y >= 1;
}

}  // namespace

std::string ScanlineSample::pasteText() const {
    std::string text;
    for (const std::string& value : texts) text += value + '\r';
    return text;
}

std::vector<double> CrossingDistances(const std::array<CanvasPoint, 2>& scanline, std::span<const Trace> traces,
                                      double metresPerUnit) {
    const CanvasPoint origin = scanline[1].x < scanline[0].x ? scanline[1] : scanline[0];
    std::vector<double> distances;
    for (const Trace& trace : traces) {
        const std::optional<FloatPoint> meeting = SegmentsIntersect(scanline[0], scanline[1], trace.end1, trace.end2);
        if (meeting) distances.push_back(canvasDistance(origin, roundToCanvas(meeting->x, meeting->y)) * metresPerUnit);
    }
    MergeSort(distances, 0, static_cast<std::ptrdiff_t>(distances.size()) - 1);
    return distances;
}

ScanlineExport ExportScanline(const AcquisitionGeometry& geometry, std::span<const Trace> traces,
                              const std::string& caption) {
    ScanlineExport result;
    const char* missing = nullptr;
    if (traces.empty()) missing = "There are no discontinuities on your acquisition window !";
    else if (!hasScanline(geometry.scanline)) missing = "There is no scanline on your acquisition window !";
    if (missing) {
        result.refusal = MessageRequest{"", std::string("Unable to export scanline data.\r\n\r\n") + missing,
                                        MessageIcon::Exclamation, MessageButtons::Ok};
        return result;
    }
    const std::size_t dash = caption.find('-');
    const std::string_view name =
        dash == std::string::npos ? std::string_view(caption) : std::string_view(caption).substr(dash + 1);
    ScanlineSample& sample = result.sample;
    sample.comment = "Data imported from : '" + std::string(trimSpaces(name)) + "'";
    const std::vector<double> distances = CrossingDistances(geometry.scanline, traces, geometry.metresPerUnit());
    // Each distance is counted from the first crossing, which is itself the origin and not written.
    for (std::size_t i = 1; i < distances.size(); ++i) {
        sample.values.push_back(truncateToHundredths(distances[i] - distances[0]));
        sample.texts.push_back(generalNumber(sample.values.back()));
    }
    return result;
}

}  // namespace ravelin
