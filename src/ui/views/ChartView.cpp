#include "ui/views/ChartView.h"

#include <QLabel>
#include <QMouseEvent>

#include "ui/FormBinder.h"
#include "ui/Icons.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"
#include "ui/views/CanvasView.h"

namespace ravelin {

namespace {

// The labels the window shows (lblY is only the text of the turned label).
const char* const kShownLabels[] = {"lblTitre",  "lblInfo",     "lblX",       "lblMean",
                                    "lblStdDev", "lblNbValues", "lblScanline"};
// Small enough that the form, not the widgets, decides the window's size.
constexpr int kMinimumWidth = 160;
constexpr int kMinimumHeight = 120;

}  // namespace

ChartView::ChartView(HistoForm& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(&form), context_(context), binder_(new FormBinder(form, this)) {
    setObjectName(qs(form.name()));
    setWindowIcon(toolbarIcon("HistoOptions"));
    setFocusPolicy(Qt::ClickFocus);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    // The surface first: the labels lie over it.
    surface_ = new CanvasView(form, form.at("picHisto"), context, this);
    binder_->bind(form.at("picHisto"), surface_);
    for (const char* name : kShownLabels) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->installEventFilter(this);
        labels_[name] = label;
        binder_->bind(form.at(name), label);
    }
    rotated_ = new CanvasView(form, form.at("picText"), context, this);
    binder_->bind(form.at("picText"), rotated_);

    Control& editorControl = form.at("txtSaisie");
    editor_ = new QLineEdit(this);
    editor_->setFont(toQFont(editorControl.font()));
    editor_->setMouseTracking(true);
    editor_->installEventFilter(this);
    binder_->bind(editorControl, editor_);

    for (const auto& control : form.controls()) place(*control);
    form.addObserver(this);
    context.session().addObserver(this);
}

ChartView::~ChartView() {
    detach();
    context_.session().removeObserver(this);
}

void ChartView::detach() {
    if (!form_) return;
    form_->removeObserver(this);
    binder_->detach();
    form_ = nullptr;
}

void ChartView::formDestroyed(Form& form) {
    if (&form == form_) detach();
}

QLabel* ChartView::label(const std::string& name) const {
    auto it = labels_.find(name);
    return it == labels_.end() ? nullptr : it->second;
}

QSize ChartView::sizeHint() const {
    if (!form_) return QWidget::sizeHint();
    return {context_.px(form_->innerWidth()), context_.px(form_->innerHeight())};
}

QSize ChartView::minimumSizeHint() const { return {kMinimumWidth, kMinimumHeight}; }

void ChartView::place(const Control& control) {
    QWidget* widget = nullptr;
    if (control.name() == "picHisto") widget = surface_;
    else if (control.name() == "picText") widget = rotated_;
    else if (control.name() == "txtSaisie") widget = editor_;
    else widget = label(control.name());
    if (!widget) return;
    QSize size(context_.px(control.width()), context_.px(control.height()));
    // The screen's text may be a pixel wider than the form measured: never cut it.
    if (qobject_cast<QLabel*>(widget)) size = size.expandedTo(widget->sizeHint());
    widget->setGeometry(QRect(QPoint(context_.px(control.left()), context_.px(control.top())), size));
    if (widget == editor_) editor_->raise();
}

void ChartView::controlChanged(Form&, Control& control, ControlProperty property) {
    switch (property) {
        case ControlProperty::Geometry:
        case ControlProperty::Text: place(control); break;
        case ControlProperty::Font:
            // The editor takes each edited label's font, the design font included.
            if (control.name() == "txtSaisie" && editor_) editor_->setFont(toQFont(control.font()));
            place(control);
            break;
        default: break;
    }
}

bool ChartView::eventFilter(QObject* watched, QEvent* event) {
    if (!form_) return false;
    if (watched == editor_) {
        if (event->type() == QEvent::MouseMove) {
            // Positions over the editor are twips within it.
            const QPointF at = static_cast<QMouseEvent*>(event)->position();
            PointerEvent moved;
            moved.x = context_.twips(static_cast<int>(at.x()));
            moved.y = context_.twips(static_cast<int>(at.y()));
            moved.shift = coreShiftState(static_cast<QMouseEvent*>(event)->modifiers());
            form_->userPointerMove(form_->at("txtSaisie"), moved);
        }
        return false;
    }
    Control* control = binder_->controlFor(watched);
    if (!control) return false;
    switch (event->type()) {
        case QEvent::MouseButtonDblClick: form_->userDoubleClick(*control); return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: return true;  // a press on a label does nothing
        default: return false;
    }
}

QWidget* createChartView(Form& form, UiContext& context, QWidget* parent) {
    return new ChartView(dynamic_cast<HistoForm&>(form), context, parent);
}

}  // namespace ravelin
