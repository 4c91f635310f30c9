#pragma once
// Mean persistence (trace length), spacing, surface and volume of the
// discontinuities from the traces seen through the rectangular window
// ("Pahl (1981)") and through the contoured window ("Tarvenoz (2001)",
// "Tarvenoz (1996)"), and the Info box report of the three in one chain.
//
// Lengths in metres, surfaces in square metres, volumes in cubic metres,
// angles in degrees. Every estimate guards its divisions: without enough
// data it has no means (`means` empty) and the report says so with hints.

#include <optional>
#include <string>
#include <vector>

#include "acquisition/AcquisitionGeometry.h"
#include "acquisition/WindowClassification.h"
#include "core/Report.h"

namespace ravelin {

struct DiscontinuityMeans {
    double persistence = 0;  // mean trace length
    double spacing = 0;      // window surface / trace length inside it
    double surface = 0;      // (4/π)·persistence²: the disc whose mean chord is the persistence
    double volume = 0;       // surface × spacing
};

struct RectangleEstimate {
    WindowCounts counts;
    double surface = 0;  // S, as txtSurface shows it and gives it back
    double base = 0;     // w, |x1 - x3|
    double height = 0;   // h, |y1 - y3|
    double angle = 0;    // θ, the traces' mean angle with the vertical
    std::optional<DiscontinuityMeans> means;
};

struct ContourEstimate {
    WindowCounts counts;
    double surface = 0;          // S of the contour, as txtSurface gives it back
    double effectiveNumber = 0;  // Y (2001) or X (1996)
    std::optional<DiscontinuityMeans> means;
};

// The surface (m²) as the window shows it in txtSurface: the general number form, "-" when not finite.
std::string SurfaceText(double squareMetres);

RectangleEstimate EstimatePahl(const AcquisitionGeometry& geometry);
// Both contour methods from one classification of the traces against the contour.
ContourEstimate EstimateTarvenoz2001(const WindowCounts& counts, double surface);
ContourEstimate EstimateTarvenoz1996(const WindowCounts& counts, double surface);

// The report blocks of each method, title included.
std::vector<ReportBlock> PahlReport(const RectangleEstimate& estimate, const AcquisitionGeometry& geometry);
std::vector<ReportBlock> Tarvenoz2001Report(const ContourEstimate& estimate, const AcquisitionGeometry& geometry);
std::vector<ReportBlock> Tarvenoz1996Report(const ContourEstimate& estimate, const AcquisitionGeometry& geometry);

// "Spacing and persistance estimations" on the acquisition window with
// `caption`: the Info box is emptied, renamed `infoBoxName`, given the blocks
// and shown; the window's caption becomes `caption` (prefixed when it lacked
// "Acquisition ") and txtSurface `surfaceText` (the rectangle's, written last).
struct EstimatorReport {
    std::string infoBoxName;
    std::string caption;
    std::vector<ReportBlock> blocks;
    std::string surfaceText;
};
EstimatorReport RunEstimators(const AcquisitionGeometry& geometry, const std::string& caption);

}  // namespace ravelin
