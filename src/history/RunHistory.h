#pragma once

#include "history/HistoryEntry.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QThread;

namespace rimo {

class HistoryDatabase;

// The run history of the running program: the database lives on a thread
// of its own, so that recording a run costs the tick no more than handing
// the entry over. Everything asked is done in order.
class RunHistory : public QObject {
    Q_OBJECT
public:
    explicit RunHistory(std::filesystem::path file, QObject* parent = nullptr);
    // Writes what is still waiting, then closes the database.
    ~RunHistory() override;

    const std::filesystem::path& File() const { return file_; }

    // Opens the database (a damaged one is set aside and a new one started)
    // and drops what is too old at `nowMs`. Opened follows, with the last
    // moment the program was seen running before this start.
    void Open(std::int64_t nowMs);

    // A number for an entry about to be added; Add and Change name it by that.
    std::int64_t NewTicket() { return ++lastTicket_; }
    void Add(std::int64_t ticket, HistoryEntry entry);
    // An added entry's outcome and figures changed.
    void Change(std::int64_t ticket, HistoryEntry entry);
    void SetLastSeen(std::int64_t unixMs);
    // Reads the entries from `sinceMs` on, newest first; `done` gets them on
    // this object's thread (not at all when this object is gone by then).
    void Load(std::optional<std::int64_t> sinceMs,
              std::function<void(std::vector<HistoryEntry>)> done);
    // Waits until everything asked so far is done.
    void Flush();

Q_SIGNALS:
    void Opened(std::optional<std::int64_t> lastSeen);
    // Entries as stored (their ids the database's).
    void Added(const rimo::HistoryEntry& entry);
    void Changed(const rimo::HistoryEntry& entry);
    // Something the user should know: the database set aside, or not
    // writable. Each kind of problem is told once.
    void Problem(const QString& text);

private:
    class Worker;
    // Runs `job` on the database's thread, after everything asked before.
    void Post(std::function<void(Worker&)> job);

    std::filesystem::path file_;
    QThread* thread_;
    Worker* worker_;
    std::int64_t lastTicket_ = 0;
};

} // namespace rimo
