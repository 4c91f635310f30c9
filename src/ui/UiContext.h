#pragma once
// What the windows of the desktop program share: the session, the platform,
// the main window, the view factories and the screen's resolution.

#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

namespace ravelin {

class Form;
class Session;
class QtPlatform;
class MainWindow;
class UiContext;

enum class WindowKind { Document, Tool, Dialog };

using ViewFactory = std::function<QWidget*(Form&, UiContext&, QWidget* parent)>;

class UiContext {
public:
    UiContext(Session& session, QtPlatform& platform);

    Session& session() const { return session_; }
    QtPlatform& platform() const { return platform_; }
    MainWindow* mainWindow() const { return mainWindow_; }
    void setMainWindow(MainWindow* window) { mainWindow_ = window; }

    // Views for window kinds that need more than the generic layout.
    void registerView(const std::string& formName, ViewFactory factory, WindowKind kind);
    QWidget* createView(Form& form, QWidget* parent);
    WindowKind kindOf(const std::string& formName) const;

    // Twips and pixels at the screen's logical resolution.
    int px(double twips) const;
    double twips(int pixels) const;
    double dpi() const { return dpi_; }

private:
    Session& session_;
    QtPlatform& platform_;
    MainWindow* mainWindow_ = nullptr;
    std::map<std::string, std::pair<ViewFactory, WindowKind>> views_;
    double dpi_ = 96;
};

QString qs(const std::string& utf8);
std::string ss(const QString& text);

}  // namespace ravelin
