#pragma once
// Chart windows as documents (histogram and variogram, known by their
// captions "Hist..." and "Vario..."): saved as a picture and printed, both
// from the chart's double-size picture (spacing/ChartExport).

#include "documents/DocumentKinds.h"

#include "core/Platform.h"

namespace ravelin {

class Form;
class HistoForm;

DocumentKind chartDocumentKind();
DocumentKind variogramDocumentKind();

// The save dialog ("Ravelin - Save"), then the picture as a Windows bitmap,
// or PNG, SVG or PDF by the name's extension, written atomically. A failure
// is told to the user. Returns true when saved.
bool saveChart(Form& window);

// The picture on one page, reduced to fit it: what Print and Print Preview show.
PrintContent chartPrintout(const HistoForm& chart);
// The print dialog, then the chart's printout.
bool printChart(Form& window);

}  // namespace ravelin
