#pragma once
// The acquisition window on the screen: two rows of commands (the picture,
// the drawing modes, the export and the estimators; the scale and surface
// fields and the zoom) above the canvas, a CanvasView of the surface
// picCanvas that zooms with the wheel about the pointer and drags with the
// middle button. The drawing mode buttons stay pressed while their mode
// lasts, as the form says.

#include <QWidget>

#include "acquisition/ScanForm.h"
#include "core/Session.h"

namespace ravelin {

class CanvasView;
class FormBinder;
class UiContext;

class AcquisitionView : public QWidget, public SessionObserver {
    Q_OBJECT
public:
    AcquisitionView(ScanForm& form, UiContext& context, QWidget* parent);
    ~AcquisitionView() override;

    CanvasView* canvas() const { return canvas_; }
    QSize sizeHint() const override;

    void formDestroyed(Form& form) override;

private:
    ScanForm* form_;
    UiContext& context_;
    FormBinder* binder_;
    CanvasView* canvas_ = nullptr;
};

QWidget* createAcquisitionView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
