#pragma once
// The small windows of the shell: the event log, the about box (also the
// splash window) and the options dialog.

#include "core/Form.h"

namespace ravelin {

// "Events log": the session's log lines in one multi-line field txtLog.
class LogForm : public Form {
public:
    explicit LogForm(Session& session);

protected:
    void onLoad() override;
    void onResize() override;
    bool onQueryUnload() override;  // closing from the title bar only hides it
};

// The about window, shown as the splash at start-up and from the Help menu.
class AboutForm : public Form {
public:
    explicit AboutForm(Session& session);

protected:
    void onClick(Control& control) override;
};

// "Options": program-wide options. Nothing typed here is kept; the values in
// force are the initial ones (ProgramOptions).
class OptionsForm : public Form {
public:
    explicit OptionsForm(Session& session);

protected:
    void onClick(Control& control) override;
    void onTabClick(Control& tabStrip) override;
    void onKeyDown(int& keyCode, int shiftState) override;

private:
    void selectPage();
};

}  // namespace ravelin
