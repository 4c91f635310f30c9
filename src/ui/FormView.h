#pragma once
// The generic window of a calculation form: tab strip and option pages,
// frames as group boxes, fields with their labels, check boxes, option
// buttons and buttons, all laid out from the form's control tree and bound
// to it. Tool and model windows need nothing more.

#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "core/Form.h"

class QGridLayout;

namespace ravelin {

class FormBinder;
class UiContext;

class FormView : public QWidget {
    Q_OBJECT
public:
    FormView(Form& form, UiContext& context, QWidget* parent = nullptr);

    FormBinder& binder() const { return *binder_; }
    Form& form() const { return form_; }

private:
    void build();
    QWidget* buildContainer(const std::string& key, bool isPage);
    QWidget* widgetFor(Control& control);
    void addRow(QGridLayout* grid, int& row, Control& control);
    // Lines up the fields of frames stacked in one column.
    void alignFieldColumns(const std::vector<QWidget*>& stacked);

    Form& form_;
    UiContext& context_;
    FormBinder* binder_;
    std::map<std::string, std::vector<Control*>> children_;
    std::map<QWidget*, QGridLayout*> grids_;  // the field grid of each container that has one
};

}  // namespace ravelin
