#pragma once
// Saving and printing a chart window (histogram or variogram): both use its
// double-size picture (spacing/ChartExport).

#include "core/Platform.h"

namespace ravelin {

class Form;
class HistoForm;

// The save dialog ("Ravelin - Save"), then the picture as a Windows bitmap,
// or PNG, SVG or PDF by the name's extension, written atomically. A failure
// is told to the user. Returns true when saved.
bool saveChart(Form& window);

// The picture on one page, reduced to fit it: what Print and Print Preview show.
PrintContent chartPrintout(const HistoForm& chart);
// The print dialog, then the chart's printout.
bool printChart(Form& window);

}  // namespace ravelin
