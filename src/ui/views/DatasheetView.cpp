#include "ui/views/DatasheetView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/FormBinder.h"
#include "ui/Icons.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"

namespace ravelin {

namespace {

// "Cliff wall - Dip dir." -> "Cliff wall" (before) or "Dip dir." (after).
QString descriptionPart(const std::string& description, bool after) {
    const auto dash = description.find(" - ");
    if (dash == std::string::npos) return qs(description);
    return qs(after ? description.substr(dash + 3) : description.substr(0, dash));
}

}  // namespace

// ------------------------------------------------------------------ table

SpacingTable::SpacingTable(SpacingForm& form, int index, const UiContext& context, QWidget* parent)
    : GridTable(form.grid(index), context, parent), form_(&form), index_(index) {
    setObjectName(qs(form.at("MSFlexGrid1", index).key()));
}

void SpacingTable::detach() {
    form_ = nullptr;
    GridTable::detach();
}

// Both grids scroll together: the form decides.
void SpacingTable::userScrolled(long long topRow) {
    if (form_) form_->userGridScroll(index_, topRow);
}

void SpacingTable::mousePressEvent(QMouseEvent* event) {
    if (!form_) return;
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || event->button() != Qt::LeftButton) return;
    const long long row = GridModel::gridRow(index.row());
    dragging_ = true;
    if (event->modifiers() & Qt::ShiftModifier) form_->userGridExtend(index_, row);
    else form_->userGridClick(index_, row, index.column());
}

void SpacingTable::mouseMoveEvent(QMouseEvent* event) {
    if (!form_ || !dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const int y = event->position().toPoint().y();
    // Dragging past an edge scrolls one row per move.
    if (y < 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    else if (y >= viewport()->height()) verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    form_->userGridExtend(index_, gridRowAt(y));
}

void SpacingTable::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void SpacingTable::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!form_ || event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid()) return;
    dragging_ = false;
    form_->userGridDoubleClick(index_);
}

void SpacingTable::keyPressEvent(QKeyEvent* event) {
    if (!form_ || !gridModel()->grid()) return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        form_->userGridDelete(index_);
        return;
    }
    if (const auto row = form_->userGridKeyDown(index_, coreKeyCode(*event), extend, rowsPerPage())) {
        reveal({*row, SpacingGrid::kValueColumn});
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
    form_->userGridKeyPress(index_, key);
}

// ------------------------------------------------------------------ window

DatasheetView::DatasheetView(SpacingForm& form, UiContext& context, QWidget* parent)
    : QWidget(parent), form_(&form), context_(context), binder_(new FormBinder(form, this)) {
    setObjectName(qs(form.name()));
    setWindowIcon(toolbarIcon("NewData"));
    setFont(toQFont(form.at("MSFlexGrid1", 0).font()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildHeader());
    layout->addWidget(buildOrientation());
    layout->addWidget(buildDataType());
    layout->addWidget(buildData(), 1);
    trackMouse(this);
    form.addObserver(this);
    context.session().addObserver(this);
    placeEditor();
}

DatasheetView::~DatasheetView() {
    detach();
    context_.session().removeObserver(this);
}

void DatasheetView::detach() {
    if (!form_) return;
    form_->removeObserver(this);
    binder_->detach();
    for (SpacingTable* table : tables_)
        if (table) table->detach();
    form_ = nullptr;
}

void DatasheetView::formDestroyed(Form& form) {
    if (&form == form_) detach();
}

QWidget* DatasheetView::buildHeader() {
    auto* box = new QWidget(this);
    box->setObjectName("header");
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const char* name : {"txtComment", "txtFamily", "txtLoc"}) {
        Control& control = form_->at(name);
        auto* label = new QLabel(qs(control.description()), box);
        auto* edit = new QLineEdit(box);
        label->setBuddy(edit);
        binder_->bind(control, edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    trackMouse(box);
    return box;
}

QWidget* DatasheetView::buildOrientation() {
    auto* frame = new QGroupBox(this);
    binder_->bind(form_->at("fraOrientation"), frame);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    // A field wide enough for an angle with decimals.
    const int fieldWidth = fontMetrics().horizontalAdvance("000.000") + 12;
    auto field = [&](int index) {
        Control& control = form_->at("txtOr", index);
        auto* edit = new QLineEdit(frame);
        edit->setFixedWidth(fieldWidth);
        binder_->bind(control, edit);
        return edit;
    };
    auto heading = [&](const QString& text, int column) {
        auto* label = new QLabel(text, frame);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(label, 0, column);
    };
    // Rows: cliff wall, discontinuity set, scanline; the theta angle beside the set.
    heading(descriptionPart(form_->at("txtOr", 0).description(), true), 1);
    heading(descriptionPart(form_->at("txtOr", 1).description(), true), 2);
    heading(qs(form_->at("txtOr", 4).description()), 3);
    const int rowFields[3][2] = {{0, 1}, {2, 3}, {5, 6}};
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(new QLabel(descriptionPart(form_->at("txtOr", rowFields[row][0]).description(), false), frame),
                        row + 1, 0);
        grid->addWidget(field(rowFields[row][0]), row + 1, 1);
        grid->addWidget(field(rowFields[row][1]), row + 1, 2);
    }
    grid->addWidget(field(4), 2, 3);
    // The room a wide window gives goes past the last field, so the fields stay beside their labels.
    grid->setColumnStretch(4, 1);
    trackMouse(frame);
    return frame;
}

QWidget* DatasheetView::buildDataType() {
    auto* frame = new QGroupBox(this);
    binder_->bind(form_->at("fraType"), frame);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(6, 2, 6, 2);
    for (int i = 0; i < 2; ++i) {
        Control& option = form_->at("optData", i);
        auto* button = new QRadioButton(frame);
        binder_->bind(option, button);
        row->addWidget(button);
    }
    row->addStretch(1);
    trackMouse(frame);
    return frame;
}

QWidget* DatasheetView::buildData() {
    auto* frame = new QGroupBox(this);
    binder_->bind(form_->at("fraData"), frame);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);

    auto label = [&](Control& control) {
        auto* l = new QLabel(frame);
        binder_->bind(control, l);
        return l;
    };
    for (int i = 0; i < 2; ++i) {
        Control& gridControl = form_->at("MSFlexGrid1", i);
        auto* caption = new QLabel(qs(gridControl.description()), frame);
        caption->setObjectName(QString("caption%1").arg(i));
        caption->setWordWrap(true);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        grid->addWidget(caption, 0, i);
        tables_[i] = new SpacingTable(*form_, i, context_, frame);
        binder_->bind(gridControl, tables_[i]);
        grid->addWidget(tables_[i], 1, i);
        connect(tables_[i], &SpacingTable::scrolled, this, [this] {
            if (editor_ && editor_->isVisible()) placeEditor();
        });
        connect(tables_[i]->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { placeEditor(); });
        grid->addWidget(label(form_->at("lblRes", i)), 2, i);
    }
    grid->setRowStretch(1, 1);

    auto* count = new QHBoxLayout;
    count->addWidget(label(form_->at("lblRes", 2)));
    count->addStretch(1);
    Control& fresh = form_->at("chkNew");
    auto* check = new QCheckBox(frame);
    binder_->bind(fresh, check);
    count->addWidget(check);
    grid->addLayout(count, 3, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (const char* name : {"cmdConvert", "cmdHisto", "Vario"}) {
        Control& control = form_->at(name);
        auto* button = new QPushButton(frame);
        button->setAutoDefault(false);
        binder_->bind(control, button);
        buttons->addWidget(button, 1);
    }
    grid->addLayout(buttons, 4, 0, 1, 2);

    // The cell editor lives in the viewport of the grid it edits.
    Control& editorControl = form_->at("txtSaisie");
    editor_ = new QLineEdit(tables_[0]->viewport());
    editor_->setFrame(false);
    editor_->setFont(font());
    editor_->setAlignment(Qt::AlignRight);  // as the cells show their values
    editor_->hide();
    binder_->bind(editorControl, editor_);
    trackMouse(frame);
    return frame;
}

void DatasheetView::trackMouse(QWidget* background) {
    background->setMouseTracking(true);
    background->installEventFilter(this);
}

bool DatasheetView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && form_) form_->userMouseMove();
    return QWidget::eventFilter(watched, event);
}

void DatasheetView::controlChanged(Form&, Control& control, ControlProperty property) {
    if (control.name() != "txtSaisie" || !form_) return;
    if (property == ControlProperty::Geometry || (property == ControlProperty::Visible && control.visible()))
        placeEditor();
}

void DatasheetView::placeEditor() {
    if (!form_ || !editor_) return;
    SpacingTable* table = tables_[form_->currentGrid()];
    QWidget* viewport = table->viewport();
    if (editor_->parentWidget() != viewport) {
        const bool focused = editor_->hasFocus();
        editor_->setParent(viewport);
        editor_->setVisible(form_->at("txtSaisie").visible());
        if (focused) editor_->setFocus();
    }
    editor_->setGeometry(table->valueCellRect(form_->editRow()));
    editor_->raise();
}

QWidget* createDatasheetView(Form& form, UiContext& context, QWidget* parent) {
    return new DatasheetView(dynamic_cast<SpacingForm&>(form), context, parent);
}

}  // namespace ravelin
