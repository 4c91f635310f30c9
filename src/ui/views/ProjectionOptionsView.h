#pragma once
// "Projection options" (frmOptProj): the plot options in the left column
// (structural elements, symbol, hemisphere and net side by side, rows, the
// colour palette, "Replace" and "Add"), the analyses in the right column
// (density and mean orientation, kinematic analysis). Every widget is bound
// to its control; the palette's labels are swatches drawn in their colours.

#include <QColor>
#include <QWidget>
#include <map>

#include "core/Session.h"

class QGroupBox;
class QLayout;

namespace ravelin {

class FormBinder;
class UiContext;

// A palette label: a box filled with a colour; a press is a click on it.
class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent) : QWidget(parent) {}
    QSize sizeHint() const override { return {22, 18}; }
    void setColor(const QColor& color);
    QColor color() const { return color_; }

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor color_;
};

class ProjectionOptionsView : public QWidget, public FormObserver, public SessionObserver {
    Q_OBJECT
public:
    ProjectionOptionsView(Form& form, UiContext& context, QWidget* parent);
    ~ProjectionOptionsView() override;

    ColorSwatch* swatch(int index) const;

    void controlChanged(Form&, Control& control, ControlProperty property) override;
    void formDestroyed(Form& form) override;

private:
    QGroupBox* frame(const std::string& name);
    // The frame's option buttons, check boxes, fields with their labels and buttons, in the form's order.
    void fill(QGroupBox* box, const std::string& container);
    QWidget* palette();
    void detach();

    Form* form_;
    UiContext& context_;
    FormBinder* binder_;
    std::map<const Control*, ColorSwatch*> swatches_;
};

QWidget* createProjectionOptionsView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
