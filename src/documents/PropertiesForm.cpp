#include "documents/PropertiesForm.h"

namespace ravelin {

PropertiesForm::PropertiesForm(Session& session) : Form(session, "frmProperties", "Properties") {}

void PropertiesForm::fill(const std::string& documentCaption, const std::vector<PropertyLine>& lines) {
    setCaption("Properties - " + documentCaption);
    int index = 0;
    for (const PropertyLine& line : lines)
        add(ControlKind::TextBox, "txtProperty", index++)
            .withDescription(line.label)
            .withText(line.value)
            .withReadOnly();
    add(ControlKind::CommandButton, "cmdOK").withText("OK");
}

void PropertiesForm::onClick(Control& control) {
    if (control.name() == "cmdOK") hide();
}

void PropertiesForm::onKeyDown(int& keyCode, int /*shiftState*/) {
    if (keyCode != keys::Escape && keyCode != keys::Enter) return;
    keyCode = 0;
    hide();
}

}  // namespace ravelin
