#pragma once
// The report of a spacing datasheet: its header, orientations, theta angle,
// totals and number of values, written into the hidden print field and
// printed ("&Print..." on a datasheet).

#include <vector>

#include "core/Platform.h"
#include "core/Report.h"

namespace ravelin {

class SpacingForm;

// The blocks of the report, in order, as BuildDatasheetReport appends them.
std::vector<ReportBlock> datasheetReportBlocks(const SpacingForm& window);

// Writes the report into the print field, which it empties first so that it
// holds this report alone; the Info box's insertion point is left as it was.
void BuildDatasheetReport(SpacingForm& window);

// Builds the report into the print field and gives its printout, for Print and Print Preview.
PrintContent datasheetPrintout(SpacingForm& window);

// Builds the report and prints it through the print dialog ("Ravelin - Print").
// Returns false when the dialog was cancelled or printing failed (the user is told).
bool PrintDatasheet(SpacingForm& window);

}  // namespace ravelin
