#pragma once
// Charts leaving the program: the double-size picture of a chart window,
// printed, on the clipboard as an image, or in a file (Windows bitmap, PNG,
// SVG or PDF by the file's extension) through the platform's painter. The
// Save command with its dialog is the document commands'
// (documents/ChartDocuments); the command line exports through the same call.

#include <string>

#include "core/Canvas.h"

namespace ravelin {

class HistoForm;

// The double-size picture (chart, labels, rotated label) of a chart window.
RecordingCanvas ChartPicture(const HistoForm& chart);

// Copy: the picture goes on the clipboard as an image. False when the platform cannot draw.
bool copyChart(HistoForm& chart);

// The file a chart saved as `path` goes to: ".bmp" is added unless the name
// ends in a picture extension.
std::string chartFileName(const std::string& path);
// Writes the picture to chartFileName(path), drawn beside it first and then
// renamed over it, so a failed export leaves an existing file as it was.
// False with the reason in `error` when nothing was written.
bool exportChart(HistoForm& chart, const std::string& path, std::string* error);

}  // namespace ravelin
