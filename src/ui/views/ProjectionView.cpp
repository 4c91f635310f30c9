#include "ui/views/ProjectionView.h"

#include <QEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include "projection/ProjForm.h"
#include "ui/FormBinder.h"
#include "ui/UiContext.h"
#include "ui/views/CanvasView.h"

namespace ravelin {

namespace {
// Long enough to pass over the steps of a drag, short enough not to be seen waiting.
constexpr int kResizePauseMs = 80;
}  // namespace

ProjectionView::ProjectionView(ProjForm& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(&form), context_(context), binder_(new FormBinder(form, this)) {
    setObjectName(qs(form.name()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    menuBar_ = new QMenuBar(this);
    Control& clear = form.at("mnuClearCanvas");
    QAction* clearAction = menuBar_->addAction(qs(clear.text()));
    clearAction->setObjectName(qs(clear.key()));
    connect(clearAction, &QAction::triggered, this, [this] {
        if (form_) form_->userClick(form_->at("mnuClearCanvas"));
    });
    layout->setMenuBar(menuBar_);

    surface_ = new CanvasView(form, form.at("picProj"), context, this);
    binder_->bind(form.at("picProj"), surface_);
    surface_->viewport()->installEventFilter(this);
    layout->addWidget(surface_, 1);

    resizeTimer_.setSingleShot(true);
    resizeTimer_.setInterval(kResizePauseMs);
    connect(&resizeTimer_, &QTimer::timeout, this, &ProjectionView::applySize);
    context.session().addObserver(this);
}

ProjectionView::~ProjectionView() {
    context_.session().removeObserver(this);
    binder_->detach();
}

void ProjectionView::formDestroyed(Form& form) {
    if (&form != form_) return;
    form_ = nullptr;
    binder_->detach();
}

void ProjectionView::applySize() {
    resizeTimer_.stop();
    if (!form_ || !surface_) return;
    const QSize size = surface_->viewport()->size();
    if (size.isEmpty()) return;
    form_->resizeCanvas(context_.twips(size.width()), context_.twips(size.height()));
}

bool ProjectionView::eventFilter(QObject* watched, QEvent* event) {
    if (surface_ && watched == surface_->viewport() && event->type() == QEvent::Resize) resizeTimer_.start();
    return QWidget::eventFilter(watched, event);
}

QWidget* createProjectionView(Form& form, UiContext& context, QWidget* parent) {
    return new ProjectionView(dynamic_cast<ProjForm&>(form), context, parent);
}

}  // namespace ravelin
