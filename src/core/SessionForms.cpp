#include "core/SessionForms.h"

#include <algorithm>

#include "core/MainForm.h"
#include "core/Platform.h"
#include "core/Session.h"
#include "core/ToolForm.h"

namespace ravelin {

// Height of the main window's toolbar strip (twips), used to keep the log
// window clear of it.
constexpr double kToolbarHeight = 600;
// The main window has no logo strip; the log window starts 100 twips in.
constexpr double kLogoStripWidth = 0;
// At least a dozen lines of 9-point text, and room for a time stamp and a
// long message on one line: 1000 twips showed barely two lines.
constexpr double kLogReadableHeight = 3000;
constexpr double kLogReadableWidth = 9000;

LogForm::LogForm(Session& session) : Form(session, "frmLog", "Events log") {
    add(ControlKind::TextBox, "txtLog").withReadOnly().withFont({"Courier New", 9});
}

void LogForm::onLoad() {
    const Form* main = session().mainWindow();
    const double mainWidth = main ? main->width() : 6500;
    const double mainHeight = main ? main->height() : 6500;
    const double height = kLogReadableHeight;
    const double width = std::max(kLogReadableWidth, static_cast<double>(2 * static_cast<long long>(mainWidth) / 3));
    move(kLogoStripWidth + 100, mainHeight - height - kToolbarHeight, width, height);
}

void LogForm::onResize() {
    Control& text = at("txtLog");
    // A window too small for the field leaves it as it was.
    if (width() - 20 <= 0 || height() - 20 <= 0) return;
    setGeometry(text, 20, 20, width() - 20, height() - 20);
}

bool LogForm::onQueryUnload() {
    if (session().shuttingDown) return false;
    hide();
    return true;
}

AboutForm::AboutForm(Session& session) : Form(session, "frmAbout", "About Ravelin") {
    resize(5800, 4000);
    add(ControlKind::Label, "lblTitle").withText("Ravelin").withFont({"Arial", 20, true});
    add(ControlKind::Label, "lblVersion").withText("Version " RAVELIN_VERSION);
    add(ControlKind::Label, "lblDescription")
        .withText(
            "Discontinuities of rock cliffs: traces, spacings, persistence, block volumes, plane and wedge "
            "failures, probabilistic models and stereographic projection.");
    add(ControlKind::CommandButton, "cmdOK").withText("OK");
}

void AboutForm::onClick(Control& control) {
    if (control.name() == "cmdOK") hide();
}

namespace {
const char* kNotInUse = "Not in use !";
}  // namespace

OptionsForm::OptionsForm(Session& session) : Form(session, "frmOptions", "Options") {
    resize(6600, 5400);
    const ProgramOptions defaults;
    add(ControlKind::TabStrip, "tbsOptions")
        .withTabs({{"General", "General program settings"},
                   {"Folders", "Folders selection"},
                   {"User", "User informations"},
                   {"Histogram", "Histogram settings"}})
        .withValue(1);
    for (int i = 0; i < 4; ++i)
        add(ControlKind::PictureBox, "picOptions", i)
            .withGeometry(i == 0 ? 180 : -20000, 495, 0, 0)
            .withEnabled(i == 0);

    // General page.
    add(ControlKind::TextBox, "txtNbDataOnGrid")
        .withText(defaults.nbDataOnGrid)
        .withDescription("Mamimum number of data per datasheet")
        .withContainer(OptionPage(0));
    add(ControlKind::CheckBox, "chkGeneral", 0).withText("Show &ToolTips").withContainer(OptionPage(0));
    add(ControlKind::CheckBox, "chkGeneral", 1)
        .withText("Use a &different header for every worksheet / file")
        .withContainer(OptionPage(0));
    add(ControlKind::Frame, "fraCharting").withText("Charting options").withContainer(OptionPage(0));
    const char* chartChecks[] = {"Associate a legend with every chart", "Allow &comments on chart",
                                 "&Auto plot distribution on histogram"};
    for (int i = 0; i < 3; ++i)
        add(ControlKind::CheckBox, "chkChart", i).withText(chartChecks[i]).withContainer("fraCharting");
    const char* lawOptions[] = {"use &Normal distribution", "use &Lognormal distribution", "use &Uniform distribution",
                                "use Negative &Exponential distribution"};
    for (int i = 0; i < 4; ++i)
        add(ControlKind::OptionButton, "optLaw", i)
            .withText(lawOptions[i])
            .withContainer("fraCharting")
            .withValue(i == 0);
    add(ControlKind::Label, "lblNote", 0).withText(kNotInUse).withContainer(OptionPage(0));

    // Folders page.
    add(ControlKind::Frame, "fraAppPath").withText("Application path").withContainer(OptionPage(1));
    add(ControlKind::TextBox, "txtAppPath")
        .withContainer("fraAppPath")
        .withReadOnly()
        .withText(session.platform().programFolder());
    add(ControlKind::Frame, "fraFolders").withText("Default folders").withContainer(OptionPage(1));
    const char* folders[] = {"Data folder", "Charts folder"};
    for (int i = 0; i < 2; ++i) {
        add(ControlKind::TextBox, "txtFolder", i).withDescription(folders[i]).withContainer("fraFolders");
        add(ControlKind::CommandButton, "cmdChange", i).withText("&Change").withContainer("fraFolders");
    }
    add(ControlKind::Label, "lblNote", 1).withText(kNotInUse).withContainer(OptionPage(1));

    // User page.
    add(ControlKind::Frame, "fraUser").withText("User caracteristics").withContainer(OptionPage(2));
    const char* userFields[] = {"Name", "Organisation", "Shortame"};
    for (int i = 0; i < 3; ++i)
        add(ControlKind::TextBox, "txtUser", i).withDescription(userFields[i]).withContainer("fraUser");
    add(ControlKind::Label, "lblNote", 2).withText(kNotInUse).withContainer(OptionPage(2));

    // Histogram page.
    add(ControlKind::Frame, "fraDefaults").withText("Default settings").withContainer(OptionPage(3));
    add(ControlKind::TextBox, "Text2", 0)
        .withText(defaults.histogramTitle)
        .withDescription("Title")
        .withContainer("fraDefaults");
    add(ControlKind::TextBox, "Text2", 1)
        .withText(defaults.histogramXLabel)
        .withDescription("X label")
        .withContainer("fraDefaults");
    add(ControlKind::TextBox, "Text2", 2)
        .withText(defaults.histogramYLabel)
        .withDescription("Y label")
        .withContainer("fraDefaults");
    add(ControlKind::Frame, "fraLaws").withText("Distribution density law").withContainer(OptionPage(3));
    const char* laws[] = {"Negative exponential", "Normal", "Lognormal", "Triangular"};
    for (int i = 0; i < 4; ++i) add(ControlKind::CheckBox, "chkLaw", i).withText(laws[i]).withContainer("fraLaws");
    add(ControlKind::Frame, "fraHistoProps").withText("Histogram properties").withContainer(OptionPage(3));
    add(ControlKind::TextBox, "txtHistoProp", 0)
        .withText("0.01")
        .withDescription("Minimum interval")
        .withContainer("fraHistoProps");
    add(ControlKind::TextBox, "txtHistoProp", 1)
        .withDescription("Minimum number of classes")
        .withContainer("fraHistoProps");
    add(ControlKind::CheckBox, "chkDrawLaws").withText("Draw selected law(s)").withContainer("fraHistoProps");
    add(ControlKind::Label, "lblNote", 3).withText(kNotInUse).withContainer(OptionPage(3));

    const char* buttons[] = {"&Cancel", "&Default", "&OK", "&Apply"};
    for (int i = 0; i < 4; ++i) add(ControlKind::CommandButton, "cmdCancel", i).withText(buttons[i]);
}

void OptionsForm::onClick(Control& control) {
    if (control.name() != "cmdCancel") return;
    auto say = [this](const char* text) { platform().messageBox({"", text, MessageIcon::None, MessageButtons::Ok}); };
    switch (control.index()) {
        case 0: hide(); break;
        case 1: say("Default Code goes here to set default options in dialog!"); break;
        case 2:
            say("Code goes here to set options and close dialog!");
            hide();
            break;
        case 3: say("Apply Code goes here to set options w/o closing dialog!"); break;
        default: break;
    }
}

void OptionsForm::onTabClick(Control&) { selectPage(); }

void OptionsForm::selectPage() { SelectOptionsPage(*this, 180, 495); }

void OptionsForm::onKeyDown(int& keyCode, int shiftState) {
    if (keyCode != keys::Tab) return;
    const int masked = shiftState & (shift::Shift | shift::Ctrl);
    Control& tabs = at("tbsOptions");
    const int count = static_cast<int>(tabs.tabs().size());
    if (masked == shift::Ctrl) {
        userSelectTab(tabs, tabs.value() == count ? 1 : tabs.value() + 1);
        keyCode = 0;
    } else if (masked == (shift::Shift | shift::Ctrl)) {
        userSelectTab(tabs, tabs.value() == 1 ? count : tabs.value() - 1);
        keyCode = 0;
    }
}

}  // namespace ravelin
