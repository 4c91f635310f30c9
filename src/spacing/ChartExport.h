#pragma once
// Charts leaving the program: the double-size picture of a chart window on
// the clipboard as an image, or in a file (Windows bitmap, PNG, SVG or PDF
// by the file's extension) through the platform's painter. The Save command
// with its dialog is the document commands' (documents/ChartDocuments).

#include <string>

#include "core/Canvas.h"

namespace ravelin {

class HistoForm;

// The double-size picture (chart, labels, rotated label) of a chart window.
RecordingCanvas ChartPicture(const HistoForm& chart);

// Copy: the picture goes on the clipboard as an image. False when the platform cannot draw.
bool copyChart(HistoForm& chart);
// Writes the picture to `path` (the extension picks the format; none gives ".bmp").
bool exportChart(HistoForm& chart, const std::string& path, std::string* error);

}  // namespace ravelin
