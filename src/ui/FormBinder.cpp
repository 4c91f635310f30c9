#include "ui/FormBinder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "core/SymbolFont.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"

namespace ravelin {

namespace {

// Core selections are byte offsets in UTF-8; Qt counts UTF-16 units.
int toQtOffset(const std::string& text, int byteOffset) {
    return static_cast<int>(
        QString::fromUtf8(text.data(), std::clamp(byteOffset, 0, static_cast<int>(text.size()))).size());
}
int toByteOffset(const QString& text, int qtOffset) { return static_cast<int>(text.left(qtOffset).toUtf8().size()); }

// The option page a frame, label or page lies on ("picOptions(i)"), or nullptr.
Control* optionPageUnder(Form& form, Control& control) {
    Control* current = &control;
    for (int depth = 0; depth < 16 && current; ++depth) {
        if (current->name() == "picOptions") return current;
        if (current->container().empty()) return nullptr;
        current = form.findByKey(current->container());
    }
    return nullptr;
}

// Marks a widget whose font the binder chose, so that it can give the font back.
constexpr const char* kOwnFont = "ravelinOwnFont";

struct Applying {
    int& depth;
    explicit Applying(int& d) : depth(d) { ++depth; }
    ~Applying() { --depth; }
};

}  // namespace

void showPointer(QWidget* widget, PointerShape shape) {
    switch (shape) {
        case PointerShape::Arrow: widget->unsetCursor(); break;
        case PointerShape::CrossHair: widget->setCursor(Qt::CrossCursor); break;
        case PointerShape::Hand: widget->setCursor(Qt::PointingHandCursor); break;
        case PointerShape::Busy: widget->setCursor(Qt::WaitCursor); break;
        case PointerShape::SizeAll: widget->setCursor(Qt::SizeAllCursor); break;
    }
}

void unbindAll(QWidget* window) {
    if (!window) return;
    for (FormBinder* binder : window->findChildren<FormBinder*>()) binder->detach();
}

int coreKeyCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace: return keys::Backspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return keys::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return keys::Enter;
        case Qt::Key_Escape: return keys::Escape;
        case Qt::Key_Space: return keys::Space;
        case Qt::Key_PageUp: return keys::PageUp;
        case Qt::Key_PageDown: return keys::PageDown;
        case Qt::Key_End: return keys::End;
        case Qt::Key_Home: return keys::Home;
        case Qt::Key_Left: return keys::Left;
        case Qt::Key_Up: return keys::Up;
        case Qt::Key_Right: return keys::Right;
        case Qt::Key_Down: return keys::Down;
        case Qt::Key_Delete: return keys::Delete;
        default: break;
    }
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    return 0;
}

int coreCharCode(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    if (event.key() == Qt::Key_Backspace) return keys::Backspace;
    const QString text = event.text();
    if (text.isEmpty() || (!text.front().isPrint() && !text.front().isHighSurrogate())) return 0;
    return static_cast<int>(text.toUcs4().value(0));
}

int coreShiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ShiftModifier) state |= shift::Shift;
    if (modifiers & Qt::ControlModifier) state |= shift::Ctrl;
    if (modifiers & Qt::AltModifier) state |= shift::Alt;
    return state;
}

FormBinder::FormBinder(Form& form, QWidget* root) : QObject(root), form_(&form), root_(root) { form.addObserver(this); }

FormBinder::~FormBinder() { detach(); }

void FormBinder::detach() {
    if (form_) form_->removeObserver(this);
    form_ = nullptr;
}

void FormBinder::bind(Control& control, QWidget* widget) {
    // Views, tests and the accessibility tree find a widget by its control's key.
    if (widget->objectName().isEmpty()) widget->setObjectName(qs(control.key()));
    widgets_[&control] = widget;
    controls_[widget] = &control;
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) controls_[tabs->tabBar()] = &control;
    applyAll(control, widget);
    connectWidget(control, widget);
    watch(widget);
}

QWidget* FormBinder::widgetFor(const Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second.data();
}

Control* FormBinder::controlFor(const QObject* widget) const {
    auto it = controls_.find(widget);
    return it == controls_.end() ? nullptr : it->second;
}

void FormBinder::refreshAll() {
    for (auto& [control, widget] : widgets_)
        if (widget) applyAll(*const_cast<Control*>(control), widget);
}

void FormBinder::watch(QWidget* widget) {
    widget->installEventFilter(this);
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) tabs->tabBar()->installEventFilter(this);
}

void FormBinder::connectWidget(Control& control, QWidget* widget) {
    Control* c = &control;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, c, edit](const QString& text) {
            if (!form_ || applying_) return;
            form_->userEdit(*c, ss(text), toByteOffset(text, edit->cursorPosition()));
        });
        connect(edit, &QLineEdit::selectionChanged, this, [this, c, edit] {
            if (!form_ || applying_) return;
            Applying guard(applying_);
            const QString text = edit->text();
            if (edit->hasSelectedText()) {
                const int start = edit->selectionStart();
                const int end = start + static_cast<int>(edit->selectedText().size());
                form_->setSelection(*c, toByteOffset(text, start), toByteOffset(text, end) - toByteOffset(text, start));
            } else {
                form_->setSelection(*c, toByteOffset(text, edit->cursorPosition()), 0);
            }
        });
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        connect(tabs, &QTabWidget::currentChanged, this, [this, c](int index) {
            if (!form_ || applying_) return;
            form_->userSelectTab(*c, index + 1);
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, c, button] {
            if (!form_ || applying_) return;
            form_->userClick(*c);
            // The form decides the state; undo whatever the widget did on its own.
            if (form_ && widgets_.count(c)) apply(*c, button, ControlProperty::Value);
        });
    }
}

void FormBinder::applyAll(Control& control, QWidget* widget) {
    for (ControlProperty property : {ControlProperty::Text, ControlProperty::Enabled, ControlProperty::Visible,
                                     ControlProperty::Value, ControlProperty::Font, ControlProperty::Color,
                                     ControlProperty::ToolTip, ControlProperty::Tabs, ControlProperty::Pointer})
        apply(control, widget, property);
}

void FormBinder::apply(Control& control, QWidget* widget, ControlProperty property) {
    Applying guard(applying_);
    switch (property) {
        case ControlProperty::Text: {
            const QString text = qs(ShownText(control));
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                if (edit->text() != text) {
                    edit->setText(text);
                    apply(control, widget, ControlProperty::Selection);
                }
            } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
                QString shown = text;
                shown.remove(QChar('\r'));
                const QString present = plain->toPlainText();
                if (present == shown) break;
                // A growing text (the events log) gets only its new tail, not a new layout of the whole.
                if (!present.isEmpty() && shown.startsWith(present)) {
                    QTextCursor end(plain->document());
                    end.movePosition(QTextCursor::End);
                    end.insertText(shown.mid(present.size()));
                } else {
                    plain->setPlainText(shown);
                }
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(text);
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                group->setTitle(text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(text);
            }
            break;
        }
        case ControlProperty::Selection:
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                const int start = toQtOffset(control.text(), control.selStart());
                const int end = toQtOffset(control.text(), control.selStart() + control.selLength());
                if (end > start) edit->setSelection(start, end - start);
                else edit->setCursorPosition(start);
            } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
                plain->moveCursor(QTextCursor::End);
            }
            break;
        case ControlProperty::Enabled: widget->setEnabled(control.enabled()); break;
        case ControlProperty::Visible:
            // Option pages are shown by their tab widget, not by the flag.
            // A widget not yet placed in its window must not be shown on its
            // own (it would become a window); it shows with its parent.
            if (control.kind() != ControlKind::PictureBox || control.name() != "picOptions") {
                if (!control.visible()) widget->hide();
                else if (widget->isHidden() && widget->parentWidget()) widget->show();
            }
            break;
        case ControlProperty::Value:
            if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
                if (control.value() >= 1 && control.value() <= tabs->count())
                    tabs->setCurrentIndex(control.value() - 1);
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable()) {
                button->setChecked(control.value() != 0);
            }
            break;
        case ControlProperty::Font: {
            FontSpec font = control.font();
            // A Symbol font may be missing: its signs are shown as characters (ShownText) of the usual face.
            const bool symbol = font.name == kSymbolFontName;
            if (symbol) font.name = FontSpec{}.name;
            if ((symbol && font != FontSpec{}) || (!symbol && control.fontChanged()) ||
                control.kind() == ControlKind::Label) {
                widget->setFont(toQFont(font));
                widget->setProperty(kOwnFont, true);
            } else if (widget->property(kOwnFont).toBool()) {
                widget->setFont(QFont());  // the face the window gives its fields
                widget->setProperty(kOwnFont, false);
            }
            // The shown characters follow the font (a long plain text never is in the Symbol font).
            if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QLabel*>(widget))
                apply(control, widget, ControlProperty::Text);
            break;
        }
        case ControlProperty::Color:
            if (control.foreColor() != kDefaultColor) {
                QPalette palette = widget->palette();
                palette.setColor(QPalette::WindowText, toQColor(Rgb{static_cast<std::uint32_t>(control.foreColor())}));
                palette.setColor(QPalette::ButtonText, toQColor(Rgb{static_cast<std::uint32_t>(control.foreColor())}));
                palette.setColor(QPalette::Text, toQColor(Rgb{static_cast<std::uint32_t>(control.foreColor())}));
                widget->setPalette(palette);
            }
            break;
        case ControlProperty::ToolTip:
            if (!control.toolTip().empty()) widget->setToolTip(qs(control.toolTip()));
            break;
        case ControlProperty::Tabs:
            if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
                for (int i = 0; i < tabs->count() && i < static_cast<int>(control.tabs().size()); ++i) {
                    tabs->setTabText(i, qs(control.tabs()[static_cast<size_t>(i)].caption));
                    tabs->setTabToolTip(i, qs(control.tabs()[static_cast<size_t>(i)].toolTip));
                }
            }
            break;
        case ControlProperty::Pointer: showPointer(widget, control.pointer()); break;
        case ControlProperty::Geometry:
        case ControlProperty::View: break;  // the generic layout places widgets itself; views follow their own surfaces
    }
}

void FormBinder::controlChanged(Form&, Control& control, ControlProperty property) {
    QWidget* widget = widgetFor(control);
    if (!widget) return;
    apply(control, widget, property);
}

void FormBinder::focusRequested(Form&, Control& control) {
    if (QWidget* widget = widgetFor(control)) {
        Applying guard(applying_);
        widget->setFocus(Qt::TabFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) apply(control, edit, ControlProperty::Selection);
    }
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    if (!form_) return false;
    Control* control = controlFor(watched);
    if (event->type() == QEvent::FocusIn && control && !applying_) {
        if (control->kind() == ControlKind::TabStrip) return false;
        form_->userFocus(*control);
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && control &&
        (control->kind() == ControlKind::PictureBox || control->kind() == ControlKind::Frame ||
         control->kind() == ControlKind::Label)) {
        // A press on an option page, on its frames or labels, is a click on the page.
        if (Control* page = optionPageUnder(*form_, *control)) {
            form_->userClick(*page);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The window sees every key before its controls do.
        const int code = coreKeyCode(*key);
        if (code != 0 && code != keys::Backspace) {
            const bool isTab = code == keys::Tab;
            const int shiftState =
                coreShiftState(key->modifiers()) | (key->key() == Qt::Key_Backtab ? shift::Shift : 0);
            if (form_->userKeyDown(code, shiftState) == 0 || isTab) return true;
            if (!form_) return true;
        }
        // Typed characters pass the field's key filter.
        if (control && qobject_cast<QLineEdit*>(watched)) {
            if (int typed = coreCharCode(*key); typed != 0 && !form_->filterKey(*control, typed)) return true;
        }
    }
    return false;
}

}  // namespace ravelin
