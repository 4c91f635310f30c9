#pragma once
// "Fit report" of the histogram options window: how well each density law
// fits the values of the current chart, as a table in the Info box.

#include <optional>
#include <string>
#include <vector>

#include "core/Report.h"
#include "spacing/GoodnessOfFit.h"

namespace ravelin {

class HistoForm;
class Session;

// The fit of the laws to a chart's histogram; nullopt when the chart shows
// no histogram that could be drawn.
std::optional<FitSummary> ChartFit(const HistoForm& chart);

// The report's blocks: a title, the histogram it describes, the table of the
// four laws (in a fixed-pitch font so that its columns line up) and the best law.
std::vector<ReportBlock> FitReportBlocks(const std::string& chartCaption, const HistogramFigures& figures,
                                         const FitSummary& fit);

// Appends the report of the current chart to the Info box. Without a drawn
// histogram the user is told so; returns whether a report was written.
bool WriteFitReport(Session& session);

}  // namespace ravelin
