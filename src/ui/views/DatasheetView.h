#pragma once
// The spacing datasheet window (frmSpacing): header fields, the orientation
// table, the data type and the two value grids side by side. The grids show
// the form's column stores through a model (no item per cell, fixed row
// heights), so a million rows open and scroll at once; every click, key and
// scroll goes to the form, which decides, and the grids show what it did.
// The in-cell editor txtSaisie is laid over the current cell.

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <QWidget>

#include "core/Session.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingGrid.h"

class QLineEdit;

namespace ravelin {

class FormBinder;
class UiContext;

// One grid's store as a table: model row r is the store's row r + 1 (row 0
// of the store is the header row, shown as the table's header); column 0
// numbers the rows, column 1 holds the distances.
class SpacingGridModel : public QAbstractTableModel, public SpacingGridObserver {
    Q_OBJECT
public:
    explicit SpacingGridModel(SpacingGrid& grid, QObject* parent = nullptr);
    ~SpacingGridModel() override;

    SpacingGrid* grid() const { return grid_; }
    // The store is going away: show nothing and stop listening.
    void detach();

    static long long storeRow(int modelRow) { return static_cast<long long>(modelRow) + 1; }
    static int modelRow(long long storeRow);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void cellsChanged(const SpacingGrid&, long long first, long long last) override;
    void rowCountChanged(const SpacingGrid&) override;
    void cursorChanged(const SpacingGrid&) override;
    void topRowChanged(const SpacingGrid&) override;

signals:
    void cursorMoved();
    void topRowMoved();

private:
    SpacingGrid* grid_;
};

// A value grid: shows the store's current cell, selection and top row, and
// reports the user's clicks, drags, keys and scrolling to the form.
class SpacingTable : public QTableView {
    Q_OBJECT
public:
    SpacingTable(SpacingForm& form, int index, const UiContext& context, QWidget* parent);

    int gridIndex() const { return index_; }
    SpacingGridModel* gridModel() const { return model_; }
    // The rectangle of a store row's value cell, in the viewport's coordinates.
    QRect valueCellRect(long long storeRow) const;
    void detach();

signals:
    void scrolled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Shows the store's current cell and selection; `reveal` scrolls a single current cell into sight.
    void showCursor(bool reveal);
    void showTopRow();
    void userScrolled(int value);
    long long storeRowAt(int y) const;
    int rowsPerPage() const;
    // Widens the numbering column when the largest row number would not fit.
    void fitNumbering();

    SpacingForm* form_;
    int index_;
    SpacingGridModel* model_;
    int numberingWidth_ = 0;  // the numbering column's own width (pixels)
    bool dragging_ = false;
    int showing_ = 0;       // >0 while the table follows the store
};

class DatasheetView : public QWidget, public FormObserver, public SessionObserver {
    Q_OBJECT
public:
    DatasheetView(SpacingForm& form, UiContext& context, QWidget* parent);
    ~DatasheetView() override;

    SpacingTable* table(int index) const { return tables_[index]; }
    QLineEdit* cellEditor() const { return editor_; }
    FormBinder& binder() const { return *binder_; }

    void controlChanged(Form&, Control& control, ControlProperty property) override;
    void formDestroyed(Form& form) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildOrientation();
    QWidget* buildDataType();
    QWidget* buildData();
    // Lays the editor over the cell it edits, in the grid it belongs to.
    void placeEditor();
    void trackMouse(QWidget* background);
    void detach();

    SpacingForm* form_;
    UiContext& context_;
    FormBinder* binder_;
    SpacingTable* tables_[2] = {nullptr, nullptr};
    QPointer<QLineEdit> editor_;
};

QWidget* createDatasheetView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
