#pragma once
// The "NAME(I)=TEXT" arguments of `ravelin-cli calc`: parsed apart from the
// command, so that any text a user passes can be tried against a window.

#include <string>

#include "core/Form.h"

namespace ravelin::cli {

struct Assignment {
    std::string key;    // a control name with its index, "txtDirPen(0)", or without one, "chkRes"
    std::string value;  // the text typed (UTF-8), or 0 / 1 for a check box or an option button
};

// Splits at the first "=". A value that is not UTF-8 (typed in a terminal
// of another encoding) is read as Windows-1252, as a file would be. A UsageError when there is no "=", nothing before
// it, or what is before it is not a control name.
Assignment parseAssignment(const std::string& argument);

// Plays the user's part: types into an input field and leaves it, or ticks a
// check box or option button. A UsageError for a box given other than 0 or 1;
// a WorkError when the window has no such control, or it is a result, is
// disabled or takes no value.
void applyAssignment(Form& form, const Assignment& assignment);

}  // namespace ravelin::cli
