// The acquisition window and its ".dgt" files through the File commands:
// opening (the file missing, its photograph unreadable, any bytes), saving
// where the window was read from, Save As, a save that fails, and the
// photograph's path looked for and written for the new place.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "acquisition/DgtFile.h"
#include "documents/DocumentCommands.h"
#include "ScanWindowFixture.h"
#include "support/RandomBytes.h"

namespace ravelin {
namespace {

using testing::ScanWindowTest;

const std::string kIndent(13, ' ');

// A datafile: a source, a scale of 35 m, a triangle, two traces, a scanline, a rectangle.
std::string datafile(const std::string& source) {
    return "'Digitized data\r\n[Source]\r\nSour = " + source +
           "\r\n[Scale]\r\n35\r\n[Window]\r\nNbre = 3\r\n120,80\r\n900,95\r\n510,640\r\n\r\n[Discontinuities]\r\n"
           "Nbre = 2\r\n200,150,420,610\r\n700,100,720,900\r\n\r\n[Scanline]\r\n60,400\r\n1400,410\r\n\r\n"
           "[Rectangle]\r\n100,100\r\n1000,100\r\n1000,700\r\n100,700\r\n";
}

class ScanFileTest : public ScanWindowTest {
protected:
    ScanForm& open(const std::string& path) {
        ts.platform.openAnswers.push_back(path);
        ts.main->runCommand("mnuFileOpen");
        scan = acquisitionWindow(ts.session);
        if (scan) activate(*scan);
        return *scan;
    }
};

TEST_F(ScanFileTest, AMissingFileIsToldAndLeavesAnEmptyWindow) {
    const std::string path = folder.file("gone.dgt");
    OpenDocumentFile(ts.session, path);
    scan = acquisitionWindow(ts.session);
    ASSERT_NE(scan, nullptr);
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"The file '" + path + "' does not exist in this folder."});
    EXPECT_EQ(log.lines.back(),
              "The file '" + path + "' does not exist in this folder.\r\n" + kIndent + "Opening operation cancelled.");
}

// A missing photograph is told the same way (a CLI case follows it through).
TEST_F(ScanFileTest, AnUnreadablePhotographIsToldAndTheGeometryStillLoads) {
    const std::string path = folder.write("cliff.dgt", datafile("cut.jpg"));
    folder.write("cut.jpg", "JFIF");
    ts.platform.addPictureFailure(folder.file("cut.jpg"), "The picture file is cut short.");
    open(path);
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"The picture file is cut short."});
    EXPECT_EQ(log.lines.back(),
              "The picture file is cut short.\r\n" + kIndent + "Acquisition window opened without image.");
    EXPECT_EQ(scan->geometry().traces.size(), 2u);
    EXPECT_EQ(scan->picture(), nullptr);
    // The window keeps no source it cannot show: the next save writes none.
    EXPECT_EQ(scan->imageSource(), "");
    EXPECT_FALSE(IsModified(*scan));
}

// Whatever the bytes, the window opens showing what the reader took from
// them, with the read error told once when there is one.
TEST_F(ScanFileTest, AnyBytesOpenIntoTheWindowAsTheReaderReadsThem) {
    std::mt19937 random(2026);
    const std::string valid = datafile("");
    for (int round = 0; round < 150; ++round) {
        std::string bytes = testing::mutated(valid, random, 1 + round % 6);
        if (round % 10 == 0)
            bytes.insert(bytes.size() / 2, "\r\n[Window]\r\nNbre = 2147483647\r\n2147483647,-2147483648\r\n");
        const std::string path = folder.write("mutated.dgt", bytes);
        const DgtReadResult read = ReadDigitizedFile(bytes);
        ts.platform.forgetMessages();
        open(path);
        ASSERT_NE(scan, nullptr);
        EXPECT_EQ(scan->geometry().traces, read.document.geometry.traces) << round;
        EXPECT_EQ(scan->geometry().contour, read.document.geometry.contour) << round;
        EXPECT_EQ(scan->text("txtScale"), read.document.geometry.scaleText) << round;
        // A source the mutation wrote names no picture there is: told too.
        const bool source = !read.document.imageSource.empty();
        EXPECT_EQ(ts.platform.told().size(), (read.error ? 1u : 0u) + (source ? 1u : 0u)) << round;
        EXPECT_FALSE(IsModified(*scan));
    }
}

TEST_F(ScanFileTest, SaveWritesWhereTheWindowWasReadAndSaveAsAsksForAName) {
    const std::string path = folder.write("cliff.dgt", datafile(""));
    open(path);
    drawTraces({{{5, 5}, {50, 60}}});
    const AcquisitionGeometry drawn = scan->geometry();
    ts.main->runCommand("mnuFileSave");
    EXPECT_FALSE(IsModified(*scan));
    EXPECT_TRUE(ts.platform.saveDialogs.empty());
    drawTraces({{{70, 10}, {90, 400}}});
    undo();
    EXPECT_FALSE(IsModified(*scan));  // the saved state
    // A photograph is no step: no Undo leads back to the file.
    ts.platform.addPicture(folder.file("cliff.png"), 400, 300);
    ts.platform.openAnswers.push_back(folder.file("cliff.png"));
    button("cmdOpenPict");
    drawTraces({{{70, 10}, {90, 400}}});
    undo();
    EXPECT_TRUE(IsModified(*scan));
    // Opened again, the window holds what was saved, without a history.
    ts.platform.messageAnswers.push_back(MessageAnswer::No);  // "Save ... before closing ?"
    open(path);
    EXPECT_EQ(scan->geometry(), drawn);
    EXPECT_FALSE(scan->undoStack().canUndo() || scan->undoStack().canRedo());
    EXPECT_FALSE(IsModified(*scan));

    // A new window: Save asks for a name.
    newWindow();
    drawScanline({10, 10}, {500, 10});
    const std::string target = folder.file("second.dgt");
    ts.platform.saveAnswers.push_back(target);
    ts.main->runCommand("mnuFileSave");
    ASSERT_EQ(ts.platform.saveDialogs.size(), 1u);
    EXPECT_EQ(scan->caption(), "Acquisition Window - " + target);
    EXPECT_EQ(scan->filePath(), target);
    // A cancelled Save As leaves the caption and the marker as they were.
    drawScanline({20, 20}, {600, 20});
    ts.platform.saveAnswers.push_back(std::nullopt);
    ts.main->runCommand("mnuFileSaveAs");
    EXPECT_EQ(scan->caption(), "Acquisition Window - " + target + "*");
}

TEST_F(ScanFileTest, AFailedSaveKeepsTheMarkerAndIsTold) {
    newWindow();
    drawTraces({{{5, 5}, {50, 60}}});
    const std::string target = folder.file("no-such-folder/cliff.dgt");
    ts.platform.saveAnswers.push_back(target);
    ts.main->runCommand("mnuFileSaveAs");
    EXPECT_TRUE(IsModified(*scan));
    EXPECT_EQ(scan->filePath(), "");
    ASSERT_EQ(ts.platform.told().size(), 1u);
    EXPECT_EQ(ts.platform.told()[0].text.rfind("The file '" + target + "' could not be saved.", 0), 0u);
    EXPECT_EQ(log.lines.back().rfind("ERROR\r\nN°          : 75Description : ", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(ScanFileTest, ARelativePhotographIsFoundBesideTheFileAndStaysRelativeOnlyWhereItLeadsThere) {
    const std::string path = folder.write("face.dgt", datafile("face.png"));
    folder.write("face.png", "pixels");
    ts.platform.addPicture(folder.file("face.png"), 800, 600);
    open(path);
    EXPECT_EQ(scan->picture()->width(), 800);  // beside the file, not in the current folder
    EXPECT_EQ(log.lines.front(), "Opening digitized datafile '" + path + "'");
    // The Open command's line goes to the log file only, not to the Events log window.
    EXPECT_EQ(ts.session.form("frmLog").text("txtLog").find("Opening digitized datafile"), std::string::npos);

    EXPECT_EQ(ScanDocument(*scan, folder.file("copy.dgt")).imageSource, "face.png");
    std::filesystem::create_directories(folder.path / "elsewhere");
    const std::string moved = folder.file("elsewhere/face.dgt");
    EXPECT_EQ(ScanDocument(*scan, moved).imageSource, folder.file("face.png"));
}

}  // namespace
}  // namespace ravelin
