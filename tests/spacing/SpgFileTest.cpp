// The ".spg" reader and writer: the grammar, round trips, the faults the
// reader reports, grid sizing and any byte sequence read without harm.

#include "spacing/SpgFile.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"
#include "support/RandomBytes.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TempFolder;
using testing::TestSession;

// The example datasheet shipped with the program, chart settings included.
std::string example() {
    return readFileBytes(RAVELIN_SOURCE_DIR "/examples/north-face-intersections.spg").value_or("");
}

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

    static std::vector<std::string> column(const SpacingForm& sheet, int grid = 0) {
        std::vector<std::string> texts;
        for (long long r = 1, last = sheet.grid(grid).lastFilledRow(); r <= last; ++r)
            texts.push_back(sheet.cell(grid, r, 1));
        return texts;
    }
};

TEST_F(SpgFileTest, TheExampleLoadsAndIsWrittenBackByteForByte) {
    t.platform.workingFolder = folder.path.string();
    std::string bytes = example();
    ASSERT_NE(bytes.find("\r\nAngl = 25\r\n"), std::string::npos);
    bytes.replace(bytes.find("Angl = 25"), 9, "Angl = 99");
    SpacingForm& sheet = newSheet();
    ASSERT_TRUE(LoadSpacingFile(folder.write("profile.spg", bytes), sheet));
    EXPECT_TRUE(t.platform.told().empty());
    EXPECT_EQ(sheet.text("txtOr", 4), "25");  // from the orientations, not from the "Angl" line
    EXPECT_FALSE(IsModified(sheet));
    EXPECT_EQ(sheet.caption(), "profile.spg");  // a file in the current folder is named without it
    // Settings loaded and never drawn are saved again.
    const std::string copy = folder.file("copy.spg");
    ASSERT_TRUE(SaveSpacingFile(copy, sheet).written);
    EXPECT_EQ(read(copy), example());
}

TEST(DatasheetCaptionTest, CutsTheCurrentFolderOnlyForFilesInIt) {
    EXPECT_EQ(DatasheetCaption("/data/a.spg", "/data/"), "a.spg");
    EXPECT_EQ(DatasheetCaption("/database/a.spg", "/data"), "/database/a.spg");
    EXPECT_EQ(DatasheetCaption("/data/sub/a.spg", "/data"), "sub/a.spg");
}

TEST_F(SpgFileTest, FieldsSurviveASaveAndALoadQuotedWholeOrLeftOut) {
    SpacingForm& sheet = newSheet();
    sheet.setText("txtComment", -1, "North face, \"main\" profile");
    sheet.setText("txtLoc", -1,
                  "  Gorge \"\xC3\xA9"
                  "boul\xC3\xA9"
                  "e\"  ");  // trimmed; a quote without a comma stays
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
    EXPECT_NE(read(path).find("boul\xE9"
                              "e"),
              std::string::npos);  // a Windows-1252 file
    SpacingForm& again = newSheet();
    ASSERT_TRUE(LoadSpacingFile(path, again));
    EXPECT_TRUE(t.platform.told().empty());  // "Fami = " is an empty family, not an error
    // A quote inside a quoted text has no escape: it becomes the typographic closing quote.
    EXPECT_EQ(again.text("txtComment"), "North face, \xE2\x80\x9Dmain\xE2\x80\x9D profile");
    EXPECT_EQ(again.text("txtLoc"),
              "Gorge \"\xC3\xA9"
              "boul\xC3\xA9"
              "e\"");
    EXPECT_EQ(again.text("txtOr", 0), "135,5");
    EXPECT_EQ(again.at("optData", 0).value(), 1);
    // Empty cells are not written: the gap closes.
    EXPECT_EQ(column(again), (std::vector<std::string>{"0,35",
                                                       "\xE2\x80\x9D"
                                                       "7",
                                                       "1.25", "abc"}));
}

TEST_F(SpgFileTest, ForeignFilesAndDistancesOfEveryShapeReadAsMeant) {
    // Plain decimals take a quicker way through the reader than other fields: both must agree.
    const std::string lines =
        "Head = Only\n"  // LF line ends
        "Clif = 135\r"   // CR alone; no comma: the next field is the dip
        "'Orientation\r\n"
        "\r\n"
        "   \r\n"               // blank lines are skipped
        "Fami = J1, J2\r\n"     // written elsewhere unquoted: cut at its comma
        "Loca = caf\xE9\r\n"    // Windows-1252
        "clif = 3\r\n"          // lower case: a distance
        "0,35\r\n"              // a decimal comma: two values
        "\"1.5\", ignored\r\n"  // a quoted field; the rest up to the comma dropped
        "0.40,0.5\r\n"
        "007.50\n"  // line ends of every kind after plain decimals too
        "12.\r"     // a point without decimals
        "1.2.3\r\n"
        "0.1234567890123456\r\n"  // more digits than a double holds exactly
        "  3\t\r\n"               // blanks around
        "4e1\r\n";
    SpacingForm& sheet = newSheet();
    ASSERT_TRUE(LoadSpacingFile(folder.write("foreign.spg", lines + "5"), sheet));  // no line end at the end
    EXPECT_EQ(sheet.text("txtComment"), "Only");
    EXPECT_EQ(sheet.text("txtOr", 1), "'Orientation");
    EXPECT_EQ(sheet.text("txtFamily"), "J1");
    EXPECT_EQ(sheet.text("txtLoc"), "caf\xC3\xA9");
    const std::vector<std::string> texts = {"J2",   "clif = 3", "0",      "35",  "1.5",   "ignored",
                                            "0.40", "0.5",      "007.50", "12.", "1.2.3", "0.1234567890123456",
                                            "3",    "4e1",      "5"};
    EXPECT_EQ(column(sheet), texts);
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(sheet.grid(0).number(static_cast<long long>(i) + 1), readNumber(texts[i])) << texts[i];

    EXPECT_FALSE(LoadSpacingFile(folder.write("error.spg", lines + "Type = 7\r\n6\r\n"), sheet));
    EXPECT_NE(t.platform.told().back().text.find("Line 18 : Type = 7"), std::string::npos)
        << t.platform.told().back().text;
    EXPECT_EQ(column(sheet).size(), texts.size() - 1);
}

TEST_F(SpgFileTest, AFileStoppingAtAnErrorIsShownHalfLoadedAndTheUserIsToldItsLine) {
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"Head = Before\r\n0.5\r\n0.75\r\nType = 3\r\nHead = After\r\n9.9\r\n", "Line 4 : Type = 3", {"0.5", "0.75"}},
        {"1\r\n2\r\nHead\r\n3\r\n", "Line 3 : Head", {"1", "2"}},  // a key without its value
        {"4\r\nDisc = 300", "Line 2 : Disc = 300", {"4"}},         // a missing dip
    };
    SpacingForm& sheet = newSheet();
    for (const auto& [bytes, line, values] : cases) {
        MarkModified(sheet);
        const std::string path = folder.write("broken.spg", bytes);
        EXPECT_FALSE(LoadSpacingFile(path, sheet));
        EXPECT_NE(t.platform.told().back().text.find(line), std::string::npos) << line;
        EXPECT_EQ(column(sheet), values);
        // The rest of the load still ran: caption, marker and buttons.
        EXPECT_EQ(sheet.caption(), path);
        EXPECT_FALSE(IsModified(sheet));
        EXPECT_TRUE(sheet.at("cmdHisto").enabled());
    }
    EXPECT_EQ(sheet.text("txtOr", 2), "300");
    ASSERT_EQ(t.platform.told().size(), 3u);
    EXPECT_EQ(t.platform.told()[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(log().find("ERROR\r\nN\xB0          : 340Description : Control array element doesn't exist"),
              std::string::npos);
    // "Head =" and a quoted "Fami = " are empty values, not short lines.
    EXPECT_TRUE(LoadSpacingFile(folder.write("empty.spg", "Head =\r\n\"Fami = \"\r\nLoca =   \r\n"), sheet));
    EXPECT_EQ(t.platform.told().size(), 3u);
    EXPECT_EQ(sheet.text("txtComment"), "");
}

TEST_F(SpgFileTest, AMissingFileGetsItsMessageLogLineAndCaption) {
    SpacingForm& sheet = newSheet();
    const std::string path = folder.file("nowhere.spg");
    EXPECT_FALSE(LoadSpacingFile(path, sheet));
    EXPECT_EQ(sheet.caption(), "Spacing data");
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

TEST_F(SpgFileTest, ChartSettingsComeFromTheDatasheetsLastHistogramRow) {
    SpacingForm& sheet = newSheet();
    sheet.setCell(0, 1, 1, "1");
    // Without a row or loaded settings the block is left out and the labels stay as they were.
    const std::string plain = SpacingFileText(sheet);
    EXPECT_EQ(plain.find("'Interval"), std::string::npos);
    SpacingForm& other = newSheet();
    other.setText("Classes", -1, "9");
    LoadSpacingFile(folder.write("plain.spg", plain), other);
    EXPECT_EQ(other.text("Classes"), "9");

    t.session.moduleState<SpacingState>().histogramTable.push_back({&sheet, nullptr, 0.5, 4, {0, 0, 0, 0}});
    t.session.moduleState<SpacingState>().histogramTable.push_back({&sheet, nullptr, 0.125, 12, {1, 0, 0, 1}});
    const std::string text = SpacingFileText(sheet);
    EXPECT_NE(text.find("'Interval\r\nInte = 0.125\r\n'Number of classes\r\nNbcl = 12\r\n"
                        "'Lois de distribution: 1=true or 0=false\r\n"
                        "Wexp = 1\r\nXlog = 0\r\nYnor = 0\r\nZtri = 1\r\n1\r\n"),
              std::string::npos)
        << text;
}

TEST_F(SpgFileTest, TheLegendIsKeptOnACommentLineThatReadersWithoutItSkip) {
    SpacingForm& sheet = newSheet();
    sheet.setCell(0, 1, 1, "0.4");
    t.session.moduleState<SpacingState>().histogramTable.push_back({&sheet, nullptr, 0.1, 5, {1, 0, 0, 0}, 1});
    const std::string text = SpacingFileText(sheet);
    EXPECT_NE(text.find("Ztri = 0\r\n'Lgnd = 1\r\n0.4\r\n"), std::string::npos) << text;

    SpacingForm& other = newSheet();
    ASSERT_TRUE(LoadSpacingFile(folder.write("legend.spg", text), other));
    EXPECT_EQ(other.text("Legend"), "1");
    EXPECT_EQ(column(other), (std::vector<std::string>{"0.4"}));  // a comment, not a distance
    EXPECT_EQ(SpacingFileText(other), text);                      // kept from the label while no chart was drawn

    t.session.moduleState<SpacingState>().histogramTable.back().legend = 0;
    EXPECT_EQ(SpacingFileText(sheet).find("Lgnd"), std::string::npos);
}

TEST_F(SpgFileTest, SavingNowhereFailsWithoutAFileAndIsLogged) {
    SpacingForm& sheet = newSheet();
    EXPECT_FALSE(SaveSpacingFile("", sheet).written);
    const std::string blocker = folder.write("plain-file", "x");
    EXPECT_FALSE(SaveSpacingFile(blocker + "/inside.spg", sheet).error.empty());
    EXPECT_NE(log().find("ERROR\r\n"), std::string::npos);
}

// Any byte sequence is read without a crash or a hang, and the window stays consistent.
TEST_F(SpgFileTest, AnyBytesAreReadSafely) {
    SpacingForm& sheet = newSheet();
    const std::string valid = example();
    std::mt19937 random(12345);
    auto check = [&](const std::string& bytes) {
        const std::size_t messages = t.platform.told().size();
        const bool complete = LoadSpacingFile(folder.write("fuzz.spg", bytes), sheet);
        EXPECT_EQ(complete, t.platform.told().size() == messages);
        EXPECT_GE(sheet.rows(), 1001);
        EXPECT_FALSE(IsModified(sheet));
        EXPECT_TRUE(sheet.at("cmdHisto").enabled());
    };
    for (std::size_t cut = 0; cut <= valid.size(); ++cut) check(valid.substr(0, cut));
    const std::string alphabet = "CDSTFLHAINWXYZ'\",= \t\r\n0123456789.-eE\xE9\xFF";
    for (int round = 0; round < 150; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& c : bytes) c = round % 2 ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256);
        check(bytes);
    }
    // Mutations of the valid file: bytes replaced, dropped or repeated.
    for (int round = 0; round < 200; ++round) check(testing::mutated(valid, random, 5));
}

}  // namespace
}  // namespace ravelin
