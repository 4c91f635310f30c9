#pragma once
// The spacing datasheet window (frmSpacing): header fields, the orientation
// table, the data type and the two value grids side by side. The grids show
// the form's column stores through a model (no item per cell, fixed row
// heights), so a million rows open and scroll at once; every click, key and
// scroll goes to the form, which decides, and the grids show what it did.
// The in-cell editor txtSaisie is laid over the current cell.

#include <QPointer>
#include <QWidget>

#include "core/Session.h"
#include "spacing/SpacingForm.h"
#include "spacing/SpacingGrid.h"
#include "ui/views/GridTable.h"

class QLineEdit;

namespace ravelin {

class FormBinder;
class UiContext;

// A value grid: shows its grid component and reports the user's clicks,
// drags, keys and scrolling to the form.
class SpacingTable : public GridTable {
    Q_OBJECT
public:
    SpacingTable(SpacingForm& form, int index, const UiContext& context, QWidget* parent);

    int gridIndex() const { return index_; }
    // The rectangle of a row's value cell, in the viewport's coordinates.
    QRect valueCellRect(long long row) const { return cellRect(row, SpacingGrid::kValueColumn); }
    void detach();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void userScrolled(long long topRow) override;

private:
    SpacingForm* form_;
    int index_;
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
