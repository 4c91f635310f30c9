#include "Assignment.h"

#include "CliSupport.h"
#include "core/TextCodec.h"

namespace ravelin::cli {

Assignment parseAssignment(const std::string& argument) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) throw UsageError("malformed assignment '" + argument + "'");
    Assignment assignment{argument.substr(0, equals), argument.substr(equals + 1)};
    // Typed text is UTF-8 inside the program; other bytes are read as files are, as Windows-1252.
    if (!isValidUtf8(assignment.value)) assignment.value = cp1252ToUtf8(assignment.value);
    if (!parseControlKey(assignment.key)) throw UsageError("malformed field name '" + assignment.key + "'");
    return assignment;
}

void applyAssignment(Form& form, const Assignment& assignment) {
    const std::string& key = assignment.key;
    const std::string& value = assignment.value;
    Control* control = form.findByKey(key);
    if (!control) throw WorkError("no field " + key + " on " + form.name());
    switch (control->kind()) {
        case ControlKind::TextBox:
            if (control->readOnly()) throw WorkError(key + " is a result, not an input");
            if (!control->enabled()) throw WorkError(key + " is disabled");
            typeInto(form, *control, value);
            return;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: {
            if (value != "0" && value != "1")
                throw UsageError("a check box or option takes 0 or 1: '" + key + "=" + value + "'");
            if (!control->enabled()) throw WorkError(key + " is disabled");
            const int wanted = value == "1" ? 1 : 0;
            if (control->value() == wanted) return;
            if (control->kind() == ControlKind::CheckBox || wanted == 1) form.userClick(*control);
            else form.setValue(*control, 0);
            return;
        }
        default: throw WorkError(key + " cannot be assigned");
    }
}

}  // namespace ravelin::cli
