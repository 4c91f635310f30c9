#include "ui/views/DatasheetView.h"

#include <QApplication>
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
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

#include "ui/FormBinder.h"
#include "ui/Icons.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"

namespace ravelin {

namespace {

// Rows a grid shows at least, however small the window is made.
constexpr int kMinimumVisibleRows = 4;

// "Cliff wall - Dip dir." -> "Cliff wall" (before) or "Dip dir." (after).
QString descriptionPart(const std::string& description, bool after) {
    const auto dash = description.find(" - ");
    if (dash == std::string::npos) return qs(description);
    return qs(after ? description.substr(dash + 3) : description.substr(0, dash));
}

}  // namespace

// ------------------------------------------------------------------ model

SpacingGridModel::SpacingGridModel(SpacingGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(&grid) {
    grid.addObserver(this);
}

SpacingGridModel::~SpacingGridModel() {
    // The view that showed it is already going: only stop listening.
    if (grid_) grid_->removeObserver(this);
}

void SpacingGridModel::detach() {
    if (!grid_) return;
    beginResetModel();
    grid_->removeObserver(this);
    grid_ = nullptr;
    endResetModel();
}

int SpacingGridModel::modelRow(long long storeRow) {
    return static_cast<int>(std::clamp(storeRow - 1, 0LL, static_cast<long long>(INT_MAX)));
}

int SpacingGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !grid_) return 0;
    return static_cast<int>(std::min(grid_->rows() - 1, static_cast<long long>(INT_MAX)));
}

int SpacingGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : SpacingGrid::kColumns;
}

QVariant SpacingGridModel::data(const QModelIndex& index, int role) const {
    if (!grid_ || !index.isValid()) return {};
    const bool numbering = index.column() == 0;
    switch (role) {
        case Qt::DisplayRole:
            return qs(grid_->text(storeRow(index.row()), index.column()));
        case Qt::TextAlignmentRole:
            return numbering ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            // The numbering column is fixed, drawn like the header.
            if (numbering) return QApplication::palette().button();
            return {};
        default:
            return {};
    }
}

QVariant SpacingGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!grid_ || orientation != Qt::Horizontal || section < 0 || section >= SpacingGrid::kColumns) return {};
    if (role == Qt::DisplayRole) return qs(grid_->text(0, section));
    if (role == Qt::TextAlignmentRole)
        return section == 0 ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags SpacingGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() == 0) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void SpacingGridModel::cellsChanged(const SpacingGrid&, long long first, long long last) {
    const int rows = rowCount();
    if (rows == 0) return;
    const int top = modelRow(first);
    const int bottom = std::min(modelRow(last), rows - 1);
    if (top > bottom) return;
    emit dataChanged(index(top, 0), index(bottom, SpacingGrid::kColumns - 1), {Qt::DisplayRole});
}

void SpacingGridModel::rowCountChanged(const SpacingGrid&) {
    // The store has already changed: nothing of the old rows is worth keeping.
    beginResetModel();
    endResetModel();
}

void SpacingGridModel::cursorChanged(const SpacingGrid&) { emit cursorMoved(); }

void SpacingGridModel::topRowChanged(const SpacingGrid&) { emit topRowMoved(); }

// ------------------------------------------------------------------ table

SpacingTable::SpacingTable(SpacingForm& form, int index, const UiContext& context, QWidget* parent)
    : QTableView(parent), form_(&form), index_(index), model_(new SpacingGridModel(form.grid(index), this)) {
    setObjectName(qs(form.at("MSFlexGrid1", index).key()));
    const int rowHeight = context.px(SpacingForm::kRowHeight);
    // Uniform, fixed row heights: the table never measures a row.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(rowHeight);
    rows->setDefaultSectionSize(rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = horizontalHeader();
    columns->setMinimumSectionSize(1);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setDefaultSectionSize(context.px(SpacingForm::kColumnWidths[1]));
    columns->setStretchLastSection(true);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    setModel(model_);
    numberingWidth_ = context.px(SpacingForm::kColumnWidths[0]);
    fitNumbering();

    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setAutoScroll(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Both grids keep their scroll bar, so their rows stay side by side.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMinimumWidth(context.px(SpacingForm::kColumnWidths[0] + SpacingForm::kColumnWidths[1]) +
                    verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
    setMinimumHeight(columns->sizeHint().height() + kMinimumVisibleRows * rowHeight + 2 * frameWidth());

    connect(model_, &SpacingGridModel::cursorMoved, this, [this] { showCursor(true); });
    connect(model_, &SpacingGridModel::topRowMoved, this, &SpacingTable::showTopRow);
    // A reset scrolls the table back to the top by itself: that is not the
    // user's scrolling, and the store's top row is shown again afterwards.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ++showing_; });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        fitNumbering();
        updateGeometries();  // the scroll range must know the new row count
        showTopRow();
        --showing_;
        // The store's top row stands: a current cell out of sight (the other
        // grid's, when a paste grows both) does not scroll the grids.
        showCursor(false);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &SpacingTable::userScrolled);
    showCursor(false);
    showTopRow();
}

void SpacingTable::fitNumbering() {
    // The column keeps its width until the row numbers need more.
    const QString widest(QString::number(model_->rowCount()).size(), QChar('0'));
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;  // as cells draw text
    const int needed = fontMetrics().horizontalAdvance(widest) + 2 * margin;
    horizontalHeader()->resizeSection(0, std::max(numberingWidth_, needed));
}

void SpacingTable::detach() {
    form_ = nullptr;
    model_->detach();
}

QRect SpacingTable::valueCellRect(long long storeRow) const {
    return visualRect(model_->index(SpacingGridModel::modelRow(storeRow), SpacingGrid::kValueColumn));
}

void SpacingTable::showCursor(bool reveal) {
    const SpacingGrid* grid = model_->grid();
    if (!grid || model_->rowCount() == 0) return;
    const QModelIndex current = model_->index(SpacingGridModel::modelRow(grid->row()), SpacingGrid::kValueColumn);
    const GridBlock& block = grid->selection();
    const QItemSelection selection(
        model_->index(SpacingGridModel::modelRow(block.rowStart), SpacingGrid::kValueColumn),
        model_->index(SpacingGridModel::modelRow(block.rowEnd), SpacingGrid::kValueColumn));
    ++showing_;
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    --showing_;
    // A single current cell is kept in sight (Enter moving below the last
    // visible row); the scroll is the user's, so the other grid follows.
    if (reveal && block.rowStart == block.rowEnd && !dragging_) scrollTo(current);
}

void SpacingTable::showTopRow() {
    const SpacingGrid* grid = model_->grid();
    if (!grid) return;
    const int wanted = SpacingGridModel::modelRow(grid->topRow());
    if (verticalScrollBar()->value() == wanted) return;
    ++showing_;
    verticalScrollBar()->setValue(wanted);
    --showing_;
    emit scrolled();
}

void SpacingTable::userScrolled(int value) {
    if (!showing_ && form_) form_->userGridScroll(index_, SpacingGridModel::storeRow(value));
    emit scrolled();
}

long long SpacingTable::storeRowAt(int y) const {
    const int rows = model_->rowCount();
    if (rows == 0) return 1;
    int row = rowAt(std::clamp(y, 0, std::max(0, viewport()->height() - 1)));
    if (row < 0) row = rows - 1;  // below the last row
    return SpacingGridModel::storeRow(row);
}

int SpacingTable::rowsPerPage() const {
    return std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
}

void SpacingTable::mousePressEvent(QMouseEvent* event) {
    if (!form_) return;
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || event->button() != Qt::LeftButton) return;
    const long long row = SpacingGridModel::storeRow(index.row());
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
    form_->userGridExtend(index_, storeRowAt(y));
}

void SpacingTable::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void SpacingTable::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!form_ || event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid()) return;
    dragging_ = false;
    form_->userGridDoubleClick(index_);
}

void SpacingTable::keyPressEvent(QKeyEvent* event) {
    if (!form_ || !model_->grid()) return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    if (const auto row = form_->userGridKeyDown(index_, coreKeyCode(*event), extend, rowsPerPage())) {
        scrollTo(model_->index(SpacingGridModel::modelRow(*row), SpacingGrid::kValueColumn));
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
    grid->setColumnStretch(0, 1);
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
