#pragma once

#include "history/HistoryEntry.h"
#include "schedule/RunRecorder.h"

#include <QObject>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace rimo {

class BootClock;
class Clock;
class RunHistory;

// Turns runs and misses into entries of the run history, with the moments
// read from the clocks. Keeps the moment the program was last seen running,
// so that the next start can tell what was due meanwhile.
class HistoryRecorder final : public QObject, public RunRecorder {
    Q_OBJECT
public:
    HistoryRecorder(RunHistory& history, const Clock& clock, const BootClock& elapsed,
                    QObject* parent = nullptr);

    RunId Begin(const RunSubject& subject) override;
    void End(RunId run, const ActionResult& result) override;
    void MissedInGap(std::vector<MissedRow> rows) override;
    // Rows that were due while the program was not running (found at start).
    void MissedWhileNotRunning(std::vector<MissedRow> rows);

    // The clocks as they stood (a gap is measured against them), and the
    // last-seen moment kept fresh.
    void Ticked() override;
    // The program is closing: it was seen running until now.
    void Closing();

public Q_SLOTS:
    // The program with process id `pid` that a run started (its step gave the
    // pid as ActionResult::Child) has ended: its entry, already written, is
    // rewritten with the end. `status`: the exit code, or minus the signal
    // (HistoryRules::ExitStatus makes it of a waitpid status). A pid no
    // recorded run started is passed over; one that ends while a step still
    // runs (it may wait with the event loop) is kept for that step's end.
    void ProgramEnded(std::int64_t pid, int status);

Q_SIGNALS:
    // Rows did not run; the user may want to run them now.
    void Missed(const std::vector<rimo::MissedRun>& runs);

private:
    // Each row with why it did not run (a HistoryCode).
    void Record(std::vector<MissedRun> runs);
    void Seen(std::int64_t unixMs);

    RunHistory& history_;
    const Clock& clock_;
    const BootClock& elapsed_;
    std::map<RunId, HistoryEntry> running_; // begun, not yet ended
    // Runs whose step has returned while their program still runs, by its pid.
    struct StartedProgram {
        RunId Run = 0;
        HistoryEntry Entry;
    };
    std::map<std::int64_t, StartedProgram> programs_;
    // Programs that ended while a step ran, by pid: their status.
    std::map<std::int64_t, int> endedEarly_;
    std::optional<std::int64_t> lastWallMs_;
    std::int64_t lastBootMs_ = 0;
    std::optional<std::int64_t> lastSeenWritten_;
};

} // namespace rimo
