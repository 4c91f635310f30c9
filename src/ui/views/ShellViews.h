#pragma once
// Views of the shell's own windows: the events log, the about box and the
// Properties dialog.

#include <QWidget>

namespace ravelin {

class Form;
class UiContext;

QWidget* createLogView(Form& form, UiContext& context, QWidget* parent);
QWidget* createAboutView(Form& form, UiContext& context, QWidget* parent);
// The Properties dialog: its lines as label and value, the values selectable.
QWidget* createPropertiesView(Form& form, UiContext& context, QWidget* parent);

// Registers every hand-written view with the context.
void registerAllViews(UiContext& context);

}  // namespace ravelin
