// The main window's logic: start-up and shut-down, placement in the
// settings store, menus and toolbar, tool windows, options dialog, Edit.

#include <gtest/gtest.h>

#include <array>

#include "core/SessionForms.h"
#include "core/Startup.h"
#include "support/TestSession.h"

namespace ravelin {
namespace {

using testing::TestSession;

const std::string kKey = "Ravelin/Settings/";

TEST(StartupTest, TheSplashIsDrawnThenWaitedForAndThePlacementIsStoredBackUnlessMinimised) {
    TestSession t(false);
    t.platform.settings[kKey + "MainLeft"] = "120";
    t.platform.settings[kKey + "MainTop"] = "240.5";
    t.platform.settings[kKey + "MainWidth"] = "9000";
    MainForm& main = runStartup(t.session);
    EXPECT_TRUE(main.visible());
    EXPECT_EQ(t.session.findForm("frmAbout"), nullptr);
    // One second on the platform's timer, after the splash was drawn; no busy loop.
    EXPECT_EQ(t.platform.waits, std::vector<double>{1.0});
    EXPECT_EQ(t.platform.eventsProcessed, 1);
    EXPECT_FALSE(t.session.form("frmLog").visible());
    EXPECT_EQ((std::vector<double>{main.left(), main.top(), main.width(), main.height()}),
              (std::vector<double>{120, 240.5, 9000, 6500}));  // missing key: its default
    main.move(10, 20, 12000, 8000);
    ASSERT_TRUE(t.session.closeForm(main));
    EXPECT_EQ(t.platform.settings[kKey + "MainWidth"], "12000");
    EXPECT_EQ(t.platform.settings[kKey + "MainTop"], "20");
    EXPECT_EQ(t.session.forms().size(), 0u);  // the other windows unloaded with it

    TestSession minimised;
    minimised.main->setWindowState(WindowState::Minimized);
    minimised.main->move(1, 2, 3, 4);
    ASSERT_TRUE(minimised.main->shutdown());
    EXPECT_TRUE(minimised.platform.settings.empty());
}

// A bar hidden from its own context menu leaves the View menu's check in
// step, so that one click on the menu brings it back.
TEST(MenuTest, TheViewMenuKeepsInStepWithABarHiddenElsewhere) {
    TestSession t;
    Control& item = t.main->menuItem("mnuViewToolbar");
    const Control& toolbar = t.main->at("picToolBar");
    t.main->barShown("mnuViewToolbar", false);
    EXPECT_EQ(std::pair(item.value(), toolbar.visible()), std::pair(0, false));
    t.main->userClick(item);
    EXPECT_EQ(std::pair(item.value(), toolbar.visible()), std::pair(1, true));
    t.main->barShown("mnuViewStatusBar", false);
    EXPECT_FALSE(t.main->at("sbStatusBar").visible());
    EXPECT_TRUE(toolbar.visible());
    t.main->userClick(item);
    EXPECT_EQ(std::pair(item.value(), toolbar.visible()), std::pair(0, false));
}

// The title bar only hides a tool window: its inputs stay, the menu's check
// and the button follow, and the keys go back to the main window.
TEST(ToolWindowTest, MenuButtonAndTitleBarShowAndHideWithCheckAndButton) {
    struct Focus : MainFormObserver {
        int given = 0;
        void focusMainWindow() override { ++given; }
    } focus;
    TestSession t;
    t.main->addMainObserver(&focus);
    t.main->userClick(t.main->menuItem("mnuToolsXYZ"));
    Form& xyz = t.session.form("frmToolXYZ");
    EXPECT_TRUE(xyz.visible());
    EXPECT_EQ(t.main->toolButton("XYZ")->value(), 1);
    const std::string& log = t.session.form("frmLog").text("txtLog");
    EXPECT_NE(log.find("14:03:27  -  Opening XYZ - Tool"), std::string::npos);
    t.main->userClick(*t.main->toolButton("XYZ"));
    EXPECT_FALSE(xyz.visible());
    EXPECT_EQ(t.main->menuItem("mnuToolsXYZ").value(), 0);
    EXPECT_EQ(focus.given, 0);

    t.main->userClick(t.main->menuItem("mnuToolsXYZ"));
    xyz.setText("txtDirPen", 0, "45");
    EXPECT_FALSE(t.session.closeForm(xyz));
    EXPECT_FALSE(xyz.visible());
    EXPECT_EQ(xyz.text("txtDirPen", 0), "45");
    EXPECT_EQ(t.main->toolButton("XYZ")->value(), 0);
    EXPECT_NE(log.find("Closing XYZ - Tool"), std::string::npos);
    EXPECT_EQ(focus.given, 1);
    t.main->removeMainObserver(&focus);

    // The event log window hides the same way and keeps its menu check.
    t.main->runCommand("mnuViewEventLog");
    EXPECT_FALSE(t.session.closeForm(t.session.form("frmLog")));
    EXPECT_FALSE(t.session.form("frmLog").visible());
    EXPECT_EQ(t.main->menuItem("mnuViewEventLog").value(), 1);
}

TEST(MenuTest, RefreshRepaintsTheActiveWindowOrTheMainWindow) {
    struct Repaints : FormObserver {
        std::vector<std::string> windows;
        void refreshRequested(Form& form) override { windows.push_back(form.name()); }
    } repaints;
    TestSession t;
    Form& log = t.session.form("frmLog");
    t.main->addObserver(&repaints);
    log.addObserver(&repaints);
    t.main->runCommand("mnuViewRefresh");
    t.session.setActiveForm(&log);
    t.main->runCommand("mnuViewRefresh");
    EXPECT_EQ(repaints.windows, (std::vector<std::string>{"frmMain", "frmLog"}));
    log.removeObserver(&repaints);
    t.main->removeObserver(&repaints);
}

TEST(OptionsDialogTest, ItRunsModallyKeepsNothingTypedAndCtrlTabWrapsAroundThePages) {
    TestSession t;
    t.platform.modalHandler = [](Form& dialog) {
        dialog.userType(dialog.at("txtNbDataOnGrid"), "5000");
        dialog.userClick(dialog.at("cmdCancel", 2));  // "&OK"
    };
    t.main->runCommand("mnuViewOptions");
    EXPECT_EQ(t.platform.modalForms, (std::vector<std::string>{"frmOptions"}));
    EXPECT_EQ(t.messageTexts().size(), 1u);
    EXPECT_EQ(t.session.options.nbDataOnGrid, "1000");
    EXPECT_EQ(t.session.findForm("frmOptions"), nullptr);

    Form& dialog = t.session.createForm("frmOptions");
    Control& tabs = dialog.at("tbsOptions");
    dialog.userSelectTab(tabs, 4);
    EXPECT_EQ(dialog.userKeyDown(keys::Tab, shift::Ctrl), 0);
    EXPECT_EQ(tabs.value(), 1);
    dialog.userKeyDown(keys::Tab, shift::Ctrl | shift::Shift);
    EXPECT_EQ(tabs.value(), 4);
    dialog.userKeyDown(keys::Tab, shift::Ctrl | shift::Alt);  // masked to Ctrl: still next
    EXPECT_EQ(tabs.value(), 1);
}

// The Edit menu and the toolbar's edit and text-format buttons follow the
// active window: each kind of document window offers what it can act on.
TEST(DocumentCommandStateTest, EditMenuAndFormatButtonsFollowTheActiveWindow) {
    TestSession t;
    struct Expected {
        const char* window;
        bool edit, format, saveAs;
    };
    auto check = [&](const Expected& e) {
        EXPECT_EQ(t.main->menuItem("mnuEdit").enabled(), e.edit) << e.window;
        for (const char* key : {"Cut", "Copy", "Paste"}) EXPECT_EQ(t.main->toolButton(key)->enabled(), e.edit) << key;
        for (const char* key : {"Bold", "Italic", "Underline", "Left", "Center", "Right"})
            EXPECT_EQ(t.main->toolButton(key)->enabled(), e.format) << e.window << " " << key;
        EXPECT_EQ(t.main->menuItem("mnuFileSaveAs").enabled(), e.saveAs) << e.window;
        // Print Preview shows what Print prints: offered exactly when Print is.
        EXPECT_EQ(t.main->menuItem("mnuFilePrintPreview").enabled(), t.main->menuItem("mnuFilePrint").enabled());
    };
    check({"no window yet", false, false, false});

    t.session.appendInfoText({"Report", 0, 0, ""});
    Form& box = t.session.form("frmInfoBox");
    Form& sheet = t.main->NewDocumentWindow(2);
    Form& chart = t.main->NewDocumentWindow(0);
    Form& tool = t.session.form("frmToolXYZ");
    const std::pair<Form*, Expected> steps[] = {
        {&box, {"Info box", true, true, true}},        {&sheet, {"datasheet", true, false, true}},
        {&box, {"Info box again", true, true, true}},  {&chart, {"chart", true, false, false}},
        {&tool, {"tool window", false, false, false}}, {&box, {"Info box once more", true, true, true}},
    };
    for (const auto& [form, expected] : steps) {
        if (Form* previous = t.session.activeForm()) previous->userDeactivate();
        t.session.setActiveForm(form);
        form->userActivate();
        check(expected);
    }
    box.userDeactivate();
    check({"nothing active", false, false, false});
}

// The four keyboard panels show what the platform reports: lit when on,
// dimmed when off, hidden where the platform cannot tell.
TEST(StatusBarTest, KeyboardPanelsFollowThePlatformsLockKeysAndTypingMode) {
    TestSession t;
    auto shown = [&] {
        std::array<int, 4> states{};  // scroll, caps, num, insert: -1 hidden, 0 dimmed, 1 lit
        for (int i = 0; i < 4; ++i) {
            const Control& p = t.main->at("Panels", panels::ScrollLock + i);
            states[static_cast<size_t>(i)] = !p.visible() ? -1 : p.enabled() ? 1 : 0;
        }
        return states;
    };
    EXPECT_EQ(shown(), (std::array<int, 4>{-1, -1, -1, -1}));  // the scripted platform reported nothing at load
    const std::pair<KeyboardState, std::array<int, 4>> cases[] = {
        {{.capsLock = false, .scrollLock = true, .insertMode = true}, {1, 0, -1, 1}},
        {{.capsLock = true, .numLock = false, .scrollLock = false, .insertMode = false}, {0, 1, 0, 0}},
        {{.numLock = true}, {-1, -1, 1, -1}},
    };
    for (const auto& [state, expected] : cases) {
        t.platform.keyboard = state;
        t.main->refreshKeyboardPanels();
        EXPECT_EQ(shown(), expected);
    }
}

TEST(EditCommandTest, CopyCutPasteOnTheActiveTextField) {
    TestSession t;
    Form& xyz = t.session.form("frmToolXYZ");
    t.session.setActiveForm(&xyz);
    Control& field = xyz.at("txtXYZ1", 0);
    xyz.userFocus(field);
    xyz.userType(field, "12.5");
    xyz.setSelection(field, 0, 2);
    t.main->runCommand("mnuEditCopy");
    EXPECT_EQ(t.platform.clipboard.text, "12");
    t.main->runCommand("mnuEditCut");
    EXPECT_EQ(field.text(), ".5");
    xyz.setSelection(field, 2, 0);
    t.platform.clipboard.text = "7";
    t.main->runCommand("mnuEditPaste");
    EXPECT_EQ(field.text(), ".57");
    EXPECT_EQ(xyz.text("txtIXYZ1", 0), "1.000");  // the paste recalculated the page
}

}  // namespace
}  // namespace ravelin
