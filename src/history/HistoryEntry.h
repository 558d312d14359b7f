#pragma once

#include "schedule/RunRecorder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rimo {

enum class RunOutcome { Done = 0, Failed = 1, Missed = 2 };

// Why a row did not run at its second, or why a step failed without a
// message of its own. Stored as these words, whatever the language.
namespace HistoryCode {
inline constexpr std::string_view Suspend = "suspend";            // the computer slept
inline constexpr std::string_view ClockForward = "clock-forward"; // the clock was set forward
inline constexpr std::string_view NotRunning = "not-running";     // the program was not running
// The row's argument does not suit its action ("起動" without a quoted path, ...).
inline constexpr std::string_view NotAccepted = "not-accepted";
} // namespace HistoryCode

// One entry of the run history. Moments are milliseconds since the Unix epoch.
struct HistoryEntry {
    std::int64_t Id = 0;
    std::optional<std::int64_t> DueMs;     // the second it was due; none for a test
    std::optional<std::int64_t> StartedMs; // none when it was missed
    std::string Title;
    std::string Action;
    std::string Argument;
    RunOrigin Origin = RunOrigin::Scheduled;
    RunOutcome Outcome = RunOutcome::Done;
    std::string Code;    // a HistoryCode, or empty
    std::string Message; // a failure as the user was told it
    // A started program's end: its exit code, or minus the signal that ended it.
    std::optional<int> ExitStatus;
    std::optional<std::int64_t> OffsetNs; // "時刻合わせ": the server's clock minus ours
    bool ClockSet = false;                // ... and the clock was set (else measured)
    // A repeating row missed more than once in one gap: how often, and its last second.
    int Occurrences = 1;
    std::optional<std::int64_t> LastDueMs;

    // When it happened: its start, or for a miss its second.
    std::int64_t Moment() const { return StartedMs.value_or(DueMs.value_or(0)); }

    bool operator==(const HistoryEntry&) const = default;
};

// A row that did not run, and why (a HistoryCode).
struct MissedRun {
    MissedRow Row;
    std::string Code;
};

} // namespace rimo
