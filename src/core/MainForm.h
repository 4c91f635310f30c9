#pragma once
// The main window: menus, toolbar, status bar, the bookkeeping of document
// windows, the tool-window operations, the Edit commands and the start-up
// and shut-down sequences. Commands of later subsystems are installed with
// setCommand(); a menu item without a command stays disabled.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/Form.h"

namespace ravelin {

struct ToolWindowInfo {
    std::string form;      // frmToolXYZ
    std::string logName;   // "XYZ - Tool"
    std::string menuItem;  // mnuToolsXYZ
    std::string button;    // toolbar key "XYZ", empty when none
};

// The tool windows and how they are logged, checked and pressed.
const ToolWindowInfo* toolWindowInfo(const std::string& formName);
const std::vector<ToolWindowInfo>& toolWindows();

enum class WindowArrangement { Cascade, TileHorizontal, TileVertical, ArrangeIcons };

// Requests of the main window that only the windowing layer can carry out.
class MainFormObserver {
public:
    virtual ~MainFormObserver() = default;
    virtual void arrangeWindows(WindowArrangement) {}
    virtual void exitRequested() {}
    // The keyboard focus goes back to the main window (a tool window closed).
    virtual void focusMainWindow() {}
};

// A window that takes part in the Edit commands with more than text fields.
class EditTarget {
public:
    virtual ~EditTarget() = default;
    // Each returns false when the window leaves the command to its focused text field.
    virtual bool editCopy() = 0;
    virtual bool editCut() = 0;
    virtual bool editPaste() = 0;
};

class MainForm : public Form {
public:
    static constexpr const char* kCaption = "Ravelin (v 1.0)";
    static constexpr const char* kSettingsApp = "Ravelin";
    static constexpr const char* kSettingsSection = "Settings";

    explicit MainForm(Session& session);

    // --- commands ---
    using Command = std::function<void()>;
    // Installs the action of a menu item (enabling it); toolbar buttons with
    // the same action use the menu item's name.
    void setCommand(const std::string& menuItem, Command command);
    bool hasCommand(const std::string& menuItem) const { return commands_.count(menuItem) != 0; }
    // Runs a menu command as a click would.
    void runCommand(const std::string& menuItem);
    Control* toolButton(const std::string& key);
    Control& menuItem(const std::string& name) { return at(name); }

    // --- documents ---
    // kind 0 = chart window, 1 = acquisition window, 2 = spacing datasheet.
    // Charts and datasheets number themselves as they load.
    Form& NewDocumentWindow(int kind, int index = 0);
    void CloseDocumentWindow(Form& window);
    // A document window was activated: it becomes the current document.
    void documentActivated(Form& window);
    // A document window asked to close (its title bar, the shut-down): a
    // modified one runs the Close command, which asks to save it; any other
    // is closed. Returns true when the user kept the window open.
    bool closeDocumentFromTitleBar(Form& window);

    // --- tool windows ---
    void toggleToolWindow(const std::string& menuItem);
    // The close handling of a tool window: hide, log, uncheck, release.
    void toolWindowClosed(Form& window);
    void setToolButtonPressed(const std::string& key, bool pressed);

    // --- edit commands on the active window ---
    // Ctrl+C, Ctrl+X and Ctrl+V typed in a window with grids run Copy, Cut
    // and Paste; true (and the key consumed) when the key was one of them.
    bool runEditShortcut(int& keyCode, int shiftState);
    void editCopy();
    void editCut();
    void editPaste();
    void editUndo();
    void editRedo();
    // Undo and Redo are available while the active window has a step to take back or make again.
    void refreshUndoItems();

    // --- document commands ---
    // The File and Edit commands a document window offers while it is active;
    // a command not installed yet stays disabled. Print Preview follows
    // Print, the Cut, Copy and Paste buttons the Edit menu, and the text
    // format buttons (bold to right) serve the Info box's text alone.
    struct DocumentCommandSet {
        bool save = false;
        bool saveAs = false;
        bool print = false;
        bool edit = false;
        bool format = false;
    };
    void enableDocumentCommands(const DocumentCommandSet& commands);

    // --- status bar ---
    void setStatusPanel(int panel, const std::string& text, bool visible = true);
    void showProcessing(bool visible);
    // The keyboard panels as the platform reports the lock keys and the
    // typing mode: lit when on, dimmed when off, hidden where it cannot tell.
    void refreshKeyboardPanels();

    // A bar shown or hidden from outside the View menu (the toolbar's own
    // context menu): the menu item's check mark follows.
    void barShown(const std::string& menuItem, bool visible);

    // Shut-down: asks the exit question (if one is installed), stores the
    // placement, unloads every window, ends the log. Returns false when the
    // user cancelled or a window refused to close (the program goes on).
    bool shutdown();
    // Asked before anything closes at shut-down: false keeps the program and
    // every window as they were (the documents' save questions).
    void setExitQuestion(std::function<bool()> question) { exitQuestion_ = std::move(question); }

    void addMainObserver(MainFormObserver* observer) { mainObservers_.push_back(observer); }
    void removeMainObserver(MainFormObserver* observer);

protected:
    void onLoad() override;
    void onClick(Control& control) override;
    bool onQueryUnload() override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void installBuiltInCommands();
    void placeholder(const std::string& menuItem, const std::string& message);
    void toggleBar(const std::string& menuItem, const std::string& bar);
    Form* editWindow() const;

    std::map<std::string, Command> commands_;
    std::vector<MainFormObserver*> mainObservers_;
    std::function<bool()> exitQuestion_;
    bool shutDown_ = false;
    Form* closingDocument_ = nullptr;  // its Close command is running
};

// The status bar panels, 1-based.
namespace panels {
constexpr int Text = 1;
constexpr int Processing = 2;
constexpr int SampleInfos = 3;
constexpr int ScrollLock = 4;
constexpr int CapsLock = 5;
constexpr int NumLock = 6;
constexpr int Insert = 7;
}  // namespace panels

}  // namespace ravelin
