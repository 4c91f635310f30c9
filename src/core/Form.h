#pragma once
// The behaviour of a window without the window: its controls by name and
// index, their texts, states and fonts, the events the user causes and the
// handlers the window runs for them. The Qt layer binds widgets to a Form;
// ravelin-cli and the tests drive the same Form directly.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/UndoStack.h"

namespace ravelin {

class Session;
class Platform;
class Drawing;
class ViewTransform;
enum class DrawingLayer;

enum class ControlKind {
    TextBox,
    Label,
    CheckBox,
    OptionButton,
    CommandButton,
    TabStrip,
    Frame,
    PictureBox,
    MenuItem,
    ToolButton,
    StatusPanel,
    Grid,
};

struct FontSpec {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

struct TabInfo {
    std::string caption;
    std::string toolTip;
};

// Colours are 24-bit values with red in the low byte; -1 means "default".
using ColorValue = std::int64_t;
constexpr ColorValue kDefaultColor = -1;

// Which property of a control changed, for observers.
enum class ControlProperty {
    Text,
    Enabled,
    Visible,
    Value,
    Font,
    Selection,
    Geometry,
    Color,
    Tabs,
    ToolTip,
    Pointer,  // the pointer shape asked for over the control
    View,     // a drawing surface's zoom or scroll position
};
enum class FormProperty { Caption, Visible, Geometry, WindowState, Enabled };
enum class WindowState { Normal, Minimized, Maximized };

// The mouse pointer a window asks for over one of its controls.
enum class PointerShape { Arrow, CrossHair, Hand, Busy, SizeAll };

class Control {
public:
    Control(ControlKind kind, std::string name, int index) : kind_(kind), name_(std::move(name)), index_(index) {}

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when the control is not part of an array
    std::string key() const;              // "txtXYZ(3)" or "cmdExport"

    const std::string& text() const { return text_; }
    bool enabled() const { return enabled_; }
    bool visible() const { return visible_; }
    bool readOnly() const { return readOnly_; }
    int value() const { return value_; }  // check box 0/1, option button 0/1, tab strip 1-based tab, button pressed 0/1
    const FontSpec& font() const { return font_; }
    bool fontChanged() const { return font_ != designFont_; }
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    const std::string& toolTip() const { return toolTip_; }
    const std::string& description() const { return description_; }  // the label shown beside it
    const std::string& container() const { return container_; }
    const std::string& group() const { return group_.empty() ? name_ : group_; }
    const std::string& tag() const { return tag_; }
    const std::vector<TabInfo>& tabs() const { return tabs_; }
    ColorValue foreColor() const { return foreColor_; }
    ColorValue backColor() const { return backColor_; }
    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    bool tabStop() const { return tabStop_; }
    bool allowsMinus() const { return allowsMinus_; }
    PointerShape pointer() const { return pointer_; }
    // The longest text the window writes into the field (a result's message):
    // the field is laid out wide enough to show it whole. Empty: numbers only.
    const std::string& widestText() const { return widestText_; }

    // Design-time set-up (no events, no notifications): used while a form builds itself.
    Control& withText(std::string text) {
        text_ = std::move(text);
        return *this;
    }
    Control& withDescription(std::string description) {
        description_ = std::move(description);
        return *this;
    }
    Control& withContainer(std::string container) {
        container_ = std::move(container);
        return *this;
    }
    Control& withGroup(std::string group) {
        group_ = std::move(group);
        return *this;
    }
    Control& withToolTip(std::string tip) {
        toolTip_ = std::move(tip);
        return *this;
    }
    Control& withTag(std::string tag) {
        tag_ = std::move(tag);
        return *this;
    }
    Control& withFont(FontSpec font) {
        font_ = designFont_ = std::move(font);
        return *this;
    }
    Control& withValue(int value) {
        value_ = value;
        return *this;
    }
    Control& withEnabled(bool enabled) {
        enabled_ = enabled;
        return *this;
    }
    Control& withVisible(bool visible) {
        visible_ = visible;
        return *this;
    }
    Control& withReadOnly(bool readOnly = true) {
        readOnly_ = readOnly;
        tabStop_ = !readOnly;
        return *this;
    }
    Control& withTabs(std::vector<TabInfo> tabs) {
        tabs_ = std::move(tabs);
        if (value_ == 0) value_ = 1;
        return *this;
    }
    Control& withForeColor(ColorValue color) {
        foreColor_ = color;
        return *this;
    }
    Control& withBackColor(ColorValue color) {
        backColor_ = color;
        return *this;
    }
    Control& withGeometry(double left, double top, double width, double height);
    Control& withTabStop(bool tabStop) {
        tabStop_ = tabStop;
        return *this;
    }
    Control& withMinus(bool allowsMinus = true) {
        allowsMinus_ = allowsMinus;
        return *this;
    }
    Control& withWidestText(std::string text) {
        widestText_ = std::move(text);
        return *this;
    }

private:
    friend class Form;
    ControlKind kind_;
    std::string name_;
    int index_;
    std::string text_;
    bool enabled_ = true;
    bool visible_ = true;
    bool readOnly_ = false;
    bool tabStop_ = true;
    bool allowsMinus_ = false;
    PointerShape pointer_ = PointerShape::Arrow;
    int value_ = 0;
    FontSpec font_;
    FontSpec designFont_;
    int selStart_ = 0;
    int selLength_ = 0;
    std::string toolTip_;
    std::string description_;
    std::string container_;
    std::string group_;
    std::string tag_;
    std::string widestText_;
    std::vector<TabInfo> tabs_;
    ColorValue foreColor_ = kDefaultColor;
    ColorValue backColor_ = kDefaultColor;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

class Form;

class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Form&, Control&, ControlProperty) {}
    virtual void formChanged(Form&, FormProperty) {}
    virtual void focusRequested(Form&, Control&) {}
    // A layer of a surface's drawing was drawn again.
    virtual void drawingChanged(Form&, Control& /*surface*/, DrawingLayer) {}
    // The window asks to be painted again whole (View > Refresh).
    virtual void refreshRequested(Form&) {}
};

// Key codes used by the windows (those of the original keyboard interface).
namespace keys {
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int LineFeed = 10;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Delete = 46;
}  // namespace keys

// Shift-state bits of a key press or a pointer event.
namespace shift {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
}  // namespace shift

// Pointer buttons, as bits.
namespace buttons {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
}  // namespace buttons

// A press, move, release, double click or wheel turn of the pointer over a control.
struct PointerEvent {
    // Position in the control's units: a drawing surface's drawing units
    // whatever the zoom, twips from the top-left corner of any other control.
    double x = 0;
    double y = 0;
    // Press, release and double click: the button concerned; move: the buttons held.
    int buttons = 0;
    int shift = 0;     // shift:: bits
    double wheel = 0;  // wheel turn in notches, positive away from the user
};

class Form {
public:
    Form(Session& session, std::string name, std::string caption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Session& session() const { return session_; }
    Platform& platform() const;
    const std::string& name() const { return name_; }

    // --- window properties ---
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    void move(double left, double top, double width, double height);
    void moveTo(double left, double top) { move(left, top, width_, height_); }
    void resize(double width, double height) { move(left_, top_, width, height); }
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);
    const std::string& tag() const { return tag_; }
    void setTag(std::string tag) { tag_ = std::move(tag); }
    bool loaded() const { return loaded_; }

    // --- controls ---
    Control& add(ControlKind kind, const std::string& name, int index = -1);
    Control* find(const std::string& name, int index = -1);
    const Control* find(const std::string& name, int index = -1) const;
    Control* findByKey(const std::string& key);  // "txtXYZ(3)" or "cmdExport"
    Control& at(const std::string& name, int index = -1);
    const Control& at(const std::string& name, int index = -1) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The text of a control, its numeric value (leading numeric part).
    const std::string& text(const std::string& name, int index = -1) const { return at(name, index).text(); }
    double number(const std::string& name, int index = -1) const;

    // --- property changes made by the window's own code (fire events as the window would) ---
    void setText(Control& control, const std::string& text);  // fires onChange when the text differs
    void setText(const std::string& name, int index, const std::string& text) { setText(at(name, index), text); }
    void setEnabled(Control& control, bool enabled);
    void setVisible(Control& control, bool visible);
    void setValue(Control& control, int value);  // check box / option button: fires onClick when it changes
    void setFont(Control& control, const FontSpec& font);
    void setSelection(Control& control, int start, int length);
    void selectAll(Control& control) { setSelection(control, 0, static_cast<int>(control.text().size())); }
    void setBackColor(Control& control, ColorValue color);
    void setToolTip(Control& control, std::string tip);
    void setGeometry(Control& control, double left, double top, double width, double height);
    void setTabs(Control& tabStrip, std::vector<TabInfo> tabs);

    // --- the user's actions (from widgets or from a script) ---
    void load();                                               // runs onLoad once
    void userType(Control& control, const std::string& text);  // replaces the text: one change event
    bool userKeyPress(Control& control, int& key);             // a typed character; false when refused
    // For widgets that edit natively: runs the key filter only (true = accept),
    // then reports the edited text with the caret position.
    bool filterKey(Control& control, int& key);
    void userEdit(Control& control, const std::string& text, int caret);
    // Key preview of the window; returns the key code left after the
    // handlers (0 when a handler consumed the key).
    int userKeyDown(int keyCode, int shiftState);
    void userFocus(Control& control);  // the control receives the focus
    void userLeave();                  // the focus leaves the window's controls
    void userClick(Control& control);  // button, check box, option button, menu item
    void userDoubleClick(Control& control);
    void userSelectTab(Control& tabStrip, int tab);  // tab is 1-based
    // The pointer over a control (a disabled control gets nothing).
    void userPointerPress(Control& control, const PointerEvent& event);
    void userPointerMove(Control& control, const PointerEvent& event);
    void userPointerRelease(Control& control, const PointerEvent& event);
    void userPointerDoubleClick(Control& control, const PointerEvent& event);
    // True when the window used the turn; otherwise a view of a navigable surface zooms with it.
    bool userPointerWheel(Control& control, const PointerEvent& event);
    void userActivate();  // the window became the active window
    void userDeactivate();
    void userResize(double width, double height);
    // Closing: Session::closeForm asks queryUnload() (the window may refuse,
    // a tool window hides itself instead), then runs unloadHandlers() and
    // destroys the form.
    bool queryUnload() { return !onQueryUnload(); }
    void unloadHandlers();

    Control* focused() const { return focused_; }
    // Moves the focus as Tab (+1) or Shift+Tab (-1) would, through enabled visible tab stops.
    void focusNext(int direction);
    void setFocus(Control& control);

    // --- drawing surfaces (PictureBox controls), in the form's drawing units ---
    Drawing& drawing(Control& surface);  // made on first use
    const Drawing* findDrawing(const Control& surface) const;
    // Tells the views that the window drew a layer again: a new static
    // layer is drawn into their cached image, an overlay is repainted alone.
    void drawingChanged(Control& surface, DrawingLayer layer);
    // Zoom and scroll position of a surface, from the window or from a view.
    void setView(Control& surface, const ViewTransform& view);
    void setPointer(Control& control, PointerShape shape);

    // --- the history of the user's changes (Edit > Undo, Edit > Redo) ---
    // A window records each change of its document here (see UndoStack);
    // the caption's "*" follows the history: it goes when Undo comes back to
    // the saved state and returns when Undo or Redo leaves it.
    UndoStack& undoStack() { return undo_; }
    const UndoStack& undoStack() const { return undo_; }
    // Undo and Redo as the Edit menu runs them: an edit in progress (a cell
    // editor's text) is committed first, so that Undo takes back what was
    // typed; one that cannot be committed (a segment half drawn) is what Undo takes back.
    void userUndo();
    void userRedo();
    // View > Refresh: the window draws its content again and its views repaint.
    void userRefresh();

    void addObserver(FormObserver* observer);
    void removeObserver(FormObserver* observer);

protected:
    // Handlers. A window overrides the ones it needs.
    virtual void onLoad() {}
    virtual void onChange(Control&) {}
    virtual void onGotFocus(Control&) {}
    virtual void onLostFocus(Control&) {}
    virtual void onKeyPress(Control&, int& /*key*/) {}
    virtual void onKeyDown(int& /*keyCode*/, int /*shiftState*/) {}
    virtual void onClick(Control&) {}
    virtual void onDoubleClick(Control&) {}
    virtual void onPointerPress(Control&, const PointerEvent&) {}
    virtual void onPointerMove(Control&, const PointerEvent&) {}
    virtual void onPointerRelease(Control&, const PointerEvent&) {}
    // A double click is the control's double click unless the window wants the position.
    virtual void onPointerDoubleClick(Control& control, const PointerEvent&) { onDoubleClick(control); }
    virtual bool onPointerWheel(Control&, const PointerEvent&) { return false; }
    virtual void onTabClick(Control& /*tabStrip*/) {}
    virtual void onActivate() {}
    virtual void onDeactivate() {}
    virtual void onResize() {}
    // Return true to cancel a close asked from the title bar.
    virtual bool onQueryUnload() { return false; }
    virtual void onUnload() {}
    // Commits an edit in progress before Undo or Redo.
    virtual void onCommitEdit() {}
    // Drops an edit in progress that Undo takes back by itself (a segment
    // half drawn): return true, and the history is left as it is.
    virtual bool onDiscardEdit() { return false; }
    // The document's history left or came back to the saved state: by
    // default the caption's "*" follows.
    virtual void onModifiedChanged(bool modified);
    // Draws the window's content again (View > Refresh).
    virtual void onRefresh() {}

    // True when the control lies on an option page that is out of sight.
    bool containerHidden(const Control& control) const;

private:
    void notify(Control& control, ControlProperty property);
    void notify(FormProperty property);
    void changeFocus(Control* control);

    Session& session_;
    std::string name_;
    std::string caption_;
    std::string tag_;
    bool visible_ = false;
    bool loaded_ = false;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    WindowState windowState_ = WindowState::Normal;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::string, int>, Control*> index_;
    Control* focused_ = nullptr;
    std::vector<FormObserver*> observers_;
    std::map<const Control*, std::unique_ptr<Drawing>> drawings_;
    UndoStack undo_;
};

// Parses "name(3)" or "name" into its parts; nullopt when malformed.
std::optional<std::pair<std::string, int>> parseControlKey(const std::string& key);

}  // namespace ravelin
