// The registry of document kinds: how a window and a file find their kind,
// and a kind registered later taking every File command for its windows and
// files, or leaving out what it does not do.

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
        {"frmSpacing", "Histo.spg", "datasheet"},
        {"frmInfoBox", "Info box - /r/a.txt", "infobox"},
        {"frmHisto", "Histo-Data 1", "chart"},
        {"frmHisto", "Vario-Data 1", "variogram"},
        {"frmScan", "Scan 1", "acquisition"},
        {"frmOther", "Acquisition Window - Digit 1", "acquisition"},
        {"frmToolXYZ", "XYZ - Tool", "none"},
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
        {"/d/a.spg", "datasheet"}, {"/d/A.SPG", "datasheet"},   {"/d/scan.dgt", "acquisition"},
        {"/d/r.RTF", "infobox"},   {"/d/notes.txt", "infobox"}, {"/d/data.csv", "infobox"},
        {"/d/README", "infobox"},  {"/d.spg/plain", "infobox"},  // the dot of a folder is no extension
    };
    for (const auto& [path, expected] : files) EXPECT_EQ(kindName(kinds.forFile(path)), expected) << path;
    EXPECT_EQ(DocumentKinds().forFile("/d/a.spg"), nullptr);  // no kinds registered: nothing opens it
}

TEST(DocumentKindsTest, AKindAddedAgainReplacesTheOneOfItsName) {
    auto kind = [](const char* name, std::vector<std::string> extensions) {
        DocumentKind k;
        k.name = name;
        k.extensions = std::move(extensions);
        return k;
    };
    DocumentKinds kinds;
    kinds.add(kind("first", {".a"}));
    kinds.add(kind("second", {".a", ".b"}));
    kinds.add(kind("first", {".c"}));
    ASSERT_EQ(kinds.all().size(), 2u);
    EXPECT_EQ(kinds.all()[0].name, "first");  // in its place
    EXPECT_EQ(kindName(kinds.forFile("x.a")), "second");
    EXPECT_EQ(kindName(kinds.forFile("x.c")), "first");
}

// Stands for the acquisition window.
struct AcquisitionStandIn : Form {
    explicit AcquisitionStandIn(Session& session) : Form(session, "frmScan", "Acquisition Window - Digit 1") {}
};

struct RegisteredLater : ::testing::Test {
    TestSession ts;
    std::vector<std::string> calls;
    Form* scan = nullptr;

    void SetUp() override {
        ts.session.registerForm("frmScan", [](Session& s) { return std::make_unique<AcquisitionStandIn>(s); });
        scan = &ts.session.form("frmScan");
        ts.session.setActiveForm(scan);
        ts.main->documentActivated(*scan);
    }
    // The acquisition kind again: its handlers record their calls, or it has none and does nothing.
    void replaceKind(bool withHandlers) {
        DocumentKind kind = *documentKinds(ts.session).forFile("a.dgt");
        auto record = [this](const std::string& call) {
            return [this, call](Form& window) {
                calls.push_back(call + " " + window.caption());
                return true;
            };
        };
        kind.open = nullptr;
        kind.save = kind.saveAs = nullptr;
        kind.print = nullptr;
        if (withHandlers) {
            kind.open = [this](Session&, const std::string& path) { calls.push_back("open " + path); };
            kind.save = record("save");
            kind.saveAs = record("saveAs");
            kind.close = record("close");
            kind.print = record("print");
        }
        documentKinds(ts.session).add(kind);
    }
    void run(const char* command, std::optional<MessageAnswer> answer = {}) {
        if (answer) ts.platform.messageAnswers.push_back(*answer);
        ts.main->runCommand(command);
    }
};

TEST_F(RegisteredLater, ItsHandlersTakeEveryFileCommandAndWithoutThemItHasNothingToDo) {
    replaceKind(false);
    ts.platform.openAnswers.push_back("/data/cliff.dgt");
    for (const char* command : {"mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "mnuFilePrint"}) run(command);
    EXPECT_EQ(ts.platform.openDialogs.at(0).fileName, "*.dgt");
    EXPECT_TRUE(ts.platform.saveDialogs.empty());
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{"   Nothing to print !"});  // no question first
    EXPECT_EQ(ts.session.findForm("frmInfoBox"), nullptr);                            // the .dgt was not read as text
    ts.platform.forgetMessages();

    replaceKind(true);
    ts.platform.openAnswers.push_back("/data/CLIFF.DGT");
    run("mnuFileOpen");
    run("mnuFileSave");
    run("mnuFileSaveAs");
    run("mnuFilePrint", MessageAnswer::No);
    run("mnuFilePrint", MessageAnswer::Yes);
    MarkModified(*scan);
    run("mnuFileClose", MessageAnswer::Yes);  // saved, then closed by the kind
    const std::string caption = "Acquisition Window - Digit 1";
    EXPECT_EQ(calls, (std::vector<std::string>{"open /data/CLIFF.DGT", "save " + caption, "saveAs " + caption,
                                               "print " + caption, "save " + caption, "close " + caption}));
    EXPECT_EQ(ts.messageTexts(), (std::vector<std::string>{"Print a draft copy of the current Acquisition window ?",
                                                           "Print a draft copy of the current Acquisition window ?",
                                                           "Save '" + caption + "' before closing ?"}));
    EXPECT_TRUE(ts.session.owns(scan));  // the kind's close handler decides; this one keeps it
}

}  // namespace
}  // namespace ravelin
