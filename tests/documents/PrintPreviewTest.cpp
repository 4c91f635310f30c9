// The preview shows what File > Print prints, for every window that prints;
// a failed print, from either, is told and logged.

#include "documents/PrintPreview.h"

#include <gtest/gtest.h>

#include "core/Canvas.h"
#include "core/TextCodec.h"
#include "spacing/HistoForm.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingState.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TempFolder;
using testing::TestSession;

// The kind of window: "InfoBox", "Datasheet" or "Chart".
struct Printing : ::testing::TestWithParam<std::string> {
    TestSession ts;
    TempFolder folder;

    Printing() { ts.platform.folder = folder.path.string(); }

    // The window of the kind under test, active, with something to print.
    Form& printable() {
        Form* window = nullptr;
        if (GetParam() == "InfoBox") {
            ts.session.appendInfoText({"Wedge failure", 1, 14, ""});
            ts.session.appendInfoText({"\r\nF = 1.32", 0, 0, ""});
            window = &ts.session.form("frmInfoBox");
        } else {
            auto& sheet = dynamic_cast<SpacingForm&>(ts.main->NewDocumentWindow(2));
            long long row = 1;
            for (const char* value : {"0.4", "1.1", "0.7", "2.3", "0.9", "1.6"}) sheet.setCell(0, row++, 1, value);
            sheet.setText("txtComment", -1, "North face");
            sheet.userMouseMove();
            window = &sheet;
            if (GetParam() == "Chart") {
                sheet.userClick(sheet.at("cmdHisto"));
                window = ts.session.moduleState<SpacingState>().currentChart;
            }
        }
        ts.session.setActiveForm(window);
        window->userActivate();
        return *window;
    }
    // Print asks first for a datasheet and a chart; Yes goes ahead.
    void print() {
        if (GetParam() != "InfoBox") ts.platform.messageAnswers.push_back(MessageAnswer::Yes);
        ts.main->runCommand("mnuFilePrint");
    }
};

bool sameOps(const RecordingCanvas& a, const RecordingCanvas& b) {
    // ops() unpacks the compact store into a new list on each call: taken once, held here.
    const std::vector<DrawOp> as = a.ops(), bs = b.ops();
    if (as.size() != bs.size() || a.width() != b.width() || a.height() != b.height()) return false;
    for (size_t i = 0; i < as.size(); ++i) {
        const DrawOp& x = as[i];
        const DrawOp& y = bs[i];
        if (x.kind != y.kind || x.x1 != y.x1 || x.y1 != y.y1 || x.x2 != y.x2 || x.y2 != y.y2 || !(x.color == y.color) ||
            x.text != y.text || !(x.font == y.font))
            return false;
    }
    return true;
}

// What two jobs put on paper is the same: the texts, or the pages' drawings.
void expectSameContent(const RecordingPrintJob& a, const RecordingPrintJob& b) {
    EXPECT_EQ(a.richTexts, b.richTexts);
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (size_t i = 0; i < a.pages.size(); ++i) EXPECT_TRUE(sameOps(*a.pages[i], *b.pages[i])) << "page " << i;
    EXPECT_FALSE(a.richTexts.empty() && a.pages.empty());  // something was printed at all
}

TEST_P(Printing, ThePreviewShowsWhatPrintPrintsAndAFailedPrintIsToldAndLogged) {
    Form& window = printable();
    size_t messagesBefore = ts.platform.told().size();
    ts.main->runCommand("mnuFilePrintPreview");
    EXPECT_EQ(ts.platform.told().size(), messagesBefore);  // no "Print ... ?" question
    ASSERT_EQ(ts.platform.previewDialogs.size(), 1u);
    EXPECT_EQ(ts.platform.previewDialogs[0].documentName, window.caption());
    EXPECT_TRUE(ts.platform.printJobs.empty());  // closed without printing
    ts.platform.printAnswers.push_back(false);   // the print dialog cancelled: nothing to tell
    print();
    EXPECT_TRUE(ts.platform.printJobs.empty());
    print();
    ASSERT_EQ(ts.platform.printJobs.size(), 1u);
    EXPECT_EQ(ts.platform.printDialogs.back().documentName, window.caption());
    expectSameContent(*ts.platform.previews[0], *ts.platform.printJobs[0]);

    // A failing printer, from the print dialog and from the preview's own Print button.
    messagesBefore = ts.platform.told().size();
    ts.platform.printFailure = "The printer is out of paper.";
    print();
    ts.platform.previewPrintAnswers.push_back(true);
    ts.main->runCommand("mnuFilePrintPreview");
    ASSERT_EQ(ts.platform.printJobs.size(), 3u);
    expectSameContent(*ts.platform.previews[1], *ts.platform.printJobs[2]);
    int told = 0;
    for (size_t i = messagesBefore; i < ts.platform.told().size(); ++i) {
        const MessageRequest& message = ts.platform.told()[i];
        if (message.icon == MessageIcon::Question) continue;  // Print's own question
        EXPECT_EQ(message.text, "The document could not be printed.\r\nThe printer is out of paper.");
        ++told;
    }
    EXPECT_EQ(told, 2);
    const std::string line = "Printing '" + window.caption() + "' failed: The printer is out of paper.";
    const std::string log = readFileBytes(ts.session.logFilePath()).value_or("");
    const size_t first = log.find(line);
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_NE(log.find(line, first + 1), std::string::npos);  // once for each failed print
}

INSTANTIATE_TEST_SUITE_P(EveryPrintingWindow, Printing, ::testing::Values("InfoBox", "Datasheet", "Chart"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace ravelin
