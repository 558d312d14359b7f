#pragma once

#include "schedule/ScheduleTable.h"

#include <QAbstractTableModel>

namespace rimo {

// The grid's view of the schedule table: model row r is table row r + 1, the
// table's header row is the model's horizontal header. Changes made to the
// table by anyone reach the view through the table's observer.
class ScheduleGridModel : public QAbstractTableModel, private ScheduleTableObserver {
    Q_OBJECT
public:
    explicit ScheduleGridModel(ScheduleTable& table, QObject* parent = nullptr);
    ~ScheduleGridModel() override;

    ScheduleTable& Table() { return table_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A stored cell of `column` in the interface's language.
    static QString Shown(int column, const std::string& stored);

    // Table row of a model row and back.
    static int TableRow(int modelRow) { return modelRow + 1; }
    static int ModelRow(int tableRow) { return tableRow - 1; }

private:
    void BeginReset() override;
    void EndReset() override;
    void BeginInsertRows(int first, int count) override;
    void EndInsertRows() override;
    void BeginRemoveRows(int first, int count) override;
    void EndRemoveRows() override;
    void CellChanged(int column, int row) override;

    ScheduleTable& table_;
};

} // namespace rimo
