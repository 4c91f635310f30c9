#include "ui/render/Render.h"

#include <QFileInfo>
#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>
#include <functional>

#include "core/SystemFiles.h"
#include "ui/render/QtCanvas.h"

namespace ravelin {

namespace {

int pixels(double twips, double dpi) { return std::max(1, static_cast<int>(std::lround(twips * dpi / 1440.0))); }

void paint(QPaintDevice& device, const RecordingCanvas& drawing, double widthTwips, double heightTwips) {
    QPainter painter(&device);
    QtCanvas canvas(painter, widthTwips, heightTwips);
    canvas.clear(colors::White);
    drawing.replay(canvas);
}

bool fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

// Encoded in memory, then written by the core's safe replacement, so a
// failure leaves the earlier file as it was and every document kind fails
// alike (and can be told to fail by tests).
bool saveFile(const std::string& path, std::string* error, WriteFault fault,
              const std::function<bool(QIODevice&)>& write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !write(buffer)) return fail(error, "the picture could not be encoded");
    buffer.close();
    return writeFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error,
                               fault);
}

}  // namespace

QImage renderDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips, double dpi) {
    QImage image(pixels(widthTwips, dpi), pixels(heightTwips, dpi), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    paint(image, drawing, widthTwips, heightTwips);
    return image;
}

bool exportDrawingToFile(const RecordingCanvas& drawing, double widthTwips, double heightTwips, const std::string& path,
                         std::string* error, WriteFault fault) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == "svg") {
        return saveFile(path, error, fault, [&](QIODevice& file) {
            QSvgGenerator generator;
            generator.setOutputDevice(&file);
            generator.setResolution(static_cast<int>(kScreenDpi));
            generator.setSize(QSize(pixels(widthTwips, kScreenDpi), pixels(heightTwips, kScreenDpi)));
            generator.setViewBox(QRect(QPoint(0, 0), generator.size()));
            generator.setTitle("Ravelin chart");
            paint(generator, drawing, widthTwips, heightTwips);
            return true;
        });
    }
    if (suffix == "pdf") {
        return saveFile(path, error, fault, [&](QIODevice& file) {
            QPdfWriter writer(&file);
            writer.setResolution(300);
            writer.setPageSize(QPageSize(QSizeF(widthTwips / 1440.0, heightTwips / 1440.0), QPageSize::Inch));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setCreator("Ravelin");
            paint(writer, drawing, widthTwips, heightTwips);
            return true;
        });
    }
    const char* format = suffix == "bmp" ? "BMP" : suffix == "jpg" || suffix == "jpeg" ? "JPG" : "PNG";
    const QImage image = renderDrawing(drawing, widthTwips, heightTwips);
    return saveFile(path, error, fault, [&](QIODevice& file) { return image.save(&file, format); });
}

Image toImage(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Image result;
    result.width = image.width();
    result.height = image.height();
    result.pixels.resize(static_cast<size_t>(result.width) * static_cast<size_t>(result.height));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::copy(line, line + image.width(), result.pixels.begin() + static_cast<long>(y) * image.width());
    }
    return result;
}

QImage fromImage(const Image& source) {
    QImage image(source.width, source.height, QImage::Format_ARGB32);
    for (int y = 0; y < source.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::copy(source.pixels.begin() + static_cast<long>(y) * source.width,
                  source.pixels.begin() + static_cast<long>(y + 1) * source.width, line);
    }
    return image;
}

namespace {
// Text layout lengths are pixels at 96 per inch whatever the device (the
// layout scales them), so 15 twips make one.
constexpr double kTwipsPerLayoutPixel = 1440.0 / 96.0;
}  // namespace

QTextCharFormat qtCharFormat(const TextFormat& format) {
    QTextCharFormat result;
    result.setFontFamilies({QString::fromStdString(format.font)});
    result.setFontPointSize(format.size > 0 ? format.size : 11);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    return result;
}

QTextBlockFormat qtBlockFormat(const RichParagraph& paragraph) {
    QTextBlockFormat result;
    switch (paragraph.alignment) {
        case ParagraphAlignment::Left: result.setAlignment(Qt::AlignLeft); break;
        case ParagraphAlignment::Right: result.setAlignment(Qt::AlignRight); break;
        case ParagraphAlignment::Center: result.setAlignment(Qt::AlignHCenter); break;
    }
    result.setLeftMargin(paragraph.leftIndent / kTwipsPerLayoutPixel);
    result.setRightMargin(paragraph.rightIndent / kTwipsPerLayoutPixel);
    result.setTextIndent(paragraph.firstIndent / kTwipsPerLayoutPixel);
    return result;
}

QString qtRunText(const std::string& utf8) {
    QString text = QString::fromStdString(utf8);
    // Characters Qt's document takes for structure stay one character each.
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u == QChar::ParagraphSeparator) c = QChar(QChar::LineSeparator);
        else if (u == '\r' || u == '\n' || u == 0xFDD0 || u == 0xFDD1) c = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

TextFormat textFormatOf(const QTextCharFormat& format) {
    TextFormat result;
    const QStringList families = format.fontFamilies().toStringList();
    result.font = families.isEmpty() ? format.font().family().toStdString() : families.front().toStdString();
    result.size = format.fontPointSize() > 0 ? format.fontPointSize() : format.font().pointSizeF();
    result.bold = format.fontWeight() >= QFont::DemiBold;
    result.italic = format.fontItalic();
    result.underline = format.fontUnderline();
    return result;
}

void fillDocument(const RichText& text, QTextDocument& document) {
    document.clear();
    QTextCursor cursor(&document);
    // An empty line is as high as the text before it would make it.
    QTextCharFormat previous = qtCharFormat(TextFormat{});
    bool first = true;
    for (const RichParagraph& paragraph : text.paragraphs) {
        if (first) cursor.setBlockFormat(qtBlockFormat(paragraph));
        else cursor.insertBlock(qtBlockFormat(paragraph));
        first = false;
        if (paragraph.runs.empty()) cursor.setBlockCharFormat(previous);
        for (const TextRun& run : paragraph.runs) {
            previous = qtCharFormat(run.format);
            cursor.insertText(qtRunText(run.text), previous);
        }
    }
}

RichText documentToRichText(const QTextDocument& document) {
    RichText result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RichParagraph paragraph;
        const QTextBlockFormat format = block.blockFormat();
        const Qt::Alignment alignment = format.alignment();
        paragraph.alignment = alignment & Qt::AlignHCenter ? ParagraphAlignment::Center
                              : alignment & Qt::AlignRight ? ParagraphAlignment::Right
                                                           : ParagraphAlignment::Left;
        paragraph.leftIndent = static_cast<int>(std::lround(format.leftMargin() * kTwipsPerLayoutPixel));
        paragraph.rightIndent = static_cast<int>(std::lround(format.rightMargin() * kTwipsPerLayoutPixel));
        paragraph.firstIndent = static_cast<int>(std::lround(format.textIndent() * kTwipsPerLayoutPixel));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            paragraph.runs.push_back({fragment.text().toStdString(), textFormatOf(fragment.charFormat())});
        }
        result.paragraphs.push_back(std::move(paragraph));
    }
    return result;
}

void printDocument(QTextDocument& document, QPagedPaintDevice& device) {
    // Laid out in the document's own 96-per-inch units and scaled to the
    // device: laid out on the device, indents would shrink with its resolution.
    constexpr double kPointsPerInch = 72;
    constexpr double kMarginInches = 2 / 2.54;  // 2 cm around the text
    const QSizeF page = device.pageLayout().paintRect(QPageLayout::Point).size();
    document.setPageSize(page * (96 / kPointsPerInch));
    document.setDocumentMargin(kMarginInches * 96);
    document.print(&device);
}

bool exportRichTextToPdf(const RichText& text, const std::string& path, std::string* error, WriteFault fault) {
    QTextDocument document;
    fillDocument(text, document);
    return saveFile(path, error, fault, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));  // the text keeps its own margins
        writer.setCreator("Ravelin");
        printDocument(document, writer);
        return true;
    });
}

}  // namespace ravelin
