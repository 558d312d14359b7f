#pragma once

#include "core/DateTime.h"
#include "schedule/ActionResult.h"
#include "schedule/MissedRows.h"
#include "schedule/ScheduleTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rimo {

// The title of the countdown timer's runs, stored as it stands in every language.
inline constexpr std::string_view kTimerRunTitle = "RIMOタイマー"; // stored

// What started a run.
enum class RunOrigin {
    Scheduled = 0, // a row at its second
    Test = 1,      // "テスト" of a row or of the timer
    RunNow = 2,    // "今すぐ実行" of a row that was missed
    Timer = 3,     // the countdown timer's expiry
};

// What runs: a row's action, or one of the timer's.
struct RunSubject {
    std::string Title;
    std::string Action;
    std::string Argument;
    RunOrigin Origin = RunOrigin::Scheduled;
    std::optional<DateTime> Due; // the local second it was due; none for a test

    static RunSubject OfRow(const ScheduleRow& row, RunOrigin origin, std::optional<DateTime> due) {
        return {row[ColTitle], row[ColAction], row[ColArgument], origin, due};
    }
};

// Zero: not recorded.
using RunId = std::int64_t;

// Where runs and misses are told, for the run history. The schedule goes on
// whatever becomes of the record.
class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    // An action starts now.
    virtual RunId Begin(const RunSubject& subject) = 0;
    // Its step has returned; a program it started may still run.
    virtual void End(RunId run, const ActionResult& result) = 0;
    // The ticks stood still (a suspend, the clock set forward) while these
    // rows were due; they did not run.
    virtual void MissedInGap(std::vector<MissedRow> rows) = 0;
    // A tick has run: the program is running now (a later gap is measured from here).
    virtual void Ticked() {}
};

} // namespace rimo
