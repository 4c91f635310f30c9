// The main window's logic: start-up and shut-down, placement in the
// settings store, the options dialog, Edit on a text field.

#include <gtest/gtest.h>

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
    EXPECT_EQ((std::vector<double>{main.left(), main.top(), main.width(), main.height()}),
              (std::vector<double>{120, 240.5, 9000, 6500}));  // missing key: its default
    main.move(10, 20, 12000, 8000);
    ASSERT_TRUE(t.session.closeForm(main));
    EXPECT_EQ(t.platform.settings[kKey + "MainWidth"], "12000");
    EXPECT_EQ(t.platform.settings[kKey + "MainTop"], "20");
    EXPECT_EQ(t.session.forms().size(), 0u);  // the other windows unloaded with it

    // A minimised window's placement would bring the next start up as a sliver.
    TestSession minimised;
    minimised.main->setWindowState(WindowState::Minimized);
    minimised.main->move(1, 2, 3, 4);
    ASSERT_TRUE(minimised.main->shutdown());
    EXPECT_TRUE(minimised.platform.settings.empty());
}

TEST(OptionsDialogTest, ItRunsModallyAndKeepsNoRefusedValue) {
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
