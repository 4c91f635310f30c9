// The acquisition and projection windows through the document registry as
// the datasheet goes through it: Save All, the modified marker and File >
// Properties.

#include <gtest/gtest.h>

#include <algorithm>

#include "acquisition/AcquisitionCommands.h"
#include "acquisition/DgtFormat.h"
#include "acquisition/ScanForm.h"
#include "core/FileFacts.h"
#include "core/TextCodec.h"
#include "documents/DocumentCommands.h"
#include "projection/ProjectionFixture.h"
#include "spacing/SpacingForm.h"

namespace ravelin {
namespace {

using testing::TempFolder;

std::string valueOf(const std::vector<PropertyLine>& lines, const std::string& label) {
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return l.label == label; });
    return found == lines.end() ? "(missing)" : found->value;
}

void drawTrace(ScanForm& scan, CanvasPoint a, CanvasPoint b) {
    scan.cmdDisc_Click();
    for (CanvasPoint p : {a, b}) {
        scan.userPointerPress(scan.canvas(), {double(p.x), double(p.y), buttons::Left});
        scan.userPointerRelease(scan.canvas(), {double(p.x), double(p.y), buttons::Left});
    }
}

TEST(DrawingDocuments, SaveAllSavesTheAcquisitionBesideTheDatasheetAndPropertiesTellItsContent) {
    testing::TestSession ts;
    TempFolder folder;
    ts.main->runCommand("mnuFileNewScan");
    ScanForm& scan = *acquisitionWindow(ts.session);
    scan.userType(scan.at("txtScale"), "24");
    drawTrace(scan, {100, 100}, {400, 120});
    auto& sheet = dynamic_cast<SpacingForm&>(ts.main->NewDocumentWindow(2));
    sheet.userType(sheet.at("txtFamily"), "J2");

    std::vector<PropertyLine> lines = DocumentPropertyLines(scan);
    EXPECT_EQ(valueOf(lines, "Document"), "Acquisition window");
    EXPECT_EQ(valueOf(lines, "File"), "not saved");
    EXPECT_EQ(valueOf(lines, "Unsaved changes"), "yes");
    EXPECT_EQ(valueOf(lines, "Traces"), "1");
    EXPECT_EQ(valueOf(lines, "Scanline"), "none");
    EXPECT_EQ(valueOf(lines, "Scale"), "24 m across the photograph");

    // Neither has a file: Save All asks a name for each, in the order they were opened.
    const std::string acquisition = folder.file("face.dgt"), datasheet = folder.file("face.spg");
    ts.platform.saveAnswers = {acquisition, datasheet};
    ts.main->runCommand("mnuFileSaveAll");
    ASSERT_EQ(ts.platform.saveDialogs.size(), 2u);
    EXPECT_EQ(ts.platform.saveDialogs[0].filter, "Digitized data (*.dgt)|*.dgt|All Files (*.*)|*.*");
    EXPECT_FALSE(IsModified(scan));
    EXPECT_FALSE(IsModified(sheet));
    EXPECT_EQ(ReadDigitizedFile(readFileBytes(acquisition).value()).document.geometry.traces,
              (std::vector<Trace>{{{100, 100}, {400, 120}}}));

    // Once named, Save All writes it back to its file without asking.
    drawTrace(scan, {500, 500}, {600, 650});
    ts.main->runCommand("mnuFileSaveAll");
    EXPECT_EQ(ts.platform.saveDialogs.size(), 2u);
    EXPECT_FALSE(IsModified(scan));
    EXPECT_EQ(ReadDigitizedFile(readFileBytes(acquisition).value()).document.geometry.traces.size(), 2u);

    lines = DocumentPropertyLines(scan);
    EXPECT_EQ(valueOf(lines, "File"), acquisition);
    EXPECT_EQ(valueOf(lines, "Size"), byteCountText(readFileBytes(acquisition)->size()));
    EXPECT_EQ(valueOf(lines, "Unsaved changes"), "no");
    EXPECT_EQ(valueOf(lines, "Traces"), "2");
}

TEST(DrawingDocuments, TheProjectionIsADocumentWithNothingToLose) {
    testing::ProjectionTool t;
    t.typeRows({{"120", "45"}, {"300", "10"}});
    ASSERT_TRUE(t.replace());
    const std::vector<PropertyLine> lines = DocumentPropertyLines(*t.plot);
    EXPECT_EQ(valueOf(lines, "Document"), "Stereographic projection");
    EXPECT_EQ(valueOf(lines, "Unsaved changes"), "no");
    EXPECT_EQ(valueOf(lines, "Plotted sets"), "1");
    EXPECT_EQ(valueOf(lines, "Readings"), "2");
    // Save All has nothing to ask of it.
    t.main->runCommand("mnuFileSaveAll");
    EXPECT_TRUE(t.platform.saveDialogs.empty());
    EXPECT_TRUE(t.platform.exportedDrawings.empty());
}

}  // namespace
}  // namespace ravelin
