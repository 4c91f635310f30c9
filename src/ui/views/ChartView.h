#pragma once
// A chart window (frmHisto): the form's recorded chart replayed on the
// surface, the labels placed where the form puts them, the vertical axis
// label drawn turned in its box, and the in-place label editor. Double
// clicks, clicks on the surface and pointer moves over the editor go to the
// form, which does the editing; the widgets follow it.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <map>

#include "core/Session.h"
#include "spacing/HistoForm.h"

class QLabel;

namespace ravelin {

class FormBinder;
class UiContext;

// picText: the form's rotated label drawing, in the box's own coordinates.
class RotatedLabelBox : public QWidget {
    Q_OBJECT
public:
    RotatedLabelBox(HistoForm& form, QWidget* parent);
    void detach() { form_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HistoForm* form_;
};

class ChartView : public QWidget, public FormObserver, public SessionObserver {
    Q_OBJECT
public:
    ChartView(HistoForm& form, UiContext& context, QWidget* parent);
    ~ChartView() override;

    QLabel* label(const std::string& name) const;
    RotatedLabelBox* rotatedBox() const { return rotated_; }
    QLineEdit* labelEditor() const { return editor_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void controlChanged(Form&, Control& control, ControlProperty property) override;
    void drawingChanged(Form&) override;
    void formDestroyed(Form& form) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts a control's widget at the control's place (twips), at least as large as its text needs.
    void place(const Control& control);
    void detach();

    HistoForm* form_;
    UiContext& context_;
    FormBinder* binder_;
    std::map<std::string, QLabel*> labels_;
    RotatedLabelBox* rotated_ = nullptr;
    QPointer<QLineEdit> editor_;
};

QWidget* createChartView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
