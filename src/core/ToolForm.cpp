#include "core/ToolForm.h"

#include "core/MainForm.h"
#include "core/NumericFields.h"
#include "core/Session.h"

namespace ravelin {

ToolForm::ToolForm(Session& session, std::string name, std::string caption, int tagOffset)
    : Form(session, std::move(name), std::move(caption)) {
    setTag(std::to_string(tagOffset));
}

const NumericArray* ToolForm::numericArrayOf(const Control& control) const {
    for (const NumericArray& array : arrays_) {
        if (array.name == control.name() && control.index() >= array.first && control.index() <= array.last)
            return &array;
    }
    return nullptr;
}

void ToolForm::addPages(const std::vector<TabInfo>& tabs) {
    add(ControlKind::TabStrip, "tbsOptions").withTabs(tabs).withValue(1);
    for (size_t i = 0; i < tabs.size(); ++i) {
        const bool first = i == 0;
        add(ControlKind::PictureBox, "picOptions", static_cast<int>(i))
            .withGeometry(first ? 90 : -20000, 540, 0, 0)
            .withEnabled(first)
            .withDescription(tabs[i].caption);
    }
}

void ToolForm::addNumericArray(NumericArray array, const std::string& container, const std::vector<std::string>& labels,
                               const std::vector<std::string>& defaults) {
    for (int i = array.first; i <= array.last; ++i) {
        const size_t k = static_cast<size_t>(i - array.first);
        Control& field = add(ControlKind::TextBox, array.name, i).withContainer(container).withMinus(array.allowMinus);
        if (k < labels.size()) field.withDescription(labels[k]);
        field.withText(k < defaults.size() ? defaults[k] : "0");
    }
    arrays_.push_back(std::move(array));
}

void ToolForm::addOutputArray(const std::string& name, int first, int last, const std::string& container,
                              const std::vector<std::string>& labels, const std::string& initialText) {
    for (int i = first; i <= last; ++i) {
        const size_t k = static_cast<size_t>(i - first);
        Control& field =
            add(ControlKind::TextBox, name, i).withContainer(container).withReadOnly().withText(initialText);
        if (k < labels.size()) field.withDescription(labels[k]);
    }
}

void ToolForm::openToolWindow() {
    if (Control* page = find("picOptions", 0)) setEnabled(*page, true);
    const Form* main = session().mainWindow();
    const double mainWidth = main ? main->width() : 0;
    moveTo(mainWidth - width() - 200, std::stod(tag().empty() ? "0" : tag()) + 1000);
    if (const ToolWindowInfo* info = toolWindowInfo(name())) session().logEvent("Opening " + info->logName);
}

void ToolForm::onGotFocus(Control& control) {
    if (numericArrayOf(control)) SelectAllText(*this);
}

void ToolForm::onKeyPress(Control& control, int& key) {
    if (const NumericArray* array = numericArrayOf(control)) FilterNumericKey(array->allowMinus, key);
}

void ToolForm::onLostFocus(Control& control) {
    if (const NumericArray* array = numericArrayOf(control)) formatArray(*array);
}

void ToolForm::formatArray(const NumericArray& array) {
    if (!array.pattern.empty()) FormatFields(*this, array.first, array.last, array.name, array.pattern);
}

void ToolForm::onKeyDown(int& keyCode, int shiftState) {
    if (shiftState & (shift::Ctrl | shift::Alt)) return;
    switch (keyCode) {
        case keys::PageUp:
        case keys::PageDown:
        case keys::Enter:
        case keys::LineFeed:
        case keys::Up:
        case keys::Down:
            NavigateKey(*this, keyCode);
            keyCode = 0;  // the navigation is done; the field must not act on the key too
            break;
        default: break;
    }
}

void ToolForm::onTabClick(Control& tabStrip) { SelectOptionsPage(*this); }

bool ToolForm::onQueryUnload() {
    if (MainForm* main = session().mainForm()) main->toolWindowClosed(*this);
    // Closed from its title bar, a tool window only hides; it unloads at shut-down.
    return !session().shuttingDown;
}

std::string OptionPage(int index) { return "picOptions(" + std::to_string(index) + ")"; }

void SelectOptionsPage(Form& window, double left, double top) {
    Control* tabs = window.find("tbsOptions");
    if (!tabs) return;
    const int count = static_cast<int>(tabs->tabs().size());
    for (int i = 0; i < count; ++i) {
        Control* page = window.find("picOptions", i);
        if (!page) continue;
        if (i == tabs->value() - 1) {
            window.setGeometry(*page, left, top, page->width(), page->height());
            window.setEnabled(*page, true);
        } else {
            window.setGeometry(*page, -20000, page->top(), page->width(), page->height());
            window.setEnabled(*page, false);
        }
    }
}

}  // namespace ravelin
