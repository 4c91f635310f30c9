#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QGuiApplication>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "ui/FormBinder.h"
#include "ui/FormHost.h"
#include "ui/Icons.h"
#include "ui/QtPlatform.h"
#include "ui/UiContext.h"

namespace ravelin {

MainWindow::MainWindow(UiContext& context) : context_(context) {
    context.setMainWindow(this);
    context.session().addObserver(this);
    setWindowIcon(toolbarIcon("Ravelin"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("mdiArea");
    mdi_->setBackground(QColor(128, 128, 128));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
}

void MainWindow::subWindowActivated(QMdiSubWindow* sub) {
    Session& session = context_.session();
    Form* previous = session.activeForm();
    Form* next = nullptr;
    for (auto& [form, host] : hosts_)
        if (sub && host->window() == sub) next = const_cast<Form*>(form);
    if (previous == next) return;
    if (previous && session.owns(previous) && windowOf(*previous) &&
        qobject_cast<QMdiSubWindow*>(windowOf(*previous))) {
        previous->userDeactivate();
        // No document is active while a dialog has the focus; it is activated again afterwards.
        if (!next) session.setActiveForm(nullptr);
    }
    if (next) {
        session.setActiveForm(next);
        next->userActivate();
    }
}

MainWindow::~MainWindow() {
    // The MDI area outlives this part of the window and still reports activations.
    disconnect(mdi_, nullptr, this, nullptr);
    context_.session().removeObserver(this);
    context_.platform().setKeyboardListener(nullptr);
    if (main_) {
        main_->removeObserver(this);
        main_->removeMainObserver(this);
    }
    for (auto& [form, host] : hosts_) host->formGone();
    context_.setMainWindow(nullptr);
}

QAction* MainWindow::action(const std::string& controlKey) const {
    auto it = actions_.find(controlKey);
    return it == actions_.end() ? nullptr : it->second;
}

QWidget* MainWindow::windowOf(const Form& form) const {
    auto it = hosts_.find(&form);
    return it == hosts_.end() ? nullptr : it->second->window();
}

void MainWindow::formCreated(Form& form) {
    if (form.name() == "frmMain") {
        attach(dynamic_cast<MainForm&>(form));
        return;
    }
    const WindowKind kind = context_.kindOf(form.name());
    if (kind == WindowKind::Dialog) {
        // The about box doubles as the splash window before the main window exists.
        if (!main_ && form.name() == "frmAbout") showSplash(form);
        return;
    }
    QWidget* view = context_.createView(form, nullptr);
    if (kind == WindowKind::Document) {
        auto* sub = new QMdiSubWindow;
        sub->setWidget(view);
        // The window's title bar shows the picture its view chose (datasheet, chart...).
        if (!view->windowIcon().isNull()) sub->setWindowIcon(view->windowIcon());
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        mdi_->addSubWindow(sub);
        hosts_[&form] = new FormHost(form, context_, sub, false);
    } else {
        auto* window = new QWidget(this, Qt::Tool);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        // Tool windows size themselves to their content before they are placed.
        // Its natural size where the screen has room, never below what its layout needs.
        QSize hint = window->sizeHint().expandedTo(window->minimumSizeHint());
        // Wrapped labels need the height their width gives them.
        if (QLayout* content = window->layout(); content && content->hasHeightForWidth())
            hint.setHeight(std::max(hint.height(), content->totalHeightForWidth(hint.width())));
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            hint = hint.boundedTo(screen->availableGeometry().size() * 0.9).expandedTo(window->minimumSizeHint());
        if (context_.px(form.width()) < hint.width() || context_.px(form.height()) < hint.height())
            form.resize(std::max(form.width(), context_.twips(hint.width())),
                        std::max(form.height(), context_.twips(hint.height())));
        hosts_[&form] = new FormHost(form, context_, window, true);
    }
    updateWindowMenu();
}

void MainWindow::formDestroyed(Form& form) {
    if (&form == main_) {
        main_->removeObserver(this);
        main_->removeMainObserver(this);
        main_ = nullptr;
        return;
    }
    auto it = hosts_.find(&form);
    if (it != hosts_.end()) {
        it->second->formGone();
        hosts_.erase(it);
    }
    if (splash_ && splash_->property("form").value<void*>() == &form) {
        splash_->close();
        unbindAll(splash_);
        splash_->deleteLater();
    }
    // A deferred delete runs only once control is back in the event loop that
    // was running here, never in a nested one (a message box's): by then no
    // handler of the window is on the stack, and its data can go. The reaper
    // has no parent, so the main window's own destruction never fires it.
    auto* reaper = new QObject;
    connect(reaper, &QObject::destroyed, this, [this, &form] { context_.session().releaseClosedForm(&form); });
    reaper->deleteLater();
    updateWindowMenu();
}

void MainWindow::showSplash(Form& about) {
    auto* splash = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setProperty("form", QVariant::fromValue<void*>(&about));
    QWidget* view = context_.createView(about, splash);
    auto* layout = new QVBoxLayout(splash);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    splash->resize(std::max(splash->sizeHint().width(), context_.px(about.width())), context_.px(about.height()));
    splash->show();
    splash->raise();
    splash_ = splash;
}

void MainWindow::attach(MainForm& main) {
    main_ = &main;
    main.addObserver(this);
    main.addMainObserver(this);
    setWindowTitle(qs(main.caption()));
    setObjectName("frmMain");
    buildMenus();
    buildToolbar();
    buildStatusBar();
    context_.platform().setDialogParent(this);
    context_.platform().setKeyboardListener([this] {
        if (main_) main_->refreshKeyboardPanels();
    });
}

void MainWindow::buildMenus() {
    QMenu* current = nullptr;
    for (const auto& control : main_->controls()) {
        if (control->kind() != ControlKind::MenuItem) continue;
        if (control->container().empty()) {
            current = menuBar()->addMenu(qs(control->text()));
            current->setObjectName(qs(control->key()));
            current->menuAction()->setEnabled(control->enabled());
            menus_[control->key()] = current;
            if (control->name() == "mnuWindow") windowMenu_ = current;
            continue;
        }
        if (!current) continue;
        if (control->text() == "-") {
            current->addSeparator();
            continue;
        }
        QAction* act = current->addAction(qs(control->text()));
        act->setObjectName(qs(control->key()));
        Control* item = control.get();
        connect(act, &QAction::triggered, this, [this, item] {
            if (main_) main_->userClick(*item);
        });
        actions_[control->key()] = act;
        syncAction(*control);
    }
    if (windowMenu_) connect(windowMenu_, &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);

    // Keyboard shortcuts a desktop user expects.
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"mnuFileOpen", QKeySequence::Open},   {"mnuFileSave", QKeySequence::Save},
        {"mnuFilePrint", QKeySequence::Print}, {"mnuEditCut", QKeySequence::Cut},
        {"mnuEditCopy", QKeySequence::Copy},   {"mnuEditPaste", QKeySequence::Paste},
        {"mnuFileNewData", QKeySequence::New}, {"mnuEditUndo", QKeySequence::Undo},
    };
    for (const auto& [key, sequence] : shortcuts)
        // A focused text field still takes its own editing keys (it overrides the shortcut).
        if (QAction* act = action(key)) act->setShortcut(sequence);
    if (QAction* redo = action("mnuEditRedo"))
        redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
}

void MainWindow::buildToolbar() {
    toolbar_ = addToolBar("Toolbar");
    toolbar_->setObjectName("picToolBar");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    // Hidden or shown from its context menu: View > Toolbar keeps its check mark in step.
    connect(toolbar_->toggleViewAction(), &QAction::triggered, this, [this](bool shown) {
        if (main_) main_->barShown("mnuViewToolbar", shown);
    });
    int index = 0;
    for (const auto& control : main_->controls()) {
        if (control->kind() != ControlKind::ToolButton) continue;
        // Groups as the toolbar shows them: documents, edit, format, tools, drawing.
        if (index == 2 || index == 5 || index == 8 || index == 14 || index == 19) toolbar_->addSeparator();
        ++index;
        QAction* act = toolbar_->addAction(toolbarIcon(control->tag()), qs(control->toolTip()));
        act->setObjectName(qs("tb" + control->tag()));
        act->setToolTip(qs(control->toolTip()));
        act->setCheckable(control->description() == "two-state");
        Control* button = control.get();
        connect(act, &QAction::triggered, this, [this, button] {
            if (main_) main_->userClick(*button);
            if (main_) syncAction(*button);
        });
        actions_[control->key()] = act;
        syncAction(*control);
    }
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("sbStatusBar");
    for (const auto& control : main_->controls()) {
        if (control->kind() != ControlKind::StatusPanel) continue;
        auto* label = new QLabel(qs(control->text()));
        label->setObjectName(qs(control->key()));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(control->index() == 1 ? 160 : 60);
        label->setAlignment(Qt::AlignCenter);
        if (control->index() == 1) bar->addWidget(label, 1);
        else bar->addPermanentWidget(label);
        label->setVisible(control->visible());
        label->setEnabled(control->enabled());
        panels_[control->index()] = label;
    }
}

void MainWindow::syncAction(Control& control) {
    if (auto menu = menus_.find(control.key()); menu != menus_.end()) {
        // A disabled menu disables its items too, shortcuts included.
        menu->second->menuAction()->setEnabled(control.enabled());
        for (const auto& item : main_->controls())
            if (item->kind() == ControlKind::MenuItem && item->container() == control.name()) syncAction(*item);
        return;
    }
    QAction* act = action(control.key());
    if (!act) return;
    const bool inMenu = control.kind() == ControlKind::MenuItem && !control.container().empty();
    const Control* menu = inMenu ? main_->find(control.container()) : nullptr;
    act->setEnabled(control.enabled() && (!menu || menu->enabled()));
    if (control.kind() == ControlKind::MenuItem) {
        const bool checkable = control.value() != 0 || act->isCheckable();
        act->setCheckable(checkable);
        act->setChecked(control.value() != 0);
        act->setText(qs(control.text()));
    } else {
        if (act->isCheckable()) act->setChecked(control.value() != 0);
        act->setToolTip(qs(control.toolTip()));  // "HidePict" says "Show picture" while the picture is hidden
    }
    act->setVisible(control.visible());
}

void MainWindow::controlChanged(Form&, Control& control, ControlProperty property) {
    switch (control.kind()) {
        case ControlKind::MenuItem:
        case ControlKind::ToolButton: syncAction(control); break;
        case ControlKind::StatusPanel:
            if (auto it = panels_.find(control.index()); it != panels_.end()) {
                it->second->setText(qs(control.text()));
                it->second->setVisible(control.visible());
                it->second->setEnabled(control.enabled());  // a keyboard panel is dimmed when its key is off
            }
            break;
        default:
            if (property == ControlProperty::Visible) {
                if (control.name() == "picToolBar" && toolbar_) toolbar_->setVisible(control.visible());
                if (control.name() == "sbStatusBar") statusBar()->setVisible(control.visible());
            }
            break;
    }
}

void MainWindow::formChanged(Form& form, FormProperty property) {
    switch (property) {
        case FormProperty::Caption: setWindowTitle(qs(form.caption())); break;
        case FormProperty::Visible:
            if (form.visible()) show();
            else hide();
            break;
        case FormProperty::Geometry:
            if (!applyingGeometry_) {
                applyingGeometry_ = true;
                move(context_.px(form.left()), context_.px(form.top()));
                resize(context_.px(form.width()), context_.px(form.height()));
                applyingGeometry_ = false;
            }
            break;
        case FormProperty::WindowState:
            if (form.windowState() == WindowState::Minimized) showMinimized();
            else if (form.windowState() == WindowState::Maximized) showMaximized();
            break;
        case FormProperty::Enabled: break;
    }
}

void MainWindow::storeGeometry() {
    if (!main_ || applyingGeometry_ || !isVisible()) return;
    applyingGeometry_ = true;
    const QRect frame = frameGeometry();
    main_->move(context_.twips(frame.left()), context_.twips(frame.top()), context_.twips(width()),
                context_.twips(height()));
    applyingGeometry_ = false;
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    storeGeometry();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    storeGeometry();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Back from a tool window, the document shown active is the active window again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && main_)
        subWindowActivated(mdi_->activeSubWindow());
    if (event->type() == QEvent::WindowStateChange && main_) {
        main_->setWindowState(isMinimized()   ? WindowState::Minimized
                              : isMaximized() ? WindowState::Maximized
                                              : WindowState::Normal);
    }
}

void MainWindow::arrangeWindows(WindowArrangement arrangement) {
    switch (arrangement) {
        case WindowArrangement::Cascade: mdi_->cascadeSubWindows(); break;
        case WindowArrangement::TileHorizontal:
        case WindowArrangement::TileVertical: {
            // Documents side by side (vertical tiles) or stacked (horizontal tiles).
            const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
            QList<QMdiSubWindow*> shown;
            for (QMdiSubWindow* w : windows)
                if (w->isVisible() && !w->isMinimized()) shown << w;
            if (shown.isEmpty()) return;
            const QRect area = mdi_->viewport()->rect();
            const int n = static_cast<int>(shown.size());
            for (int i = 0; i < n; ++i) {
                if (arrangement == WindowArrangement::TileVertical)
                    shown[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
                else shown[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
            }
            break;
        }
        case WindowArrangement::ArrangeIcons: {
            int x = 0;
            for (QMdiSubWindow* w : mdi_->subWindowList()) {
                if (!w->isMinimized()) continue;
                w->move(x, mdi_->viewport()->height() - w->height());
                x += w->width();
            }
            break;
        }
    }
}

void MainWindow::exitRequested() { close(); }

void MainWindow::focusMainWindow() {
    activateWindow();
    raise();
    // The keys go to the document the user was working in, or to the main window itself.
    if (QMdiSubWindow* sub = mdi_->activeSubWindow(); sub && sub->widget()) sub->widget()->setFocus();
    else setFocus();
}

void MainWindow::refreshRequested(Form&) {
    update();
    if (menuWidget()) menuWidget()->update();
    if (toolbar_) toolbar_->update();
    statusBar()->update();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!main_) {
        event->accept();
        return;
    }
    // The shut-down runs in the core; a document that keeps itself open stops it.
    if (!context_.session().closeForm(*main_)) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

void MainWindow::updateWindowMenu() {
    if (!windowMenu_) return;
    for (QAction* act : windowMenu_->actions())
        if (act->property("windowList").toBool()) {
            windowMenu_->removeAction(act);
            act->deleteLater();
        }
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    bool first = true;
    int number = 1;
    for (QMdiSubWindow* sub : windows) {
        if (!sub->isVisible()) continue;
        if (first) {
            QAction* separator = windowMenu_->addSeparator();
            separator->setProperty("windowList", true);
            first = false;
        }
        QAction* act = windowMenu_->addAction(QString("&%1 %2").arg(number++).arg(sub->windowTitle()));
        act->setProperty("windowList", true);
        act->setCheckable(true);
        act->setChecked(sub == mdi_->activeSubWindow());
        connect(act, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
    }
}

}  // namespace ravelin
