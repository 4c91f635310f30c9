#pragma once
// "Projection" (frmProj): the menu entry "&Clear canvas" above the net's
// surface picProj. The surface's size, once the window settles, is the
// canvas the form draws on: the form plots its data again for it.

#include <QTimer>
#include <QWidget>

#include "core/Session.h"

class QMenuBar;

namespace ravelin {

class CanvasView;
class FormBinder;
class ProjForm;
class UiContext;

class ProjectionView : public QWidget, public SessionObserver {
    Q_OBJECT
public:
    ProjectionView(ProjForm& form, UiContext& context, QWidget* parent);
    ~ProjectionView() override;

    CanvasView* surface() const { return surface_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Gives the form the surface's size now rather than once resizing has paused.
    void applySize();

    void formDestroyed(Form& form) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProjForm* form_;
    UiContext& context_;
    FormBinder* binder_;
    QMenuBar* menuBar_ = nullptr;
    CanvasView* surface_ = nullptr;
    // A window dragged to a new size replots once, when the drag pauses.
    QTimer resizeTimer_;
};

QWidget* createProjectionView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
