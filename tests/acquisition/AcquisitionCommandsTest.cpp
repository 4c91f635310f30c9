// The main window's side of the acquisition window: "New acquisition
// window" and its save question, the toolbar buttons shown while the window
// exists and enabled while it is active, and the menu commands that need it.

#include <gtest/gtest.h>

#include "ScanWindowFixture.h"

namespace ravelin {
namespace {

using testing::ScanWindowTest;

TEST_F(ScanWindowTest, TheToolbarButtonsAndCommandsComeAndGoWithTheWindow) {
    auto buttonsAre = [&](bool visible, bool enabled) {
        for (const std::string& key : testing::kAcquisitionButtons) {
            const Control& b = *ts.main->toolButton(key);
            if (b.visible() != visible || b.enabled() != enabled) return false;
        }
        return true;
    };
    auto commandsAre = [&](bool enabled) {
        for (const char* item : {"mnuFileOpenImage", "mnuDataShowJab", "mnuDataExpScan", "mnuDataClearDisc",
                                 "mnuDataClearWin", "mnuFileSave", "mnuFileSaveAs", "mnuFilePrint", "mnuEdit"})
            if (ts.main->menuItem(item).enabled() != enabled) return false;
        return true;
    };
    EXPECT_TRUE(buttonsAre(false, false));
    EXPECT_TRUE(commandsAre(false));
    EXPECT_TRUE(ts.main->menuItem("mnuFileNewScan").enabled());

    newWindow();
    EXPECT_TRUE(buttonsAre(true, true));
    EXPECT_TRUE(commandsAre(true));
    scan->userDeactivate();
    EXPECT_TRUE(buttonsAre(true, false));
    activate(*scan);
    EXPECT_TRUE(buttonsAre(true, true));
    ts.platform.messageAnswers.push_back(MessageAnswer::No);  // not saved
    ts.main->runCommand("mnuFileClose");
    ASSERT_EQ(acquisitionWindow(ts.session), nullptr);
    EXPECT_TRUE(buttonsAre(false, false));
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
    EXPECT_EQ(messageTexts(), std::vector<std::string>{question});

    // No: a fresh window, empty, with the next number, its buttons released.
    ts.platform.messageAnswers.push_back(MessageAnswer::No);
    newWindow();
    EXPECT_EQ(scan->caption(), "Acquisition Window - Digit 2");
    EXPECT_TRUE(scan->geometry().traces.empty());
    EXPECT_EQ(pressed("Discont"), 0);
    // Unmodified, it is replaced or closed from the title bar without a question.
    newWindow();
    EXPECT_EQ(scan->caption(), "Acquisition Window - Digit 3");
    EXPECT_TRUE(ts.session.closeForm(*scan));
    EXPECT_EQ(messageTexts().size(), 2u);

    newWindow();
    typeScale("12");
    ts.platform.messageAnswers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(ts.session.closeForm(*scan));
    EXPECT_EQ(messageTexts().back(), "Save 'Acquisition Window - Digit 4' before closing ?");
    ts.platform.messageAnswers.push_back(MessageAnswer::No);
    EXPECT_TRUE(ts.session.closeForm(*scan));
    EXPECT_EQ(acquisitionWindow(ts.session), nullptr);
}

TEST_F(ScanWindowTest, TheDrawingButtonsExcludeOneAnotherAndFollowTheWindowsOwnButtons) {
    newWindow();
    const struct {
        const char* key;
        const char* windowButton;
        DrawingMode mode;
    } modes[] = {
        {"Discont", "cmdDisc", DrawingMode::Discontinuity},
        {"Scanline", "cmdScanline", DrawingMode::Scanline},
        {"Contour", "cmdDraw", DrawingMode::Contour},
        {"Rectangle", "cmdRectangle", DrawingMode::None},
    };
    for (const auto& m : modes) {
        // From the toolbar, then from the window's own button: the same state either way.
        for (bool fromToolbar : {true, false}) {
            if (fromToolbar) toolbar(m.key);
            else button(m.windowButton);
            EXPECT_EQ(scan->editor().mode(), m.mode) << m.key;
            for (const auto& other : modes) {
                EXPECT_EQ(pressed(other.key), &other == &m ? 1 : 0) << m.key << " / " << other.key;
                EXPECT_EQ(scan->at(other.windowButton).value(), &other == &m ? 1 : 0) << m.key;
            }
        }
    }
    // Pressed again, a pressed button stays pressed: the mode goes on.
    toolbar("Discont");
    toolbar("Discont");
    EXPECT_EQ(pressed("Discont"), 1);
    EXPECT_EQ(scan->editor().mode(), DrawingMode::Discontinuity);
}

}  // namespace
}  // namespace ravelin
