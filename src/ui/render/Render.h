#pragma once
// Recorded drawings and rich texts turned into pictures and files.

#include <QImage>
#include <QPagedPaintDevice>
#include <QTextDocument>
#include <QTextFormat>
#include <string>

#include "core/Canvas.h"
#include "core/Platform.h"
#include "core/RichText.h"
#include "core/SystemFiles.h"

namespace ravelin {

// Pixels per inch of pictures made for the clipboard and bitmap files.
constexpr double kScreenDpi = 96;

QImage renderDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips, double dpi = kScreenDpi);
// ".bmp", ".png", ".jpg", ".svg" or ".pdf" by the path's extension (case-insensitive).
// The file is replaced whole or not at all; `fault` makes that writing fail (tests).
bool exportDrawingToFile(const RecordingCanvas& drawing, double widthTwips, double heightTwips, const std::string& path,
                         std::string* error, WriteFault fault = WriteFault::None);

Image toImage(const QImage& image);
QImage fromImage(const Image& image);

// Rich text in and out of Qt's text document (fonts, sizes, styles, alignment, indents).
QTextCharFormat qtCharFormat(const TextFormat& format);
QTextBlockFormat qtBlockFormat(const RichParagraph& paragraph);
TextFormat textFormatOf(const QTextCharFormat& format);
// A run's text as the document keeps it: one character for each of the run's.
QString qtRunText(const std::string& utf8);
void fillDocument(const RichText& text, QTextDocument& document);
RichText documentToRichText(const QTextDocument& document);
// Prints on every page of the device's paper, 2 cm inside its edges.
void printDocument(QTextDocument& document, QPagedPaintDevice& device);
bool exportRichTextToPdf(const RichText& text, const std::string& path, std::string* error,
                         WriteFault fault = WriteFault::None);

}  // namespace ravelin
