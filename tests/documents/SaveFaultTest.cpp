// Saves that meet a write fault: for every document kind the earlier file
// survives byte for byte, no temporary is left, the "*" stays, the user is told.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "acquisition/AcquisitionCommands.h"
#include "acquisition/ScanForm.h"
#include "core/TextCodec.h"
#include "documents/InfoBoxForm.h"
#include "projection/ProjectionFixture.h"
#include "spacing/SpacingForm.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TempFolder;
using testing::TestSession;

struct Fault {
    WriteFault fault;
    const char* name;
    const char* reason;  // the end of the sentence the user reads
};

// The reasons are the system's own words for each failure (strerror).
const Fault kFaults[] = {
    {WriteFault::NoPermission, "no permission", "Permission denied"},
    {WriteFault::NoSpace, "no space", "No space left on device"},
    {WriteFault::MidWrite, "halfway", "Input/output error"},
    {WriteFault::Rename, "final rename", "Permission denied"},
};

const char* const kOriginal = "the file as it was before the save\r\n";

std::set<std::string> filesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// One File > Save that meets `f`; `target` holds kOriginal before and after.
// `stillModified` is empty for a kind without a modified marker.
void expectFailedSave(TestSession& ts, const TempFolder& folder, const Fault& f, const std::string& target,
                      const std::function<bool()>& stillModified, const std::string& dialogAnswer = {}) {
    const std::set<std::string> before = filesIn(folder.path);
    ts.platform.forgetMessages();
    ts.platform.writeFaults = {f.fault};
    if (!dialogAnswer.empty()) ts.platform.saveAnswers.push_back(dialogAnswer);
    ts.platform.messageAnswers.push_back(MessageAnswer::Ok);  // the failure's message
    ts.main->runCommand("mnuFileSave");
    EXPECT_TRUE(ts.platform.writeFaults.empty()) << f.name << ": the save wrote nothing";
    EXPECT_EQ(readFileBytes(target), std::string(kOriginal)) << f.name;
    EXPECT_EQ(filesIn(folder.path), before) << f.name << ": a temporary file was left";
    if (stillModified) {
        EXPECT_TRUE(stillModified()) << f.name;
    }
    ASSERT_EQ(ts.platform.told().size(), 1u) << f.name;
    const MessageRequest& told = ts.platform.told()[0];
    EXPECT_EQ(told.text.rfind("The file '" + target + "' could not be saved.\r\n", 0), 0u) << told.text;
    EXPECT_TRUE(told.text.ends_with(f.reason)) << f.name << ": " << told.text;
    EXPECT_TRUE(ts.platform.messageAnswers.empty()) << f.name << ": the message was not asked";
}

class SaveFaults : public ::testing::Test {
protected:
    TestSession ts;
    TempFolder folder;

    void activate(Form& window) {
        ts.session.setActiveForm(&window);
        window.userActivate();
    }
    // A document with its "*" and the path of its file: every fault, then a save that writes `piece`.
    void expectFaultsThenSave(Form& window, const std::string& path, const std::string& piece) {
        ASSERT_TRUE(IsModified(window));
        for (const Fault& f : kFaults) expectFailedSave(ts, folder, f, path, [&] { return IsModified(window); });
        ts.main->runCommand("mnuFileSave");
        EXPECT_NE(readFileBytes(path).value_or("").find(piece), std::string::npos);
        EXPECT_FALSE(IsModified(window));
    }
};

TEST_F(SaveFaults, ADatasheetKeepsItsFileAndItsMarker) {
    const std::string path = folder.write("survey.spg", kOriginal);
    auto& sheet = dynamic_cast<SpacingForm&>(ts.main->NewDocumentWindow(2));
    activate(sheet);
    sheet.setFilePath(path);
    sheet.userType(sheet.at("txtFamily"), "J7");
    expectFaultsThenSave(sheet, path, "Fami = J7");
}

TEST_F(SaveFaults, AnAcquisitionKeepsItsFileAndItsMarker) {
    const std::string path = folder.write("cliff.dgt", kOriginal);
    ts.main->runCommand("mnuFileNewScan");
    ScanForm& scan = *acquisitionWindow(ts.session);
    activate(scan);
    scan.setFilePath(path);
    scan.cmdDisc_Click();
    for (double x : {100.0, 400.0}) {
        scan.userPointerPress(scan.canvas(), {x, 100, buttons::Left});
        scan.userPointerRelease(scan.canvas(), {x, 100, buttons::Left});
    }
    expectFaultsThenSave(scan, path, "100,100,400,100");
}

TEST_F(SaveFaults, TheInfoBoxKeepsItsFileAndItsUnsavedReports) {
    const std::string path = folder.write("report.txt", kOriginal);
    ts.session.appendInfoText(bodyBlock("a report no file holds"));
    auto& box = dynamic_cast<InfoBoxForm&>(ts.session.form("frmInfoBox"));
    activate(box);
    ASSERT_TRUE(box.modified());
    // The Info box asks for a name at each Save; the file exists and is chosen again.
    for (const Fault& f : kFaults)
        expectFailedSave(
            ts, folder, f, path, [&] { return box.modified(); }, path);

    ts.platform.saveAnswers.push_back(path);
    ts.main->runCommand("mnuFileSave");
    EXPECT_EQ(readFileBytes(path), std::string("a report no file holds"));
    EXPECT_FALSE(box.modified());
}

TEST_F(SaveFaults, AChartPictureKeepsTheEarlierPicture) {
    const std::string path = folder.write("chart.png", kOriginal);
    Form& chart = ts.main->NewDocumentWindow(0);
    activate(chart);
    // A chart holds nothing a file lacks: there is no marker to keep, only the picture and the message.
    for (const Fault& f : kFaults) expectFailedSave(ts, folder, f, path, {}, path);
}

TEST(SaveFaultsProjection, AProjectionPictureKeepsTheEarlierPicture) {
    testing::ProjectionTool t;
    TempFolder folder;
    const std::string path = folder.write("net.png", kOriginal);
    t.typeRows({{"120", "45"}});
    ASSERT_TRUE(t.replace());
    t.session.setActiveForm(t.plot);
    t.plot->userActivate();
    for (const Fault& f : kFaults) expectFailedSave(t, folder, f, path, {}, path);
}

}  // namespace
}  // namespace ravelin
