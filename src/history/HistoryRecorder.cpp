#include "history/HistoryRecorder.h"

#include "history/HistoryRules.h"
#include "history/RunHistory.h"
#include "platform/BootClock.h"
#include "platform/Clock.h"

namespace rimo {

namespace {

// The last-seen moment is written at least this often while ticks run.
constexpr std::int64_t kSeenEveryMs = 60'000;

} // namespace

HistoryRecorder::HistoryRecorder(RunHistory& history, const Clock& clock, const BootClock& elapsed,
                                 QObject* parent)
    : QObject(parent), history_(history), clock_(clock), elapsed_(elapsed) {}

RunId HistoryRecorder::Begin(const RunSubject& subject) {
    const RunId run = history_.NewTicket();
    running_[run] = HistoryRules::RunEntry(subject, clock_.UnixMilliseconds());
    return run;
}

void HistoryRecorder::End(RunId run, const ActionResult& result) {
    const auto found = running_.find(run);
    if (found == running_.end()) {
        return;
    }
    HistoryEntry entry = std::move(found->second);
    running_.erase(found);
    HistoryRules::ApplyResult(entry, result);
    const auto ended = endedEarly_.find(result.Child);
    if (result.Child != 0 && ended != endedEarly_.end()) {
        HistoryRules::ApplyExit(entry, ended->second);
    } else if (result.Child != 0) {
        programs_[result.Child] = {run, entry};
    }
    if (running_.empty()) {
        endedEarly_.clear(); // no step left to claim them
    }
    Seen(*entry.StartedMs);
    history_.Add(run, std::move(entry));
}

void HistoryRecorder::ProgramEnded(std::int64_t pid, int status) {
    const auto found = programs_.find(pid);
    if (found == programs_.end()) {
        if (!running_.empty()) {
            endedEarly_[pid] = status;
        }
        return;
    }
    StartedProgram program = std::move(found->second);
    // Erased first: the pid may be handed to a new program from now on.
    programs_.erase(found);
    HistoryRules::ApplyExit(program.Entry, status);
    history_.Change(program.Run, std::move(program.Entry));
}

void HistoryRecorder::MissedInGap(std::vector<MissedRow> rows) {
    const std::int64_t wallMs = clock_.UnixMilliseconds();
    const std::int64_t bootElapsedMs = elapsed_.Milliseconds() - lastBootMs_;
    std::vector<MissedRun> runs;
    for (MissedRow& row : rows) {
        const std::int64_t dueAfterMs =
            ToUnixMilliseconds(row.FirstDue) - lastWallMs_.value_or(wallMs);
        const std::string_view code =
            lastWallMs_ ? HistoryRules::GapCode(dueAfterMs, bootElapsedMs) : HistoryCode::Suspend;
        runs.push_back({std::move(row), std::string(code)});
    }
    Record(std::move(runs));
    Seen(wallMs);
}

void HistoryRecorder::MissedWhileNotRunning(std::vector<MissedRow> rows) {
    std::vector<MissedRun> runs;
    for (MissedRow& row : rows) {
        runs.push_back({std::move(row), std::string(HistoryCode::NotRunning)});
    }
    Record(std::move(runs));
}

void HistoryRecorder::Record(std::vector<MissedRun> runs) {
    if (runs.empty()) {
        return;
    }
    for (const MissedRun& run : runs) {
        history_.Add(history_.NewTicket(), HistoryRules::MissedEntry(run.Row, run.Code));
    }
    Q_EMIT Missed(runs);
}

void HistoryRecorder::Ticked() {
    lastWallMs_ = clock_.UnixMilliseconds();
    lastBootMs_ = elapsed_.Milliseconds();
    if (!lastSeenWritten_ || *lastWallMs_ - *lastSeenWritten_ >= kSeenEveryMs ||
        *lastWallMs_ < *lastSeenWritten_) {
        Seen(*lastWallMs_);
    }
}

void HistoryRecorder::Closing() {
    Seen(clock_.UnixMilliseconds());
}

void HistoryRecorder::Seen(std::int64_t unixMs) {
    lastSeenWritten_ = unixMs;
    history_.SetLastSeen(unixMs);
}

} // namespace rimo
