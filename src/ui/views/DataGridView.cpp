#include "ui/views/DataGridView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/FormBinder.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"

namespace ravelin {

// ------------------------------------------------------------------ table

DataTable::DataTable(DataForm& form, const UiContext& context, QWidget* parent)
    : GridTable(form.grid(), context, parent), form_(&form), context_(context) {
    setObjectName("MSFlexGrid");
}

void DataTable::detach() {
    form_ = nullptr;
    GridTable::detach();
}

void DataTable::userScrolled(long long topRow) {
    if (form_) form_->userGridScroll(topRow);
}

void DataTable::mousePressEvent(QMouseEvent* event) {
    if (!form_) return;
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || event->button() != Qt::LeftButton || index.column() == 0) return;
    const long long row = GridModel::gridRow(index.row());
    dragging_ = true;
    if (event->modifiers() & Qt::ShiftModifier) form_->userGridExtend(row, index.column());
    else form_->userGridClick(row, index.column());
}

void DataTable::mouseMoveEvent(QMouseEvent* event) {
    if (!form_ || !dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint();
    // Dragging past an edge scrolls one row per move.
    if (at.y() < 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    else if (at.y() >= viewport()->height()) verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    int column = columnAt(std::clamp(at.x(), 0, viewport()->width() - 1));
    if (column < 0) column = form_->grid().columns() - 1;  // beyond the last column
    form_->userGridExtend(gridRowAt(at.y()), std::max(1, column));
}

void DataTable::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    if (!form_ || event->button() != Qt::RightButton) return;
    // Positions over the grid are twips from its corner.
    const QPoint at = viewport()->mapTo(this, event->position().toPoint());
    PointerEvent released;
    released.x = context_.twips(at.x());
    released.y = context_.twips(at.y());
    released.buttons = buttons::Right;
    released.shift = coreShiftState(event->modifiers());
    form_->userPointerRelease(form_->at("MSFlexGrid"), released);
}

void DataTable::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!form_ || event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid()) return;
    dragging_ = false;
    form_->userGridDoubleClick();
}

void DataTable::keyPressEvent(QKeyEvent* event) {
    if (!form_ || !gridModel()->grid()) return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    if (const auto cell = form_->userGridKeyDown(coreKeyCode(*event), extend, rowsPerPage())) {
        reveal(*cell);
        return;
    }
    // A typed character opens the cell editor with it.
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const int key = enter ? keys::Enter : coreCharCode(*event);
    if (key == 0) {
        event->ignore();
        return;
    }
    form_->userGridKeyPress(key);
}

// ------------------------------------------------------------------ window

DataGridView::DataGridView(DataForm& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(&form), context_(context), binder_(new FormBinder(form, this)) {
    setObjectName(qs(form.name()));
    setFont(toQFont(form.at("MSFlexGrid").font()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    table_ = new DataTable(form, context, this);
    binder_->bind(form.at("MSFlexGrid"), table_);
    layout->addWidget(table_, 1);
    connect(table_, &DataTable::scrolled, this, [this] {
        if (editor_ && editor_->isVisible()) placeEditor();
    });

    editor_ = new QLineEdit(table_->viewport());
    editor_->setFrame(false);
    editor_->setFont(font());
    editor_->setAlignment(Qt::AlignRight);  // as the cells show their values
    editor_->hide();
    binder_->bind(form.at("Text1"), editor_);

    form.addObserver(this);
    context.session().addObserver(this);
    placeEditor();
}

DataGridView::~DataGridView() {
    detach();
    context_.session().removeObserver(this);
}

void DataGridView::detach() {
    if (!form_) return;
    form_->removeObserver(this);
    binder_->detach();
    if (table_) table_->detach();
    form_ = nullptr;
}

void DataGridView::formDestroyed(Form& form) {
    if (&form == form_) detach();
}

void DataGridView::controlChanged(Form&, Control& control, ControlProperty property) {
    if (!form_) return;
    if (control.name() == "Text1" &&
        (property == ControlProperty::Geometry || (property == ControlProperty::Visible && control.visible())))
        placeEditor();
    // Shown once the form's handler is over: the menu runs its own event loop.
    if (control.name() == "mnuContext" && property == ControlProperty::Value && control.value() != 0)
        QTimer::singleShot(0, this, &DataGridView::showContextMenu);
}

void DataGridView::placeEditor() {
    if (!form_ || !editor_) return;
    const GridCell cell = form_->editCell();
    editor_->setGeometry(table_->cellRect(cell.row, cell.column));
    editor_->raise();
}

void DataGridView::showContextMenu() {
    if (!form_) return;
    const std::optional<DrawPoint> at = form_->contextMenuRequest();
    if (!at) return;
    QMenu menu(this);
    menu.setObjectName("mnuContext");
    for (const auto& control : form_->controls()) {
        if (control->container() != "mnuContext") continue;
        if (control->text() == "-") {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(qs(control->text()));
        action->setObjectName(qs(control->key()));
        Control* item = control.get();
        connect(action, &QAction::triggered, this, [this, item] {
            if (form_) form_->userClick(*item);
        });
    }
    const QPoint position(context_.px(at->x), context_.px(at->y));
    menu.exec(table_->mapToGlobal(position));
    if (form_) form_->contextMenuClosed();
}

QWidget* createDataGridView(Form& form, UiContext& context, QWidget* parent) {
    return new DataGridView(dynamic_cast<DataForm&>(form), context, parent);
}

}  // namespace ravelin
