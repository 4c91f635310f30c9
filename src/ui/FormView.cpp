#include "ui/FormView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/FormBinder.h"
#include "ui/UiContext.h"

namespace ravelin {

namespace {

// The width a line field needs to show `text` whole, as QLineEdit sizes
// itself for seventeen x's: its 2-pixel inner margins, text and contents
// margins, and the style's frame around them.
int fieldWidthFor(const QLineEdit& edit, const QString& text) {
    constexpr int kInnerMargin = 2;
    const QMargins textMargins = edit.textMargins();
    const QMargins contents = edit.contentsMargins();
    const int width = edit.fontMetrics().horizontalAdvance(text) + 2 * kInnerMargin + textMargins.left() +
                      textMargins.right() + contents.left() + contents.right() + 1;  // 1: the caret after the text
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.state |= QStyle::State_Sunken;
    return edit.style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, edit.fontMetrics().height()), &edit)
        .width();
}

bool laidOut(const Control& control) {
    switch (control.kind()) {
        case ControlKind::MenuItem:
        case ControlKind::ToolButton:
        case ControlKind::StatusPanel:
        case ControlKind::Grid: return false;
        case ControlKind::PictureBox: return control.name() == "picOptions";
        default: return true;
    }
}

// Rows a container needs, to balance frames over two columns.
int weight(const std::map<std::string, std::vector<Control*>>& children, const std::string& key) {
    auto it = children.find(key);
    if (it == children.end()) return 1;
    int rows = 1;
    for (const Control* child : it->second)
        rows += child->kind() == ControlKind::Frame ? weight(children, child->key()) : 1;
    return rows;
}

}  // namespace

FormView::FormView(Form& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(form), context_(context), binder_(new FormBinder(form, this)) {
    setObjectName(qs(form.name()));
    build();
}

void FormView::build() {
    for (const auto& control : form_.controls())
        if (laidOut(*control)) children_[control->container()].push_back(control.get());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    QHBoxLayout* buttons = nullptr;
    for (Control* control : children_[""]) {
        if (control->kind() == ControlKind::TabStrip) {
            auto* tabs = new QTabWidget(this);
            for (size_t i = 0; i < control->tabs().size(); ++i) {
                Control* page = form_.find("picOptions", static_cast<int>(i));
                QWidget* pageWidget = page ? buildContainer(page->key(), true) : new QWidget;
                tabs->addTab(pageWidget, qs(control->tabs()[i].caption));
                if (page) binder_->bind(*page, pageWidget);
            }
            binder_->bind(*control, tabs);
            layout->addWidget(tabs, 1);
        } else if (control->kind() == ControlKind::CommandButton) {
            if (!buttons) {
                buttons = new QHBoxLayout;
                buttons->addStretch(1);
            }
            buttons->addWidget(widgetFor(*control));
        } else if (control->kind() == ControlKind::Frame) {
            layout->addWidget(buildContainer(control->key(), false));
        } else if (!(control->kind() == ControlKind::PictureBox)) {
            auto* grid = new QGridLayout;
            int row = 0;
            addRow(grid, row, *control);
            layout->addLayout(grid);
        }
    }
    if (buttons) layout->addLayout(buttons);
}

QWidget* FormView::buildContainer(const std::string& key, bool isPage) {
    Control* self = form_.findByKey(key);
    QWidget* box;
    if (!isPage && self && self->kind() == ControlKind::Frame) {
        auto* group = new QGroupBox(qs(self->text()));
        binder_->bind(*self, group);
        box = group;
    } else {
        box = new QWidget;
    }
    box->setObjectName(qs(key));

    std::vector<Control*> frames;
    std::vector<Control*> others;
    for (Control* child : children_[key]) (child->kind() == ControlKind::Frame ? frames : others).push_back(child);

    auto* outer = new QVBoxLayout(box);
    outer->setContentsMargins(isPage ? 8 : 6, isPage ? 8 : 6, isPage ? 8 : 6, isPage ? 8 : 6);
    if (!others.empty()) {
        auto* grid = new QGridLayout;
        grids_[box] = grid;
        // Labels and results share the extra width; inputs keep their size.
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 2);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(4);
        int row = 0;
        QHBoxLayout* buttons = nullptr;
        for (Control* control : others) {
            if (control->kind() == ControlKind::CommandButton) {
                if (!buttons) buttons = new QHBoxLayout;
                buttons->addWidget(widgetFor(*control));
            } else {
                addRow(grid, row, *control);
            }
        }
        outer->addLayout(grid);
        if (buttons) {
            buttons->addStretch(1);
            outer->addLayout(buttons);
        }
    }
    if (!frames.empty()) {
        // Frames fill two columns when they would make one tall page.
        int total = 0;
        for (Control* frame : frames) total += weight(children_, frame->key());
        const bool twoColumns = frames.size() > 1 && total > 10;
        auto* columns = new QHBoxLayout;
        auto* left = new QVBoxLayout;
        // Only a layout placed in another is owned by it: the right column exists only when it is used.
        auto* right = twoColumns ? new QVBoxLayout : nullptr;
        int used = 0;
        std::vector<QWidget*> leftBoxes;
        std::vector<QWidget*> rightBoxes;
        for (Control* frame : frames) {
            const bool toRight = twoColumns && used >= (total + 1) / 2;
            used += weight(children_, frame->key());
            QWidget* child = buildContainer(frame->key(), false);
            (toRight ? right : left)->addWidget(child);
            (toRight ? rightBoxes : leftBoxes).push_back(child);
        }
        alignFieldColumns(leftBoxes);
        alignFieldColumns(rightBoxes);
        left->addStretch(1);
        columns->addLayout(left, 1);
        if (twoColumns) {
            right->addStretch(1);
            columns->addLayout(right, 1);
        }
        outer->addLayout(columns);
    }
    if (isPage) outer->addStretch(1);
    return box;
}

void FormView::alignFieldColumns(const std::vector<QWidget*>& stacked) {
    std::vector<std::pair<QGridLayout*, std::vector<QLabel*>>> grids;
    int labelWidth = 0;
    for (QWidget* box : stacked) {
        auto it = grids_.find(box);
        if (it == grids_.end()) continue;
        QGridLayout* grid = it->second;
        std::vector<QLabel*> labels;
        for (int row = 0; row < grid->rowCount(); ++row) {
            QLayoutItem* item = grid->itemAtPosition(row, 0);
            auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
            if (!label || grid->itemAtPosition(row, 1) == item) continue;  // no field label, or a text across the frame
            labelWidth = std::max(labelWidth, label->wordWrap() ? label->minimumWidth() : label->sizeHint().width());
            labels.push_back(label);
        }
        grids.emplace_back(grid, std::move(labels));
    }
    if (grids.size() < 2) return;
    // Frames stacked in one column start their fields at one edge: the labels
    // take the width the longest needs, results the rest, and a frame of
    // inputs only leaves the rest empty at its right.
    for (auto& [grid, labels] : grids) {
        for (QLabel* label : labels) label->setFixedWidth(labelWidth);
        grid->setColumnStretch(0, 0);
        grid->setColumnStretch(1, 1);
        grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 2);
    }
}

QWidget* FormView::widgetFor(Control& control) {
    QWidget* widget = nullptr;
    switch (control.kind()) {
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit;
            edit->setReadOnly(control.readOnly());
            edit->setMinimumWidth(80);
            if (control.readOnly()) {
                // Results may be messages: they take the room their frame has.
                edit->setFocusPolicy(Qt::NoFocus);
                edit->setStyleSheet("QLineEdit { background: palette(window); }");
                edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
                connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) { edit->setToolTip(text); });
            } else {
                edit->setMaximumWidth(130);
            }
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            widget = edit;
            break;
        }
        case ControlKind::CheckBox:
            widget = new QCheckBox;
            static_cast<QCheckBox*>(widget)->setCheckable(true);
            break;
        case ControlKind::OptionButton: {
            auto* radio = new QRadioButton;
            radio->setAutoExclusive(false);  // the form keeps its groups exclusive
            widget = radio;
            break;
        }
        case ControlKind::CommandButton: widget = new QPushButton; break;
        case ControlKind::Label: {
            auto* label = new QLabel;
            label->setWordWrap(true);
            widget = label;
            break;
        }
        default: widget = new QLabel; break;
    }
    binder_->bind(control, widget);
    // Sized once its font is known: the longest message the window writes shows whole.
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !control.widestText().empty())
        edit->setMinimumWidth(std::max(edit->minimumWidth(), fieldWidthFor(*edit, qs(control.widestText()))));
    return widget;
}

void FormView::addRow(QGridLayout* grid, int& row, Control& control) {
    QWidget* widget = widgetFor(control);
    if (control.kind() == ControlKind::TextBox) {
        auto* label = new QLabel(qs(control.description()));
        label->setBuddy(widget);
        // Long captions wrap; short ones stay on one line.
        label->setWordWrap(control.description().size() > 48);
        if (label->wordWrap()) label->setMinimumWidth(260);
        grid->addWidget(label, row, 0);
        grid->addWidget(widget, row, 1);
    } else {
        grid->addWidget(widget, row, 0, 1, 2);
    }
    ++row;
}

}  // namespace ravelin
