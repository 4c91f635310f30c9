#include "core/Form.h"

#include <algorithm>
#include <stdexcept>

#include "core/Drawing.h"
#include "core/NumberText.h"
#include "core/Session.h"

namespace ravelin {

std::string Control::key() const { return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")"; }

Control& Control::withGeometry(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    return *this;
}

std::optional<std::pair<std::string, int>> parseControlKey(const std::string& key) {
    const auto open = key.find('(');
    if (open == std::string::npos) {
        if (key.empty() || key.find(')') != std::string::npos) return std::nullopt;
        return std::make_pair(key, -1);
    }
    if (open == 0 || key.back() != ')' || open + 2 >= key.size()) return std::nullopt;
    const std::string digits = key.substr(open + 1, key.size() - open - 2);
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::make_pair(key.substr(0, open), std::stoi(digits));
}

Form::Form(Session& session, std::string name, std::string caption)
    : session_(session), name_(std::move(name)), caption_(std::move(caption)) {
    undo_.onChanged([this] {
        onModifiedChanged(undo_.modified());
        session_.undoStateChanged(*this);
    });
}

Form::~Form() = default;

Platform& Form::platform() const { return session_.platform(); }

void Form::setCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    notify(FormProperty::Caption);
}

void Form::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    notify(FormProperty::Visible);
}

void Form::move(double left, double top, double width, double height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(FormProperty::Geometry);
}

void Form::setWindowState(WindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    notify(FormProperty::WindowState);
}

Control& Form::add(ControlKind kind, const std::string& name, int index) {
    const auto key = std::make_pair(name, index);
    if (index_.count(key)) throw std::logic_error("duplicate control " + name);
    controls_.push_back(std::make_unique<Control>(kind, name, index));
    Control& control = *controls_.back();
    index_[key] = &control;
    switch (kind) {
        case ControlKind::TextBox: control.font_ = control.designFont_ = FontSpec{}; break;
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::PictureBox:
        case ControlKind::MenuItem:
        case ControlKind::ToolButton:
        case ControlKind::StatusPanel:
        case ControlKind::TabStrip: control.tabStop_ = false; break;
        default: break;
    }
    return control;
}

Control* Form::find(const std::string& name, int index) {
    auto it = index_.find({name, index});
    return it == index_.end() ? nullptr : it->second;
}

const Control* Form::find(const std::string& name, int index) const {
    auto it = index_.find({name, index});
    return it == index_.end() ? nullptr : it->second;
}

Control* Form::findByKey(const std::string& key) {
    const auto parts = parseControlKey(key);
    return parts ? find(parts->first, parts->second) : nullptr;
}

Control& Form::at(const std::string& name, int index) {
    if (Control* control = find(name, index)) return *control;
    throw std::out_of_range("no control " + name + (index >= 0 ? "(" + std::to_string(index) + ")" : "") + " on " +
                            name_);
}

const Control& Form::at(const std::string& name, int index) const {
    if (const Control* control = find(name, index)) return *control;
    throw std::out_of_range("no control " + name + " on " + name_);
}

double Form::number(const std::string& name, int index) const { return readNumber(at(name, index).text()); }

void Form::setText(Control& control, const std::string& text) {
    if (control.text_ == text) return;
    control.text_ = text;
    const int length = static_cast<int>(text.size());
    control.selStart_ = std::min(control.selStart_, length);
    control.selLength_ = std::min(control.selLength_, length - control.selStart_);
    notify(control, ControlProperty::Text);
    onChange(control);
}

void Form::setEnabled(Control& control, bool enabled) {
    if (control.enabled_ == enabled) return;
    control.enabled_ = enabled;
    notify(control, ControlProperty::Enabled);
}

void Form::setVisible(Control& control, bool visible) {
    if (control.visible_ == visible) return;
    control.visible_ = visible;
    notify(control, ControlProperty::Visible);
}

void Form::setValue(Control& control, int value) {
    switch (control.kind_) {
        case ControlKind::CheckBox:
            if (control.value_ == value) return;
            control.value_ = value;
            notify(control, ControlProperty::Value);
            onClick(control);
            return;
        case ControlKind::OptionButton:
            if (control.value_ == value) return;
            control.value_ = value;
            notify(control, ControlProperty::Value);
            if (value == 0) return;
            // Option buttons of one group and container exclude each other.
            for (auto& other : controls_) {
                if (other.get() != &control && other->kind_ == ControlKind::OptionButton &&
                    other->group() == control.group() && other->container_ == control.container_ && other->value_) {
                    other->value_ = 0;
                    notify(*other, ControlProperty::Value);
                }
            }
            onClick(control);
            return;
        case ControlKind::TabStrip:
            if (control.value_ == value) return;
            control.value_ = value;
            notify(control, ControlProperty::Value);
            onTabClick(control);
            return;
        default:
            if (control.value_ == value) return;
            control.value_ = value;
            notify(control, ControlProperty::Value);
            return;
    }
}

void Form::setFont(Control& control, const FontSpec& font) {
    if (control.font_ == font) return;
    control.font_ = font;
    notify(control, ControlProperty::Font);
}

void Form::setSelection(Control& control, int start, int length) {
    const int size = static_cast<int>(control.text_.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (control.selStart_ == start && control.selLength_ == length) return;
    control.selStart_ = start;
    control.selLength_ = length;
    notify(control, ControlProperty::Selection);
}

void Form::setBackColor(Control& control, ColorValue color) {
    if (control.backColor_ == color) return;
    control.backColor_ = color;
    notify(control, ControlProperty::Color);
}

void Form::setToolTip(Control& control, std::string tip) {
    if (control.toolTip_ == tip) return;
    control.toolTip_ = std::move(tip);
    notify(control, ControlProperty::ToolTip);
}

void Form::setGeometry(Control& control, double left, double top, double width, double height) {
    if (control.left_ == left && control.top_ == top && control.width_ == width && control.height_ == height) return;
    control.withGeometry(left, top, width, height);
    notify(control, ControlProperty::Geometry);
}

void Form::setTabs(Control& tabStrip, std::vector<TabInfo> tabs) {
    tabStrip.tabs_ = std::move(tabs);
    notify(tabStrip, ControlProperty::Tabs);
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    onLoad();
}

void Form::userType(Control& control, const std::string& text) {
    userEdit(control, text, static_cast<int>(text.size()));
}

bool Form::userKeyPress(Control& control, int& key) {
    if (!control.enabled_ || control.readOnly_) return false;
    onKeyPress(control, key);
    if (key == 0) return false;
    if (control.kind_ != ControlKind::TextBox) return true;
    std::string text = control.text_;
    int start = control.selStart_;
    int length = control.selLength_;
    if (key == keys::Backspace) {
        if (length == 0 && start > 0) {
            --start;
            length = 1;
        }
        text.erase(static_cast<size_t>(start), static_cast<size_t>(length));
    } else if (key >= 32 && key < 127) {
        text.replace(static_cast<size_t>(start), static_cast<size_t>(length), 1, static_cast<char>(key));
        ++start;
    } else {
        return true;
    }
    userEdit(control, text, start);
    return true;
}

bool Form::filterKey(Control& control, int& key) {
    if (!control.enabled_ || control.readOnly_) return false;
    onKeyPress(control, key);
    return key != 0;
}

void Form::userEdit(Control& control, const std::string& text, int caret) {
    if (!control.enabled_ || control.readOnly_) return;
    // The caret moves first: the change handlers may select the text again
    // (a range message selects the corrected value).
    control.selStart_ = std::clamp(caret, 0, static_cast<int>(control.text_.size()));
    control.selLength_ = 0;
    setText(control, text);
    if (control.text_ == text) setSelection(control, caret, 0);
}

int Form::userKeyDown(int keyCode, int shiftState) {
    onKeyDown(keyCode, shiftState);
    if (keyCode == keys::Tab && (shiftState & (shift::Ctrl | shift::Alt)) == 0) {
        focusNext((shiftState & shift::Shift) ? -1 : 1);
        keyCode = 0;
    }
    return keyCode;
}

void Form::changeFocus(Control* control) {
    if (control == focused_) return;
    Control* old = focused_;
    focused_ = control;
    if (old) onLostFocus(*old);
    if (control && focused_ == control) onGotFocus(*control);
}

void Form::userFocus(Control& control) { changeFocus(&control); }

void Form::userLeave() { changeFocus(nullptr); }

void Form::setFocus(Control& control) {
    changeFocus(&control);
    for (FormObserver* observer : std::vector<FormObserver*>(observers_)) observer->focusRequested(*this, control);
}

bool Form::containerHidden(const Control& control) const {
    const Control* current = &control;
    for (int depth = 0; depth < 16 && !current->container_.empty(); ++depth) {
        const auto parts = parseControlKey(current->container_);
        if (!parts) return false;
        const Control* parent = find(parts->first, parts->second);
        if (!parent) return false;
        if (!parent->enabled_ || !parent->visible_ || parent->left_ < -10000) return true;
        current = parent;
    }
    return false;
}

void Form::focusNext(int direction) {
    std::vector<Control*> stops;
    for (auto& control : controls_) {
        if (!control->tabStop_ || !control->enabled_ || !control->visible_ || containerHidden(*control)) continue;
        switch (control->kind_) {
            case ControlKind::TextBox:
            case ControlKind::CheckBox:
            case ControlKind::OptionButton:
            case ControlKind::CommandButton:
            case ControlKind::Grid: stops.push_back(control.get()); break;
            default: break;
        }
    }
    if (stops.empty()) return;
    auto it = std::find(stops.begin(), stops.end(), focused_);
    long position = it == stops.end() ? (direction > 0 ? -1 : 0) : static_cast<long>(it - stops.begin());
    const long count = static_cast<long>(stops.size());
    position = ((position + direction) % count + count) % count;
    setFocus(*stops[static_cast<size_t>(position)]);
}

void Form::userClick(Control& control) {
    if (!control.enabled_) return;
    switch (control.kind_) {
        case ControlKind::CheckBox: setValue(control, control.value_ ? 0 : 1); return;
        case ControlKind::OptionButton:
            if (control.value_) {
                onClick(control);  // clicking the selected option still raises its click
                return;
            }
            setValue(control, 1);
            return;
        default: onClick(control); return;
    }
}

void Form::userDoubleClick(Control& control) {
    if (!control.enabled_) return;
    onDoubleClick(control);
}

void Form::userSelectTab(Control& tabStrip, int tab) {
    if (!tabStrip.enabled_ || tab < 1 || tab > static_cast<int>(tabStrip.tabs_.size())) return;
    if (tabStrip.value_ != tab) {
        tabStrip.value_ = tab;
        notify(tabStrip, ControlProperty::Value);
    }
    onTabClick(tabStrip);
}

void Form::userPointerPress(Control& control, const PointerEvent& event) {
    if (control.enabled_) onPointerPress(control, event);
}

void Form::userPointerMove(Control& control, const PointerEvent& event) {
    if (control.enabled_) onPointerMove(control, event);
}

void Form::userPointerRelease(Control& control, const PointerEvent& event) {
    if (control.enabled_) onPointerRelease(control, event);
}

void Form::userPointerDoubleClick(Control& control, const PointerEvent& event) {
    if (control.enabled_) onPointerDoubleClick(control, event);
}

bool Form::userPointerWheel(Control& control, const PointerEvent& event) {
    return control.enabled_ && onPointerWheel(control, event);
}

void Form::userActivate() { onActivate(); }
void Form::userDeactivate() { onDeactivate(); }

void Form::userResize(double width, double height) {
    if (width != width_ || height != height_) {
        width_ = width;
        height_ = height;
    }
    onResize();
}

void Form::userUndo() {
    if (onDiscardEdit()) return;
    onCommitEdit();
    undo_.undo();
}

void Form::userRedo() {
    onCommitEdit();
    undo_.redo();
}

void Form::userRefresh() {
    onRefresh();
    for (FormObserver* observer : std::vector<FormObserver*>(observers_)) observer->refreshRequested(*this);
}

void Form::onModifiedChanged(bool modified) {
    if (modified) MarkModified(*this);
    else ClearModifiedMarker(*this);
}

void Form::unloadHandlers() {
    onUnload();
    loaded_ = false;
}

void Form::addObserver(FormObserver* observer) { observers_.push_back(observer); }

void Form::removeObserver(FormObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

Drawing& Form::drawing(Control& surface) {
    std::unique_ptr<Drawing>& drawing = drawings_[&surface];
    if (!drawing) drawing = std::make_unique<Drawing>();
    return *drawing;
}

const Drawing* Form::findDrawing(const Control& surface) const {
    auto it = drawings_.find(&surface);
    return it == drawings_.end() ? nullptr : it->second.get();
}

void Form::drawingChanged(Control& surface, DrawingLayer layer) {
    for (FormObserver* observer : std::vector<FormObserver*>(observers_))
        observer->drawingChanged(*this, surface, layer);
}

void Form::setView(Control& surface, const ViewTransform& view) {
    Drawing& target = drawing(surface);
    if (target.view_ == view) return;
    target.view_ = view;
    notify(surface, ControlProperty::View);
}

void Form::setPointer(Control& control, PointerShape shape) {
    if (control.pointer_ == shape) return;
    control.pointer_ = shape;
    notify(control, ControlProperty::Pointer);
}

void Form::notify(Control& control, ControlProperty property) {
    for (FormObserver* observer : std::vector<FormObserver*>(observers_))
        observer->controlChanged(*this, control, property);
}

void Form::notify(FormProperty property) {
    for (FormObserver* observer : std::vector<FormObserver*>(observers_)) observer->formChanged(*this, property);
}

}  // namespace ravelin
