#pragma once

#include "history/HistoryEntry.h"

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace rimo {

// The run history as a table, newest first, filtered by title and outcome.
// Holds every entry it was given; the filter only chooses the rows shown.
class HistoryModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Due, Started, Lateness, Title, Action, Argument, Outcome, Detail, ColumnCount };

    explicit HistoryModel(QObject* parent = nullptr);

    // Every entry, as read (newest first).
    void SetEntries(std::vector<HistoryEntry> newestFirst);
    // A new entry, shown on top.
    void Append(const HistoryEntry& entry);
    // An entry's outcome and figures changed.
    void Update(const HistoryEntry& entry);
    // Rows whose title holds `titlePart` (any case) and, when given, whose
    // outcome is `outcome`.
    void SetFilter(const QString& titlePart, std::optional<RunOutcome> outcome);

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    const HistoryEntry& EntryAt(int row) const;
    // The rows shown, oldest first.
    std::vector<HistoryEntry> ShownOldestFirst() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Texts of the interface's language.
    static QString OutcomeText(RunOutcome outcome);
    static QString ReasonText(const std::string& code); // a HistoryCode
    static QString DetailText(const HistoryEntry& entry);
    static QString LatenessText(std::int64_t ms);
    static QString CellText(const HistoryEntry& entry, int column);

private:
    bool Matches(const HistoryEntry& entry) const;
    int IndexOfRow(int row) const { return shown_[shown_.size() - 1 - row]; }

    std::vector<HistoryEntry> entries_; // oldest first
    std::vector<int> shown_;            // indices into entries_, ascending
    std::unordered_map<std::int64_t, int> byId_;
    QString titlePart_;
    std::optional<RunOutcome> outcome_;
};

} // namespace rimo
