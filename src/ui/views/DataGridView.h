#pragma once
// "Projection data" (frmData): the data grid on a grid table, with the
// in-cell editor Text1 laid over the cell it edits and the context menu the
// window asks for. Every click, key and scroll goes to the form, which
// decides; the table shows what it did.

#include <QPointer>
#include <QWidget>

#include "core/Session.h"
#include "projection/DataForm.h"
#include "ui/views/GridTable.h"

class QLineEdit;

namespace ravelin {

class FormBinder;
class UiContext;

class DataTable : public GridTable {
    Q_OBJECT
public:
    DataTable(DataForm& form, const UiContext& context, QWidget* parent);
    void detach();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void userScrolled(long long topRow) override;

private:
    DataForm* form_;
    const UiContext& context_;
};

class DataGridView : public QWidget, public FormObserver, public SessionObserver {
    Q_OBJECT
public:
    DataGridView(DataForm& form, UiContext& context, QWidget* parent);
    ~DataGridView() override;

    DataTable* table() const { return table_; }
    QLineEdit* cellEditor() const { return editor_; }

    void controlChanged(Form&, Control& control, ControlProperty property) override;
    void formDestroyed(Form& form) override;

private:
    void placeEditor();
    void showContextMenu();
    void detach();

    DataForm* form_;
    UiContext& context_;
    FormBinder* binder_;
    DataTable* table_ = nullptr;
    QPointer<QLineEdit> editor_;
};

QWidget* createDataGridView(Form& form, UiContext& context, QWidget* parent);

}  // namespace ravelin
