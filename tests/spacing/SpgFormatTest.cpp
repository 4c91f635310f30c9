// The ".spg" file: first as a value (what each key gives, where reading
// stops, the exact bytes written, any bytes read without harm and written
// back stably), then loaded into a datasheet window and saved from one.

#include "spacing/SpgFormat.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/TextCodec.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"
#include "spacing/SpgFile.h"
#include "support/RandomBytes.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using namespace std::string_view_literals;
using testing::TempFolder;
using testing::TestSession;

// The example datasheet shipped with the program, chart settings included.
std::string example() {
    return readFileBytes(RAVELIN_SOURCE_DIR "/examples/north-face-intersections.spg").value_or("");
}

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
        "   \r\n"  // a blank line
        "Type = 2\r\n"
        "Fami = J2\r\n"
        "Nbcl = 12\r\n"
        "0.35\r\n"
        "\"1.5\", 2\r\n"  // a quoted field, then another
        "head = 4\r\n"    // lower case: a distance
        "Wexp =\r\n");    // an empty value, its blank dropped
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
    EXPECT_EQ(texts(document.values), (std::vector<std::string>{"its rest a field", "0.35", "1.5", "2", "head = 4"}));
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

TEST(SpgFormatTest, TheWriterGivesValuesAsShownAndTypeOneWhenNoneIsChosen) {
    SpgDocument document;
    document.values.appendValue(0.456, CellKind::Fixed2);
    const std::string text = WriteSpacingDocument(document);
    EXPECT_NE(text.find("\r\nType = 1\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n0.46\r\n"));
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
    const std::vector<std::string> odd({".5", "5.", "1e3", " 0.4", "0.4 ", "-0.3", "abc", "", "0,4", "0.3\t",
                                        "1234567890123456", "0.1234567890123456", "12.", "00.50"});
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

// The column is reserved from the lines of the file. Lines ended by a lone
// carriage return are not foreseen: every value is read, and the column grows
// by doubling, never beyond twice what the text can hold (found by the fuzzer
// in a 13-byte file of mixed line ends).
TEST(SpgFormatTest, ALoneCarriageReturnGrowsTheColumnWithinItsBound) {
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
    const std::string valid = example();
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
    const std::vector<std::string_view> pieces(
        {"Head = ",      "Fami =", "Clif = ", "Scan = 1", "Disc", "Type = 2", "Type = ", "Angl = ",  "Inte = ",
         "Ztri = 1",     "'",      "\"",      ",",        " ",    "\t",       "\r\n",    "\r",       "\n",
         "0.35",         "007.50", "12",      "1e3",      "-",    "x",        "caf\xE9", "\xC3\xA9", "\xEF\xBB\xBF",
         "\xE2\x80\x9D", "\0"sv});
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

// ---------------------------------------------------------------- the datasheet window

class SpgFileTest : public ::testing::Test {
protected:
    TestSession t{false};
    TempFolder folder;

    SpgFileTest() {
        t.platform.folder = folder.path.string();  // the log file goes there
        t.main = &dynamic_cast<MainForm&>(t.session.createForm("frmMain"));
    }

    SpacingForm& newSheet() { return dynamic_cast<SpacingForm&>(t.main->NewDocumentWindow(2)); }

    static std::string read(const std::string& path) { return readFileBytes(path).value_or("<missing>"); }

    std::string log() const { return read(t.session.logFilePath()); }

    static std::vector<std::string> column(const SpacingForm& sheet) {
        std::vector<std::string> out;
        for (long long r = 1, last = sheet.grid(0).lastFilledRow(); r <= last; ++r) out.push_back(sheet.cell(0, r, 1));
        return out;
    }
};

TEST_F(SpgFileTest, TheExampleLoadsAndIsWrittenBackByteForByte) {
    std::string bytes = example();
    ASSERT_NE(bytes.find("\r\nAngl = 25\r\n"), std::string::npos);
    bytes.replace(bytes.find("Angl = 25"), 9, "Angl = 99");
    SpacingForm& sheet = newSheet();
    ASSERT_TRUE(LoadSpacingFile(folder.write("profile.spg", bytes), sheet));
    EXPECT_TRUE(t.platform.told().empty());
    EXPECT_EQ(sheet.text("txtOr", 4), "25");  // from the orientations, not from the "Angl" line
    EXPECT_FALSE(IsModified(sheet));
    // Settings loaded and never drawn are saved again.
    const std::string copy = folder.file("copy.spg");
    ASSERT_TRUE(SaveSpacingFile(copy, sheet).written);
    EXPECT_EQ(read(copy), example());
}

TEST_F(SpgFileTest, FieldsSurviveASaveAndALoadQuotedWholeOrLeftOut) {
    SpacingForm& sheet = newSheet();
    sheet.setText("txtComment", -1, "North face, \"main\" profile");
    sheet.setText("txtLoc", -1, "  Gorge \"\u00e9boul\u00e9e\"  ");  // trimmed; a quote without a comma stays
    sheet.setText("txtOr", 0, "135,5");
    sheet.setText("txtOr", 1, "80");
    sheet.setText("txtOr", 4, "12\r\nAngl = 99");  // a line break would start a field of its own
    sheet.setValue(sheet.at("optData", 0), 1);
    // A column pasted with its heading: "Distance" would be read as a "Disc" orientation, "Total"
    // as a "Type" key stopping the reading, "'note" as a comment; lower case is no key.
    const char* cells[] = {"Distance", "0,35", "", "'note", "\"7", "Total", " 1.25 ", "abc"};
    for (int i = 0; i < 8; ++i) sheet.setCell(0, i + 1, 1, cells[i]);
    const std::string text = SpacingFileText(sheet);
    EXPECT_NE(text.find("\r\nAngl = 12  Angl = 99\r\n"), std::string::npos);

    const std::string path = folder.file("fields.spg");
    ASSERT_TRUE(SaveSpacingFile(path, sheet).written);
    EXPECT_NE(read(path).find("Gorge \"\xE9"), std::string::npos);  // a Windows-1252 file
    SpacingForm& again = newSheet();
    ASSERT_TRUE(LoadSpacingFile(path, again));
    EXPECT_TRUE(t.platform.told().empty());  // "Fami = " is an empty family, not an error
    // A quote inside a quoted text has no escape: it becomes the typographic closing quote.
    EXPECT_EQ(again.text("txtComment"), "North face, \xE2\x80\x9Dmain\xE2\x80\x9D profile");
    EXPECT_EQ(again.text("txtLoc"), "Gorge \"\u00e9boul\u00e9e\"");
    EXPECT_EQ(again.text("txtOr", 0), "135,5");
    EXPECT_EQ(again.at("optData", 0).value(), 1);
    // Empty cells are not written: the gap closes.
    EXPECT_EQ(column(again), (std::vector<std::string>{"0,35", "\u201d7", "1.25", "abc"}));
}

// The line numbers and what is kept are the reader's (above); here what the window makes of it.
TEST_F(SpgFileTest, AFileStoppingAtAnErrorIsShownHalfLoadedAndTheUserIsToldItsLine) {
    SpacingForm& sheet = newSheet();
    MarkModified(sheet);
    const std::string path = folder.write("broken.spg", "Head = Before\r\n0.5\r\n0.75\r\nType = 3\r\nHead = After\r\n");
    EXPECT_FALSE(LoadSpacingFile(path, sheet));
    ASSERT_EQ(t.platform.told().size(), 1u);
    EXPECT_EQ(t.platform.told()[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(t.platform.told()[0].text.find("Line 4 : Type = 3"), std::string::npos);
    EXPECT_EQ(sheet.text("txtComment"), "Before");
    EXPECT_EQ(column(sheet), (std::vector<std::string>{"0.5", "0.75"}));
    // The rest of the load still ran: caption and marker.
    EXPECT_EQ(sheet.caption(), path);
    EXPECT_FALSE(IsModified(sheet));
    EXPECT_NE(log().find("ERROR\r\nN\xB0          : 340Description : Control array element doesn't exist"),
              std::string::npos);
    // "Head =" and a quoted "Fami = " are empty values, not short lines.
    EXPECT_TRUE(LoadSpacingFile(folder.write("empty.spg", "Head =\r\n\"Fami = \"\r\nLoca =   \r\n"), sheet));
    EXPECT_EQ(t.platform.told().size(), 1u);
    EXPECT_EQ(sheet.text("txtComment"), "");
}

TEST_F(SpgFileTest, AMissingFileGetsItsMessageAndLogLine) {
    SpacingForm& sheet = newSheet();
    const std::string path = folder.file("nowhere.spg");
    EXPECT_FALSE(LoadSpacingFile(path, sheet));
    EXPECT_EQ(t.messageTexts(), (std::vector<std::string>{"The file '" + path + "' does not exist in this folder."}));
    EXPECT_NE(log().find("Opening operation cancelled."), std::string::npos);
    EXPECT_FALSE(t.platform.busy);
}

TEST_F(SpgFileTest, LongFilesEnlargeBothGridsAndShortOnesLeaveTheRestEmpty) {
    std::string text;
    for (int i = 1; i <= 1500; ++i) text += std::to_string(i) + ".5\r\n";
    SpacingForm& sheet = newSheet();
    ASSERT_TRUE(LoadSpacingFile(folder.write("long.spg", text), sheet));
    EXPECT_EQ(sheet.grid(1).rows(), 1501);
    EXPECT_EQ(sheet.cell(1, 1500, 0), "1500");
    EXPECT_EQ(sheet.cell(0, 1500, 1), "1500.5");

    sheet.setCell(1, 1400, 1, "stale");
    ASSERT_TRUE(LoadSpacingFile(folder.write("short.spg", "1\r\n2\r\n"), sheet));
    EXPECT_EQ(sheet.rows(), 1501);  // not enlarged: the size stays
    EXPECT_EQ(column(sheet), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(sheet.grid(1).isEmpty(1400));
    EXPECT_EQ(sheet.text("lblRes", 2), "N = 2");
}

// The settings come from the datasheet's last histogram row; the legend goes
// on a comment line that readers without it skip.
TEST_F(SpgFileTest, ChartSettingsAndTheLegendComeFromTheDatasheetsLastHistogramRow) {
    SpacingForm& sheet = newSheet();
    sheet.setCell(0, 1, 1, "0.4");
    // Without a row or loaded settings the block is left out and the labels stay as they were.
    const std::string plain = SpacingFileText(sheet);
    EXPECT_EQ(plain.find("'Interval"), std::string::npos);
    SpacingForm& other = newSheet();
    other.setText("Classes", -1, "9");
    LoadSpacingFile(folder.write("plain.spg", plain), other);
    EXPECT_EQ(other.text("Classes"), "9");

    std::vector<HistogramRow>& table = t.session.moduleState<SpacingState>().histogramTable;
    table.push_back({&sheet, nullptr, 0.5, 4, {0, 0, 0, 0}});
    table.push_back({&sheet, nullptr, 0.125, 12, {1, 0, 0, 1}, 1});
    const std::string text = SpacingFileText(sheet);
    EXPECT_NE(text.find("'Interval\r\nInte = 0.125\r\n'Number of classes\r\nNbcl = 12\r\n"
                        "'Lois de distribution: 1=true or 0=false\r\n"
                        "Wexp = 1\r\nXlog = 0\r\nYnor = 0\r\nZtri = 1\r\n'Lgnd = 1\r\n0.4\r\n"),
              std::string::npos)
        << text;
    ASSERT_TRUE(LoadSpacingFile(folder.write("legend.spg", text), other));
    EXPECT_EQ(other.text("Legend"), "1");
    EXPECT_EQ(column(other), (std::vector<std::string>{"0.4"}));  // a comment, not a distance
    EXPECT_EQ(SpacingFileText(other), text);                      // kept from the labels while no chart was drawn
    table.back().legend = 0;
    EXPECT_EQ(SpacingFileText(sheet).find("Lgnd"), std::string::npos);
}

TEST_F(SpgFileTest, SavingNowhereFailsWithoutAFileAndIsLogged) {
    SpacingForm& sheet = newSheet();
    EXPECT_FALSE(SaveSpacingFile("", sheet).written);
    const std::string blocker = folder.write("plain-file", "x");
    EXPECT_FALSE(SaveSpacingFile(blocker + "/inside.spg", sheet).error.empty());
    EXPECT_NE(log().find("ERROR\r\n"), std::string::npos);
}

}  // namespace
}  // namespace ravelin
