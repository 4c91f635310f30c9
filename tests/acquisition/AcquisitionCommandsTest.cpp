// The main window's side of the acquisition window: "New acquisition
// window" and its save question, and the menu commands that need it.

#include <gtest/gtest.h>

#include "ScanWindowFixture.h"

namespace ravelin {
namespace {

using testing::ScanWindowTest;

TEST_F(ScanWindowTest, ItsCommandsComeAndGoWithTheWindow) {
    auto commandsAre = [&](bool enabled) {
        for (const char* item : {"mnuFileOpenImage", "mnuDataShowJab", "mnuDataExpScan", "mnuDataClearDisc",
                                 "mnuDataClearWin", "mnuFileSave", "mnuFileSaveAs", "mnuFilePrint", "mnuEdit"})
            if (ts.main->menuItem(item).enabled() != enabled) return false;
        return true;
    };
    EXPECT_TRUE(commandsAre(false));
    newWindow();
    EXPECT_TRUE(commandsAre(true));
    ts.platform.messageAnswers.push_back(MessageAnswer::No);  // not saved
    ts.main->runCommand("mnuFileClose");
    ASSERT_EQ(acquisitionWindow(ts.session), nullptr);
    EXPECT_TRUE(commandsAre(false));
}

TEST_F(ScanWindowTest, ANewWindowOrTheTitleBarAsksToSaveAModifiedWindow) {
    newWindow();
    drawTraces({{{10, 10}, {100, 100}}});
    ScanForm* first = scan;
    const std::string question = "Save 'Acquisition Window - Digit 1' before closing ?";

    // Cancelled: the window stays, with its marker, and nothing is counted.
    ts.platform.messageAnswers.push_back(MessageAnswer::Cancel);
    ts.main->runCommand("mnuFileNewScan");
    EXPECT_EQ(acquisitionWindow(ts.session), first);
    EXPECT_EQ(first->caption(), "Acquisition Window - Digit 1*");
    EXPECT_EQ(ts.messageTexts(), std::vector<std::string>{question});

    // No: a fresh window, empty.
    ts.platform.messageAnswers.push_back(MessageAnswer::No);
    newWindow();
    EXPECT_TRUE(scan->geometry().traces.empty());
    // Unmodified, it is replaced or closed from the title bar without a question.
    newWindow();
    EXPECT_TRUE(ts.session.closeForm(*scan));
    EXPECT_EQ(ts.messageTexts().size(), 2u);

    newWindow();
    typeScale("12");
    ts.platform.messageAnswers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(ts.session.closeForm(*scan));
    EXPECT_EQ(ts.messageTexts().back(), "Save 'Acquisition Window - Digit 4' before closing ?");
    ts.platform.messageAnswers.push_back(MessageAnswer::No);
    EXPECT_TRUE(ts.session.closeForm(*scan));
    EXPECT_EQ(acquisitionWindow(ts.session), nullptr);
}

}  // namespace
}  // namespace ravelin
