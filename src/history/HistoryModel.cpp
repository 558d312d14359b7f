#include "history/HistoryModel.h"

#include "history/HistoryText.h"
#include "i18n/Translations.h"
#include "net/SyncResultLine.h"
#include "schedule/ScheduleTable.h"
#include "schedule/ScheduleWords.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace rimo {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

HistoryModel::HistoryModel(QObject* parent) : QAbstractTableModel(parent) {}

void HistoryModel::SetEntries(std::vector<HistoryEntry> newestFirst) {
    beginResetModel();
    entries_ = std::move(newestFirst);
    std::reverse(entries_.begin(), entries_.end());
    byId_.clear();
    byId_.reserve(entries_.size());
    shown_.clear();
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
        byId_[entries_[i].Id] = i;
        if (Matches(entries_[i])) {
            shown_.push_back(i);
        }
    }
    endResetModel();
}

void HistoryModel::Append(const HistoryEntry& entry) {
    const int index = static_cast<int>(entries_.size());
    entries_.push_back(entry);
    byId_[entry.Id] = index;
    if (Matches(entry)) {
        beginInsertRows({}, 0, 0);
        shown_.push_back(index);
        endInsertRows();
    }
}

void HistoryModel::Update(const HistoryEntry& entry) {
    const auto found = byId_.find(entry.Id);
    if (found == byId_.end()) {
        return;
    }
    const int index = found->second;
    const bool wasShown = Matches(entries_[index]);
    entries_[index] = entry;
    if (wasShown != Matches(entry)) {
        SetFilter(titlePart_, outcome_); // the outcome filter now says otherwise
        return;
    }
    const auto at = std::lower_bound(shown_.begin(), shown_.end(), index);
    if (at != shown_.end() && *at == index) {
        const int row = static_cast<int>(shown_.end() - at) - 1;
        Q_EMIT dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
    }
}

void HistoryModel::SetFilter(const QString& titlePart, std::optional<RunOutcome> outcome) {
    beginResetModel();
    titlePart_ = titlePart;
    outcome_ = outcome;
    shown_.clear();
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
        if (Matches(entries_[i])) {
            shown_.push_back(i);
        }
    }
    endResetModel();
}

bool HistoryModel::Matches(const HistoryEntry& entry) const {
    if (outcome_ && entry.Outcome != *outcome_) {
        return false;
    }
    return titlePart_.isEmpty() || Text(entry.Title).contains(titlePart_, Qt::CaseInsensitive);
}

const HistoryEntry& HistoryModel::EntryAt(int row) const {
    return entries_[IndexOfRow(row)];
}

std::vector<HistoryEntry> HistoryModel::ShownOldestFirst() const {
    std::vector<HistoryEntry> shown;
    shown.reserve(shown_.size());
    for (const int index : shown_) {
        shown.push_back(entries_[index]);
    }
    return shown;
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const HistoryEntry& entry = EntryAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return CellText(entry, index.column());
    case Qt::ToolTipRole:
        return index.column() >= Title ? CellText(entry, index.column()) : QVariant();
    case Qt::ForegroundRole:
        if (entry.Outcome == RunOutcome::Failed) {
            return QBrush(QColor(0xb0, 0x00, 0x20));
        }
        if (entry.Outcome == RunOutcome::Missed) {
            return QBrush(QColor(0x80, 0x50, 0x00));
        }
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == Lateness ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                          : QVariant();
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // In the order of Column.
    static constexpr const char* kHeaders[ColumnCount] = {
        QT_TR_NOOP("予定時刻"), QT_TR_NOOP("実行時刻"), QT_TR_NOOP("遅れ"), QT_TR_NOOP("タイトル"),
        QT_TR_NOOP("動作"),     QT_TR_NOOP("引数"),     QT_TR_NOOP("結果"), QT_TR_NOOP("詳細")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return tr(kHeaders[section]);
}

QString HistoryModel::CellText(const HistoryEntry& entry, int column) {
    switch (column) {
    case Due:
        return entry.DueMs ? Text(HistoryText::PlainLocal(*entry.DueMs, false)) : QString();
    case Started:
        return entry.StartedMs ? Text(HistoryText::PlainLocal(*entry.StartedMs, true)) : QString();
    case Lateness: {
        const std::optional<std::int64_t> lateness = HistoryText::LatenessMs(entry);
        return lateness ? LatenessText(*lateness) : QString();
    }
    case Title:
        return entry.Title == kTimerRunTitle ? tr("RIMOタイマー") : Text(entry.Title);
    case Action:
        return Translations::Text(ScheduleWords::Display(ColAction, entry.Action));
    case Argument:
        return Text(entry.Argument);
    case Outcome:
        return OutcomeText(entry.Outcome);
    case Detail:
        return DetailText(entry);
    default:
        return {};
    }
}

QString HistoryModel::OutcomeText(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Done:
        return tr("完了");
    case RunOutcome::Failed:
        return tr("失敗");
    case RunOutcome::Missed:
        return tr("見逃し");
    }
    return {};
}

QString HistoryModel::ReasonText(const std::string& code) {
    if (code == HistoryCode::Suspend) {
        return tr("スリープ中（または停止中）でした");
    }
    if (code == HistoryCode::ClockForward) {
        return tr("時計が進められました");
    }
    if (code == HistoryCode::NotRunning) {
        return tr("プログラムが起動していませんでした");
    }
    if (code == HistoryCode::NotAccepted) {
        return tr("動作または引数が使えません");
    }
    return Text(code);
}

QString HistoryModel::DetailText(const HistoryEntry& entry) {
    QStringList parts;
    switch (entry.Origin) {
    case RunOrigin::Scheduled:
        break;
    case RunOrigin::Test:
        parts.append(tr("テスト"));
        break;
    case RunOrigin::RunNow:
        parts.append(tr("今すぐ実行"));
        break;
    case RunOrigin::Timer:
        parts.append(tr("タイマー"));
        break;
    }
    if (entry.ExitStatus) {
        parts.append(*entry.ExitStatus >= 0 ? tr("終了コード %1").arg(*entry.ExitStatus)
                                            : tr("シグナル %1 で終了").arg(-*entry.ExitStatus));
    }
    if (entry.OffsetNs) {
        const QString seconds = Text(FormatSeconds(*entry.OffsetNs, true));
        parts.append(entry.ClockSet ? tr("差 %1 秒（時計を合わせました）").arg(seconds)
                                    : tr("差 %1 秒（計測のみ）").arg(seconds));
    }
    if (!entry.Code.empty()) {
        parts.append(ReasonText(entry.Code));
    }
    if (!entry.Message.empty()) {
        parts.append(Text(entry.Message).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    if (entry.Occurrences > 1 && entry.LastDueMs) {
        parts.append(tr("%1 回（最後は %2）")
                         .arg(entry.Occurrences)
                         .arg(Text(HistoryText::PlainLocal(*entry.LastDueMs, false))));
    }
    return parts.join(tr("、"));
}

QString HistoryModel::LatenessText(std::int64_t ms) {
    if (ms < 1000) {
        return tr("%1 ミリ秒").arg(ms);
    }
    if (ms < 60'000) {
        return tr("%1 秒").arg(static_cast<double>(ms) / 1000.0, 0, 'f', 1);
    }
    const std::int64_t seconds = ms / 1000;
    return tr("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace rimo
