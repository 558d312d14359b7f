#include "schedule/ScheduleTable.h"

#include "core/Message.h"

#include <algorithm>
#include <utility>

namespace rimo {

const ScheduleRow& ScheduleHeader() {
    // Stored in the file as well: the interface shows them translated.
    static const ScheduleRow header{
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "タイトル"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "繰り返し"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "日付指定"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "時刻指定"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "動作指定"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "メッセージ(起動パス)"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "削除"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "有効")};
    return header;
}

namespace {

// The cells that decide when a row is due.
bool DecidesDue(int column) {
    return column == ColDate || column == ColTime || column == ColEnabled;
}

} // namespace

ScheduleTable::ScheduleTable() : rows_(9) {
    WriteHeader();
}

void ScheduleTable::SetCell(int column, int row, std::string text) {
    if (rows_[row][column] == text) {
        return;
    }
    const bool indexed = row > 0 && DecidesDue(column);
    if (indexed) {
        due_.Remove(rows_[row]);
    }
    rows_[row][column] = std::move(text);
    if (indexed) {
        due_.Add(rows_[row]);
    }
    if (observer_) {
        observer_->CellChanged(column, row);
    }
    if (row > 0) {
        Changed();
    }
}

int ScheduleTable::FindRow(const ScheduleRow& cells, int near) const {
    if (near > 0 && near < RowCount() && rows_[near] == cells) {
        return near;
    }
    for (int row = 1; row < RowCount(); ++row) {
        if (rows_[row] == cells) {
            return row;
        }
    }
    return 0;
}

void ScheduleTable::SetRowCount(int count) {
    count = std::clamp(count, 1, kMaxRows);
    const int old = RowCount();
    if (count > old) {
        if (observer_) {
            observer_->BeginInsertRows(old, count - old);
        }
        rows_.resize(count);
        if (observer_) {
            observer_->EndInsertRows();
        }
    } else if (count < old) {
        if (observer_) {
            observer_->BeginRemoveRows(count, old - count);
        }
        rows_.resize(count);
        due_.Rebuild(rows_);
        if (observer_) {
            observer_->EndRemoveRows();
        }
    }
    if (count != old) {
        Changed();
    }
}

void ScheduleTable::InsertRow(int at) {
    at = std::clamp(at, 1, RowCount());
    if (observer_) {
        observer_->BeginInsertRows(at, 1);
    }
    rows_.insert(rows_.begin() + at, ScheduleRow{});
    if (observer_) {
        observer_->EndInsertRows();
    }
    Changed();
}

void ScheduleTable::RemoveRow(int at) {
    if (at < 1 || at >= RowCount()) {
        return;
    }
    if (observer_) {
        observer_->BeginRemoveRows(at, 1);
    }
    due_.Remove(rows_[at]);
    rows_.erase(rows_.begin() + at);
    if (observer_) {
        observer_->EndRemoveRows();
    }
    Changed();
}

void ScheduleTable::AddRow() {
    InsertRow(RowCount());
}

void ScheduleTable::WriteHeader() {
    for (int column = 0; column < kScheduleColumns; ++column) {
        SetCell(column, 0, ScheduleHeader()[column]);
    }
}

void ScheduleTable::Assign(std::vector<ScheduleRow> rows) {
    if (rows.empty()) {
        rows.emplace_back();
    }
    if (observer_) {
        observer_->BeginReset();
    }
    rows_ = std::move(rows);
    due_.Rebuild(rows_);
    if (observer_) {
        observer_->EndReset();
    }
    Changed();
}

void ScheduleTable::ReplaceScheduleRows(std::vector<ScheduleRow> rows) {
    std::vector<ScheduleRow> all;
    all.reserve(rows.size() + 1);
    all.push_back(rows_.front());
    std::move(rows.begin(), rows.end(), std::back_inserter(all));
    Assign(std::move(all));
}

} // namespace rimo
