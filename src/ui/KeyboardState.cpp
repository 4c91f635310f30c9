#include "ui/KeyboardState.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTextEdit>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(RAVELIN_HAVE_XKB) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
// Xlib's names that clash with Qt's event types.
#undef KeyPress
#undef KeyRelease
#undef FocusIn
#undef FocusOut
#undef None
#endif

namespace ravelin {

KeyboardState lockKeyState() {
    KeyboardState state;
#if defined(Q_OS_WIN)
    // The low bit of a toggle key's state is its light.
    state.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    state.numLock = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    state.scrollLock = (GetKeyState(VK_SCROLL) & 1) != 0;
#elif defined(RAVELIN_HAVE_XKB) && QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return state;
    // Named indicators: Scroll Lock is no modifier, and Num Lock's modifier varies by keymap.
    auto indicator = [display](const char* name) -> std::optional<bool> {
        const Atom atom = XInternAtom(display, name, True);
        if (atom == 0) return std::nullopt;  // the keymap has no such indicator
        Bool on = False;
        if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return std::nullopt;
        return on != False;
    };
    state.capsLock = indicator("Caps Lock");
    state.numLock = indicator("Num Lock");
    state.scrollLock = indicator("Scroll Lock");
#endif
    return state;
}

KeyboardWatcher::KeyboardWatcher(QObject* parent) : QObject(parent) {
    if (qApp) qApp->installEventFilter(this);
}

void KeyboardWatcher::changed() {
    if (listener_) listener_();
}

bool KeyboardWatcher::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // A key goes first to the focused widget (or its window), then up
            // to the parents that do not take it: count it once.
            auto* widget = qobject_cast<QWidget*>(watched);
            QWidget* focus = QApplication::focusWidget();
            if (!widget || (focus ? widget != focus : !widget->isWindow())) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat()) break;
            if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
                if (event->type() == QEvent::KeyPress) {
                    insertMode_ = !insertMode_;
                    if (auto* text = qobject_cast<QTextEdit*>(focus)) text->setOverwriteMode(!insertMode_);
                }
                changed();
            } else if (key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock ||
                       key->key() == Qt::Key_ScrollLock) {
                changed();
            }
            break;
        }
        case QEvent::FocusIn:
            if (auto* text = qobject_cast<QTextEdit*>(watched)) text->setOverwriteMode(!insertMode_);
            break;
        case QEvent::ApplicationStateChange:
            // The lock keys may have changed while another program had the keyboard.
            if (watched == qApp && QGuiApplication::applicationState() == Qt::ApplicationActive) changed();
            break;
        default: break;
    }
    return false;
}

}  // namespace ravelin
