#pragma once
// A chart window (frmHisto): the drawing of the surface picHisto, the
// labels placed where the form puts them, the vertical axis label drawn
// turned in its box picText, and the in-place label editor. Both drawings
// are CanvasViews, which pass the pointer to the form; double clicks on the
// labels and pointer moves over the editor go to the form too, which does
// the editing; the widgets follow it.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <map>

#include "core/Session.h"
#include "spacing/HistoForm.h"

class QLabel;

namespace ravelin {

class CanvasView;
class FormBinder;
class UiContext;

class ChartView : public QWidget, public FormObserver, public SessionObserver {
    Q_OBJECT
public:
    ChartView(HistoForm& form, UiContext& context, QWidget* parent);
    ~ChartView() override;

    QLabel* label(const std::string& name) const;
    CanvasView* surface() const { return surface_; }
    CanvasView* rotatedBox() const { return rotated_; }
    QLineEdit* labelEditor() const { return editor_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void controlChanged(Form&, Control& control, ControlProperty property) override;
    void formDestroyed(Form& form) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts a control's widget at the control's place (twips), at least as large as its text needs.
    void place(const Control& control);
    void detach();

    HistoForm* form_;
    UiContext& context_;
    FormBinder* binder_;
    CanvasView* surface_ = nullptr;
    std::map<std::string, QLabel*> labels_;
    CanvasView* rotated_ = nullptr;
    QPointer<QLineEdit> editor_;
};

QWidget* createChartView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
