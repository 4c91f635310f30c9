#include "ui/views/AcquisitionView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/FormBinder.h"
#include "ui/Icons.h"
#include "ui/UiContext.h"
#include "ui/views/CanvasView.h"

namespace ravelin {

namespace {

struct ButtonPlace {
    const char* name;
    const char* icon;  // a toolbar key, or "" for a text button
    bool checkable;    // shows a mode that lasts
};

// The first row: the picture, the drawing modes, what the acquisition gives.
const ButtonPlace kCommandRow[] = {
    {"cmdOpenPict", "Open", false},
    {"cmdShowHide", "HidePict", false},
    {"", "", false},
    {"cmdDisc", "Discont", true},
    {"cmdScanline", "Scanline", true},
    {"cmdDraw", "Contour", true},
    {"cmdRectangle", "Rectangle", true},
    {"", "", false},
    {"cmdExport", "NewData", false},
    {"cmdShowJab", "", false},
    {"cmdShowPahl", "", false},
};

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

AcquisitionView::AcquisitionView(ScanForm& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(&form), context_(context), binder_(new FormBinder(form, this)) {
    setObjectName(qs(form.name()));
    setWindowIcon(toolbarIcon("NewScan"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);

    auto button = [&](const ButtonPlace& place) {
        auto* b = new QToolButton(this);
        b->setObjectName(place.name);
        b->setAutoRaise(true);
        b->setCheckable(place.checkable);
        if (*place.icon) {
            b->setIcon(toolbarIcon(place.icon));
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        binder_->bind(form.at(place.name), b);
        return b;
    };
    auto* commands = new QHBoxLayout;
    commands->setSpacing(2);
    for (const ButtonPlace& place : kCommandRow) {
        if (*place.name) commands->addWidget(button(place));
        else commands->addWidget(separator(this));
    }
    commands->addStretch(1);
    layout->addLayout(commands);

    auto* fields = new QHBoxLayout;
    fields->setSpacing(6);
    for (const char* name : {"txtScale", "txtSurface"}) {
        Control& control = form.at(name);
        auto* label = new QLabel(qs(control.description()), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        // Room for a surface in the general number form: up to 15 significant digits and the point.
        const QString widest = name == std::string("txtSurface") ? "0000000.000000000" : "0000.000";
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 16);
        label->setBuddy(edit);
        binder_->bind(control, edit);
        fields->addWidget(label);
        fields->addWidget(edit);
        fields->addSpacing(12);
    }
    fields->addStretch(1);
    for (const char* name : {"cmdFit", "cmdActualSize"}) fields->addWidget(button({name, "", false}));
    layout->addLayout(fields);

    canvas_ = new CanvasView(form, form.canvas(), context, this);
    canvas_->setObjectName("picCanvas");
    binder_->bind(form.canvas(), canvas_);
    layout->addWidget(canvas_, 1);
    binder_->refreshAll();
    context.session().addObserver(this);
}

AcquisitionView::~AcquisitionView() { context_.session().removeObserver(this); }

QSize AcquisitionView::sizeHint() const {
    if (!form_) return QWidget::sizeHint();
    return {context_.px(form_->width()), context_.px(form_->height())};
}

void AcquisitionView::formDestroyed(Form& form) {
    if (&form != form_) return;
    binder_->detach();
    form_ = nullptr;
}

QWidget* createAcquisitionView(Form& form, UiContext& context, QWidget* parent) {
    return new AcquisitionView(dynamic_cast<ScanForm&>(form), context, parent);
}

}  // namespace ravelin
