#pragma once

#include "core/DateTime.h"
#include "schedule/ActionPlan.h"
#include "schedule/ActionResult.h"
#include "schedule/RunRecorder.h"
#include "schedule/ScheduleTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rimo {

// The editor's operations that the pass reuses.
class ScheduleEditing {
public:
    virtual ~ScheduleEditing() = default;
    // The grid's current row (0 when there is none).
    virtual int CurrentRow() const = 0;
    // Makes `row` the current row and deletes it with the editor's delete
    // operation (which keeps the first schedule row).
    virtual void DeleteRow(int row) = 0;
    // Sorts the table and selects the next event (SortButtonClick).
    virtual void SortAndSelectNextEvent() = 0;
};

// The action steps: deciding on a row's action, and carrying it out.
class ActionSteps {
public:
    virtual ~ActionSteps() = default;
    virtual ActionPlan Plan(const ScheduleRow& row) = 0;
    // May run the event loop (the clock synchronisation waits that way), so
    // further passes can run inside it. Says how it went, for the history.
    virtual ActionResult CarryOut(const ActionPlan& plan) = 0;
};

enum class RunKind { Scheduled, Test };

struct TickReport {
    int SecondsCovered = 0;
    // The ticks stopped for longer than the look-back (suspend, clock set
    // forward): rows due in the gap did not run; the repeating ones among
    // them (MovedRows) went to their next occurrence.
    bool Gap = false;
    int MovedRows = 0;
};

// The schedule pass of the one-second tick: every second since the previous
// pass, oldest first, is evaluated once. Rows whose date and time name the
// second run their action, each exactly once however the runs reorder the
// table; repeating rows move on; rows marked "する" are deleted; the table is
// re-sorted after each run. A pending test request runs the current row.
class SchedulePass {
public:
    // A pass looks back at most this far; the rows of a longer gap are caught
    // up instead of run.
    static constexpr std::int64_t kLookBackSeconds = 60;
    // After the clock is set back by up to this much (a synchronisation, the
    // end of daylight saving), seconds already covered are not covered again;
    // a larger step back starts afresh.
    static constexpr std::int64_t kKeptSetBackSeconds = 2 * 3600;
    // Local seconds the clock skips without real time passing (daylight
    // saving starts) have their rows run at once, up to this span; a larger
    // jump of the zone's offset counts as a gap.
    static constexpr std::int64_t kRunSkippedSeconds = 3 * 3600;

    SchedulePass(ScheduleTable& table, ScheduleEditing& editing, ActionSteps& steps,
                 bool& testRequested);

    // Seconds before the clock's reading (milliseconds since the Unix epoch)
    // count as covered (the start-up catch-up saw them).
    void Start(std::int64_t unixMs);
    // The same for a local reading, its real time found through this
    // machine's zone.
    void Start(DateTime now);
    // Covers the local seconds since the previous tick up to the clock's
    // reading (milliseconds since the Unix epoch). Gaps are measured in real
    // seconds; local seconds skipped by a zone change (daylight saving
    // starts) run their rows once, at once; seconds that repeat (it ends)
    // are not covered again.
    TickReport Tick(std::int64_t unixMs);
    // The same for a local reading, its real time found through this
    // machine's zone.
    TickReport Tick(DateTime now);
    // One second: RunDueRows as the tick does it. Without `dueRows` only a
    // pending test request is served.
    void RunDueRows(DateTime second, bool dueRows = true);

    // Real time ran on undisturbed up to the clock's reading, and the caller
    // knows no row was due meanwhile (the tick slept until the next due
    // row): the local seconds up to it count as covered, unevaluated. Nothing
    // is covered across a change of the zone's offset, whose skipped seconds
    // the next tick runs.
    void CoverQuietly(std::int64_t unixMs);
    // The real (Unix) second at which a tick is needed when nothing else asks
    // for one: the first second after those covered in which a row is due,
    // or a change of the zone's offset, whichever comes first, and at most
    // `horizonSeconds` after the clock's reading; the second of the reading
    // itself when a row due in it is not covered yet.
    std::int64_t QuietWakeSecond(std::int64_t unixMs, std::int64_t horizonSeconds) const;

    // The row is due when its time and date cells equal the second's texts.
    static bool IsRowDue(const ScheduleRow& row, const std::string& dateText,
                         const std::string& timeText);

    std::optional<std::int64_t> LastCoveredSecond() const { return covered_; }

    // Runs, test runs and rows missed in a gap are told to `recorder`
    // (nullptr: to no one).
    void SetRecorder(RunRecorder* recorder) { recorder_ = recorder; }
    // "今すぐ実行" of a row missed at `due`: its action as the row stood
    // then, recorded as such; the table is not touched.
    void RunNow(const ScheduleRow& row, DateTime due);

private:
    // Runs one row; false when it is disabled (not run). `after` gets the
    // row as it stands after a scheduled run, when it is still there.
    bool Visit(int row, RunKind kind, DateTime second, std::optional<ScheduleRow>* after = nullptr);
    // Runs the rows due in the local seconds first..last that the clock
    // skipped, oldest first; rows that ran move past `now`.
    void RunSkippedSeconds(std::int64_t first, std::int64_t last, std::int64_t now);
    bool Enabled(int row) const;
    // Where the row that ran stands now (the action may have let other
    // passes reorder the table); 0 when it is gone.
    int Locate(int row, const ScheduleRow& cells) const;
    // The action of `plan`, carried out and recorded as `subject`'s run.
    void CarryOut(const ActionPlan& plan, const RunSubject& subject);

    ScheduleTable& table_;
    ScheduleEditing& editing_;
    ActionSteps& steps_;
    bool& testRequested_;
    std::optional<std::int64_t> covered_;  // the last local second covered
    std::optional<std::int64_t> lastReal_; // the previous tick's real (Unix) second
    // While skipped seconds run: the local second now, past which rows that ran move.
    std::optional<std::int64_t> pushPast_;
    RunRecorder* recorder_ = nullptr;
};

// Whole local seconds since 1899-12-30 and back.
std::int64_t SecondOf(DateTime value);
DateTime FromSecond(std::int64_t second);

} // namespace rimo
