// Recorded drawings rendered by Qt's painter into images and files.

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include "core/SystemFiles.h"
#include "ui/render/QtPicture.h"
#include "ui/render/Render.h"

using namespace ravelin;

class RenderTest : public QObject {
    Q_OBJECT
private slots:
    void twipsBecomePixels() {
        RecordingCanvas drawing(1440, 720);
        drawing.fillBox(0, 0, 720, 720, Rgb::fromRgb(255, 0, 0));
        drawing.setPen(Rgb::fromRgb(0, 0, 255), 1);
        drawing.line(0, 700, 1440, 700);
        const QImage image = renderDrawing(drawing, 1440, 720, 96);
        QCOMPARE(image.size(), QSize(96, 48));
        QCOMPARE(image.pixelColor(10, 10), QColor(255, 0, 0));
        const QColor lineColor = image.pixelColor(80, 46);
        QVERIFY2(lineColor.blue() > 150 && lineColor.red() < 120, qPrintable(lineColor.name()));
    }

    void picturesAreScaledIntoTheirRectangleInsideTheClip() {
        // 400 x 200 pixels, red left and blue right, drawn into 96 x 48 pixels: a quarter of its size.
        QImage source(400, 200, QImage::Format_RGB32);
        source.fill(Qt::blue);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) source.setPixel(x, y, qRgb(255, 0, 0));
        const auto picture = std::make_shared<QtPicture>(source);
        QCOMPARE(picture->levels(), 2);  // 400 and 200 wide: 200 is small enough to stop halving
        QCOMPARE(picture->levelFor(0.25).width(), 200);
        QCOMPARE(picture->levelFor(1).width(), 400);

        RecordingCanvas drawing(1440, 720);
        drawing.setClip(0, 0, 1080, 720);  // the right quarter stays as it was
        drawing.picture(picture, 0, 0, 1440, 720);
        drawing.clearClip();
        const QImage image = renderDrawing(drawing, 1440, 720, 96);
        QCOMPARE(image.pixelColor(20, 24), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(60, 24), QColor(0, 0, 255));
        QCOMPARE(image.pixelColor(90, 24), QColor(Qt::white));
    }

    void invertingPensShowOnAnyBackgroundAndDashesLeaveGaps() {
        // Black on the left half; one inverting line across the whole width at y = 10 pixels.
        RecordingCanvas drawing(1440, 720);
        drawing.fillBox(0, 0, 720, 720, colors::Black);
        drawing.setPen({Rgb::fromRgb(0, 0, 255), 1, LineStyle::Solid, PenMode::Invert});
        drawing.line(0, 157.5, 1440, 157.5);  // the middle of pixel row 10
        // A solid and a dashed line of the same length lower down.
        drawing.setPen({colors::Black, 1, LineStyle::Solid});
        drawing.line(0, 457.5, 1440, 457.5);
        drawing.setPen({colors::Black, 1, LineStyle::Dash});
        drawing.line(0, 607.5, 1440, 607.5);
        const QImage image = renderDrawing(drawing, 1440, 720, 96);
        QCOMPARE(image.pixelColor(20, 10), QColor(Qt::white));  // inverted black
        QCOMPARE(image.pixelColor(70, 10), QColor(Qt::black));  // inverted white
        QCOMPARE(image.pixelColor(20, 12), QColor(Qt::black));  // untouched next to it
        auto dark = [&](int row) {
            int n = 0;
            for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, row)) < 128;
            return n;
        };
        QCOMPARE(dark(30), 96);
        // Dashes of four pixels and gaps of two: 16 gaps, each at least half light once smoothed.
        QVERIFY2(dark(40) >= 48 && dark(40) <= 96 - 12, qPrintable(QString::number(dark(40))));
    }

    void filesByExtension() {
        QTemporaryDir dir;
        RecordingCanvas drawing(2880, 1440);
        drawing.setFont({"Arial", 12, true});
        drawing.text(100, 100, "Frequency distribution °");
        drawing.rotatedText(200, 1200, "Frequency", 900);
        const std::pair<const char*, QByteArray> files[] = {
            {"chart.png", "\x89PNG"}, {"chart.bmp", "BM"}, {"chart.svg", "<?xml"}, {"chart.pdf", "%PDF"}};
        for (const auto& [name, magic] : files) {
            const std::string path = dir.filePath(name).toStdString();
            std::string error;
            QVERIFY2(exportDrawingToFile(drawing, 2880, 1440, path, &error), error.c_str());
            QFile file(QString::fromStdString(path));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(file.read(magic.size()) == magic, name);
        }
        std::string error;
        QVERIFY(!exportDrawingToFile(drawing, 2880, 1440, dir.filePath("missing/chart.png").toStdString(), &error));
        QVERIFY(!error.empty());
    }

    // Every exporter writes through the safe replacement: whichever step fails,
    // the earlier file stays byte for byte, nothing is left beside it, and the
    // reason is the system's own; the next export without a failure writes.
    void aFailedExportKeepsTheEarlierFile() {
        RecordingCanvas drawing(2880, 1440);
        drawing.line(0, 0, 2880, 1440);
        RichText text;
        text.paragraphs.push_back({});
        text.paragraphs.back().runs.push_back({"a report", {}});
        const std::pair<WriteFault, const char*> faults[] = {{WriteFault::NoPermission, "Permission denied"},
                                                             {WriteFault::NoSpace, "No space left on device"},
                                                             {WriteFault::MidWrite, "Input/output error"},
                                                             {WriteFault::Rename, "Permission denied"}};
        const std::string original = "the earlier picture";
        for (const char* name : {"chart.png", "chart.bmp", "chart.svg", "chart.pdf", "report.pdf"}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(name);
            auto exportWith = [&](WriteFault fault, std::string* error) {
                return QString(name).startsWith("report")
                           ? exportRichTextToPdf(text, path.toStdString(), error, fault)
                           : exportDrawingToFile(drawing, 2880, 1440, path.toStdString(), error, fault);
            };
            QVERIFY(writeFileAtomically(path.toStdString(), original));
            for (const auto& [fault, reason] : faults) {
                std::string error;
                QVERIFY2(!exportWith(fault, &error), name);
                QVERIFY2(QString::fromStdString(error).endsWith(reason), error.c_str());
                QVERIFY(readFileBytes(path.toStdString()) == original);
                QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
            }
            std::string error;
            QVERIFY2(exportWith(WriteFault::None, &error), error.c_str());
            QVERIFY2(readFileBytes(path.toStdString()) != original, name);
        }
    }

    void printedIndentsDoNotShrinkWithTheResolution() {
        RichText text;
        RichParagraph paragraph;
        paragraph.leftIndent = 600;
        paragraph.firstIndent = -400;
        paragraph.runs.push_back({QString("wrapped ").repeated(40).toStdString(), {"Arial", 11, false, false, false}});
        text.paragraphs = {paragraph};
        QTextDocument document;
        fillDocument(text, document);
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath("indents.pdf"));
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        printDocument(document, writer);
        // The layout stays in 96-per-inch units: A4 is 210 mm wide, 2 cm margins.
        QVERIFY(qAbs(document.pageSize().width() - 210 / 25.4 * 96) < 1);  // A4 is whole points wide
        const QTextLayout* layout = document.firstBlock().layout();
        QVERIFY(layout->lineCount() >= 2);
        const double margin = 2 / 2.54 * 96;
        QCOMPARE(qRound(layout->lineAt(0).x() + layout->position().x()), qRound(margin + 200 / 15.0));
        QCOMPARE(qRound(layout->lineAt(1).x() + layout->position().x()), qRound(margin + 600 / 15.0));
    }
};

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
