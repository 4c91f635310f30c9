#pragma once
// Binds widgets to the controls of a core Form, both ways: what the user
// does goes to the form as user actions (typing, keys, focus, clicks, tab
// changes); what the form changes comes back to the widgets. The form
// stays the single source of truth.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>

#include "core/Form.h"

class QLineEdit;
class QKeyEvent;

namespace ravelin {

// The key code and shift state the core expects for a Qt key event; 0 when none.
int coreKeyCode(const QKeyEvent& event);
int coreShiftState(Qt::KeyboardModifiers modifiers);
// The character a key press types, as the core's key filters take it: its
// code point, or Backspace; 0 when it types nothing printable.
int coreCharCode(const QKeyEvent& event);

// Gives the widget the pointer shape a form asks for (the arrow is the widget's own default).
void showPointer(QWidget* widget, PointerShape shape);

// Unbinds every binder under `window` from its form, before the window is
// deleted later: the form may be gone by the time the deletion runs.
void unbindAll(QWidget* window);

class FormBinder : public QObject, public FormObserver {
    Q_OBJECT
public:
    // Key presses anywhere under `root` pass through the form's key preview.
    FormBinder(Form& form, QWidget* root);
    ~FormBinder() override;

    Form& form() const { return *form_; }
    void bind(Control& control, QWidget* widget);
    QWidget* widgetFor(const Control& control) const;
    Control* controlFor(const QObject* widget) const;
    // Copies every bound control's state into its widget.
    void refreshAll();
    // The form was destroyed: stop talking to it.
    void detach();

    void controlChanged(Form&, Control&, ControlProperty property) override;
    void focusRequested(Form&, Control&) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(Control& control, QWidget* widget, ControlProperty property);
    void applyAll(Control& control, QWidget* widget);
    void connectWidget(Control& control, QWidget* widget);
    void watch(QWidget* widget);

    Form* form_;
    QPointer<QWidget> root_;
    std::map<const Control*, QPointer<QWidget>> widgets_;
    std::map<const QObject*, Control*> controls_;
    int applying_ = 0;  // >0 while the binder itself changes widgets
};

}  // namespace ravelin
