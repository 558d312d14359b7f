#pragma once

#include "core/Status.h"
#include "history/HistoryEntry.h"

#include <QString>

class QSqlError;

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace rimo {

// The run history in an SQLite file (WAL, so that a reader never waits for
// the program and a killed writer leaves a database that opens). One object
// is one connection, used by one thread only.
class HistoryDatabase {
public:
    explicit HistoryDatabase(std::filesystem::path file);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    const std::filesystem::path& File() const { return file_; }

    // Opens the file, making it (0600) when missing. A file that cannot be
    // opened, is damaged or is not a history is moved aside
    // ("<name>.broken") and a new one started; the problem says so, for the
    // user. Not ready only when not even a new one can be made.
    struct OpenReport {
        bool Ready = false;
        QString Problem;
    };
    OpenReport Open();
    // Opens an existing file for reading only, never changing or moving it.
    Status OpenForReading();

    // Adds entries (their ids given) in one transaction.
    Status Insert(const std::vector<HistoryEntry>& entries);
    // Rewrites an entry's outcome and figures (a program it started has ended).
    Status Update(const HistoryEntry& entry);
    // Drops entries older than a year at `nowMs`, and all but the newest
    // HistoryRules::kKeepEntries.
    Status Prune(std::int64_t nowMs);
    // Entries from `sinceMs` on (all without it), newest or oldest first,
    // one at a time.
    Status Read(std::optional<std::int64_t> sinceMs, bool newestFirst,
                const std::function<void(const HistoryEntry&)>& each);
    std::vector<HistoryEntry> Entries(std::optional<std::int64_t> sinceMs = std::nullopt);
    int Count();
    // The largest id so far (0 for none).
    std::int64_t LastId();

    // The last moment the program was seen running (none before the first).
    std::optional<std::int64_t> LastSeen();
    Status SetLastSeen(std::int64_t unixMs);

    // The last failure was the file's own (damaged, not a database): it must
    // be set aside rather than written again.
    bool Damaged() const { return damaged_; }
    // Closes and moves the file aside, then starts a new one (Open's report).
    OpenReport SetAsideAndStartAgain(const QString& why);

private:
    Status Connect(bool readOnly);
    void Disconnect();
    Status Prepare();
    Status Failure(const QString& what, const QSqlError& error);

    std::filesystem::path file_;
    QString connection_;
    bool damaged_ = false;
};

} // namespace rimo
