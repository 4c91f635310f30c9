#pragma once
// The shared behaviour of the calculation windows' numeric input fields:
// the key filter, select-on-focus, keyboard navigation between fields and
// pages, the range check with its "Invalid data" message, and reformatting
// when the focus leaves a field array.

#include <string>

#include "core/Form.h"
#include "core/Orientation.h"

namespace ravelin {

// Accepts backspace, digits and "."; "-" only when allowMinus. Sets key to 0 to refuse.
void FilterNumericKey(bool allowMinus, int& key);
// Selects the whole text of the window's focused control.
void SelectAllText(Form& window);
// Page Down / Page Up switch the tab strip "tbsOptions"; Enter, line feed and
// Down move to the next field, Up to the previous one.
void NavigateKey(Form& window, int keyCode);
// Checks a field's value against [minimum, maximum]. The value is read from
// the field's current text (an empty field becomes "0.0"); a value out of
// range is replaced by the bound, written into the field, and the user is
// told once. The session's input-valid flag tells the last check's outcome:
// set when the value was in range, cleared when it was refused (a flag that
// stayed set would let a calculation run on a refused value). Returns the
// checked value.
double CheckRange(Form& window, Control& field, const std::string& name, long long minimum, long long maximum);
// The largest bound a range check takes (the 32-bit integer of the original fields).
constexpr long long kLargestBound = 2147483647;
void ShowRangeError(Form& window, Control& field, const std::string& name, const std::string& word, long long limit);
// Reformats fields first..last of an array with a display pattern.
void FormatFields(Form& window, int first, int last, const std::string& arrayName, const std::string& pattern);

void ShowFormatted(Form& window, Control& field, double value, const std::string& pattern);
// Trend and plunge (or dip direction and dip), "0.0".
void ShowLine(Form& window, Control& trendField, Control& plungeField, const OrientationResult& r);
// X, Y, Z, "0.000".
void ShowCosines(Form& window, Control& xField, Control& yField, Control& zField, const OrientationResult& r);

}  // namespace ravelin
