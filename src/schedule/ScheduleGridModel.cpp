#include "schedule/ScheduleGridModel.h"

#include "i18n/Translations.h"
#include "schedule/ScheduleWords.h"

namespace rimo {

ScheduleGridModel::ScheduleGridModel(ScheduleTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    table_.SetObserver(this);
}

ScheduleGridModel::~ScheduleGridModel() {
    table_.SetObserver(nullptr);
}

int ScheduleGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.RowCount() - 1;
}

int ScheduleGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.ColumnCount();
}

QString ScheduleGridModel::Shown(int column, const std::string& stored) {
    if (Translations::Current() == UiLanguage::Japanese) {
        return QString::fromStdString(stored); // the stored words are Japanese
    }
    return Translations::Text(ScheduleWords::Display(column, stored));
}

QVariant ScheduleGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    const std::string& stored = table_.Cell(index.column(), TableRow(index.row()));
    // Edited (the title and the argument) as stored; shown in the interface's language.
    return role == Qt::EditRole ? QString::fromStdString(stored) : Shown(index.column(), stored);
}

bool ScheduleGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    table_.SetCell(index.column(), TableRow(index.row()), value.toString().toStdString());
    return true;
}

QVariant ScheduleGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= table_.ColumnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        const std::string& stored = table_.Cell(section, 0);
        return Translations::Current() == UiLanguage::Japanese
                   ? QString::fromStdString(stored)
                   : Translations::Text(ScheduleWords::Header(stored));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignCenter);
    }
    return {};
}

Qt::ItemFlags ScheduleGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Only the title and the argument are typed into.
    if (index.column() == ColTitle || index.column() == ColArgument) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

void ScheduleGridModel::BeginReset() {
    beginResetModel();
}
void ScheduleGridModel::EndReset() {
    endResetModel();
}

void ScheduleGridModel::BeginInsertRows(int first, int count) {
    beginInsertRows(QModelIndex(), ModelRow(first), ModelRow(first + count - 1));
}
void ScheduleGridModel::EndInsertRows() {
    endInsertRows();
}

void ScheduleGridModel::BeginRemoveRows(int first, int count) {
    beginRemoveRows(QModelIndex(), ModelRow(first), ModelRow(first + count - 1));
}
void ScheduleGridModel::EndRemoveRows() {
    endRemoveRows();
}

void ScheduleGridModel::CellChanged(int column, int row) {
    if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
        return;
    }
    const QModelIndex changed = index(ModelRow(row), column);
    Q_EMIT dataChanged(changed, changed);
}

} // namespace rimo
