#include "ui/FormHost.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include "core/Session.h"
#include "ui/FormBinder.h"
#include "ui/MainWindow.h"
#include "ui/UiContext.h"

namespace ravelin {

FormHost::FormHost(Form& form, UiContext& context, QWidget* window, bool floating)
    : QObject(window), form_(&form), context_(context), window_(window), floating_(floating) {
    form.addObserver(this);
    window->installEventFilter(this);
    applyCaption();
    applyGeometry();
    window->setVisible(form.visible());
}

FormHost::~FormHost() {
    if (form_) form_->removeObserver(this);
}

void FormHost::formGone() {
    if (form_) form_->removeObserver(this);
    form_ = nullptr;
    if (window_) {
        closing_ = true;
        window_->hide();
        unbindAll(window_);
        window_->deleteLater();
    }
}

void FormHost::applyCaption() {
    if (form_ && window_) window_->setWindowTitle(qs(form_->caption()));
}

QPoint FormHost::origin() const {
    // A floating window's position counts from the main window's corner.
    if (floating_) {
        if (MainWindow* main = context_.mainWindow()) return main->geometry().topLeft();
    }
    return {0, 0};
}

void FormHost::applyGeometry() {
    if (!form_ || !window_) return;
    // A maximised or minimised window's place belongs to the windowing system until it is restored.
    if (window_->isMaximized() || window_->isMinimized()) return;
    applying_ = true;
    const QPoint origin = this->origin();
    const QSize hint = window_->minimumSizeHint();
    const int width = std::max(context_.px(form_->width()), hint.width());
    const int height = std::max(context_.px(form_->height()), hint.height());
    QPoint position = origin + QPoint(context_.px(form_->left()), context_.px(form_->top()));
    if (floating_) {
        // Keep a floating window on the screen the main window is on.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            position.setX(std::clamp(position.x(), area.left(), std::max(area.left(), area.right() - width)));
            position.setY(std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() - height)));
        }
    } else if (QWidget* area = window_->parentWidget()) {
        position.setX(std::clamp(position.x(), 0, std::max(0, area->width() - 60)));
        position.setY(std::clamp(position.y(), 0, std::max(0, area->height() - 40)));
    }
    window_->setGeometry(QRect(position, QSize(width, height)));
    applying_ = false;
}

void FormHost::formChanged(Form&, FormProperty property) {
    if (!window_) return;
    switch (property) {
        case FormProperty::Caption: applyCaption(); break;
        case FormProperty::Visible:
            window_->setVisible(form_->visible());
            if (form_->visible()) {
                window_->raise();
                if (auto* sub = qobject_cast<QMdiSubWindow*>(window_.data()); sub && sub->mdiArea())
                    sub->mdiArea()->setActiveSubWindow(sub);
            }
            break;
        case FormProperty::Geometry:
            if (!applying_) applyGeometry();
            break;
        case FormProperty::WindowState:
            if (form_->windowState() == WindowState::Minimized) window_->showMinimized();
            else if (form_->windowState() == WindowState::Maximized) window_->showMaximized();
            else if (form_->visible()) window_->showNormal();
            break;
        case FormProperty::Enabled: break;
    }
}

void FormHost::reportGeometry(bool resized) {
    const QPoint origin = this->origin();
    const QRect g = window_->geometry();
    const double left = context_.twips(g.left() - origin.x());
    const double top = context_.twips(g.top() - origin.y());
    applying_ = true;
    form_->moveTo(left, top);
    applying_ = false;
    if (resized) form_->userResize(context_.twips(g.width()), context_.twips(g.height()));
}

void FormHost::refreshRequested(Form&) {
    if (!window_) return;
    window_->update();
    for (QWidget* child : window_->findChildren<QWidget*>()) child->update();
}

bool FormHost::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || !form_) return false;
    switch (event->type()) {
        case QEvent::Close: {
            if (closing_) return false;
            auto* close = static_cast<QCloseEvent*>(event);
            Session& session = context_.session();
            Form* form = form_;
            // The form decides: a tool window hides itself, a document may ask to save.
            const bool closed = session.closeForm(*form);
            if (!closed) {
                close->ignore();
                return true;
            }
            return false;
        }
        case QEvent::Resize:
        case QEvent::Move:
            if (!applying_ && window_->isVisible()) reportGeometry(event->type() == QEvent::Resize);
            return false;
        case QEvent::Show: {
            // A window shown maximised got its size while still hidden: the form hears of it now.
            const QSize size = window_->size();
            if (!applying_ &&
                (size.width() != context_.px(form_->width()) || size.height() != context_.px(form_->height())))
                reportGeometry(true);
            return false;
        }
        case QEvent::WindowStateChange:
            if (window_->isMinimized()) form_->setWindowState(WindowState::Minimized);
            else if (window_->isMaximized()) form_->setWindowState(WindowState::Maximized);
            else form_->setWindowState(WindowState::Normal);
            return false;
        case QEvent::WindowActivate:
            if (floating_) {
                context_.session().setActiveForm(form_);
                form_->userActivate();
            }
            return false;
        case QEvent::WindowDeactivate:
            if (floating_) form_->userDeactivate();
            return false;
        default: return false;
    }
}

}  // namespace ravelin
