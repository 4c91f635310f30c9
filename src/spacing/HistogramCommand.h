#pragma once
// "Plot Histo" of a spacing datasheet and the histogram table that links each
// datasheet to its chart window: reading the data, settling the classes,
// drawing the chart with its laws and labels, and redrawing it from the
// histogram options window.

#include <string>
#include <vector>

#include "spacing/ChartPlot.h"
#include "spacing/Histogram.h"
#include "spacing/HistogramValues.h"

namespace ravelin {

class HistoForm;
class Session;
class SpacingForm;
struct HistogramRow;

// The "Plot Histo" button.
void cmdHisto_Click(SpacingForm& sheet);

// Settles interval and classes (in-out; 0 lets the routine choose) from the
// sorted values, writes them into the options window and draws the chart,
// which keeps the values. When the data cannot be drawn the user gets the
// "Invalid data" message.
HistogramFigures PlotHistogram(Session& session, SortedValues values, HistoForm& chart, double& interval,
                               long long& classes, const LawChoice& laws);

// Redraws a row's chart from the options window's fields and stores them back into the row.
void RedrawHistogram(Session& session, HistogramRow& row);
// "&Apply": redraws the current chart's row; the row, or nullptr when there is none.
HistogramRow* ApplyHistogramOptions(Session& session);
// Shows a row's settings in the options window.
void LoadHistoToolsFromRow(Session& session, const HistogramRow& row);
// Shows the options window as "&Histogram options" does.
void ShowHistoTools(Session& session);

// A new chart window as the main window makes it ("Histo " n).
HistoForm& NewChartWindow(Session& session, long long index);
// The chart title: the datasheet's comment, or the default title of the options.
std::string ChartTitle(const SpacingForm& sheet);

// The "Invalid data" message shown when a histogram cannot be drawn.
extern const char* const InvalidDataText;

}  // namespace ravelin
