#pragma once
// A tool or model window: created on first use, afterwards only hidden and
// shown; a tab strip "tbsOptions" switching option pages "picOptions"; rows
// of numeric input fields with the shared key filter, select-on-focus,
// navigation keys and reformatting when the focus leaves them.

#include <string>
#include <vector>

#include "core/Form.h"

namespace ravelin {

struct NumericArray {
    std::string name;
    int first = 0;
    int last = 0;
    std::string pattern;  // reformatting when the focus leaves; empty = none
    bool allowMinus = false;
};

class ToolForm : public Form {
public:
    // tagOffset is the window's vertical offset below the main window's top (twips).
    ToolForm(Session& session, std::string name, std::string caption, int tagOffset);

    // The numeric array a control belongs to, or nullptr.
    const NumericArray* numericArrayOf(const Control& control) const;

protected:
    // Creates the tab strip and one option page per tab.
    void addPages(const std::vector<TabInfo>& tabs);
    // Creates fields name(first..last) with the standard numeric wiring.
    void addNumericArray(NumericArray array, const std::string& container, const std::vector<std::string>& labels,
                         const std::vector<std::string>& defaults = {});
    // Output fields name(first..last): read-only text boxes.
    void addOutputArray(const std::string& name, int first, int last, const std::string& container,
                        const std::vector<std::string>& labels, const std::string& initialText = "");

    // Places the window, enables the first page and logs "Opening ...".
    void openToolWindow();

    void onGotFocus(Control& control) override;
    void onKeyPress(Control& control, int& key) override;
    void onLostFocus(Control& control) override;
    void onKeyDown(int& keyCode, int shiftState) override;
    void onTabClick(Control& tabStrip) override;
    bool onQueryUnload() override;

    // Reformatting of a field array when one of its fields loses the focus.
    virtual void formatArray(const NumericArray& array);

private:
    std::vector<NumericArray> arrays_;
};

// Shows the option page of the selected tab at (left, top) and moves the others out of sight.
void SelectOptionsPage(Form& window, double left = 90, double top = 540);
// The key of option page i, "picOptions(i)": the container of the page's frames.
std::string OptionPage(int index);

}  // namespace ravelin
