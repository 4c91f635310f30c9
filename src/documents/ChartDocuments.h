#pragma once
// Saving and printing a chart window (histogram or variogram): both use its
// double-size picture (spacing/ChartExport).

namespace ravelin {

class Form;

// The save dialog ("Ravelin - Save"), then the picture as a Windows bitmap,
// or PNG, SVG or PDF by the name's extension, written atomically. A failure
// is told to the user. Returns true when saved.
bool saveChart(Form& window);

// Prints the picture on one page, reduced to fit it.
bool printChart(Form& window);

}  // namespace ravelin
