#pragma once
// Scanline sampling: where the scanline crosses the discontinuity traces,
// as intersection distances for a new spacing datasheet.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "acquisition/AcquisitionGeometry.h"
#include "core/Platform.h"

namespace ravelin {

// What the new datasheet receives.
struct ScanlineSample {
    std::string comment;  // for txtComment
    int dataType = 1;     // 1 = intersection distances (the first data-type option)
    // Distances (metres) of the second and later crossings from the first, in
    // ascending order, truncated to two decimals: rows 1, 2, ... of the first
    // column. The datasheet grows to hold them all.
    std::vector<double> values;
    std::vector<std::string> texts;  // the same as the datasheet shows them

    // The values as pasted into the column: each text followed by a carriage return.
    std::string pasteText() const;
};

// The distances (metres, ascending) of every crossing of the scanline with a
// trace from the scanline's left end (end 1 when both ends have the same x).
// Crossings are rounded to whole canvas units first; a trace parallel to the
// scanline is never counted, even when it overlaps it.
std::vector<double> CrossingDistances(const std::array<CanvasPoint, 2>& scanline, std::span<const Trace> traces,
                                      double metresPerUnit);

// The export of a scanline: `refusal` when there is nothing to export (no
// trace, no scanline), otherwise the datasheet's content. `traces` are the
// finished ones; `caption` is the acquisition window's, whose text after its
// first "-" names the acquisition in the comment.
struct ScanlineExport {
    std::optional<MessageRequest> refusal;
    ScanlineSample sample;
};
ScanlineExport ExportScanline(const AcquisitionGeometry& geometry, std::span<const Trace> traces,
                              const std::string& caption);

}  // namespace ravelin
