#include "acquisition/WindowEstimators.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "acquisition/PlaneGeometry.h"
#include "core/CommaFields.h"
#include "core/NumberText.h"
#include "core/Orientation.h"
#include "core/Unicode.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr std::string_view kCaptionPrefix = "Acquisition Window - ";

// A figure beyond the largest number (a scale near it, squared or multiplied) has no value to show.
std::string number(double value) { return std::isfinite(value) ? generalNumber(truncateToHundredths(value)) : "-"; }
std::string count(long long value) { return std::to_string(value); }

// The surface as written into txtSurface and read back from it; one too large to show stays so, not 0.
double shownSurface(double squareMetres) {
    return std::isfinite(squareMetres) ? readNumber(SurfaceText(squareMetres)) : squareMetres;
}

DiscontinuityMeans meansOf(double persistence, double windowSurface, double traceLength) {
    DiscontinuityMeans means;
    means.persistence = persistence;
    means.spacing = windowSurface / traceLength;
    means.surface = 4 / std::numbers::pi * persistence * persistence;
    means.volume = means.surface * means.spacing;
    return means;
}

ReportBlock methodTitle(const char* name) { return {std::string(kCrLf) + kCrLf + kCrLf + name, style::Bold, 12, ""}; }

std::string countLines(const WindowCounts& counts, const std::string& window) {
    return std::string(kCrLf) + "Discontinuities contained within the " + window +
           " window (both ends visible) = " + count(counts.contained) + kCrLf + "Discontinuities that dissect the " +
           window + " window (one end visible) = " + count(counts.dissecting) + kCrLf +
           "Discontinuities that transect the " + window +
           " window (neither end visible) = " + count(counts.transecting) + kCrLf +
           "Total number of discontinuities within the " + window + " window = " + count(counts.total()) + kCrLf;
}

std::string meanLines(const DiscontinuityMeans& means) {
    return std::string("Mean persistance : ") + number(means.persistence) + kCrLf +
           "Mean spacing : " + number(means.spacing) + kCrLf + kCrLf +
           "Mean surface of a discontinuity : " + number(means.surface) + kCrLf +
           "Mean volume of a discontinuity : " + number(means.volume);
}

std::string notEnoughData() { return std::string(kCrLf) + "Not enough data !" + kCrLf; }

// The hints of the contour methods after their own first one, if any.
std::string contourHints(const AcquisitionGeometry& geometry, bool hinted) {
    std::string hints;
    if (geometry.contourCount() == 0) hints += std::string(kCrLf) + "   - add a contour";
    if (geometry.traceCount() == 0) hints += std::string(kCrLf) + "   - add discontinuities";
    if (!hinted && hints.empty()) {
        hints += std::string(kCrLf) +
                 "  - there should be at least one discontinuity that transect (n2) or dissect (n1) the contoured "
                 "window.";
    }
    return hints;
}

std::string contourBody(const ContourEstimate& estimate) {
    const DiscontinuityMeans& means = *estimate.means;
    return countLines(estimate.counts, "contoured") +
           "Number of discontinuities per surface unit = " + number(estimate.effectiveNumber) + kCrLf + kCrLf +
           "Total discontinuity length within the contoured window : " + number(estimate.counts.traceLength) + kCrLf +
           "Total surface of the contoured window : " + number(estimate.surface) + kCrLf + kCrLf + meanLines(means);
}

ContourEstimate contourEstimate(const WindowCounts& counts, double surface, double effectiveNumber, bool enough) {
    ContourEstimate estimate{counts, surface, effectiveNumber, std::nullopt};
    if (enough) estimate.means = meansOf(counts.traceLength / effectiveNumber, surface, counts.traceLength);
    return estimate;
}

}  // namespace

std::string SurfaceText(double squareMetres) {
    // A scale near the largest number squares beyond it: no surface to show rather than "inf".
    return std::isfinite(squareMetres) ? generalNumber(squareMetres) : "-";
}

RectangleEstimate EstimatePahl(const AcquisitionGeometry& geometry) {
    const double f = geometry.metresPerUnit();
    const auto& corners = geometry.rectangle;
    RectangleEstimate estimate;
    estimate.counts = ClassifyTraces(corners, geometry.traces, f);
    estimate.surface = shownSurface(ContourSurface(corners, f));
    estimate.height = std::abs(static_cast<double>(corners[0].y) - corners[2].y) * f;
    estimate.base = std::abs(static_cast<double>(corners[0].x) - corners[2].x) * f;
    estimate.angle = MeanTraceAngle(geometry.traces);
    const double d = estimate.height * std::sin(estimate.angle / DEG) + estimate.base * std::cos(estimate.angle / DEG);
    const WindowCounts& c = estimate.counts;
    const long long below = c.total() - c.transecting + c.contained;
    const long long above = c.total() + c.transecting - c.contained;
    if (d != 0 && below != 0 && c.traceLength != 0) {
        const double persistence =
            estimate.height * estimate.base * static_cast<double>(above) / (d * static_cast<double>(below));
        estimate.means = meansOf(persistence, estimate.surface, c.traceLength);
    }
    return estimate;
}

ContourEstimate EstimateTarvenoz2001(const WindowCounts& counts, double surface) {
    const double y = static_cast<double>(counts.dissecting) / 2 + static_cast<double>(counts.contained);
    const bool enough =
        y != 0 && counts.total() != 0 && counts.dissecting + counts.transecting != 0 && counts.traceLength != 0;
    return contourEstimate(counts, surface, y, enough);
}

ContourEstimate EstimateTarvenoz1996(const WindowCounts& counts, double surface) {
    const long long n1 = counts.dissecting;
    const long long crossing = n1 + counts.transecting;
    const bool enough = counts.total() != 0 && crossing != 0 && counts.traceLength != 0;
    const double x = enough ? static_cast<double>(n1 * n1) / static_cast<double>(2 * crossing) +
                                  static_cast<double>(counts.transecting + counts.contained)
                            : 0;
    return contourEstimate(counts, surface, x, enough);
}

std::vector<ReportBlock> PahlReport(const RectangleEstimate& estimate, const AcquisitionGeometry& geometry) {
    std::vector<ReportBlock> blocks{methodTitle("Pahl (1981)")};
    if (!estimate.means) {
        std::string text = notEnoughData();
        const auto& r = geometry.rectangle;
        const bool noRectangle = r[0].x < 1 && r[0].y < 1 && r[1].x < 1 && r[1].y < 1;
        if (noRectangle) text += std::string(kCrLf) + "  - add a rectangular window";
        if (geometry.traceCount() == 0) text += std::string(kCrLf) + "  - add discontinuities";
        if (!noRectangle && geometry.traceCount() != 0) {
            text += std::string(kCrLf) +
                    "  - there should be at least one discontinuity contained (n0) or that dissect (n1) the "
                    "rectangular window.";
        }
        blocks.push_back(bodyBlock(text));
        return blocks;
    }
    const WindowCounts& c = estimate.counts;
    blocks.push_back(bodyBlock(
        countLines(c, "rectangular") + kCrLf + "Total discontinuity length within the rectangular window : " +
        number(c.traceLength) + kCrLf + "Total surface of the rectangular window : " + number(estimate.surface) +
        kCrLf + kCrLf + "Base length of the rectangular window : " + number(estimate.base) + kCrLf +
        "Height of the rectangular window : " + number(estimate.height) + kCrLf +
        "Mean angle between the rectangle height and the discontinuities : " + number(estimate.angle) + "\xC2\xB0" +
        kCrLf + kCrLf + meanLines(*estimate.means) + kCrLf));
    return blocks;
}

std::vector<ReportBlock> Tarvenoz2001Report(const ContourEstimate& estimate, const AcquisitionGeometry& geometry) {
    std::vector<ReportBlock> blocks{methodTitle("Tarvenoz (2001)")};
    if (estimate.means) {
        blocks.push_back(bodyBlock(contourBody(estimate)));
        return blocks;
    }
    std::string text = notEnoughData();
    const bool noCrossing = estimate.effectiveNumber == 0;
    if (noCrossing)
        text +=
            "  - there should be at least one discontinuity contained (n0) or that dissect (n1) the "
            "contoured window.";
    blocks.push_back(bodyBlock(text + contourHints(geometry, noCrossing)));
    return blocks;
}

std::vector<ReportBlock> Tarvenoz1996Report(const ContourEstimate& estimate, const AcquisitionGeometry& geometry) {
    std::vector<ReportBlock> blocks{methodTitle("Tarvenoz (1996)")};
    blocks.push_back(
        bodyBlock(estimate.means ? contourBody(estimate) : notEnoughData() + contourHints(geometry, false)));
    return blocks;
}

EstimatorReport RunEstimators(const AcquisitionGeometry& geometry, const std::string& caption) {
    EstimatorReport report;
    std::u32string characters = toCodePoints(caption);
    const std::string fileName(
        trimSpaces(toUtf8(std::u32string_view(characters).substr(std::min(characters.size(), kCaptionPrefix.size())))));
    report.infoBoxName = fileName;
    std::erase(report.infoBoxName, '*');
    report.caption = caption.starts_with("Acquisition ") ? caption : std::string(kCaptionPrefix) + caption;

    const double f = geometry.metresPerUnit();
    const WindowCounts counts = ClassifyTraces(geometry.contour, geometry.traces, f);
    const double contourSurface = shownSurface(ContourSurface(geometry.contour, f));
    const RectangleEstimate rectangle = EstimatePahl(geometry);
    report.surfaceText = SurfaceText(rectangle.surface);

    std::vector<ReportBlock>& blocks = report.blocks;
    blocks.push_back({std::string(kCrLf) + "Mean spacing and mean persistance estimations", style::Bold, 16, ""});
    blocks.push_back({std::string(kCrLf) + "File name : " + fileName, style::Bold | style::Italic, 11, ""});
    for (auto part : {Tarvenoz2001Report(EstimateTarvenoz2001(counts, contourSurface), geometry),
                      Tarvenoz1996Report(EstimateTarvenoz1996(counts, contourSurface), geometry),
                      PahlReport(rectangle, geometry)}) {
        blocks.insert(blocks.end(), part.begin(), part.end());
    }
    return report;
}

}  // namespace ravelin
