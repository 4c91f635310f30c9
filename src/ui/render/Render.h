#pragma once
// Recorded drawings and rich texts turned into pictures and files.

#include <QImage>
#include <QTextDocument>
#include <string>

#include "core/Canvas.h"
#include "core/Platform.h"
#include "core/RichText.h"

namespace ravelin {

// Pixels per inch of pictures made for the clipboard and bitmap files.
constexpr double kScreenDpi = 96;

QImage renderDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips, double dpi = kScreenDpi);
// ".bmp", ".png", ".jpg", ".svg" or ".pdf" by the path's extension (case-insensitive).
bool exportDrawingToFile(const RecordingCanvas& drawing, double widthTwips, double heightTwips,
                         const std::string& path, std::string* error);

Image toImage(const QImage& image);
QImage fromImage(const Image& image);

// Rich text in and out of Qt's text document (fonts, sizes, styles, alignment, indents).
void fillDocument(const RichText& text, QTextDocument& document);
RichText documentToRichText(const QTextDocument& document);
bool exportRichTextToPdf(const RichText& text, const std::string& path, std::string* error);

}  // namespace ravelin
