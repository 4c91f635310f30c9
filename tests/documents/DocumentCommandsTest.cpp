#include "documents/DocumentCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <tuple>

#include "core/TextCodec.h"
#include "documents/DatasheetReport.h"
#include "documents/InfoBoxForm.h"
#include "documents/InfoText.h"
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
    // Runs a command whose file dialog the user cancels.
    void runCancelled(const std::string& command, std::optional<MessageAnswer> answer = {}) {
        if (answer) ts.platform.messageAnswers.push_back(*answer);
        (command == "mnuFileOpen" ? ts.platform.openAnswers : ts.platform.saveAnswers).push_back(std::nullopt);
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
    std::string logText() { return ts.session.form("frmLog").text("txtLog"); }
    std::string logFileText() { return readFileBytes(ts.session.logFilePath()).value_or(""); }
    // The Open commands' lines go to the log file alone, not to the Events log window.
    void expectLoggedToFileOnly(const std::string& line) {
        EXPECT_NE(logFileText().find("14:03:27  -  " + line + "\r\n"), std::string::npos) << line;
        EXPECT_EQ(logText().find(line), std::string::npos) << line;
    }
    const MessageRequest& lastMessage() { return ts.platform.told().back(); }
    InfoBoxForm& infoBox() { return ts.form<InfoBoxForm>("frmInfoBox"); }
    long datasheetCount() {
        return std::count_if(ts.session.forms().begin(), ts.session.forms().end(),
                             [](const auto& form) { return form->name() == "frmSpacing"; });
    }
};

// --------------------------------------------------------------------- Open

// Stands for the acquisition window, which brings its own file branches.
struct AcquisitionStandIn : Form {
    explicit AcquisitionStandIn(Session& session) : Form(session, "frmScan", "Acquisition Window - Digit 1") {}
};

TEST_F(DocumentCommands, OpenDialogPutsTheCurrentDocumentsKindFirst) {
    runCancelled("mnuFileOpen");
    newDatasheet();
    runCancelled("mnuFileOpen");
    ts.session.registerForm("frmScan", [](Session& s) { return std::make_unique<AcquisitionStandIn>(s); });
    ts.main->documentActivated(ts.session.form("frmScan"));
    run("mnuFileOpen", {}, folder.write("scan.dgt", "not for the Info box"));
    ASSERT_EQ(ts.platform.openDialogs.size(), 3u);
    EXPECT_EQ(ts.platform.openDialogs[0].filter.rfind("All Ravelin datafiles (*.dgt;*.spg)|", 0), 0u);
    EXPECT_EQ(ts.platform.openDialogs[1].filter.rfind("Spacing datasheet (*.spg)|*.spg|", 0), 0u);
    EXPECT_EQ(ts.platform.openDialogs[2].filter.rfind("Digitized datasheet (*.dgt)|*.dgt|", 0), 0u);
    // Cancelled: nothing opened, nothing said; a digitized datafile is never read as text into the Info box.
    EXPECT_EQ(datasheetCount(), 1);
    EXPECT_TRUE(ts.platform.told().empty());
    EXPECT_EQ(ts.session.findForm("frmInfoBox"), nullptr);
}

// An upper-case extension is still a datasheet, not a text for the Info box.
TEST_F(DocumentCommands, OpeningADatasheetCreatesItsWindowAndTableRowAndOpeningItAgainAsks) {
    const std::string path = folder.write("PROFILE.SPG", kSpgFile);
    SpacingForm& sheet = openDatasheet(path);
    EXPECT_EQ(sheet.caption(), path);  // not inside the current folder: the whole path
    EXPECT_EQ(sheet.text("txtFamily"), "J1");
    ASSERT_EQ(ts.session.moduleState<SpacingState>().datasheetTable.size(), 1u);
    EXPECT_EQ(ts.session.moduleState<SpacingState>().datasheetTable[0].path, path);
    EXPECT_EQ(ts.session.moduleState<SpacingState>().datasheetTable[0].window, &sheet);
    expectLoggedToFileOnly("Opening spacing datafile '" + path + "'");

    // Already opened: No leaves the window as it is, Yes reloads it.
    sheet.userType(sheet.at("txtFamily"), "edited");
    run("mnuFileOpen", MessageAnswer::No, path);
    ASSERT_EQ(ts.platform.told().size(), 1u);
    EXPECT_EQ(lastMessage().text, "The file '" + path + "' is already opened.\r\n\r\nDo you want to overwrite it?");
    EXPECT_EQ(sheet.text("txtFamily"), "edited");
    EXPECT_EQ(datasheetCount(), 1);
    run("mnuFileOpen", MessageAnswer::Yes, path);
    EXPECT_EQ(sheet.text("txtFamily"), "J1");
}

TEST_F(DocumentCommands, TextAndRichTextFilesGoToTheInfoBoxWithItsCaption) {
    for (const auto& [name, bytes, logLine] :
         {std::tuple{"report.txt", "line one\r\nline two", "Opening file '"},
          std::tuple{"REPORT.RTF", "{\\rtf1 \\b rich}", "Opening rich text file '"}}) {
        const std::string path = folder.write(name, bytes);
        run("mnuFileOpen", {}, path);
        EXPECT_EQ(infoBox().caption(), "Info box - " + path);
        expectLoggedToFileOnly(logLine + path + "'");
    }
    EXPECT_EQ(infoBox().document().plainText(), "rich");
    EXPECT_TRUE(infoBox().document().formatAt(1).bold);
}

// --------------------------------------------------------------------- Save

TEST_F(DocumentCommands, SavingANewDatasheetAsksForANameAndRemembersThePath) {
    SpacingForm& sheet = newDatasheet();
    sheet.userType(sheet.at("txtFamily"), "J2");
    const std::string path = folder.file("new.spg");
    run("mnuFileSave", {}, path);
    ASSERT_EQ(ts.platform.saveDialogs.size(), 1u);
    EXPECT_EQ(ts.platform.saveDialogs[0].fileName, "Data 1");
    EXPECT_TRUE(ts.platform.saveDialogs[0].confirmOverwrite);
    EXPECT_EQ(sheet.caption(), path);
    EXPECT_NE(readFileBytes(path).value_or("").find("Fami = J2\r\n"), std::string::npos);
    // The table row now names the file, so opening it again finds it already open.
    ASSERT_EQ(ts.session.moduleState<SpacingState>().datasheetTable.size(), 1u);
    EXPECT_EQ(ts.session.moduleState<SpacingState>().datasheetTable[0].path, path);
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

// Its caption is the Info box's own; it is still a datasheet, saved and printed as one.
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
    run("mnuFilePrint", MessageAnswer::No);
    EXPECT_EQ(lastMessage().text, "Print the contents of the current datasheet ?");
}

TEST_F(DocumentCommands, AFailedSaveKeepsTheMarkerAndTellsTheUser) {
    SpacingForm& sheet = newDatasheet();
    sheet.userType(sheet.at("txtFamily"), "J3");
    const std::string path = folder.file("missing-folder/new.spg");
    run("mnuFileSave", {}, path);
    EXPECT_EQ(sheet.caption(), "Data 1*");
    EXPECT_TRUE(sheet.filePath().empty());
    ASSERT_EQ(ts.platform.told().size(), 1u);
    EXPECT_EQ(lastMessage().text.rfind("The file '" + path + "' could not be saved.", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DocumentCommands, SaveAndSaveAsOfTheInfoBoxOfferRichAndPlainText) {
    ts.session.appendInfoText(titleBlock("Title\r\n"));
    ts.session.appendInfoText(bodyBlock("body"));
    activate(infoBox());
    const std::string txt = folder.file("report.txt");
    run("mnuFileSave", {}, txt);
    ASSERT_EQ(ts.platform.saveDialogs.size(), 1u);
    EXPECT_EQ(ts.platform.saveDialogs[0].filter, "Rich text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt");
    EXPECT_EQ(readFileBytes(txt), std::string("Title\r\nbody"));

    // Save As on the Info box is its Save, also once it holds an opened file.
    infoBox().setCaption("Info box - " + txt);
    const std::string rtf = folder.file("report.rtf");
    run("mnuFileSaveAs", {}, rtf);
    EXPECT_EQ(ts.platform.saveDialogs.size(), 2u);
    EXPECT_EQ(readFileBytes(rtf)->rfind("{\\rtf1", 0), 0u);
}

TEST_F(DocumentCommands, WithTheMainWindowCurrentOnlyPrintSpeaks) {
    for (const char* command : {"mnuFileSaveAs", "mnuFileSave", "mnuFileClose"}) run(command);
    EXPECT_TRUE(ts.platform.saveDialogs.empty());
    EXPECT_TRUE(ts.platform.told().empty());
    // Neither the main window nor a tool window has anything to print.
    run("mnuFilePrint");
    activate(ts.session.form("frmToolXYZ"));
    run("mnuFilePrint");
    EXPECT_EQ(ts.messageTexts(), (std::vector<std::string>(2, "   Nothing to print !")));
    EXPECT_TRUE(ts.platform.printDialogs.empty());
}

// -------------------------------------------------------------------- Close

TEST_F(DocumentCommands, CloseAsksAboutAModifiedDatasheetAndCancelYesAndNoDoWhatTheySay) {
    SpacingForm& sheet = newDatasheet();
    run("mnuFileClose", MessageAnswer::Cancel);
    EXPECT_EQ(sheet.caption(), "Data 1");  // unmodified: Cancel adds no marker
    sheet.userType(sheet.at("txtFamily"), "J4");
    run("mnuFileClose", MessageAnswer::Cancel);
    EXPECT_EQ(lastMessage().text, "Save 'Data 1' before closing ?");
    EXPECT_EQ(lastMessage().buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(ts.session.closeCancelled);
    runCancelled("mnuFileClose", MessageAnswer::Yes);  // Yes, but the Save As dialog is cancelled
    EXPECT_TRUE(ts.session.owns(&sheet));
    EXPECT_EQ(sheet.caption(), "Data 1*");
    EXPECT_TRUE(ts.session.closeCancelled);

    const std::string path = folder.file("closing.spg");
    run("mnuFileClose", MessageAnswer::Yes, path);
    EXPECT_EQ(datasheetCount(), 0);
    const std::string saved = readFileBytes(path).value_or("");
    EXPECT_NE(saved.find("Fami = J4"), std::string::npos);

    // No closes without saving, and the table row forgets the window.
    SpacingForm& again = openDatasheet(path);
    again.userType(again.at("txtFamily"), "not saved");
    run("mnuFileClose", MessageAnswer::No);
    EXPECT_EQ(datasheetCount(), 0);
    EXPECT_EQ(ts.session.currentDocument(), ts.main);
    EXPECT_EQ(ts.session.moduleState<SpacingState>().datasheetTable.at(0).window, nullptr);
    EXPECT_EQ(readFileBytes(path), saved);
    EXPECT_FALSE(ts.session.closeCancelled);
}

// -------------------------------------------------------------------- Print

TEST_F(DocumentCommands, ADatasheetPrintsItsReportAfterTheQuestion) {
    SpacingForm& sheet = openDatasheet(folder.write("profile.spg", kSpgFile));
    run("mnuFilePrint", MessageAnswer::No);
    EXPECT_EQ(lastMessage().text, "Print the contents of the current datasheet ?");
    EXPECT_TRUE(ts.platform.printDialogs.empty());

    ts.platform.printAnswers.push_back(false);  // the print dialog cancelled: no job
    for (int i = 0; i < 2; ++i) run("mnuFilePrint", MessageAnswer::Yes);
    EXPECT_EQ(ts.platform.printDialogs.size(), 2u);
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    EXPECT_EQ(ts.platform.printJobs[0]->richTexts, std::vector<RichText>{reportRichText(datasheetReportBlocks(sheet))});
    EXPECT_TRUE(ts.platform.printJobs[0]->ended);
}

TEST_F(DocumentCommands, TheInfoBoxPrintsItsTextThroughThePrintDialog) {
    ts.session.appendInfoText(titleBlock("Printed report"));
    activate(infoBox());
    run("mnuFilePrint");
    ts.platform.printAnswers.push_back(false);
    infoBox().setSelection(0, 7);
    run("mnuFilePrint");
    EXPECT_TRUE(ts.platform.told().empty());  // no question for the Info box
    ASSERT_EQ(ts.platform.printDialogs.size(), 2u);
    EXPECT_FALSE(ts.platform.printDialogs[0].offerSelection);
    EXPECT_TRUE(ts.platform.printDialogs[1].offerSelection);  // text selected: the choice is offered
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);              // the second dialog was cancelled
    EXPECT_EQ(ts.platform.printJobs[0]->richTexts[0], infoBox().document().richText());

    // "Selection" chosen in the dialog: only the selected part is printed.
    ts.platform.printSelectionOnly = true;
    run("mnuFilePrint");
    ASSERT_EQ(ts.platform.printJobs.size(), 2u);
    EXPECT_EQ(ts.platform.printJobs[1]->richTexts, std::vector<RichText>{infoBox().document().richText(0, 7)});
}

TEST_F(DocumentCommands, AChartPrintsItsBarsFittedToThePage) {
    SpacingForm& sheet = newDatasheet();
    long long row = 1;
    for (const char* value : {"0.4", "1.1", "0.7", "2.3", "0.9", "1.6", "3.2", "0.2"})
        sheet.setCell(0, row++, 1, value);
    sheet.userMouseMove();
    sheet.userClick(sheet.at("cmdHisto"));
    auto* chart = dynamic_cast<HistoForm*>(ts.session.moduleState<SpacingState>().currentChart);
    ASSERT_NE(chart, nullptr);
    activate(*chart);
    run("mnuFilePrint", MessageAnswer::Yes);
    EXPECT_EQ(lastMessage().text, "Print a draft copy of the current histogram ?");
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    ASSERT_EQ(ts.platform.printJobs[0]->pages.size(), 1u);
    const RecordingCanvas& page = *ts.platform.printJobs[0]->pages[0];

    // The double-size picture, reduced as much as the page needs and no more.
    const RecordingCanvas picture = ChartPicture(*chart);
    const double scale = std::min({1.0, page.width() / picture.width(), page.height() / picture.height()});
    const auto bars = picture.ofKind(DrawOp::Kind::FillBox);
    const auto printed = page.ofKind(DrawOp::Kind::FillBox);
    long long classes = 0;
    for (const HistogramRow& histogram : ts.session.moduleState<SpacingState>().histogramTable)
        if (histogram.chart == chart) classes = histogram.classes;
    ASSERT_GT(classes, 1);
    ASSERT_EQ(printed.size(), static_cast<size_t>(classes) + 1);  // the bars and the turned label's box
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
    // The axis labels go with the bars.
    const std::vector<std::string> texts = page.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), chart->at("lblTitre").text()), texts.end());

    chart->setCaption("Vario-Data 1");
    run("mnuFilePrint", MessageAnswer::No);
    EXPECT_EQ(lastMessage().text, "Print a draft copy of the current variogram ?");
    EXPECT_EQ(ts.platform.printJobs.size(), 1u);
}

TEST_F(DocumentCommands, SavingAChartExportsItsPictureAndReportsAFailure) {
    Form& chart = ts.main->NewDocumentWindow(0);
    activate(chart);
    // An active chart offers Save, Print and Copy, not Save As.
    for (const char* item : {"mnuFileSave", "mnuFilePrint", "mnuEdit"}) EXPECT_TRUE(ts.main->menuItem(item).enabled());
    EXPECT_TRUE(ts.main->toolButton("Save")->enabled());
    EXPECT_FALSE(ts.main->menuItem("mnuFileSaveAs").enabled());
    const std::string path = folder.file("chart");
    ts.platform.saveAnswers.push_back(path);
    ts.main->userClick(*ts.main->toolButton("Save"));
    ASSERT_EQ(ts.platform.saveDialogs.size(), 1u);
    EXPECT_EQ(ts.platform.saveDialogs[0].filter.rfind("Windows bitmap (*.bmp)|*.bmp", 0), 0u);
    // A name without a picture extension is a bitmap.
    EXPECT_EQ(ts.platform.exportedDrawings, std::vector<std::string>{path + ".bmp"});
    // The scripted platform has no painter: the user is told, no file is left.
    EXPECT_EQ(lastMessage().text.rfind("The file '" + path + ".bmp' could not be saved.", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(path + ".bmp"));
}

// ------------------------------------------------- the chosen file type decides

TEST_F(DocumentCommands, TheChosenFilterGivesABareNameItsExtensionAndItsFormat) {
    SpacingForm& sheet = newDatasheet();
    sheet.userType(sheet.at("txtFamily"), "J6");
    run("mnuFileSaveAs", {}, folder.file("survey"));
    EXPECT_EQ(sheet.filePath(), folder.file("survey.spg"));
    EXPECT_NE(readFileBytes(folder.file("survey.spg")).value_or("").find("Fami = J6"), std::string::npos);

    ts.session.appendInfoText(bodyBlock("plain words"));
    activate(infoBox());
    ts.platform.saveFilters = {2, 1};
    run("mnuFileSave", {}, folder.file("report"));
    run("mnuFileSave", {}, folder.file("rich"));
    EXPECT_EQ(readFileBytes(folder.file("report.txt")), std::string("plain words"));
    EXPECT_EQ(readFileBytes(folder.file("rich.rtf")).value_or("").rfind("{\\rtf1", 0), 0u);

    Form& chart = ts.main->NewDocumentWindow(0);
    activate(chart);
    ts.platform.saveFilters = {2};
    run("mnuFileSave", {}, folder.file("chart"));
    EXPECT_EQ(ts.platform.exportedDrawings, std::vector<std::string>{folder.file("chart.png")});
    // The scripted platform draws no pictures: the save is told as failed, with the chosen name.
    EXPECT_EQ(lastMessage().text.rfind("The file '" + folder.file("chart.png") + "' could not be saved.", 0), 0u);
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
    EXPECT_EQ(lastMessage().title, "Closing Ravelin");
    EXPECT_EQ(lastMessage().buttons, MessageButtons::YesNoCancel);
    // Nothing closed, nothing lost, and the answer No given before Cancel changed nothing either.
    EXPECT_TRUE(ts.session.owns(sheet));
    EXPECT_EQ(sheet->caption(), "Data 1*");
    EXPECT_EQ(infoBox().document().plainText(), "unsaved report");
    EXPECT_TRUE(infoBox().modified());
    EXPECT_NE(ts.session.findForm("frmLog"), nullptr);  // the other windows too
    EXPECT_TRUE(ts.platform.settings.empty());          // the placement is written only when the program ends
}

TEST_F(UnsavedDocuments, YesSavesNoDiscardsAndEachIsAskedOnce) {
    ts.platform.messageAnswers = {MessageAnswer::Yes, MessageAnswer::No};
    ts.platform.saveAnswers = {folder.file("kept")};
    EXPECT_TRUE(exitProgram());
    EXPECT_EQ(ts.platform.told().size(), 2u);
    EXPECT_NE(readFileBytes(folder.file("kept.rtf")).value_or("").find("unsaved report"), std::string::npos);
    EXPECT_TRUE(ts.session.forms().empty());
    EXPECT_EQ(std::count_if(std::filesystem::directory_iterator(folder.path), {},
                            [](const auto& entry) { return entry.path().extension() == ".spg"; }),
              0);
}

TEST_F(UnsavedDocuments, ASaveThatDidNotHappenStopsTheExit) {
    ts.platform.messageAnswers = {MessageAnswer::Yes};  // and the save dialog is cancelled
    ts.platform.saveAnswers = {std::nullopt};
    EXPECT_FALSE(exitProgram());
    EXPECT_EQ(ts.platform.told().size(), 1u);
    EXPECT_TRUE(ts.session.owns(&infoBox()));
    EXPECT_TRUE(ts.session.owns(sheet));
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
    ts.platform.saveAnswers = {folder.file("box"), folder.file("new")};
    run("mnuFileSaveAll");
    // The Info box and the new datasheet (in the order they came) had no name; the opened
    // datasheet went back to its file.
    EXPECT_EQ(ts.platform.saveDialogs.size(), 2u);
    EXPECT_EQ(sheet->caption(), folder.file("new.spg"));
    EXPECT_EQ(known.caption(), opened);
    EXPECT_NE(readFileBytes(opened).value_or("").find("Loca = East"), std::string::npos);
    EXPECT_FALSE(infoBox().modified());
    EXPECT_FALSE(std::filesystem::exists(folder.file("untouched.spg")));  // unchanged: not written
    EXPECT_EQ(untouched.caption(), folder.file("untouched.spg"));

    // Saved once, the Info box goes back to its own file without a question.
    ts.session.appendInfoText(bodyBlock(" and more"));
    run("mnuFileSaveAll");
    EXPECT_EQ(ts.platform.saveDialogs.size(), 2u);
    EXPECT_NE(readFileBytes(folder.file("box.rtf")).value_or("").find("and more"), std::string::npos);
}

// --------------------------------------------------------------- Properties

TEST_F(DocumentCommands, PropertiesTellTheFileAndWhatTheDocumentHolds) {
    const std::string path = folder.write("profile.spg", kSpgFile);
    SpacingForm& sheet = openDatasheet(path);
    std::vector<std::pair<std::string, std::string>> shown;
    ts.platform.modalHandler = [&](Form& dialog) {
        for (int i = 0; Control* field = dialog.find("txtProperty", i); ++i)
            shown.emplace_back(field->description(), field->text());
        dialog.userClick(dialog.at("cmdOK"));
        EXPECT_FALSE(dialog.visible());
    };
    run("mnuFileProperties");
    EXPECT_EQ(ts.platform.modalForms, std::vector<std::string>{"frmProperties"});
    EXPECT_EQ(ts.session.findForm("frmProperties"), nullptr);
    const std::map<std::string, std::string> lines(shown.begin(), shown.end());
    EXPECT_EQ(lines.at("Document"), "Spacing datasheet");
    EXPECT_EQ(lines.at("File"), path);
    EXPECT_EQ(lines.at("Size"), std::to_string(std::string(kSpgFile).size()) + " bytes");
    EXPECT_EQ(lines.count("Modified"), 1u);
    // Type = 1: intersection distances, whose total length is the farthest one.
    EXPECT_EQ(lines.at("Data type"), "Intersection distances");
    EXPECT_EQ(lines.at("Number of values"), "3");
    EXPECT_EQ(lines.at("Total length"), "1.04 m");
    EXPECT_EQ(lines.at("Unsaved changes"), "no");
    sheet.userClick(sheet.at("optData", 1));
    const auto spacings = DocumentPropertyLines(sheet);
    EXPECT_NE(std::find(spacings.begin(), spacings.end(), PropertyLine{"Total length", "1.51 m"}), spacings.end());
    EXPECT_NE(std::find(spacings.begin(), spacings.end(), PropertyLine{"Unsaved changes", "yes"}), spacings.end());

    ts.session.appendInfoText(bodyBlock("Title\r\nbody"));
    EXPECT_EQ(DocumentPropertyLines(infoBox()), (std::vector<PropertyLine>{{"Document", "Info box"},
                                                                           {"Window", "InfoBox"},
                                                                           {"File", "not saved"},
                                                                           {"Unsaved changes", "yes"},
                                                                           {"Characters", "9"},
                                                                           {"Paragraphs", "2"}}));
}

TEST_F(DocumentCommands, PropertiesOfAChartAndWithoutADocument) {
    run("mnuFileProperties");
    EXPECT_EQ(lastMessage().text, "   No document is open.");
    EXPECT_TRUE(ts.platform.modalForms.empty());

    // Intersection distances in increasing order, as a histogram needs them.
    SpacingForm& sheet = openDatasheet(folder.write("profile.spg", "Type = 1\r\n0.12\r\n0.35\r\n1.04\r\n"));
    sheet.userClick(sheet.at("cmdHisto"));
    EXPECT_EQ(ts.platform.told().size(), 1u);  // "No document is open." alone
    auto* chart = dynamic_cast<HistoForm*>(ts.session.moduleState<SpacingState>().currentChart);
    ASSERT_NE(chart, nullptr);
    const auto lines = DocumentPropertyLines(*chart);
    const HistogramFigures& figures = chart->histogram()->figures;
    EXPECT_EQ(lines.at(0), (PropertyLine{"Document", "Chart window"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), PropertyLine{"Chart", "Histogram"}), lines.end());
    // The classes the options window shows for it.
    const Form& tools = ts.session.form("frmHistoTools");
    EXPECT_NE(std::find(lines.begin(), lines.end(), PropertyLine{"Classes", tools.text("Text2", 1)}), lines.end());
    EXPECT_EQ(figures.n, 3);
    // The options window, though its caption begins like a chart's, is no document.
    EXPECT_TRUE(DocumentPropertyLines(tools).empty());
}

}  // namespace
}  // namespace ravelin
