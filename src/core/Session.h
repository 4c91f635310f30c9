#pragma once
// The state of one run of Ravelin: its platform, its windows (the main
// window owns them all), the counters of the main window's "New ..."
// commands, the current document, the event log, the report path to the Info
// box, and the state each subsystem keeps for the run (moduleState). One
// Session per run; tests make their own.

#include <functional>
#include <typeindex>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Form.h"
#include "core/Platform.h"
#include "core/Report.h"

namespace ravelin {

class MainForm;

// Values of the options dialog that the rest of the program reads. What is
// typed into the dialog is discarded when it closes, so these stay in force.
struct ProgramOptions {
    std::string nbDataOnGrid = "1000";
    std::string histogramTitle = "Frequency distribution";
    std::string histogramXLabel = "Discontinuity spacing [m]";
    std::string histogramYLabel = "Frequency";
};

class SessionObserver {
public:
    virtual ~SessionObserver() = default;
    virtual void formCreated(Form&) {}
    virtual void formDestroyed(Form&) {}
    virtual void reportAppended(const ReportBlock&, ReportTarget) {}
    // A message went to the log file (whether or not there is one).
    virtual void logWritten(const std::string& /*message*/) {}
};

using FormFactory = std::function<std::unique_ptr<Form>(Session&)>;

class Session {
public:
    explicit Session(Platform& platform);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Platform& platform() const { return platform_; }

    // --- window catalogue ---
    // Registers how to make a window by its name (frmToolXYZ, frmSpacing, ...).
    void registerForm(const std::string& name, FormFactory factory);
    bool hasFormType(const std::string& name) const;

    // A new instance of a window kind, loaded (its load handler has run).
    Form& createForm(const std::string& name);
    // The single instance of a window kind, created and loaded on first use.
    Form& form(const std::string& name);
    template <class T>
    T& form(const std::string& name) {
        return dynamic_cast<T&>(form(name));
    }
    // The existing instance, or nullptr.
    Form* findForm(const std::string& name) const;
    const std::vector<std::unique_ptr<Form>>& forms() const { return forms_; }
    bool owns(const Form* form) const;

    // Asks the window to close; it may refuse (save question cancelled, tool
    // window hiding itself). Returns true when it was unloaded and destroyed.
    bool closeForm(Form& form);
    // Unloads without asking (shut-down of windows that already agreed).
    // The object itself lives on until releaseClosedForm or the session's end:
    // it may be closing itself from one of its own handlers.
    void destroyForm(Form& form);
    // Frees a destroyed window once none of its handlers can be running
    // (the desktop program calls it from its event loop).
    void releaseClosedForm(const Form* form);
    std::size_t closedFormsKept() const { return graveyard_.size(); }

    MainForm* mainForm() const { return mainForm_; }
    void setMainForm(MainForm* form) { mainForm_ = form; }
    // The main window as a plain window (it stands for "no document").
    Form* mainWindow() const;

    // The document activated last; the main window when there is none.
    Form* currentDocument() const { return currentDocument_; }
    void setCurrentDocument(Form* form) { currentDocument_ = form; }
    Form* activeForm() const { return activeForm_; }
    // The window the user works in; the main window's Undo and Redo follow it.
    void setActiveForm(Form* form);
    // A window's history changed: the main window's Undo and Redo follow it.
    void undoStateChanged(Form& form);

    // --- counters of the main window's "New ..." commands: they never go down ---
    // The acquisition window is created by the main window and reloaded by its
    // "New acquisition window" command, which the acquisition subsystem installs.
    long long acquisitionCounter = 0;
    long long digitizingCounter = 0;

    bool closeCancelled = false;
    bool shuttingDown = false;  // windows unload for good instead of hiding
    bool inputValid = false;    // CheckRange's last outcome: the checked value lay within its range

    ProgramOptions options;

    // --- reports ---
    // Appends a block to the Info box (created on first use) or to the hidden print field.
    void appendInfoText(const ReportBlock& block, long long position = 0, ReportTarget target = ReportTarget::InfoBox);
    // The blocks of one report, in order at the insertion point of the Info
    // box, where one Undo takes the whole report back.
    void appendReport(const std::vector<ReportBlock>& blocks);
    void initInfoText(ReportTarget target);
    void clearInfoText(ReportTarget target);
    // Gives the Info box (created on first use) the name of what its reports come from (InfoSink::setReportName).
    void nameInfoBox(const std::string& name);
    // Supplies the hidden print field; the Info box registers as a form "frmInfoBox".
    void setPrintField(InfoSink* sink) { printField_ = sink; }
    // Shared insertion point of appended blocks (character position).
    long long insertionPoint = 0;

    // --- event log ---
    // Writes a line to the log window and to the log file.
    void logEvent(const std::string& message);
    // Writes to the log file only. Failures are ignored.
    void writeLogFile(const std::string& message);
    std::string logFilePath() const;
    // Writes an error record ("ERROR" with number, description, context...) to the log file.
    void logError(int number, const std::string& description, const std::string& source);

    void addObserver(SessionObserver* observer);
    void removeObserver(SessionObserver* observer);

    // State a subsystem shares between its windows for the whole run (the
    // current chart window, the busy flag, ...), one default-constructed T
    // per session: no globals, so every test starts clean.
    template <class T>
    T& moduleState() {
        auto& slot = modules_[std::type_index(typeid(T))];
        if (!slot) slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }

private:
    Form& adopt(std::unique_ptr<Form> form);

    Platform& platform_;
    std::map<std::string, FormFactory> factories_;
    std::vector<std::unique_ptr<Form>> forms_;
    MainForm* mainForm_ = nullptr;
    Form* currentDocument_ = nullptr;
    Form* activeForm_ = nullptr;
    InfoSink* printField_ = nullptr;
    bool logFileStarted_ = false;
    std::vector<std::unique_ptr<Form>> graveyard_;
    std::map<std::type_index, std::shared_ptr<void>> modules_;
    std::vector<SessionObserver*> observers_;
};

// Helpers of the main window's bookkeeping.
void MarkModified(Form& window);
void ClearModifiedMarker(Form& window);
bool IsModified(const Form& window);
// The window's caption without its modified marker.
std::string UnmarkedCaption(const Form& window);
// The text without the blanks at either end.
std::string TrimBlanks(const std::string& text);

}  // namespace ravelin
