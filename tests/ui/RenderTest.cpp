// Recorded drawings rendered by Qt's painter into images and files, and
// picture files loaded through the desktop platform, bad ones included.
// Every file is made by the test.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>
#include <random>

#include "UiTestSupport.h"
#include "core/SystemFiles.h"
#include "ui/render/QtPicture.h"
#include "ui/render/Render.h"

using namespace ravelin;
using ravelin::testing::TestQtPlatform;

namespace {

// Little-endian (metafiles, bitmaps) and big-endian (PNG) byte writing.
struct Bytes {
    QByteArray data;
    Bytes& u16(unsigned v) {
        data.append(char(v & 255)).append(char((v >> 8) & 255));
        return *this;
    }
    Bytes& u32(quint32 v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& be32(quint32 v) {
        for (int shift = 24; shift >= 0; shift -= 8) data.append(char((v >> shift) & 255));
        return *this;
    }
};

quint32 crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// An enhanced metafile of 200 x 100 pixels: a red rectangle inset by 10 on white.
QByteArray enhancedMetafile() {
    Bytes records;
    records.u32(39).u32(24).u32(1).u32(0).u32(0x0000FF).u32(0);  // a solid red brush, object 1
    records.u32(37).u32(12).u32(1);                              // selected
    records.u32(43).u32(24).u32(10).u32(10).u32(190).u32(90);    // rectangle
    records.u32(14).u32(20).u32(0).u32(16).u32(20);              // end of file
    Bytes header;
    header.u32(1).u32(88).u32(0).u32(0).u32(200).u32(100);  // header record, bounds in pixels
    header.u32(0).u32(0).u32(5292).u32(2646);               // frame in 0.01 mm at 96 per inch
    header.u32(0x464D4520).u32(0x10000).u32(88 + records.data.size()).u32(5);
    header.u16(2).u16(0).u32(0).u32(0).u32(0);     // handles, no description, no palette
    header.u32(1920).u32(1080).u32(508).u32(286);  // the reference screen
    return header.data + records.data;
}

// A placeable Windows metafile of 200 x 100 pixels at 96 per inch, the same red rectangle.
QByteArray windowsMetafile() {
    Bytes records;
    records.u32(5).u16(0x020B).u16(0).u16(0);                     // window origin
    records.u32(5).u16(0x020C).u16(100).u16(200);                 // window extent
    records.u32(7).u16(0x02FC).u16(0).u32(0x0000FF).u16(0);       // a solid red brush
    records.u32(4).u16(0x012D).u16(0);                            // selected
    records.u32(7).u16(0x041B).u16(90).u16(190).u16(10).u16(10);  // rectangle: bottom, right, top, left
    records.u32(3).u16(0);                                        // end of file
    Bytes header;
    header.u16(1).u16(9).u16(0x300).u32(static_cast<quint32>(18 + records.data.size()) / 2).u16(1).u32(7).u16(0);
    Bytes placeable;
    placeable.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(200).u16(100).u16(96).u32(0);
    unsigned checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= static_cast<unsigned char>(placeable.data[2 * i]) |
                    (static_cast<unsigned char>(placeable.data[2 * i + 1]) << 8);
    placeable.u16(checksum);
    return placeable.data + header.data + records.data;
}

// One red pixel: a two-colour palette and the smallest image block.
QByteArray redGif() {
    const unsigned char bytes[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                   0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                   0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// Headers without pixels, announcing width x height.
QByteArray bitmapHeader(int width, int height) {
    Bytes b;
    b.data = "BM";
    b.u32(54).u32(0).u32(54);                                // file size (a lie), reserved, pixel offset
    b.u32(40).u32(width).u32(height).u16(1).u16(24).u32(0);  // 24 bits, uncompressed
    b.u32(0).u32(2835).u32(2835).u32(0).u32(0);
    return b.data;
}

QByteArray pngHeader(quint32 width, quint32 height) {
    Bytes ihdr;
    ihdr.data = "IHDR";
    ihdr.be32(width).be32(height);
    ihdr.data.append(char(8)).append(char(2)).append(char(0)).append(char(0)).append(char(0));
    Bytes png;
    png.data = QByteArray("\x89PNG\r\n\x1a\n", 8);
    png.be32(13);
    png.data += ihdr.data;
    png.be32(crc32(ihdr.data));
    // Readers stop at the first data chunk once they know the size; an empty one, then the end.
    for (const char* empty : {"IDAT", "IEND"}) {
        png.be32(0);
        png.data += empty;
        png.be32(crc32(empty));
    }
    return png.data;
}

// Red on the left half, blue on the right: survives JPEG's losses.
QImage halves(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

bool reddish(QColor c) { return c.red() > 200 && c.blue() < 60 && c.green() < 60; }
bool bluish(QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }

// The picture drawn into a drawing of its own size, as a view at 100 % shows it.
QImage drawn(const PictureHandle& picture) {
    const double width = picture->width() * 15.0, height = picture->height() * 15.0;
    RecordingCanvas drawing(width, height);
    drawing.picture(picture, 0, 0, width, height);
    return renderDrawing(drawing, width, height);
}

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    TestQtPlatform platform_;

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(name));
        file.write(bytes);
        return file.fileName();
    }
    QByteArray saved(const QImage& image, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, format)) qFatal("cannot make a %s", format);
        return bytes;
    }

private slots:
    void picturesAreScaledIntoTheirRectangleInsideTheClip() {
        // 400 x 200 pixels drawn into 96 x 48 pixels: a quarter of its size.
        const auto picture = std::make_shared<QtPicture>(halves(400, 200));
        RecordingCanvas drawing(1440, 720);
        drawing.setClip(0, 0, 1080, 720);  // the right quarter stays as it was
        drawing.picture(picture, 0, 0, 1440, 720);
        drawing.clearClip();
        const QImage image = renderDrawing(drawing, 1440, 720, 96);
        QCOMPARE(image.pixelColor(20, 24), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(60, 24), QColor(0, 0, 255));
        QCOMPARE(image.pixelColor(90, 24), QColor(Qt::white));
    }

    void invertingPensShowOnAnyBackground() {
        // Black on the left half; one inverting line across the whole width at y = 10 pixels.
        RecordingCanvas drawing(1440, 720);
        drawing.fillBox(0, 0, 720, 720, colors::Black);
        drawing.setPen({Rgb::fromRgb(0, 0, 255), 1, LineStyle::Solid, PenMode::Invert});
        drawing.line(0, 157.5, 1440, 157.5);  // the middle of pixel row 10
        const QImage image = renderDrawing(drawing, 1440, 720, 96);
        QCOMPARE(image.pixelColor(20, 10), QColor(Qt::white));  // inverted black
        QCOMPARE(image.pixelColor(70, 10), QColor(Qt::black));  // inverted white
        QCOMPARE(image.pixelColor(20, 12), QColor(Qt::black));  // untouched next to it
    }

    // Every exporter writes through the safe replacement: whichever step fails,
    // the earlier file stays byte for byte, nothing is left beside it, and the
    // reason is the system's own; the next export without a failure writes
    // the format its name asks for.
    void eachExporterWritesItsFormatAndAFailedExportKeepsTheEarlierFile() {
        RecordingCanvas drawing(2880, 1440);
        drawing.line(0, 0, 2880, 1440);
        drawing.setFont({"Arial", 12, true});
        drawing.text(100, 100, "Frequency distribution °");
        drawing.rotatedText(200, 1200, "Frequency", 900);
        RichText text;
        text.paragraphs.push_back({});
        text.paragraphs.back().runs.push_back({"a report", {}});
        const std::pair<WriteFault, const char*> faults[] = {{WriteFault::NoPermission, "Permission denied"},
                                                             {WriteFault::NoSpace, "No space left on device"},
                                                             {WriteFault::MidWrite, "Input/output error"},
                                                             {WriteFault::Rename, "Permission denied"}};
        const std::string original = "the earlier picture";
        const std::pair<const char*, std::string> files[] = {{"chart.png", "\x89PNG"},
                                                             {"chart.bmp", "BM"},
                                                             {"chart.svg", "<?xml"},
                                                             {"chart.pdf", "%PDF"},
                                                             {"report.pdf", "%PDF"}};
        for (const auto& [name, magic] : files) {
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
            QVERIFY2(readFileBytes(path.toStdString()).value_or("").starts_with(magic), name);
        }
        std::string error;
        QVERIFY(!exportDrawingToFile(drawing, 2880, 1440, "/no/such/folder/chart.png", &error));
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

    void everyOfferedFormatLoadsWithItsSizeAndPixels() {
        const QImage source = halves(300, 200);
        for (const char* format : {"bmp", "jpg", "png", "tif"}) {
            const std::string path = write(QString("cliff.") + format, saved(source, format)).toStdString();
            const PictureLoad loaded = platform_.loadPicture(path);
            QVERIFY2(loaded.picture, loaded.error.c_str());
            QCOMPARE(loaded.picture->width(), 300);
            QCOMPARE(loaded.picture->height(), 200);
            const QImage shown = drawn(loaded.picture);
            QVERIFY2(reddish(shown.pixelColor(75, 100)), format);
            QVERIFY2(bluish(shown.pixelColor(225, 100)), format);
        }
        const PictureLoad gif = platform_.loadPicture(write("dot.gif", redGif()).toStdString());
        QVERIFY2(gif.picture, gif.error.c_str());
        QVERIFY(reddish(drawn(gif.picture).pixelColor(0, 0)));
        // Metafiles: a red rectangle 10 pixels inside a white page of 200 x 100.
        for (const auto& [name, bytes] :
             {std::pair("drawing.emf", enhancedMetafile()), std::pair("drawing.wmf", windowsMetafile())}) {
            const PictureLoad loaded = platform_.loadPicture(write(name, bytes).toStdString());
            QVERIFY2(loaded.picture, loaded.error.c_str());
            QCOMPARE(loaded.picture->width(), 200);
            QCOMPARE(loaded.picture->height(), 100);
            const QImage shown = drawn(loaded.picture);
            QVERIFY2(reddish(shown.pixelColor(100, 50)), name);
            QVERIFY2(shown.pixelColor(3, 3) == QColor(Qt::white), name);
        }
    }

    // The converter read a description the header placed outside its record
    // (past the file's end); such a description is dropped and the drawing kept.
    void unsoundDescriptionIsDropped() {
        for (const QByteArray& placement : {QByteArray("\0\0\0\0\x89\0\0\0", 8),       // no length, offset past record
                                            QByteArray("\x40\0\0\0\x58\0\0\0", 8),     // length past record
                                            QByteArray("\x01\0\0\0\x10\0\0\0", 8)}) {  // offset inside the fields
            QByteArray bytes = enhancedMetafile();
            bytes.replace(60, 8, placement);
            const PictureLoad loaded = platform_.loadPicture(write("described.emf", bytes).toStdString());
            QVERIFY2(loaded.picture, loaded.error.c_str());
            QVERIFY(reddish(drawn(loaded.picture).pixelColor(100, 50)));
        }
    }

    void badFilesGiveAClearMessage() {
        const QImage source = halves(300, 200);
        // A Windows metafile whose header announces a largest record of 3 GB (its words 34..37).
        QByteArray hugeRecord = windowsMetafile();
        hugeRecord.replace(34, 4, QByteArray("\x07\x70\x73\x61", 4));
        auto cut = [](QByteArray bytes) { return bytes.left(bytes.size() / 2); };
        const QString folder = dir_.path() + "/";
        const std::string damaged = "is damaged or incomplete";
        const std::string unknown =
            "is not a picture Ravelin can read (bitmap, GIF, JPEG, PNG, TIFF, enhanced or "
            "Windows metafile).";
        const struct {
            QString name;
            QByteArray bytes;
            std::string expected;  // after the quoted path
        } cases[] = {
            {"empty.png", {}, unknown},
            {"notes.jpg", "Cliff north face, 12 June", unknown},
            {"cut.bmp", cut(saved(source, "bmp")), damaged + " (the file ends before its last row)."},
            {"cut.jpg", cut(saved(source, "jpg")), damaged},
            {"cut.png", cut(saved(source, "png")), damaged},
            {"cut.tif", cut(saved(source, "tif")), damaged},
            {"cut.gif", redGif().left(30), damaged},
            {"cut.emf", enhancedMetafile().left(100), damaged},
            {"cut.wmf", windowsMetafile().left(60), damaged},
            {"huge-record.wmf", hugeRecord, damaged + " (its header announces records larger than the file)."},
            {"short-header.emf", enhancedMetafile().left(80),
             damaged + " (its header record does not lie within the file)."},
            // 320 and 4900 million pixels announced in a few bytes: refused before any is allocated.
            {"huge.bmp", bitmapHeader(20000, 16000),
             "is too large to open: 20000 x 16000 pixels, more than 268435456."},
            {"huge.png", pngHeader(70000, 70000), "is too large to open: 70000 x 70000 pixels, more than 268435456."},
            // Rows times height beyond 64 bits: still refused by size, with no overflow on the way.
            {"vast.bmp", bitmapHeader(268435462, 1560281092),
             "is too large to open: 268435462 x 1560281092 pixels, more than 268435456."},
        };
        for (const auto& c : cases) {
            const std::string path = write(c.name, c.bytes).toStdString();
            const PictureLoad loaded = platform_.loadPicture(path);
            QVERIFY2(!loaded.picture, qPrintable(c.name));
            const std::string quoted = "'" + path + "' ";
            QVERIFY2(loaded.error.rfind(quoted + c.expected, 0) == 0, loaded.error.c_str());
        }
        const std::string missing = (folder + "missing.png").toStdString();
        QCOMPARE(platform_.loadPicture(missing).error, "Cannot open '" + missing + "': no such file.");
        QCOMPARE(platform_.loadPicture(folder.toStdString()).error,
                 "Cannot open '" + folder.toStdString() + "': no such file.");
    }

    void mutatedFilesAreRefusedOrReadWithinTheLimits() {
        const QImage source = halves(64, 48);
        const QByteArray samples[] = {
            saved(source, "bmp"), saved(source, "jpg"), saved(source, "png"), saved(source, "tif"), redGif(),
            enhancedMetafile(),   windowsMetafile()};
        std::mt19937 random(20260612);  // fixed: the same files every run
        int refused = 0;
        for (const QByteArray& sample : samples) {
            for (int round = 0; round < 40; ++round) {
                QByteArray bytes = sample;
                for (int k = 1 + static_cast<int>(random() % 8); k > 0; --k)
                    bytes[random() % bytes.size()] = static_cast<char>(random());
                if (round % 4 == 0) bytes.truncate(static_cast<int>(random() % bytes.size()));
                const PictureLoad loaded = platform_.loadPicture(write("mutated", bytes).toStdString());
                if (loaded.picture) {
                    QVERIFY(pictureSizeAllowed(loaded.picture->width(), loaded.picture->height()));
                } else {
                    QVERIFY(!loaded.error.empty());
                    ++refused;
                }
            }
        }
        QVERIFY(refused > 0);
    }
};

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
