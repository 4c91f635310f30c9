#include "core/NumericFields.h"

#include <cmath>

#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Session.h"

namespace ravelin {

void FilterNumericKey(bool allowMinus, int& key) {
    if (key == keys::Backspace) return;
    if ((key >= '0' && key <= '9') || key == '.') return;
    if (key == '-' && allowMinus) return;
    key = 0;
}

void SelectAllText(Form& window) {
    if (Control* control = window.focused()) window.selectAll(*control);
}

void NavigateKey(Form& window, int keyCode) {
    Control* tabs = window.find("tbsOptions");
    switch (keyCode) {
        case keys::PageDown:
            if (tabs && tabs->value() < static_cast<int>(tabs->tabs().size()))
                window.userSelectTab(*tabs, tabs->value() + 1);
            break;
        case keys::PageUp:
            if (tabs && tabs->value() >= 2) window.userSelectTab(*tabs, tabs->value() - 1);
            break;
        case keys::Enter:
        case keys::LineFeed:
        case keys::Down: window.focusNext(+1); break;
        case keys::Up: window.focusNext(-1); break;
        default: break;
    }
}

double CheckRange(Form& window, Control& field, const std::string& name, long long minimum, long long maximum) {
    if (field.text().empty()) {
        // The change runs the window's recalculation, which checks "0.0"
        // itself; reading the text back afterwards avoids a second message.
        window.setText(field, "0.0");
        window.selectAll(field);
    }
    double value = readNumber(field.text());
    bool& valid = window.session().inputValid;
    if (value < static_cast<double>(minimum)) {
        ShowRangeError(window, field, name, "smaller", minimum);
        value = static_cast<double>(minimum);
        valid = false;  // after the message: the corrected field's own check has set it meanwhile
    } else if (value > static_cast<double>(maximum)) {
        ShowRangeError(window, field, name, "greater", maximum);
        value = static_cast<double>(maximum);
        valid = false;
    } else {
        valid = true;
    }
    return value;
}

void ShowRangeError(Form& window, Control& field, const std::string& name, const std::string& word, long long limit) {
    Platform& platform = window.platform();
    platform.beep();
    platform.messageBox({"Invalid data", "The " + name + " should not be " + word + " than " + std::to_string(limit),
                         MessageIcon::Information, MessageButtons::Ok});
    window.setText(field, std::to_string(limit));
    window.selectAll(field);
}

void FormatFields(Form& window, int first, int last, const std::string& arrayName, const std::string& pattern) {
    for (int i = first; i <= last; ++i) {
        if (Control* field = window.find(arrayName, i))
            window.setText(*field, formatNumber(readNumber(field->text()), pattern));
    }
}

void ShowFormatted(Form& window, Control& field, double value, const std::string& pattern) {
    window.setText(field, formatNumber(value, pattern));
}

void ShowLine(Form& window, Control& trendField, Control& plungeField, const OrientationResult& r) {
    ShowFormatted(window, trendField, r.Trend, "0.0");
    ShowFormatted(window, plungeField, r.Plunge, "0.0");
}

void ShowCosines(Form& window, Control& xField, Control& yField, Control& zField, const OrientationResult& r) {
    ShowFormatted(window, xField, r.X, "0.000");
    ShowFormatted(window, yField, r.Y, "0.000");
    ShowFormatted(window, zField, r.Z, "0.000");
}

}  // namespace ravelin
