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

TEST(StartupTest, SplashThenMainWindowAndAHiddenLog) {
    TestSession t(false);
    MainForm& main = runStartup(t.session);
    EXPECT_EQ(main.caption(), "Ravelin (v 1.0)");
    EXPECT_TRUE(main.visible());
    EXPECT_EQ(t.session.findForm("frmAbout"), nullptr);  // the splash is gone
    // One second on the platform's timer, after the splash was drawn; no busy loop.
    EXPECT_EQ(t.platform.waits, std::vector<double>{1.0});
    EXPECT_EQ(t.platform.eventsProcessed, 1);
    const Form& log = t.session.form("frmLog");
    EXPECT_FALSE(log.visible());
    EXPECT_EQ(log.text("txtLog"), "Session started on 06/12/2026 at 14:03:27\r\n" + std::string(43, '_') + "\r\n");
}

TEST(StartupTest, StoredPlacementIsReadAndWrittenBackAtShutDownUnlessMinimised) {
    TestSession t(false);
    t.platform.settings[kKey + "MainLeft"] = "120";
    t.platform.settings[kKey + "MainTop"] = "240.5";
    t.platform.settings[kKey + "MainWidth"] = "9000";
    MainForm& main = runStartup(t.session);
    EXPECT_EQ((std::vector<double>{main.left(), main.top(), main.width(), main.height()}),
              (std::vector<double>{120, 240.5, 9000, 6500}));  // missing key: its default
    main.move(10, 20, 12000, 8000);
    ASSERT_TRUE(t.session.closeForm(main));
    EXPECT_EQ(t.platform.settings[kKey + "MainWidth"], "12000");
    EXPECT_EQ(t.platform.settings[kKey + "MainTop"], "20");

    TestSession minimised;
    minimised.main->setWindowState(WindowState::Minimized);
    minimised.main->move(1, 2, 3, 4);
    ASSERT_TRUE(minimised.main->shutdown());
    EXPECT_TRUE(minimised.platform.settings.empty());
}

TEST(MenuTest, MissingWindowsPlaceholdersAndBarToggles) {
    TestSession t;
    EXPECT_TRUE(t.main->menuItem("mnuToolsXYZ").enabled());
    EXPECT_FALSE(t.main->toolButton("Scanline")->enabled());  // a window a later stage brings
    t.main->userClick(t.main->menuItem("mnuFileSend"));
    EXPECT_EQ(t.messageTexts(), (std::vector<std::string>{"Send Code goes here!"}));
    t.main->userClick(t.main->menuItem("mnuViewToolbar"));
    EXPECT_FALSE(t.main->at("picToolBar").visible());
    EXPECT_EQ(t.main->menuItem("mnuViewToolbar").value(), 0);
    t.main->userClick(t.main->menuItem("mnuViewStatusBar"));
    EXPECT_FALSE(t.main->at("sbStatusBar").visible());
}

TEST(ToolWindowTest, MenuButtonAndTitleBarShowAndHideWithCheckAndButton) {
    TestSession t;
    t.main->userClick(t.main->menuItem("mnuToolsXYZ"));
    Form& xyz = t.session.form("frmToolXYZ");
    EXPECT_TRUE(xyz.visible());
    EXPECT_EQ(t.main->toolButton("XYZ")->value(), 1);
    const std::string& log = t.session.form("frmLog").text("txtLog");
    EXPECT_NE(log.find("14:03:27  -  Opening XYZ - Tool"), std::string::npos);
    t.main->userClick(*t.main->toolButton("XYZ"));
    EXPECT_FALSE(xyz.visible());
    EXPECT_EQ(t.main->menuItem("mnuToolsXYZ").value(), 0);

    t.main->userClick(t.main->menuItem("mnuToolsXYZ"));
    xyz.setText("txtDirPen", 0, "45");
    EXPECT_FALSE(t.session.closeForm(xyz));  // the title bar only hides it
    EXPECT_FALSE(xyz.visible());
    EXPECT_EQ(xyz.text("txtDirPen", 0), "45");  // inputs stay until shown again
    EXPECT_EQ(t.main->toolButton("XYZ")->value(), 0);
    EXPECT_NE(log.find("Closing XYZ - Tool"), std::string::npos);
    // Shutting down unloads the tool windows with the main window.
    ASSERT_TRUE(t.session.closeForm(*t.main));
    EXPECT_EQ(t.session.forms().size(), 0u);
}

TEST(MenuTest, ABarHiddenFromItsOwnMenuKeepsTheViewMenusCheckInStep) {
    TestSession t;
    t.main->barShown("mnuViewToolbar", false);
    EXPECT_EQ(t.main->menuItem("mnuViewToolbar").value(), 0);
    EXPECT_FALSE(t.main->at("picToolBar").visible());
    t.main->userClick(t.main->menuItem("mnuViewToolbar"));  // the menu shows it again with one click
    EXPECT_EQ(t.main->menuItem("mnuViewToolbar").value(), 1);
    EXPECT_TRUE(t.main->at("picToolBar").visible());
    t.main->barShown("mnuViewStatusBar", false);
    EXPECT_FALSE(t.main->at("sbStatusBar").visible());
    EXPECT_TRUE(t.main->at("picToolBar").visible());
}

TEST(ToolWindowTest, ClosingAToolWindowGivesTheFocusBackToTheMainWindow) {
    struct Focus : MainFormObserver {
        int given = 0;
        void focusMainWindow() override { ++given; }
    } focus;
    TestSession t;
    t.main->addMainObserver(&focus);
    t.main->userClick(t.main->menuItem("mnuToolsVol"));
    EXPECT_EQ(focus.given, 0);
    EXPECT_FALSE(t.session.closeForm(t.session.form("frmToolVol")));
    EXPECT_EQ(focus.given, 1);
    t.main->removeMainObserver(&focus);
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

TEST(ToolWindowTest, EventLogWindowHidesOnCloseAndKeepsItsMenuCheck) {
    TestSession t;
    t.main->runCommand("mnuViewEventLog");
    Form& log = t.session.form("frmLog");
    EXPECT_FALSE(t.session.closeForm(log));
    EXPECT_FALSE(log.visible());
    EXPECT_EQ(t.main->menuItem("mnuViewEventLog").value(), 1);
}

TEST(OptionsDialogTest, NothingTypedIsKeptAndApplyAndDefaultKeepItOpen) {
    TestSession t;
    t.platform.modalHandler = [](Form& dialog) {
        dialog.userType(dialog.at("txtNbDataOnGrid"), "5000");
        dialog.userClick(dialog.at("cmdCancel", 2));  // "&OK"
    };
    t.main->runCommand("mnuViewOptions");
    EXPECT_EQ(t.platform.modalForms, (std::vector<std::string>{"frmOptions"}));
    EXPECT_EQ(t.messageTexts(), (std::vector<std::string>{"Code goes here to set options and close dialog!"}));
    EXPECT_EQ(t.session.options.nbDataOnGrid, "1000");
    EXPECT_EQ(t.session.findForm("frmOptions"), nullptr);

    Form& dialog = t.session.createForm("frmOptions");
    dialog.show();
    dialog.userType(dialog.at("txtNbDataOnGrid"), "5000");
    dialog.userClick(dialog.at("cmdCancel", 3));  // Apply
    EXPECT_TRUE(dialog.visible());
    EXPECT_EQ(dialog.text("txtNbDataOnGrid"), "5000");
    EXPECT_EQ(t.messageTexts().back(), "Apply Code goes here to set options w/o closing dialog!");
}

TEST(OptionsDialogTest, CtrlTabWrapsAroundThePages) {
    TestSession t;
    Form& dialog = t.session.createForm("frmOptions");
    Control& tabs = dialog.at("tbsOptions");
    dialog.userSelectTab(tabs, 4);
    EXPECT_EQ(dialog.userKeyDown(keys::Tab, shift::Ctrl), 0);
    EXPECT_EQ(tabs.value(), 1);
    dialog.userKeyDown(keys::Tab, shift::Ctrl | shift::Shift);
    EXPECT_EQ(tabs.value(), 4);
    dialog.userKeyDown(keys::Tab, shift::Ctrl | shift::Alt);  // masked to Ctrl: still next
    EXPECT_EQ(tabs.value(), 1);
    EXPECT_EQ(dialog.at("picOptions", 3).left(), -20000);
}

// The Edit menu and the toolbar's edit and text-format buttons follow the
// active window: each kind of document window offers what it can act on.
TEST(DocumentCommandStateTest, EditMenuAndFormatButtonsFollowTheActiveWindow) {
    TestSession t;
    struct Expected {
        const char* window;
        bool edit, format, saveAs;
    };
    auto activate = [&](Form* form) {
        if (Form* previous = t.session.activeForm()) previous->userDeactivate();
        t.session.setActiveForm(form);
        if (form) form->userActivate();
    };
    auto check = [&](const Expected& e) {
        const Control& menu = t.main->menuItem("mnuEdit");
        EXPECT_EQ(menu.enabled(), e.edit) << e.window;
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
        activate(form);
        check(expected);
    }
    box.userDeactivate();
    check({"nothing active", false, false, false});
}

// The four keyboard panels show what the platform reports: lit when on,
// dimmed when off, hidden where the platform cannot tell.
TEST(StatusBarTest, KeyboardPanelsFollowThePlatformsLockKeysAndTypingMode) {
    TestSession t;
    auto panel = [&](int index) -> const Control& { return t.main->at("Panels", index); };
    const std::pair<int, const char*> captions[] = {
        {panels::ScrollLock, "SCRL"}, {panels::CapsLock, "CAPS"}, {panels::NumLock, "NUM"}, {panels::Insert, "INS"}};
    for (const auto& [index, caption] : captions) {
        EXPECT_EQ(panel(index).text(), caption);
        EXPECT_FALSE(panel(index).visible()) << caption;  // the scripted platform reported nothing at load
    }
    struct Case {
        KeyboardState state;
        std::array<int, 4> shown;  // scroll, caps, num, insert: -1 hidden, 0 dimmed, 1 lit
    };
    const Case cases[] = {
        {{.capsLock = false, .scrollLock = true, .insertMode = true}, {1, 0, -1, 1}},
        {{.capsLock = true, .numLock = false, .scrollLock = false, .insertMode = false}, {0, 1, 0, 0}},
        {{.numLock = true}, {-1, -1, 1, -1}},
    };
    for (const Case& c : cases) {
        t.platform.keyboard = c.state;
        t.main->refreshKeyboardPanels();
        for (int i = 0; i < 4; ++i) {
            const Control& p = panel(panels::ScrollLock + i);
            const int shown = !p.visible() ? -1 : p.enabled() ? 1 : 0;
            EXPECT_EQ(shown, c.shown[static_cast<size_t>(i)]) << p.text();
        }
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
