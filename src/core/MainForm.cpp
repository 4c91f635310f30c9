#include "core/MainForm.h"

#include <algorithm>

#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Session.h"

namespace ravelin {

namespace {

constexpr const char* kCrLf = "\r\n";
const std::string kRule(43, '_');

struct MenuDef {
    const char* name;
    const char* caption;
};

// Top-level menus and their items in order; "-" is a separator.
const std::vector<std::pair<MenuDef, std::vector<MenuDef>>>& menuTree() {
    static const std::vector<std::pair<MenuDef, std::vector<MenuDef>>> tree = {
        {{"mnuFile", "&File"},
         {{"mnuFileNewData", "New spacing data&file"},
          {"mnuFileNewScan", "New acquisition window"},
          {"mnuFileOpen", "&Open datasheet"},
          {"mnuFileOpenImage", "Open scan &image"},
          {"mnuFileClose", "&Close"},
          {"mnuFileBar0", "-"},
          {"mnuFileSave", "&Save"},
          {"mnuFileSaveAs", "Save &As..."},
          {"mnuFileSaveAll", "Save A&ll"},
          {"mnuFileBar1", "-"},
          {"mnuFileProperties", "Propert&ies"},
          {"mnuFileBar2", "-"},
          {"mnuFilePageSetup", "Page Set&up..."},
          {"mnuFilePrintPreview", "Print Pre&view"},
          {"mnuFilePrint", "&Print..."},
          {"mnuFileBar3", "-"},
          {"mnuFileSend", "Sen&d..."},
          {"mnuFileBar4", "-"},
          {"mnuFileExit", "E&xit"}}},
        {{"mnuEdit", "&Edit"},
         {{"mnuEditUndo", "&Undo"},
          {"mnuEditRedo", "&Redo"},
          {"mnuEditBar0", "-"},
          {"mnuEditCut", "Cu&t"},
          {"mnuEditCopy", "&Copy"},
          {"mnuEditPaste", "&Paste"},
          {"mnuEditPasteSpecial", "Paste &Special..."}}},
        {{"mnuView", "&View"},
         {{"mnuViewToolbar", "&Toolbar"},
          {"mnuViewStatusBar", "Status &Bar"},
          {"mnuViewBar0", "-"},
          {"mnuViewEventLog", "&Event log"},
          {"mnuViewHistoOptions", "&Histogram options"},
          {"mnuViewBar1", "-"},
          {"mnuViewRefresh", "&Refresh"},
          {"mnuViewOptions", "&Options..."}}},
        {{"mnuData", "&Acquisition"},
         {{"mnuDataShowJab", "&Spacing and persistance estimations"},
          {"mnuDataExpScan", "&Export scanline to spacing datasheet"},
          {"mnuDataBar0", "-"},
          {"mnuDataClearDisc", "Clear &discontinuities"},
          {"mnuDataClearWin", "Clear &Acquisition Window"}}},
        {{"mnuModels", "&Models"},
         {{"mnuModelsGeomec", "&Geomechanical models"}, {"mnuModelsProb", "&Probabilistic models"}}},
        {{"mnuTools", "&Tools"},
         {{"mnuToolsXYZ", "&XYZ - dip calculations"},
          {"mnuToolsVol", "&Volume estimations"},
          {"mnuToolsSpacing", "&Spacing and probability"},
          {"mnuToolsBar0", "-"},
          {"mnuToolsProjections", "&Projections"}}},
        {{"mnuWindow", "&Window"},
         {{"mnuWindowNewWindow", "&New Window"},
          {"mnuWindowCascade", "&Cascade"},
          {"mnuWindowTileHorizontal", "Tile &Horizontal"},
          {"mnuWindowTileVertical", "Tile &Vertical"},
          {"mnuWindowArrangeIcons", "&Arrange Icons"}}},
        {{"mnuHelp", "&Help"}, {{"mnuHelpContents", "&Help topics"}, {"mnuHelpAbout", "&About Ravelin..."}}},
    };
    return tree;
}

struct ButtonDef {
    const char* key;
    const char* toolTip;
    const char* command;  // the menu item (or "tb" command) the button runs
};

// The first fourteen are push buttons, the rest two-state buttons.
const std::vector<ButtonDef>& toolbarButtons() {
    static const std::vector<ButtonDef> buttons = {
        {"NewData", "New spacing datasheet", "mnuFileNewData"},
        {"NewScan", "New acquisition window", "mnuFileNewScan"},
        {"Open", "Open datafile", "mnuFileOpen"},
        {"Save", "Save", "mnuFileSave"},
        {"Print", "Print", "mnuFilePrint"},
        {"Cut", "Cut", "mnuEditCut"},
        {"Copy", "Copy", "mnuEditCopy"},
        {"Paste", "Paste", "mnuEditPaste"},
        {"Bold", "Bold", "tbBold"},
        {"Italic", "Italic", "tbItalic"},
        {"Underline", "Underline", "tbUnderline"},
        {"Left", "Left Justify", "tbLeft"},
        {"Center", "Center", "tbCenter"},
        {"Right", "Right Justify", "tbRight"},
        {"XYZ", "XYZ - dip calculations", "mnuToolsXYZ"},
        {"Volume", "Volume estimations", "mnuToolsVol"},
        {"DiscSpac", "Spacing of discontinuities", "mnuToolsSpacing"},
        {"EventLog", "Events log", "mnuViewEventLog"},
        {"HistoOptions", "Histo-tools", "mnuViewHistoOptions"},
        {"Contour", "Contour window", "tbContour"},
        {"Discont", "Draw discontinuities", "tbDiscont"},
        {"Rectangle", "Draw rectangle", "tbRectangle"},
        {"Scanline", "Draw scanline", "tbScanline"},
        {"HidePict", "Hide picture", "tbHidePict"},
    };
    return buttons;
}

constexpr int kPushButtons = 14;

const char* commandOfButton(const std::string& key) {
    for (const ButtonDef& b : toolbarButtons())
        if (key == b.key) return b.command;
    return "";
}

// Tool and model windows toggled from the menus, their logged names and buttons.
const std::vector<ToolWindowInfo> kToolWindows = {
    {"frmToolSpacing", "Spacing and Probability Tool", "mnuToolsSpacing", "DiscSpac"},
    {"frmToolVol", "Volume estimations Tool", "mnuToolsVol", "Volume"},
    {"frmToolXYZ", "XYZ - Tool", "mnuToolsXYZ", "XYZ"},
    {"frmModGeom", "Probabilistic models window", "mnuModelsGeomec", ""},
    {"frmModProb", "Probabilistic models window", "mnuModelsProb", ""},
    {"frmHistoTools", "Histogram options", "mnuViewHistoOptions", "HistoOptions"},
};

}  // namespace

const std::vector<ToolWindowInfo>& toolWindows() { return kToolWindows; }

const ToolWindowInfo* toolWindowInfo(const std::string& formName) {
    for (const ToolWindowInfo& info : kToolWindows)
        if (info.form == formName) return &info;
    return nullptr;
}

MainForm::MainForm(Session& session) : Form(session, "frmMain", kCaption) {
    buildMenus();
    buildToolbar();
    buildStatusBar();
}

void MainForm::buildMenus() {
    for (const auto& [top, items] : menuTree()) {
        add(ControlKind::MenuItem, top.name).withText(top.caption);
        for (const MenuDef& item : items)
            add(ControlKind::MenuItem, item.name).withText(item.caption).withContainer(top.name).withEnabled(false);
    }
    at("mnuViewToolbar").withValue(1);
    at("mnuViewStatusBar").withValue(1);
}

void MainForm::buildToolbar() {
    add(ControlKind::PictureBox, "picToolBar");
    int index = 1;
    for (const ButtonDef& b : toolbarButtons()) {
        add(ControlKind::ToolButton, "tbToolBar", index)
            .withTag(b.key)
            .withToolTip(b.toolTip)
            .withContainer("picToolBar")
            .withDescription(index > kPushButtons ? "two-state" : "push")
            .withEnabled(false);
        ++index;
    }
}

void MainForm::buildStatusBar() {
    add(ControlKind::Frame, "sbStatusBar");
    const std::vector<std::string> texts = {"", "Processing...", "Sample infos", "SCRL", "CAPS", "NUM", "INS"};
    for (size_t i = 0; i < texts.size(); ++i) {
        add(ControlKind::StatusPanel, "Panels", static_cast<int>(i + 1))
            .withText(texts[i])
            .withContainer("sbStatusBar")
            .withVisible(i != 1 && i != 2);
    }
}

Control* MainForm::toolButton(const std::string& key) {
    for (const auto& control : controls()) {
        if (control->kind() == ControlKind::ToolButton && control->tag() == key) return control.get();
    }
    return nullptr;
}

void MainForm::setCommand(const std::string& menuItem, Command command) {
    commands_[menuItem] = std::move(command);
    if (Control* item = find(menuItem)) setEnabled(*item, true);
    for (const ButtonDef& b : toolbarButtons()) {
        if (menuItem == b.command)
            if (Control* button = toolButton(b.key)) setEnabled(*button, true);
    }
}

void MainForm::runCommand(const std::string& menuItem) {
    auto it = commands_.find(menuItem);
    if (it == commands_.end()) return;
    Command command = it->second;  // the command may replace itself
    command();
}

void MainForm::placeholder(const std::string& menuItem, const std::string& message) {
    setCommand(menuItem, [this, message] {
        platform().messageBox({"", message, MessageIcon::None, MessageButtons::Ok});
    });
}

void MainForm::installBuiltInCommands() {
    Session& s = session();
    // Save All, Properties and Print Preview come with the document commands.
    placeholder("mnuFileSend", "Send Code goes here!");
    placeholder("mnuWindowNewWindow", "New Window Code goes here!");
    setCommand("mnuEditUndo", [this] { editUndo(); });
    setCommand("mnuEditRedo", [this] { editRedo(); });
    setCommand("mnuViewRefresh", [this] {
        Form* active = editWindow();
        (active ? *active : static_cast<Form&>(*this)).userRefresh();
    });
    setCommand("mnuEditPasteSpecial", [] {});
    setCommand("mnuFilePageSetup", [this] { platform().printerSetupDialog(); });
    setCommand("mnuFileExit", [this] {
        for (MainFormObserver* observer : std::vector<MainFormObserver*>(mainObservers_)) observer->exitRequested();
    });
    setCommand("mnuEditCut", [this] { editCut(); });
    setCommand("mnuEditCopy", [this] { editCopy(); });
    setCommand("mnuEditPaste", [this] { editPaste(); });
    setCommand("mnuViewToolbar", [this] { toggleBar("mnuViewToolbar", "picToolBar"); });
    setCommand("mnuViewStatusBar", [this] { toggleBar("mnuViewStatusBar", "sbStatusBar"); });
    refreshUndoItems();

    const std::pair<const char*, WindowArrangement> arrangements[] = {
        {"mnuWindowCascade", WindowArrangement::Cascade},
        {"mnuWindowTileHorizontal", WindowArrangement::TileHorizontal},
        {"mnuWindowTileVertical", WindowArrangement::TileVertical},
        {"mnuWindowArrangeIcons", WindowArrangement::ArrangeIcons},
    };
    for (const auto& [item, arrangement] : arrangements) {
        const WindowArrangement a = arrangement;
        setCommand(item, [this, a] {
            for (MainFormObserver* observer : std::vector<MainFormObserver*>(mainObservers_))
                observer->arrangeWindows(a);
        });
    }

    if (s.hasFormType("frmLog")) setCommand("mnuViewEventLog", [this] { toggleToolWindow("mnuViewEventLog"); });
    for (const ToolWindowInfo& info : kToolWindows) {
        if (s.hasFormType(info.form)) {
            const std::string item = info.menuItem;
            setCommand(item, [this, item] { toggleToolWindow(item); });
        }
    }
    if (s.hasFormType("frmOptions"))
        setCommand("mnuViewOptions", [this] {
            Form& options = session().createForm("frmOptions");
            platform().showModal(options);
            if (session().owns(&options)) session().destroyForm(options);
        });
    if (s.hasFormType("frmAbout"))
        setCommand("mnuHelpAbout", [this] { platform().showModal(session().form("frmAbout")); });
    if (s.hasFormType("frmSpacing")) setCommand("mnuFileNewData", [this] { NewDocumentWindow(2); });
}

void MainForm::onLoad() {
    Session& s = session();
    installBuiltInCommands();

    auto setting = [&](const char* key, double fallback) {
        const auto text = platform().readSetting(kSettingsApp, kSettingsSection, key);
        return text ? readNumber(*text) : fallback;
    };
    move(setting("MainLeft", 1000), setting("MainTop", 1000), setting("MainWidth", 6500), setting("MainHeight", 6500));

    s.setMainForm(this);
    s.setCurrentDocument(this);

    const ClockText clock = platform().now();
    const std::string start = "Session started on " + clock.date + " at " + clock.time + kCrLf + kRule + kCrLf;
    if (s.hasFormType("frmLog")) {
        Form& log = s.form("frmLog");
        log.hide();
        log.setText("txtLog", -1, start);
    }
    s.writeLogFile(std::string(kCrLf) + kRule + kCrLf + kCrLf + start);
    enableDocumentCommands({});  // no document is active yet
    refreshKeyboardPanels();
}

bool MainForm::onQueryUnload() { return !shutdown(); }

bool MainForm::shutdown() {
    if (shutDown_) return true;
    if (exitQuestion_ && !exitQuestion_()) return false;
    Session& s = session();
    if (windowState() != WindowState::Minimized) {
        auto store = [&](const char* key, double value) {
            platform().writeSetting(kSettingsApp, kSettingsSection, key, generalNumber(static_cast<float>(value)));
        };
        store("MainLeft", left());
        store("MainTop", top());
        store("MainWidth", width());
        store("MainHeight", height());
    }
    s.shuttingDown = true;
    std::vector<Form*> windows;
    for (const auto& form : s.forms())
        if (form.get() != this) windows.push_back(form.get());
    for (Form* window : windows) {
        if (!s.owns(window)) continue;
        if (!s.closeForm(*window)) {
            s.shuttingDown = false;  // a document kept itself open: the program goes on
            return false;
        }
    }
    const ClockText clock = platform().now();
    s.writeLogFile(std::string(kCrLf) + "     Session ended on " + clock.date + " at " + clock.time + kCrLf);
    shutDown_ = true;
    return true;
}

void MainForm::removeMainObserver(MainFormObserver* observer) {
    mainObservers_.erase(std::remove(mainObservers_.begin(), mainObservers_.end(), observer), mainObservers_.end());
}

void MainForm::onClick(Control& control) {
    if (control.kind() == ControlKind::MenuItem) {
        runCommand(control.name());
        return;
    }
    if (control.kind() == ControlKind::ToolButton) {
        // A two-state button changes its state as it is clicked; the command then sets it for good.
        if (control.index() > kPushButtons) setValue(control, control.value() ? 0 : 1);
        runCommand(commandOfButton(control.tag()));
    }
}

Form& MainForm::NewDocumentWindow(int kind, int index) {
    Session& s = session();
    switch (kind) {
        case 0: {
            Form& chart = s.createForm("frmHisto");  // it numbers itself "Histo " n
            chart.setTag("H" + std::to_string(index));
            chart.show();
            return chart;
        }
        case 1: {
            Form& scan = s.createForm("frmScan");
            ++s.acquisitionCounter;
            scan.setCaption("Scan " + std::to_string(s.acquisitionCounter));
            scan.show();
            return scan;
        }
        default: return s.createForm("frmSpacing");  // it numbers itself "Data " n
    }
}

void MainForm::CloseDocumentWindow(Form& window) {
    Session& s = session();
    s.destroyForm(window);  // its unload frees its rows in the spacing tables
    s.setCurrentDocument(this);
}

void MainForm::documentActivated(Form& window) { session().setCurrentDocument(&window); }

bool MainForm::closeDocumentFromTitleBar(Form& window) {
    if (closingDocument_ == &window) return false;
    Session& s = session();
    if (IsModified(window) && hasCommand("mnuFileClose")) {
        // The close command acts on the current document: make it this one.
        closingDocument_ = &window;
        s.closeCancelled = false;
        s.setCurrentDocument(&window);
        runCommand("mnuFileClose");
        closingDocument_ = nullptr;
        return s.closeCancelled;
    }
    CloseDocumentWindow(window);
    return false;
}

void MainForm::setToolButtonPressed(const std::string& key, bool pressed) {
    if (key.empty()) return;
    if (Control* button = toolButton(key)) setValue(*button, pressed ? 1 : 0);
}

void MainForm::toggleToolWindow(const std::string& menuItemName) {
    Session& s = session();
    Control& item = at(menuItemName);
    const bool checked = item.value() == 0;
    setValue(item, checked ? 1 : 0);
    std::string formName;
    std::string button;
    if (menuItemName == "mnuViewEventLog") {
        formName = "frmLog";
        button = "EventLog";
    } else {
        for (const ToolWindowInfo& info : kToolWindows) {
            if (info.menuItem == menuItemName) {
                formName = info.form;
                button = info.button;
            }
        }
    }
    if (formName.empty()) return;
    if (checked) {
        Form& window = s.form(formName);
        window.show();
        setToolButtonPressed(button, true);
    } else {
        if (Form* window = s.findForm(formName)) window->hide();
        setToolButtonPressed(button, false);
        if (menuItemName == "mnuViewHistoOptions") s.logEvent("Closing histogram options");
    }
}

void MainForm::toolWindowClosed(Form& window) {
    const ToolWindowInfo* info = toolWindowInfo(window.name());
    window.hide();
    if (!info) return;
    session().logEvent("Closing " + info->logName);
    if (Control* item = find(info->menuItem)) setValue(*item, 0);
    setToolButtonPressed(info->button, false);
    for (MainFormObserver* observer : std::vector<MainFormObserver*>(mainObservers_)) observer->focusMainWindow();
}

void MainForm::toggleBar(const std::string& menuItemName, const std::string& bar) {
    Control& item = at(menuItemName);
    const bool checked = item.value() == 0;
    setValue(item, checked ? 1 : 0);
    setVisible(at(bar), checked);
}

void MainForm::barShown(const std::string& menuItemName, bool visible) {
    const std::pair<const char*, const char*> bars[] = {{"mnuViewToolbar", "picToolBar"},
                                                        {"mnuViewStatusBar", "sbStatusBar"}};
    for (const auto& [item, bar] : bars) {
        if (menuItemName != item) continue;
        setValue(at(item), visible ? 1 : 0);
        setVisible(at(bar), visible);
    }
}

Form* MainForm::editWindow() const {
    Form* active = session().activeForm();
    return active && active != this ? active : nullptr;
}

namespace {
Control* focusedText(Form& window) {
    Control* control = window.focused();
    return control && control->kind() == ControlKind::TextBox ? control : nullptr;
}
std::string selectedText(const Control& control) {
    return control.text().substr(static_cast<size_t>(control.selStart()), static_cast<size_t>(control.selLength()));
}
}  // namespace

bool MainForm::runEditShortcut(int& keyCode, int shiftState) {
    const int modifiers = shiftState & (shift::Shift | shift::Ctrl | shift::Alt);
    if (modifiers != shift::Ctrl || (keyCode != 'C' && keyCode != 'X' && keyCode != 'V')) return false;
    const char* command = keyCode == 'C' ? "mnuEditCopy" : keyCode == 'X' ? "mnuEditCut" : "mnuEditPaste";
    keyCode = 0;
    runCommand(command);
    return true;
}

void MainForm::editCopy() {
    Form* window = editWindow();
    if (!window) return;
    if (auto* target = dynamic_cast<EditTarget*>(window); target && target->editCopy()) return;
    if (Control* control = focusedText(*window)) {
        platform().clipboardClear();
        platform().setClipboardText(selectedText(*control));
    }
}

void MainForm::editCut() {
    Form* window = editWindow();
    if (!window) return;
    if (auto* target = dynamic_cast<EditTarget*>(window); target && target->editCut()) return;
    Control* control = focusedText(*window);
    if (!control || control->readOnly()) return;
    platform().clipboardClear();
    platform().setClipboardText(selectedText(*control));
    std::string text = control->text();
    const int start = control->selStart();
    text.erase(static_cast<size_t>(start), static_cast<size_t>(control->selLength()));
    window->setText(*control, text);
    window->setSelection(*control, start, 0);
}

void MainForm::editPaste() {
    Form* window = editWindow();
    if (!window) return;
    if (auto* target = dynamic_cast<EditTarget*>(window); target && target->editPaste()) return;
    Control* control = focusedText(*window);
    if (!control || control->readOnly() || !control->enabled()) return;
    const std::string clip = platform().clipboardText();
    std::string text = control->text();
    const int start = control->selStart();
    text.replace(static_cast<size_t>(start), static_cast<size_t>(control->selLength()), clip);
    window->setText(*control, text);
    window->setSelection(*control, start + static_cast<int>(clip.size()), 0);
}

void MainForm::editUndo() {
    if (Form* window = editWindow()) window->userUndo();
}

void MainForm::editRedo() {
    if (Form* window = editWindow()) window->userRedo();
}

void MainForm::refreshUndoItems() {
    const Form* window = editWindow();
    if (Control* undo = find("mnuEditUndo"))
        setEnabled(*undo, hasCommand("mnuEditUndo") && window && window->undoStack().canUndo());
    if (Control* redo = find("mnuEditRedo"))
        setEnabled(*redo, hasCommand("mnuEditRedo") && window && window->undoStack().canRedo());
}

void MainForm::enableDocumentCommands(const DocumentCommandSet& commands) {
    const std::pair<const char*, bool> items[] = {{"mnuFileSave", commands.save},
                                                  {"mnuFileSaveAs", commands.saveAs},
                                                  {"mnuFilePrint", commands.print},
                                                  {"mnuFilePrintPreview", commands.print}};
    for (const auto& [item, wanted] : items) setEnabled(at(item), wanted && hasCommand(item));
    setEnabled(at("mnuEdit"), commands.edit);
    const std::pair<const char*, bool> buttons[] = {
        {"Save", commands.save},     {"Print", commands.print},      {"Cut", commands.edit},
        {"Copy", commands.edit},     {"Paste", commands.edit},       {"Bold", commands.format},
        {"Italic", commands.format}, {"Underline", commands.format}, {"Left", commands.format},
        {"Center", commands.format}, {"Right", commands.format},
    };
    for (const auto& [key, wanted] : buttons)
        if (Control* button = toolButton(key)) setEnabled(*button, wanted && hasCommand(commandOfButton(key)));
}

void MainForm::setStatusPanel(int panel, const std::string& text, bool visible) {
    if (Control* p = find("Panels", panel)) {
        setText(*p, text);
        setVisible(*p, visible);
    }
}

void MainForm::showProcessing(bool visible) {
    if (Control* p = find("Panels", panels::Processing)) setVisible(*p, visible);
}

void MainForm::refreshKeyboardPanels() {
    const KeyboardState state = platform().keyboardState();
    const std::pair<int, std::optional<bool>> shown[] = {{panels::ScrollLock, state.scrollLock},
                                                         {panels::CapsLock, state.capsLock},
                                                         {panels::NumLock, state.numLock},
                                                         {panels::Insert, state.insertMode}};
    for (const auto& [panel, on] : shown) {
        if (Control* p = find("Panels", panel)) {
            setVisible(*p, on.has_value());
            setEnabled(*p, on.value_or(false));
        }
    }
}

}  // namespace ravelin
