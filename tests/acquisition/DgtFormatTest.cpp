// The ".dgt" reader and writer: the grammar byte for byte, round trips,
// hand-written and damaged files, and any byte sequence read without harm.

#include "acquisition/DgtFormat.h"

#include <gtest/gtest.h>

#include <random>

#include "support/RandomBytes.h"

namespace ravelin {
namespace {

// A three-vertex contour, one trace, a scanline and no rectangle.
DigitizedDocument example() {
    DigitizedDocument d;
    d.imageSource = "C:\\Data\\cliff1.bmp";
    d.geometry.scaleText = "35";
    d.geometry.contour = {{120, 80}, {900, 95}, {510, 640}};
    d.geometry.traces = {{{200, 150}, {420, 610}}};
    d.geometry.scanline = {{{60, 400}, {1400, 410}}};
    return d;
}

const char* const kExampleFile =
    "'Digitized data\r\n[Source]\r\nSour = C:\\Data\\cliff1.bmp\r\n[Scale]\r\n35\r\n[Window]\r\nNbre = 3\r\n"
    "120,80\r\n900,95\r\n510,640\r\n\r\n[Discontinuities]\r\nNbre = 1\r\n200,150,420,610\r\n\r\n[Scanline]\r\n"
    "60,400\r\n1400,410\r\n\r\n[Rectangle]\r\n-10,0\r\n0,0\r\n0,0\r\n0,0\r\n";

DigitizedDocument readWhole(const std::string& bytes) {
    DgtReadResult result = ReadDigitizedFile(bytes);
    EXPECT_FALSE(result.error) << result.error->reason << " line " << result.error->line;
    return result.document;
}

TEST(DgtFormatTest, TheGrammarByteForByteAndHandWrittenLayouts) {
    EXPECT_EQ(WriteDigitizedFile(example()), kExampleFile);
    EXPECT_EQ(readWhole(kExampleFile), example());
    // Reflowed coordinates, blanks, comments, LF line ends, an unknown line, halves rounded to even.
    const std::string reflowed =
        "'Digitized data\n[Source]\nSour =   C:\\Data\\cliff1.bmp  \n'the scale in metres\n[Scale]\n35\n"
        "[Window]\nNbre = 3\n120\n80, 900\n95,\n\n510 , 640\nsomething else\n[Discontinuities]\nNbre = 1\n"
        "199.5,150.5\n'second end\n420,610\n[Scanline]\n60,400,1400,410\n[Rectangle]\n-10,0,0,0,0,0,0,0\n";
    EXPECT_EQ(readWhole(reflowed), example());
}

TEST(DgtFormatTest, EmptyPartsAreWrittenAsTheirMarkers) {
    DigitizedDocument empty;
    const std::string bytes = WriteDigitizedFile(empty);
    EXPECT_NE(bytes.find("Sour = \r\n[Scale]\r\n\r\n[Window]\r\nNbre = 0\r\n\r\n[Discontinuities]\r\nNbre = 0\r\n\r\n"
                         "[Scanline]\r\n-10,-10\r\n-10,-10\r\n\r\n[Rectangle]\r\n-10,0\r\n"),
              std::string::npos);
    // No scanline reads back as one from (-10, -10) to (-10, -10), and is written the same again.
    const DigitizedDocument back = readWhole(bytes);
    EXPECT_EQ(back.geometry.scanline, (std::array<CanvasPoint, 2>{{{-10, -10}, {-10, -10}}}));
    EXPECT_FALSE(back.geometry.hasRectangle());
    EXPECT_EQ(WriteDigitizedFile(back), bytes);

    DigitizedDocument halfDrawn = example();
    halfDrawn.geometry.traces = {{{7, 8}, {0, 0}}};  // saved while drawing: the trace keeps its (0, 0) end
    EXPECT_NE(WriteDigitizedFile(halfDrawn).find("Nbre = 1\r\n7,8,0,0\r\n"), std::string::npos);
}

TEST(DgtFormatTest, CommasInThePathAndTheScaleSurviveARoundTrip) {
    DigitizedDocument d = example();
    d.imageSource = "/home/ana/Cliffs, 2004/north face.jpg";
    d.geometry.scaleText = "35,5";
    d.geometry.rectangle = {{{10, 20}, {300, 20}, {300, 400}, {10, 400}}};
    const std::string bytes = WriteDigitizedFile(d);
    EXPECT_NE(bytes.find("\r\n\"Sour = /home/ana/Cliffs, 2004/north face.jpg\"\r\n[Scale]\r\n\"35,5\"\r\n"),
              std::string::npos);
    EXPECT_EQ(readWhole(bytes), d);
    // An older file wrote the path bare: it is cut at the comma and the rest passed over.
    std::string bare = kExampleFile;
    bare.replace(bare.find("cliff1.bmp"), 10, "a, b.bmp");
    EXPECT_EQ(readWhole(bare).imageSource, "C:\\Data\\a");
    // Windows-1252 text is read as such and written back the same way.
    std::string accented = kExampleFile;
    accented.replace(accented.find("cliff1"), 6,
                     "\xE9"
                     "boulis");
    const DigitizedDocument read = readWhole(accented);
    EXPECT_EQ(read.imageSource,
              "C:\\Data\\\xC3\xA9"
              "boulis.bmp");
    EXPECT_EQ(WriteDigitizedFile(read), accented);
}

TEST(DgtFormatTest, FaultsEndTheReadingWithTheirLineAndKeepWhatCameBefore) {
    const std::string head = "[Scale]\r\n35\r\n[Window]\r\n";  // the count is on line 4
    const struct {
        const char* what;
        std::string bytes;
        int number;
        long long line;
        std::size_t contourKept;
    } cases[] = {
        {"negative count", head + "Nbre = -2\r\n", 9, 4, 0},
        {"count beyond the file", head + "Nbre = 999999999999\r\n1,2\r\n", 62, 4, 0},
        {"count beyond any integer", head + "Nbre = 99999999999999999999999999\r\n1,2\r\n", 62, 4, 0},
        {"file ends early", head + "Nbre = 5\r\n1,2\r\n3,4\r\n", 62, 4, 2},
        {"next header in a short section", head + "Nbre = 4\r\n1,2\r\n3,4\r\n[Discontinuities]\r\nNbre = 0\r\n", 13, 7,
         2},
        {"coordinate not a number", head + "Nbre = 2\r\n1,2\r\nx,4\r\n", 13, 6, 1},
        {"coordinate beyond 32 bits", head + "Nbre = 2\r\n1,2\r\n3,4e10\r\n", 6, 6, 1},
        {"header at the end", "[Scale]\r\n35\r\n[Source]", 62, 3, 0},
    };
    for (const auto& c : cases) {
        const DgtReadResult result = ReadDigitizedFile(c.bytes);
        ASSERT_TRUE(result.error) << c.what;
        EXPECT_EQ(result.error->number, c.number) << c.what;
        EXPECT_EQ(result.error->line, c.line) << c.what;
        EXPECT_EQ(result.document.geometry.contour.size(), c.contourKept) << c.what;
        EXPECT_EQ(result.document.geometry.scaleText, "35") << c.what;  // read before the fault
    }
    const DgtReadResult early = ReadDigitizedFile(head + "Nbre = 5\r\n1,2\r\n3,4\r\n");
    EXPECT_EQ(early.error->lineText, "Nbre = 5");
    EXPECT_EQ(early.error->description, "Input past end of file");
}

// Any bytes are read or refused; what is read never holds more coordinates
// than the bytes hold digits, and once written a document reads back as
// itself (writing it again gives the same bytes).
void expectReadSafely(const std::string& bytes) {
    const DgtReadResult result = ReadDigitizedFile(bytes);
    const AcquisitionGeometry& g = result.document.geometry;
    ASSERT_LE(g.contour.size() * 2 + g.traces.size() * 4, bytes.size());
    const std::string written = WriteDigitizedFile(result.document);
    const DgtReadResult again = ReadDigitizedFile(written);
    ASSERT_FALSE(again.error) << written;
    ASSERT_EQ(WriteDigitizedFile(again.document), written);
}

TEST(DgtFormatTest, RandomAndMutatedBytes) {
    std::mt19937 random(77);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 400);
    const std::string alphabet = "0123456789-.,\"' \r\n[]=NbreSourcaleWindowDisctinuitiesRgl";
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : bytes) c = round % 2 ? static_cast<char>(byte(random)) : alphabet[letter(random)];
        expectReadSafely(bytes);
    }
    // The example file changed here and there, now and then with a long run of digits (counts beyond the file).
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = testing::mutated(kExampleFile, random, 1 + round % 4);
        if (round % 3 == 0) bytes.insert(random() % (bytes.size() + 1), "9999999");
        expectReadSafely(bytes);
    }
}

}  // namespace
}  // namespace ravelin
