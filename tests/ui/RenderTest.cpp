// Recorded drawings rendered by Qt's painter into images and files.

#include <QFile>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

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
