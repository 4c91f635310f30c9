// The registry of document kinds: how a window and a file find their kind,
// and a kind registered later without the handlers its window brings.

#include "documents/DocumentKinds.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/MainForm.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TestSession;

std::string kindName(const DocumentKind* kind) { return kind ? kind->name : "none"; }

TEST(DocumentKindsTest, AWindowIsKnownByItsNameFirstThenByItsCaption) {
    TestSession ts;
    const DocumentKinds& kinds = documentKinds(ts.session);
    const std::tuple<const char*, const char*, const char*> windows[] = {
        {"frmSpacing", "Data 1", "datasheet"},
        {"frmSpacing", "InfoBox", "datasheet"},  // a datasheet saved as "InfoBox"
        {"frmInfoBox", "Info box - /r/a.txt", "infobox"},
        {"frmHisto", "Histo-Data 1", "chart"},
        {"frmHisto", "Vario-Data 1", "variogram"},
        {"frmOther", "Acquisition Window - Digit 1", "acquisition"},
        {"frmHistoTools", "Histo-options", "none"},  // a tool window, though its caption begins like a chart's
        {"frmOther", "InfoBox", "none"},             // the Info box is known by its name alone
    };
    for (const auto& [name, caption, expected] : windows) {
        Form window(ts.session, name, caption);
        EXPECT_EQ(kindName(kinds.of(&window)), expected) << name << " " << caption;
    }
    // The main window stands for no document, whatever it is called.
    ts.main->setCaption("Histo");
    EXPECT_EQ(kinds.of(ts.main), nullptr);
    EXPECT_EQ(kinds.of(nullptr), nullptr);
}

TEST(DocumentKindsTest, AFileIsOpenedByTheKindListingItsExtensionOrByTheInfoBox) {
    TestSession ts;
    const DocumentKinds& kinds = documentKinds(ts.session);
    const std::pair<const char*, const char*> files[] = {
        {"/d/A.SPG", "datasheet"}, {"/d/scan.dgt", "acquisition"}, {"/d/r.RTF", "infobox"},
        {"/d/README", "infobox"},  {"/d.spg/plain", "infobox"},  // the dot of a folder is no extension
    };
    for (const auto& [path, expected] : files) EXPECT_EQ(kindName(kinds.forFile(path)), expected) << path;
    EXPECT_EQ(DocumentKinds().forFile("/d/a.spg"), nullptr);  // no kinds registered: nothing opens it
}

// Stands for the acquisition window.
struct AcquisitionStandIn : Form {
    explicit AcquisitionStandIn(Session& session) : Form(session, "frmScan", "Acquisition Window - Digit 1") {}
};

// The acquisition kind registered again without the handlers its window
// brings: the File commands have nothing to do, and its files are still not
// read as text by the Info box.
TEST(RegisteredLater, AKindWithoutHandlersLeavesEveryFileCommandWithNothingToDo) {
    TestSession ts;
    ts.session.registerForm("frmScan", [](Session& s) { return std::make_unique<AcquisitionStandIn>(s); });
    Form& scan = ts.session.form("frmScan");
    ts.session.setActiveForm(&scan);
    ts.main->documentActivated(scan);
    DocumentKind kind = *documentKinds(ts.session).forFile("a.dgt");
    kind.open = nullptr;
    kind.save = kind.saveAs = nullptr;
    kind.print = nullptr;
    documentKinds(ts.session).add(kind);  // in place of the one of its name
    ts.platform.openAnswers.push_back("/data/cliff.dgt");
    for (const char* command : {"mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "mnuFilePrint"})
        ts.main->runCommand(command);
    EXPECT_EQ(ts.platform.openDialogs.at(0).fileName, "*.dgt");
    EXPECT_TRUE(ts.platform.saveDialogs.empty());
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"   Nothing to print !"});  // no question first
    EXPECT_EQ(ts.session.findForm("frmInfoBox"), nullptr);                            // the .dgt was not read as text
}

}  // namespace
}  // namespace ravelin
