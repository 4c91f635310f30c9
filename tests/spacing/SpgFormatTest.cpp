// The ".spg" file as a value, without a window or a session: what each key
// gives, where reading stops and what it keeps, the exact bytes written, and
// random and mutated bytes read without harm and written back stably.

#include "spacing/SpgFormat.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/TextCodec.h"
#include "support/RandomBytes.h"

namespace ravelin {
namespace {

std::vector<std::string> texts(const SpacingColumn& values) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < values.size(); ++i) out.push_back(values.shownText(i));
    return out;
}

// The lines of a text split at CR LF, LF or CR, as a reader of the file counts them.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(text[i]);
        }
    }
    return lines;
}

TEST(SpgFormatTest, KeysSetOnlyTheirFieldsAndTheLastOneWins) {
    const SpgReadResult read = ReadSpacingDocument(
        "Fami = J1\r\n"
        "'Head = a comment, its rest a field\r\n"  // fields end at commas, in comments too
        "Clif = 135,80\r\n"
        "Disc = 300\r\n"  // no comma: the next field is the dip
        "'dip\r\n"
        "Type = 2\r\n"
        "Fami = J2\r\n"
        "Nbcl = 12\r\n"
        "0.35\r\n"
        "head = 4\r\n"  // lower case: a distance
        "Wexp =\r\n");  // an empty value, its blank dropped
    ASSERT_FALSE(read.error);
    const SpgDocument& document = read.document;
    EXPECT_EQ(document.family, "J2");
    EXPECT_EQ(document.cliff, (SpgOrientation{"135", "80"}));
    EXPECT_EQ(document.set, (SpgOrientation{"300", "'dip"}));
    EXPECT_EQ(document.dataType, 2);
    // Keys left out stay unset, so the datasheet keeps what it had.
    EXPECT_FALSE(document.comment || document.location || document.theta);
    EXPECT_EQ(document.scanline, SpgOrientation{});
    EXPECT_EQ(document.chart,
              (SpgChartSettings{std::nullopt, "12", "", std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(texts(document.values), (std::vector<std::string>{"its rest a field", "0.35", "head = 4"}));
}

TEST(SpgFormatTest, ReadingStopsAtTheFirstFaultyLineAndKeepsWhatCameBefore) {
    struct Case {
        std::string bytes;
        int number;
        long long line;
        std::string lineText;
        std::vector<std::string> values;
    };
    const std::string longLine = "Type = 9 " + std::string(70, 'x') + "\xC3\xA9" + "yyyy";  // é across the cut
    const Case cases[] = {
        {"1\r\n2\n3\rType = 3\r\n4\r\n", 340, 4, "Type = 3", {"1", "2", "3"}},  // every line end counts once
        {"1,2\r\nHead\r\n3\r\n", 5, 2, "Head", {"1", "2"}},                     // a key without its value
        {"\r\n\r\nScan = 45", 62, 3, "Scan = 45", {}},                          // the dip missing at the end
        {"'x\r\n" + longLine + "\r\n", 340, 2, "Type = 9 " + std::string(70, 'x') + "...", {}},
    };
    for (const Case& c : cases) {
        const SpgReadResult read = ReadSpacingDocument(c.bytes);
        ASSERT_TRUE(read.error) << c.bytes;
        EXPECT_EQ(read.error->number, c.number) << c.bytes;
        EXPECT_EQ(read.error->line, c.line) << c.bytes;
        EXPECT_EQ(read.error->lineText, c.lineText) << c.bytes;
        EXPECT_FALSE(read.error->reason.empty());
        EXPECT_EQ(texts(read.document.values), c.values) << c.bytes;
    }
    // The orientation's first value was read before its dip went missing.
    EXPECT_EQ(ReadSpacingDocument("Scan = 45").document.scanline, (SpgOrientation{"45", std::nullopt}));
}

TEST(SpgFormatTest, TheWriterGivesTheGrammarsLinesWithTheBlockOnlyForSettings) {
    SpgDocument document;
    document.comment = "North face profile 2";
    document.family = "J1";
    document.cliff = {"135", "80"};
    document.scanline = {"135", "0"};
    document.set = {"300", "65"};
    document.theta = "24";
    for (const char* value : {"0.35", "", "0.12"}) document.values.append(value);
    document.values.appendValue(1.04, CellKind::General);
    document.values.appendValue(0.456, CellKind::Fixed2);
    const std::string head =
        "'Heading comment/title\r\nHead = North face profile 2\r\n'Family name\r\nFami = J1\r\n'Location\r\n"
        "Loca = \r\n"  // no location: an empty one
        "'Orientation of the cliff (degrees) : dip direction (DD) and dip angle(DA)\r\nClif = 135,80\r\n"
        "'Orientation of the scanline (degrees) : DD & DA\r\nScan = 135,0\r\n"
        "'Orientation of the discontinuity set (degrees) : dip direction and dip angle\r\nDisc = 300,65\r\n"
        "'Data type : 1=intersection distances or 2=discontinuity spacings\r\nType = 1\r\n"  // no type: 1
        "'Theta angle between the scanline and the pole to the discontinuity (degrees)\r\nAngl = 24\r\n";
    const std::string distances = "0.35\r\n0.12\r\n1.04\r\n0.46\r\n";  // the gap closed
    EXPECT_EQ(WriteSpacingDocument(document), head + distances);

    document.chart.interval = "0.1";
    document.chart.classes = "12";
    document.chart.exponential = "1";
    EXPECT_EQ(WriteSpacingDocument(document),
              head +
                  "'Interval\r\nInte = 0.1\r\n'Number of classes\r\nNbcl = 12\r\n"
                  "'Lois de distribution: 1=true or 0=false\r\nWexp = 1\r\nXlog = \r\nYnor = \r\nZtri = \r\n" +
                  distances);
}

// Lines of one plain decimal each, as nearly every datasheet is, are read
// many at a time: every shape of number and line end gives the cell a line
// read alone gives, and the lines are counted as one by one.
TEST(SpgFormatTest, LinesOfPlainDecimalsReadAsEachLineAlone) {
    std::mt19937 random(7);
    auto digits = [&](int count) {
        std::string out;
        for (int i = 0; i < count; ++i) out += static_cast<char>('0' + random() % 10);
        return out;
    };
    const char* const ends[] = {"\r\n", "\n", "\r"};
    const std::vector<std::string> odd = {".5",
                                          "5.",
                                          "1e3",
                                          " 0.4",
                                          "0.4 ",
                                          "-0.3",
                                          "abc",
                                          "",
                                          "0,4",
                                          "0.3\t",
                                          "1234567890123456",
                                          "0.1234567890123456",
                                          "12.",
                                          "00.50"};
    for (int round = 0; round < 40; ++round) {
        std::string bytes;
        SpacingColumn expected;
        const char* end = ends[round % 3];
        // Runs of one shape (the fast way) broken by other shapes and odd lines.
        int integer = 1 + static_cast<int>(random() % 4);
        int decimals = static_cast<int>(random() % 7);
        for (int line = 0; line < 3000; ++line) {
            if (random() % 40 == 0) {
                integer = 1 + static_cast<int>(random() % 15);
                decimals = static_cast<int>(random() % (16 - integer));
            }
            std::string text = digits(integer) + (decimals > 0 || random() % 50 == 0 ? "." : "") + digits(decimals);
            if (text.back() == '.') text.pop_back();
            if (random() % 60 == 0) text = odd[random() % odd.size()];
            bytes += text + end;
            // The line read alone: too short for the reading of many lines at a time.
            const SpacingColumn alone = ReadSpacingDocument(text + "\r\n").document.values;
            for (std::size_t i = 0; i < alone.size(); ++i) expected.append(alone.shownText(i));
        }
        if (round % 4 == 1) bytes.resize(bytes.size() - std::string_view(end).size());  // no last line end
        const SpgReadResult read = ReadSpacingDocument(bytes + (round % 2 ? "" : "Type = 5"));
        ASSERT_EQ(read.document.values.size(), expected.size()) << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(read.document.values.kind(i), expected.kind(i)) << round << " " << expected.shownText(i);
            ASSERT_EQ(read.document.values.shownText(i), expected.shownText(i)) << round;
            ASSERT_EQ(read.document.values.value(i), expected.value(i)) << round << " " << expected.shownText(i);
        }
        if (round % 2 == 0) {
            ASSERT_TRUE(read.error);
            EXPECT_EQ(read.error->line, 3001) << round;
        }
    }
}

// The column is reserved once, from the lines of the file: no regrowth, and
// no room for more cells than a file of that size can hold.
TEST(SpgFormatTest, TheColumnIsReservedForTheFilesLines) {
    for (const std::size_t lines : {1u, 7u, 8u, 255u * 8, 5000u}) {
        std::string bytes;
        for (std::size_t i = 0; i < lines; ++i) bytes += i % 3 ? "0.5\n" : "12\r\n";
        EXPECT_EQ(ReadSpacingDocument(bytes).document.values.capacity(), lines + 1) << lines;
        EXPECT_EQ(ReadSpacingDocument(bytes + "caf\xE9").document.values.capacity(), lines + 1) << lines;
    }
    // Blank lines make no cells: the room follows the size of the file.
    EXPECT_EQ(ReadSpacingDocument(std::string(1000, '\n')).document.values.capacity(), 501u);
    // Lines ended by a lone carriage return are not foreseen: every value is
    // read, and the column grows by doubling, never beyond twice what the
    // text can hold (found by the fuzzer in a 13-byte file of mixed line ends).
    for (const std::string& bytes : {std::string("\x8Ep\n1T\r\xF3\nd\r\n\xFF"
                                                 "6"),
                                     std::string("0.1\r0.2\r0.3\r0.4\r0.5")}) {
        const SpgReadResult read = ReadSpacingDocument(bytes);
        EXPECT_EQ(read.document.values.size(), 5u);
        EXPECT_LE(read.document.values.capacity(), 2 * (bytes.size() / 2 + 1));
    }
}

TEST(SpgFormatTest, ANonAsciiFileIsDecodedAndTextsAreEncodedBack) {
    const SpgReadResult latin = ReadSpacingDocument("Loca = caf\xE9\r\n1\r\n");
    const SpgReadResult utf8 = ReadSpacingDocument("Loca = caf\xC3\xA9\r\n1\r\n");
    EXPECT_EQ(latin.document.location, "caf\xC3\xA9");
    EXPECT_EQ(utf8.document.location, "caf\xC3\xA9");
    EXPECT_NE(WriteSpacingDocument(latin.document).find("Loca = caf\xE9\r\n"), std::string::npos);
}

// A document written and read back is written again to the same bytes, for
// any input; reading never stops on a file Ravelin wrote. Memory grows with
// the input only, and an error names the line where it is.
TEST(SpgFormatTest, AnyBytesAreReadSafelyAndWrittenBackStably) {
    const std::string valid = readFileBytes(RAVELIN_SOURCE_DIR "/examples/north-face-intersections.spg").value_or("");
    ASSERT_FALSE(valid.empty());
    std::mt19937 random(2024);
    auto check = [](const std::string& bytes) {
        const SpgReadResult read = ReadSpacingDocument(bytes);
        ASSERT_LE(read.document.values.capacity(), bytes.size() / 2 + 1);
        ASSERT_LE(read.document.values.keptTextBytes(), 3 * bytes.size());  // Windows-1252 grows 3 times at most
        if (read.error) {
            const std::vector<std::string> lines = splitLines(decodeFileText(bytes));
            ASSERT_GE(read.error->line, 1);
            ASSERT_LE(read.error->line, static_cast<long long>(lines.size()));
            const std::string& line = lines[static_cast<std::size_t>(read.error->line - 1)];
            const std::string& quoted = read.error->lineText;
            const bool cut = quoted.ends_with("...") && line.starts_with(quoted.substr(0, quoted.size() - 3));
            ASSERT_TRUE(quoted == line || cut) << quoted << " / " << line;
            ASSERT_TRUE(isValidUtf8(quoted));
        }
        const std::string written = WriteSpacingDocument(read.document);
        const SpgReadResult again = ReadSpacingDocument(written);
        ASSERT_FALSE(again.error) << written;
        ASSERT_EQ(WriteSpacingDocument(again.document), written);
    };
    for (std::size_t cut = 0; cut <= valid.size(); cut += 7) check(valid.substr(0, cut));
    // Random bytes, and random sequences of the file's own pieces.
    const std::vector<std::string> pieces = {"Head = ",
                                             "Fami =",
                                             "Clif = ",
                                             "Scan = 1",
                                             "Disc",
                                             "Type = 2",
                                             "Type = ",
                                             "Angl = ",
                                             "Inte = ",
                                             "Ztri = 1",
                                             "'",
                                             "\"",
                                             ",",
                                             " ",
                                             "\t",
                                             "\r\n",
                                             "\r",
                                             "\n",
                                             "0.35",
                                             "007.50",
                                             "12",
                                             "1e3",
                                             "-",
                                             "x",
                                             "caf\xE9",
                                             "\xC3\xA9",
                                             "\xEF\xBB\xBF",
                                             "\xE2\x80\x9D",
                                             std::string(1, '\0')};
    for (int round = 0; round < 600; ++round) {
        std::string bytes;
        if (round % 2) {
            for (int n = random() % 120; n > 0; --n) bytes += pieces[random() % pieces.size()];
        } else {
            bytes.resize(random() % 400);
            for (char& c : bytes) c = static_cast<char>(random() % 256);
        }
        check(bytes);
    }
    // Mutations of the valid file: bytes replaced, dropped or repeated.
    for (int round = 0; round < 400; ++round) check(testing::mutated(valid, random, 6));
}

}  // namespace
}  // namespace ravelin
