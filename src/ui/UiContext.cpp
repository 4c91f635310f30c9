#include "ui/UiContext.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "ui/FormView.h"

namespace ravelin {

QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
std::string ss(const QString& text) { return text.toStdString(); }

UiContext::UiContext(Session& session, QtPlatform& platform) : session_(session), platform_(platform) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) dpi_ = screen->logicalDotsPerInchX();
    if (dpi_ <= 0) dpi_ = 96;
}

void UiContext::registerView(const std::string& formName, ViewFactory factory, WindowKind kind) {
    views_[formName] = {std::move(factory), kind};
}

QWidget* UiContext::createView(Form& form, QWidget* parent) {
    auto it = views_.find(form.name());
    if (it != views_.end() && it->second.first) return it->second.first(form, *this, parent);
    return new FormView(form, *this, parent);
}

WindowKind UiContext::kindOf(const std::string& formName) const {
    auto it = views_.find(formName);
    return it == views_.end() ? WindowKind::Tool : it->second.second;
}

int UiContext::px(double twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }

double UiContext::twips(int pixels) const { return pixels * 1440.0 / dpi_; }

}  // namespace ravelin
