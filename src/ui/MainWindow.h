#pragma once
// The desktop program's main window: menus, toolbar and status bar built
// from the core main form, the MDI area for documents, floating tool
// windows, and a window for every form the session creates.

#include <QMainWindow>
#include <QPointer>
#include <map>

#include "core/MainForm.h"
#include "core/Session.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace ravelin {

class FormHost;
class UiContext;

class MainWindow : public QMainWindow, public SessionObserver, public FormObserver, public MainFormObserver {
    Q_OBJECT
public:
    explicit MainWindow(UiContext& context);
    ~MainWindow() override;

    MainForm* mainForm() const { return main_; }
    QMdiArea* mdiArea() const { return mdi_; }
    QAction* action(const std::string& controlKey) const;
    QWidget* windowOf(const Form& form) const;

    // SessionObserver
    void formCreated(Form& form) override;
    void formDestroyed(Form& form) override;
    // FormObserver (the main form)
    void controlChanged(Form&, Control&, ControlProperty) override;
    void formChanged(Form&, FormProperty) override;
    void refreshRequested(Form&) override;
    // MainFormObserver
    void arrangeWindows(WindowArrangement arrangement) override;
    void exitRequested() override;
    void focusMainWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void attach(MainForm& main);
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void syncAction(Control& control);
    void updateWindowMenu();
    void storeGeometry();
    void showSplash(Form& about);
    // The document window the MDI area shows active becomes the session's active window.
    void subWindowActivated(QMdiSubWindow* sub);

    UiContext& context_;
    MainForm* main_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;  // the top-level menus by their control's key
    std::map<int, QLabel*> panels_;
    std::map<const Form*, FormHost*> hosts_;
    QPointer<QWidget> splash_;
    bool applyingGeometry_ = false;
};

}  // namespace ravelin
