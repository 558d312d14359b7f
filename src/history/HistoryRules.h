#pragma once

#include "history/HistoryEntry.h"
#include "schedule/ActionResult.h"
#include "schedule/MissedRows.h"
#include "schedule/RunRecorder.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace rimo {

// How runs and misses become history entries, and how long they are kept.
namespace HistoryRules {

// Entries are kept for a year, and at most this many (the newest).
inline constexpr std::int64_t kKeepMs = 365 * 86'400'000LL;
inline constexpr int kKeepEntries = 100'000;

// A run that starts at `startedMs`: done until its step says otherwise. The
// timer's expiry was due in the second it acts in.
HistoryEntry RunEntry(const RunSubject& subject, std::int64_t startedMs);
// What its step came to.
void ApplyResult(HistoryEntry& entry, const ActionResult& result);
// The end of the program it started: exit 0 is done, any other end failed.
// `status`: the exit code, or minus the signal.
void ApplyExit(HistoryEntry& entry, int status);
// A waitpid status as ApplyExit takes it: the exit code, or minus the signal
// that ended the program (a stopped or continued program has not ended: none).
std::optional<int> ExitStatus(int waitStatus);
// A row that did not run, with why (a HistoryCode).
HistoryEntry MissedEntry(const MissedRow& row, std::string_view code);

// Why a row due `dueAfterMs` after the last tick did not run, when the clock
// that runs through suspend went on `bootElapsedMs` meanwhile: within that
// span real time passed without a run (the computer slept, or the program
// was stopped); beyond it, the wall clock was set forward over the row.
std::string_view GapCode(std::int64_t dueAfterMs, std::int64_t bootElapsedMs);

} // namespace HistoryRules

} // namespace rimo
