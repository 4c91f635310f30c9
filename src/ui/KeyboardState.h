#pragma once
// The lock keys as the window system reports them, and the typing mode the
// Insert key switches, for the status bar's keyboard panels.

#include <QObject>
#include <functional>

#include "core/Platform.h"

namespace ravelin {

// Caps Lock, Num Lock and Scroll Lock from the X11 keyboard extension or
// the Windows key state; empty where the window system cannot tell (the
// off-screen platform, Wayland).
KeyboardState lockKeyState();

// Watches the whole program's keys: Insert (unshifted) switches between
// inserting and overwriting, which every rich-text editor follows; a lock
// key, Insert, or the program becoming active again tells the listener.
class KeyboardWatcher : public QObject {
    Q_OBJECT
public:
    explicit KeyboardWatcher(QObject* parent = nullptr);

    bool insertMode() const { return insertMode_; }
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed();

    bool insertMode_ = true;
    std::function<void()> listener_;
};

}  // namespace ravelin
