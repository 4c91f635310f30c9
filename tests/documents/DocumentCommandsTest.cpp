#include "documents/DocumentCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "acquisition/AcquisitionCommands.h"
#include "acquisition/DgtFormat.h"
#include "acquisition/ScanForm.h"
#include "core/TextCodec.h"
#include "documents/DatasheetReport.h"
#include "documents/InfoBoxForm.h"
#include "documents/InfoText.h"
#include "projection/ProjectionFixture.h"
#include "spacing/ChartExport.h"
#include "spacing/HistoForm.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TempFolder;
using testing::TestSession;

// A datasheet file as the reader needs it; its format has tests of its own.
const char* const kSpgFile = "'Family name\r\nFami = J1\r\nClif = 135,80\r\nType = 1\r\n0.35\r\n0.12\r\n1.04\r\n";

// Every one of `expected` is among `lines`.
void expectLines(const std::vector<PropertyLine>& lines, const std::vector<PropertyLine>& expected) {
    for (const PropertyLine& line : expected)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line.label << ": " << line.value;
}

void drawTrace(ScanForm& scan, double x1, double y1, double x2, double y2) {
    scan.cmdDisc_Click();
    for (auto [x, y] : {std::pair{x1, y1}, {x2, y2}}) {
        scan.userPointerPress(scan.canvas(), {x, y, buttons::Left});
        scan.userPointerRelease(scan.canvas(), {x, y, buttons::Left});
    }
}

struct DocumentCommands : ::testing::Test {
    TestSession ts;
    TempFolder folder;

    DocumentCommands() {
        ts.platform.folder = folder.path.string();  // the log file goes there
        ts.session.writeLogFile("the session's first block");
    }

    // Runs a command with the answers its message box and file dialog will get.
    void run(const std::string& command, std::optional<MessageAnswer> answer = {}, const std::string& file = {}) {
        if (answer) ts.platform.messageAnswers.push_back(*answer);
        auto& files = command == "mnuFileOpen" ? ts.platform.openAnswers : ts.platform.saveAnswers;
        if (!file.empty()) files.push_back(file);
        ts.main->runCommand(command);
    }
    void activate(Form& form) {
        ts.session.setActiveForm(&form);
        form.userActivate();
    }
    SpacingForm& newDatasheet() {
        auto& sheet = dynamic_cast<SpacingForm&>(ts.main->NewDocumentWindow(2));
        activate(sheet);
        return sheet;
    }
    SpacingForm& openDatasheet(const std::string& path) {
        run("mnuFileOpen", {}, path);
        auto* sheet = dynamic_cast<SpacingForm*>(ts.session.currentDocument());
        if (!sheet) throw std::runtime_error("no datasheet opened from " + path);
        activate(*sheet);
        return *sheet;
    }
    std::string logFileText() { return readFileBytes(ts.session.logFilePath()).value_or(""); }
    const MessageRequest& lastMessage() { return ts.platform.told().back(); }
    InfoBoxForm& infoBox() { return ts.form<InfoBoxForm>("frmInfoBox"); }
    long datasheetCount() {
        return std::count_if(ts.session.forms().begin(), ts.session.forms().end(),
                             [](const auto& form) { return form->name() == "frmSpacing"; });
    }
};

// --------------------------------------------------------------------- Open

// An upper-case extension is still a datasheet, not a text for the Info box.
TEST_F(DocumentCommands, OpeningADatasheetCreatesItsWindowAndTableRowAndOpeningItAgainAsks) {
    const std::string path = folder.write("PROFILE.SPG", kSpgFile);
    SpacingForm& sheet = openDatasheet(path);
    EXPECT_EQ(sheet.caption(), path);  // not inside the current folder: the whole path
    EXPECT_EQ(sheet.text("txtFamily"), "J1");
    // The Open commands' lines go to the log file alone, not to the Events log window.
    const std::string line = "Opening spacing datafile '" + path + "'";
    EXPECT_NE(logFileText().find("14:03:27  -  " + line + "\r\n"), std::string::npos);
    EXPECT_EQ(ts.session.form("frmLog").text("txtLog").find(line), std::string::npos);

    // Already opened: No leaves the window as it is, Yes reloads it.
    sheet.userType(sheet.at("txtFamily"), "edited");
    run("mnuFileOpen", MessageAnswer::No, path);
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"The file '" + path +
                                                          "' is already opened.\r\n\r\nDo you want to overwrite it?"});
    EXPECT_EQ(sheet.text("txtFamily"), "edited");
    EXPECT_EQ(datasheetCount(), 1);
    run("mnuFileOpen", MessageAnswer::Yes, path);
    EXPECT_EQ(sheet.text("txtFamily"), "J1");
}

// --------------------------------------------------------------------- Save

// Each kind asks a new document's name with its own file types; a bare name
// takes the chosen type's extension, and the type decides the format.
TEST_F(DocumentCommands, SaveAsksEachKindsFileTypesAndTheChosenTypeDecidesTheFormat) {
    SpacingForm& sheet = newDatasheet();
    sheet.userType(sheet.at("txtFamily"), "J2");
    run("mnuFileSave", {}, folder.file("survey"));
    const std::string spg = folder.file("survey.spg");
    EXPECT_EQ(ts.platform.saveDialogs.at(0).fileName, "Data 1");
    EXPECT_EQ(sheet.caption(), spg);
    EXPECT_NE(readFileBytes(spg).value_or("").find("Fami = J2\r\n"), std::string::npos);
    // The table row now names the file, so opening it again finds it already open.
    EXPECT_EQ(ts.session.moduleState<SpacingState>().datasheetTable.at(0).path, spg);

    ts.session.appendInfoText(bodyBlock("plain words"));
    activate(infoBox());
    ts.platform.saveFilters = {2, 1};
    run("mnuFileSave", {}, folder.file("report"));
    run("mnuFileSaveAs", {}, folder.file("rich"));  // Save As on the Info box is its Save
    EXPECT_EQ(readFileBytes(folder.file("report.txt")), std::string("plain words"));
    EXPECT_EQ(readFileBytes(folder.file("rich.rtf")).value_or("").rfind("{\\rtf1", 0), 0u);

    // An active chart's toolbar Save exports its picture; no type chosen: a bitmap.
    activate(ts.main->NewDocumentWindow(0));
    ts.platform.saveAnswers.push_back(folder.file("chart"));
    ts.main->userClick(*ts.main->toolButton("Save"));
    EXPECT_EQ(ts.platform.exportedDrawings, std::vector<std::string>{folder.file("chart.bmp")});
    // The scripted platform has no painter: the save is told as failed (SaveFaultTest checks the message).
    EXPECT_EQ(ts.messageTexts().size(), 1u);
}

TEST_F(DocumentCommands, SavingASavedDatasheetWritesTheSameFileAndRemovesTheMarker) {
    const std::string path = folder.write("profile.spg", kSpgFile);
    ts.platform.workingFolder = folder.path.string();
    SpacingForm& sheet = openDatasheet(path);
    sheet.userType(sheet.at("txtLoc"), "West wall");
    EXPECT_EQ(sheet.caption(), "profile.spg*");  // inside the current folder: the name alone
    // The current folder changes: the full path the window kept still names the file.
    ts.platform.workingFolder = "/somewhere/else";
    run("mnuFileSave");
    EXPECT_TRUE(ts.platform.saveDialogs.empty());
    EXPECT_EQ(sheet.caption(), "profile.spg");
    EXPECT_NE(readFileBytes(path)->find("Loca = West wall\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("/somewhere/else/profile.spg"));
}

// Its caption is the Info box's own; it is still a datasheet, saved and printed (its report) as one.
TEST_F(DocumentCommands, ADatasheetSavedUnderTheInfoBoxsCaptionStaysADatasheet) {
    ts.platform.workingFolder = folder.path.string();
    SpacingForm& sheet = newDatasheet();
    ts.platform.saveFilters.push_back(2);  // "All Files": the name stays as typed
    run("mnuFileSaveAs", {}, folder.file("InfoBox"));
    ASSERT_EQ(sheet.caption(), "InfoBox");
    sheet.userType(sheet.at("txtFamily"), "J5");
    run("mnuFileSave");
    EXPECT_EQ(ts.platform.saveDialogs.size(), 1u);
    EXPECT_NE(readFileBytes(folder.file("InfoBox")).value_or("").find("Fami = J5\r\n"), std::string::npos);
    run("mnuFilePrint", MessageAnswer::Yes);
    EXPECT_EQ(lastMessage().text, "Print the contents of the current datasheet ?");
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    EXPECT_EQ(ts.platform.printJobs[0]->richTexts, std::vector<RichText>{reportRichText(datasheetReportBlocks(sheet))});
    EXPECT_TRUE(ts.platform.printJobs[0]->ended);
}

// -------------------------------------------------------------------- Close

TEST_F(DocumentCommands, CloseAsksAboutAModifiedDatasheetAndCancelYesAndNoDoWhatTheySay) {
    SpacingForm& sheet = newDatasheet();
    run("mnuFileClose", MessageAnswer::Cancel);
    EXPECT_EQ(sheet.caption(), "Data 1");  // unmodified: Cancel adds no marker
    sheet.userType(sheet.at("txtFamily"), "J4");
    run("mnuFileClose", MessageAnswer::Cancel);
    EXPECT_EQ(lastMessage().text, "Save 'Data 1' before closing ?");
    EXPECT_TRUE(ts.session.closeCancelled);
    // Yes, but the save fails, then its dialog is cancelled: the window and its marker stay.
    const std::string nowhere = folder.file("missing-folder/new.spg");
    run("mnuFileClose", MessageAnswer::Yes, nowhere);
    EXPECT_EQ(lastMessage().text.rfind("The file '" + nowhere + "' could not be saved.", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_TRUE(sheet.filePath().empty());
    ts.platform.saveAnswers.push_back(std::nullopt);  // the save dialog cancelled
    run("mnuFileClose", MessageAnswer::Yes);
    EXPECT_TRUE(ts.session.owns(&sheet));
    EXPECT_EQ(sheet.caption(), "Data 1*");
    EXPECT_TRUE(ts.session.closeCancelled);

    const std::string path = folder.file("closing.spg");
    run("mnuFileClose", MessageAnswer::Yes, path);
    EXPECT_EQ(datasheetCount(), 0);
    const std::string saved = readFileBytes(path).value_or("");
    EXPECT_NE(saved.find("Fami = J4"), std::string::npos);

    // No closes without saving.
    SpacingForm& again = openDatasheet(path);
    again.userType(again.at("txtFamily"), "not saved");
    run("mnuFileClose", MessageAnswer::No);
    EXPECT_EQ(datasheetCount(), 0);
    EXPECT_EQ(readFileBytes(path), saved);
    EXPECT_FALSE(ts.session.closeCancelled);
}

// -------------------------------------------------------------------- Print

TEST_F(DocumentCommands, TheInfoBoxOffersAndPrintsItsSelection) {
    ts.session.appendInfoText(titleBlock("Printed report"));
    activate(infoBox());
    run("mnuFilePrint");
    infoBox().setSelection(0, 7);
    ts.platform.printSelectionOnly = true;  // "Selection" chosen in the dialog
    run("mnuFilePrint");
    ASSERT_EQ(ts.platform.printDialogs.size(), 2u);
    EXPECT_FALSE(ts.platform.printDialogs[0].offerSelection);
    EXPECT_TRUE(ts.platform.printDialogs[1].offerSelection);
    ASSERT_EQ(ts.platform.printJobs.size(), 2u);
    EXPECT_EQ(ts.platform.printJobs[0]->richTexts[0], infoBox().document().richText());
    EXPECT_EQ(ts.platform.printJobs[1]->richTexts, std::vector<RichText>{infoBox().document().richText(0, 7)});
}

TEST_F(DocumentCommands, AChartPrintsItsBarsFittedToThePage) {
    SpacingForm& sheet = newDatasheet();
    long long row = 1;
    for (const char* value : {"0.4", "1.1", "0.7", "2.3", "0.9", "1.6", "3.2", "0.2"})
        sheet.setCell(0, row++, 1, value);
    sheet.userMouseMove();
    sheet.userClick(sheet.at("cmdHisto"));
    auto* drawn = dynamic_cast<HistoForm*>(ts.session.moduleState<SpacingState>().currentChart);
    ASSERT_NE(drawn, nullptr);
    HistoForm& chart = *drawn;
    activate(chart);
    run("mnuFilePrint", MessageAnswer::Yes);
    EXPECT_EQ(lastMessage().text, "Print a draft copy of the current histogram ?");
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    ASSERT_EQ(ts.platform.printJobs[0]->pages.size(), 1u);
    const RecordingCanvas& page = *ts.platform.printJobs[0]->pages[0];

    // The double-size picture, reduced as much as the page needs and no more.
    const RecordingCanvas picture = ChartPicture(chart);
    const double scale = std::min({1.0, page.width() / picture.width(), page.height() / picture.height()});
    const auto bars = picture.ofKind(DrawOp::Kind::FillBox);
    const auto printed = page.ofKind(DrawOp::Kind::FillBox);
    ASSERT_EQ(printed.size(), bars.size());
    int filled = 0;  // bars of classes that hold values
    for (size_t i = 0; i < printed.size(); ++i) {
        const DrawOp& bar = printed[i];
        for (auto [shown, drawn] :
             {std::pair{bar.x1, bars[i].x1}, {bar.y1, bars[i].y1}, {bar.x2, bars[i].x2}, {bar.y2, bars[i].y2}})
            EXPECT_NEAR(shown, drawn * scale, 1e-6) << "bar " << i;
        EXPECT_LE(std::max({bar.x1, bar.x2}), page.width() + 1e-6);
        EXPECT_LE(std::max({bar.y1, bar.y2}), page.height() + 1e-6);
        filled += std::abs(bar.y2 - bar.y1) > 0;
    }
    EXPECT_GE(filled, 3);  // eight values spread over several classes
}

// ------------------------------------------------------- unsaved reports at exit

struct UnsavedDocuments : DocumentCommands {
    SpacingForm* sheet = nullptr;
    void SetUp() override {
        ts.session.appendInfoText(bodyBlock("unsaved report"));
        sheet = &newDatasheet();
        sheet->userType(sheet->at("txtFamily"), "J7");
    }
    bool exitProgram() { return ts.session.closeForm(*ts.main); }
};

TEST_F(UnsavedDocuments, CancelAtExitKeepsEveryWindowAsItWas) {
    ts.platform.messageAnswers = {MessageAnswer::No, MessageAnswer::Cancel};
    EXPECT_FALSE(exitProgram());
    EXPECT_EQ(ts.messageTexts(),
              (std::vector<std::string>{"Save 'InfoBox' before closing ?", "Save 'Data 1' before closing ?"}));
    // Nothing closed, nothing lost, and the answer No given before Cancel changed nothing either.
    EXPECT_TRUE(ts.session.owns(sheet));
    EXPECT_EQ(sheet->caption(), "Data 1*");
    EXPECT_EQ(infoBox().document().plainText(), "unsaved report");
    EXPECT_TRUE(infoBox().modified());
    EXPECT_NE(ts.session.findForm("frmLog"), nullptr);  // the other windows too
    EXPECT_TRUE(ts.platform.settings.empty());          // the placement is written only when the program ends
}

// A save that did not happen stops the exit; Yes saves, No discards, and each is asked once.
TEST_F(UnsavedDocuments, ExitGoesOnOnlyOnceEveryYesWasSaved) {
    ts.platform.messageAnswers = {MessageAnswer::Yes};  // and the save dialog is cancelled
    ts.platform.saveAnswers = {std::nullopt};
    EXPECT_FALSE(exitProgram());
    EXPECT_EQ(ts.platform.told().size(), 1u);
    EXPECT_TRUE(ts.session.owns(&infoBox()));
    EXPECT_TRUE(ts.session.owns(sheet));

    ts.platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No};
    ts.platform.saveAnswers = {folder.file("kept")};
    EXPECT_TRUE(exitProgram());
    EXPECT_EQ(ts.platform.told().size(), 3u);
    EXPECT_NE(readFileBytes(folder.file("kept.rtf")).value_or("").find("unsaved report"), std::string::npos);
    EXPECT_TRUE(ts.session.forms().empty());
    EXPECT_EQ(std::count_if(std::filesystem::directory_iterator(folder.path), {},
                            [](const auto& entry) { return entry.path().extension() == ".spg"; }),
              0);
}

TEST_F(UnsavedDocuments, OpeningAFileIntoTheInfoBoxAsksAboutItsReports) {
    const std::string notes = folder.write("notes.txt", "from a file");
    ts.platform.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Yes, MessageAnswer::No};
    run("mnuFileOpen", {}, notes);
    EXPECT_EQ(lastMessage().text, "Save 'InfoBox' before closing ?");
    EXPECT_EQ(infoBox().document().plainText(), "unsaved report");
    EXPECT_EQ(logFileText().find("notes.txt"), std::string::npos);  // not opened: not logged

    // Yes with the save dialog cancelled: not saved, so not replaced.
    ts.platform.saveAnswers = {std::nullopt};
    run("mnuFileOpen", {}, notes);
    EXPECT_EQ(infoBox().document().plainText(), "unsaved report");
    run("mnuFileOpen", {}, notes);  // No
    EXPECT_EQ(infoBox().document().plainText(), "from a file");
    EXPECT_EQ(ts.platform.told().size(), 3u);
    run("mnuFileOpen", {}, notes);  // nothing unsaved: no question
    EXPECT_EQ(ts.platform.told().size(), 3u);
}

// ---------------------------------------------------------------- Save All

TEST_F(UnsavedDocuments, SaveAllSavesEachModifiedDocumentAskingOnlyForMissingNames) {
    const std::string opened = folder.write("opened.spg", kSpgFile);
    SpacingForm& known = openDatasheet(opened);
    SpacingForm& untouched = openDatasheet(folder.write("untouched.spg", kSpgFile));
    std::filesystem::remove(folder.file("untouched.spg"));
    known.userType(known.at("txtLoc"), "East");
    ts.main->runCommand("mnuFileNewScan");
    ScanForm& scan = *acquisitionWindow(ts.session);
    drawTrace(scan, 100, 100, 400, 120);
    const std::string dgt = folder.file("face.dgt");
    ts.platform.saveAnswers = {folder.file("box"), folder.file("new"), dgt};
    run("mnuFileSaveAll");
    // The Info box, the new datasheet and the acquisition (in the order they came) had no
    // name; the opened datasheet went back to its file.
    EXPECT_EQ(ts.platform.saveDialogs.size(), 3u);
    EXPECT_EQ(sheet->caption(), folder.file("new.spg"));
    EXPECT_EQ(known.caption(), opened);
    EXPECT_NE(readFileBytes(opened).value_or("").find("Loca = East"), std::string::npos);
    EXPECT_FALSE(infoBox().modified());
    EXPECT_FALSE(IsModified(scan));
    EXPECT_FALSE(std::filesystem::exists(folder.file("untouched.spg")));  // unchanged: not written
    EXPECT_EQ(untouched.caption(), folder.file("untouched.spg"));

    // Once named, each goes back to its own file without a question.
    ts.session.appendInfoText(bodyBlock(" and more"));
    drawTrace(scan, 500, 500, 600, 650);
    run("mnuFileSaveAll");
    EXPECT_EQ(ts.platform.saveDialogs.size(), 3u);
    EXPECT_NE(readFileBytes(folder.file("box.rtf")).value_or("").find("and more"), std::string::npos);
    EXPECT_EQ(ReadDigitizedFile(readFileBytes(dgt).value_or("")).document.geometry.traces,
              (std::vector<Trace>{{{100, 100}, {400, 120}}, {{500, 500}, {600, 650}}}));
    expectLines(DocumentPropertyLines(scan), {{"File", dgt}, {"Unsaved changes", "no"}, {"Traces", "2"}});
}

// The projection holds nothing a file lacks: Save All has nothing to ask of it.
TEST(ProjectionDocument, IsADocumentWithNothingToLose) {
    testing::ProjectionTool t;
    t.typeRows({{"120", "45"}, {"300", "10"}});
    ASSERT_TRUE(t.replace());
    expectLines(DocumentPropertyLines(*t.plot), {{"Unsaved changes", "no"}});
    t.main->runCommand("mnuFileSaveAll");
    EXPECT_TRUE(t.platform.saveDialogs.empty());
    EXPECT_TRUE(t.platform.exportedDrawings.empty());
}

// --------------------------------------------------------------- Properties

// Other kinds' lines: the acquisition's with Save All, the projection's above.
TEST_F(DocumentCommands, PropertiesTellTheFileAndWhatADatasheetHolds) {
    // Intersection distances in increasing order, as a histogram needs them.
    const std::string bytes = "Type = 1\r\n0.12\r\n0.35\r\n1.04\r\n";
    const std::string path = folder.write("profile.spg", bytes);
    SpacingForm& sheet = openDatasheet(path);
    std::vector<PropertyLine> shown;
    ts.platform.modalHandler = [&](Form& dialog) {
        for (int i = 0; Control* field = dialog.find("txtProperty", i); ++i)
            shown.push_back({field->description(), field->text()});
        dialog.userClick(dialog.at("cmdOK"));
    };
    run("mnuFileProperties");
    EXPECT_EQ(ts.session.findForm("frmProperties"), nullptr);  // OK closed it
    // Type = 1: intersection distances, whose total length is the farthest one.
    expectLines(shown, {{"File", path},
                        {"Size", std::to_string(bytes.size()) + " bytes"},
                        {"Number of values", "3"},
                        {"Total length", "1.04 m"},
                        {"Unsaved changes", "no"}});
    sheet.userClick(sheet.at("optData", 1));
    expectLines(DocumentPropertyLines(sheet), {{"Total length", "1.51 m"}, {"Unsaved changes", "yes"}});
}

}  // namespace
}  // namespace ravelin
