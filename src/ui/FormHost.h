#pragma once
// Keeps the window that shows a form (an MDI child or a floating tool
// window) in step with the form: caption, visibility, position and size in
// twips, activation, and closing through the session.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "core/Form.h"

namespace ravelin {

class UiContext;

class FormHost : public QObject, public FormObserver {
    Q_OBJECT
public:
    // `window` shows `form`; for a floating window positions are relative to
    // the main window, for an MDI child to the MDI area.
    FormHost(Form& form, UiContext& context, QWidget* window, bool floating);
    ~FormHost() override;

    Form* form() const { return form_; }
    QWidget* window() const { return window_; }
    // The form was destroyed: close the window for good.
    void formGone();
    void applyGeometry();
    // Where the form's left and top count from, in screen or MDI-area pixels.
    QPoint origin() const;

    void formChanged(Form&, FormProperty property) override;
    void refreshRequested(Form&) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyCaption();
    // The window moved or was resized by the user or the windowing system: the form takes its place.
    void reportGeometry(bool resized);

    Form* form_;
    UiContext& context_;
    QPointer<QWidget> window_;
    bool floating_;
    bool applying_ = false;
    bool closing_ = false;
};

}  // namespace ravelin
