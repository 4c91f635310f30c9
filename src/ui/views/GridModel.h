#pragma once
// Any grid component as a Qt table, with no item per cell: model row r is
// the grid's row r + 1 (the grid's header row is the table's horizontal
// header), and model column c the grid's column c, the numbering column
// first. Texts are read from the grid when a cell is painted, so a million
// rows cost nothing here; the grid's notifications become the model's
// signals.

#include <QAbstractTableModel>

#include "core/Grid.h"

namespace ravelin {

class GridModel : public QAbstractTableModel, public GridObserver {
    Q_OBJECT
public:
    explicit GridModel(Grid& grid, QObject* parent = nullptr);
    ~GridModel() override;

    Grid* grid() const { return grid_; }
    // The grid is going away: show nothing and stop listening.
    void detach();

    static long long gridRow(int modelRow) { return static_cast<long long>(modelRow) + 1; }
    // Clamped to the rows a model can count.
    static int modelRow(long long gridRow);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void cellsChanged(const Grid&, long long first, long long last) override;
    void rowCountChanged(const Grid&) override;
    void cursorChanged(const Grid&) override;
    void topRowChanged(const Grid&) override;

signals:
    void cursorMoved();
    void topRowMoved();

private:
    Grid* grid_;
};

}  // namespace ravelin
