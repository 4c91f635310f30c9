#include "ui/views/ProjectionOptionsView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Canvas.h"
#include "ui/FormBinder.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"

namespace ravelin {

namespace {

// Swatches in a row of the palette; the current colour sits apart after them.
constexpr int kSwatchesPerRow = 6;

QColor colorOf(const Control& control) {
    if (control.backColor() == kDefaultColor) return {};
    return toQColor(Rgb{static_cast<std::uint32_t>(control.backColor())});
}

}  // namespace

// ------------------------------------------------------------------ swatch

void ColorSwatch::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect().adjusted(1, 1, -2, -2);
    painter.fillRect(box, color_);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(box);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed();
}

// ------------------------------------------------------------------ window

ProjectionOptionsView::ProjectionOptionsView(Form& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(&form), context_(context), binder_(new FormBinder(form, this)) {
    setObjectName(qs(form.name()));
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(8);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(frame("fraStruct"));
    left->addWidget(frame("fraSymbol"));
    auto* sideBySide = new QHBoxLayout;
    sideBySide->addWidget(frame("fraHemi"));
    sideBySide->addWidget(frame("fraProj"));
    left->addLayout(sideBySide);
    left->addWidget(frame("fraSelect"));
    left->addWidget(palette());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"cmdPlot", "cmdAdd"}) {
        auto* button = new QPushButton(this);
        button->setAutoDefault(false);
        binder_->bind(form.at(name), button);
        buttons->addWidget(button);
    }
    left->addLayout(buttons);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(frame("fraDensity"));
    right->addWidget(frame("fraKinematic"));
    right->addStretch(1);

    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    form.addObserver(this);
    context.session().addObserver(this);
}

ProjectionOptionsView::~ProjectionOptionsView() {
    detach();
    context_.session().removeObserver(this);
}

void ProjectionOptionsView::detach() {
    if (!form_) return;
    form_->removeObserver(this);
    binder_->detach();
    form_ = nullptr;
}

void ProjectionOptionsView::formDestroyed(Form& form) {
    if (&form == form_) detach();
}

ColorSwatch* ProjectionOptionsView::swatch(int index) const {
    if (!form_) return nullptr;
    const Control* control = form_->find("lblColor", index);
    auto it = swatches_.find(control);
    return it == swatches_.end() ? nullptr : it->second;
}

QGroupBox* ProjectionOptionsView::frame(const std::string& name) {
    auto* box = new QGroupBox(this);
    binder_->bind(form_->at(name), box);
    fill(box, name);
    return box;
}

void ProjectionOptionsView::fill(QGroupBox* box, const std::string& container) {
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    int row = 0;
    QHBoxLayout* buttons = nullptr;
    for (const auto& owned : form_->controls()) {
        Control& control = *owned;
        if (control.container() != container) continue;
        switch (control.kind()) {
            case ControlKind::OptionButton: {
                auto* radio = new QRadioButton(box);
                radio->setAutoExclusive(false);  // the form keeps its groups exclusive
                binder_->bind(control, radio);
                grid->addWidget(radio, row++, 0, 1, 2);
                break;
            }
            case ControlKind::CheckBox: {
                auto* check = new QCheckBox(box);
                binder_->bind(control, check);
                grid->addWidget(check, row++, 0, 1, 2);
                break;
            }
            case ControlKind::TextBox: {
                auto* edit = new QLineEdit(box);
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                edit->setMaximumWidth(70);
                auto* label = new QLabel(qs(control.description()), box);
                label->setBuddy(edit);
                binder_->bind(control, edit);
                grid->addWidget(label, row, 0);
                grid->addWidget(edit, row++, 1);
                break;
            }
            case ControlKind::CommandButton: {
                if (!buttons) buttons = new QHBoxLayout;
                auto* button = new QPushButton(box);
                button->setAutoDefault(false);
                binder_->bind(control, button);
                buttons->addWidget(button);
                break;
            }
            default: break;
        }
    }
    grid->setColumnStretch(0, 1);
    if (buttons) {
        buttons->addStretch(1);
        grid->addLayout(buttons, row, 0, 1, 2);
    }
}

QWidget* ProjectionOptionsView::palette() {
    auto* box = new QGroupBox(this);
    binder_->bind(form_->at("fraColor"), box);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(8, 4, 8, 6);
    auto* swatches = new QGridLayout;
    swatches->setSpacing(2);
    layout->addLayout(swatches);
    layout->addSpacing(12);
    auto* current = new QVBoxLayout;
    layout->addLayout(current);
    layout->addStretch(1);
    for (int index = 0;; ++index) {
        Control* control = form_->find("lblColor", index);
        if (!control) break;
        auto* swatch = new ColorSwatch(box);
        swatch->setObjectName(qs(control->key()));
        swatch->setColor(colorOf(*control));
        swatch->setToolTip(qs(control->toolTip()));
        swatches_[control] = swatch;
        connect(swatch, &ColorSwatch::pressed, this, [this, control] {
            if (form_) form_->userClick(*control);
        });
        swatches->addWidget(swatch, index / kSwatchesPerRow, index % kSwatchesPerRow);
    }
    // The last label shows the current colour, larger, beside the palette.
    if (!swatches_.empty()) {
        const int last = static_cast<int>(swatches_.size()) - 1;
        ColorSwatch* shown = swatch(last);
        swatches->removeWidget(shown);
        shown->setFixedSize(36, 36);
        current->addWidget(shown);
    }
    return box;
}

void ProjectionOptionsView::controlChanged(Form&, Control& control, ControlProperty property) {
    if (property != ControlProperty::Color) return;
    auto it = swatches_.find(&control);
    if (it != swatches_.end()) it->second->setColor(colorOf(control));
}

QWidget* createProjectionOptionsView(Form& form, UiContext& context, QWidget* parent) {
    return new ProjectionOptionsView(form, context, parent);
}

}  // namespace ravelin
