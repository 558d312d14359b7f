#include "history/HistoryRules.h"

#include <sys/wait.h>

namespace rimo::HistoryRules {

HistoryEntry RunEntry(const RunSubject& subject, std::int64_t startedMs) {
    HistoryEntry entry;
    if (subject.Due) {
        entry.DueMs = ToUnixMilliseconds(*subject.Due);
    } else if (subject.Origin == RunOrigin::Timer) {
        // The timer ran out in the second its expiry acts in.
        entry.DueMs = startedMs - (startedMs % 1000 + 1000) % 1000;
    }
    entry.StartedMs = startedMs;
    entry.Title = subject.Title;
    entry.Action = subject.Action;
    entry.Argument = subject.Argument;
    entry.Origin = subject.Origin;
    return entry;
}

void ApplyResult(HistoryEntry& entry, const ActionResult& result) {
    if (result.Failed) {
        entry.Outcome = RunOutcome::Failed;
        entry.Message = result.Reason;
        if (result.NotAccepted) {
            entry.Code = HistoryCode::NotAccepted;
        }
    }
    if (result.Clock) {
        entry.OffsetNs = result.Clock->OffsetNs;
        entry.ClockSet = result.Clock->Set;
    }
}

void ApplyExit(HistoryEntry& entry, int status) {
    entry.ExitStatus = status;
    if (status != 0) {
        entry.Outcome = RunOutcome::Failed;
    }
}

std::optional<int> ExitStatus(int waitStatus) {
    if (WIFEXITED(waitStatus)) {
        return WEXITSTATUS(waitStatus);
    }
    if (WIFSIGNALED(waitStatus)) {
        return -WTERMSIG(waitStatus);
    }
    return std::nullopt;
}

HistoryEntry MissedEntry(const MissedRow& row, std::string_view code) {
    HistoryEntry entry;
    entry.DueMs = ToUnixMilliseconds(row.FirstDue);
    entry.Title = row.Row[ColTitle];
    entry.Action = row.Row[ColAction];
    entry.Argument = row.Row[ColArgument];
    entry.Outcome = RunOutcome::Missed;
    entry.Code = code;
    entry.Occurrences = row.Count;
    if (row.Count > 1) {
        entry.LastDueMs = ToUnixMilliseconds(row.LastDue);
    }
    return entry;
}

std::string_view GapCode(std::int64_t dueAfterMs, std::int64_t bootElapsedMs) {
    return dueAfterMs <= bootElapsedMs ? HistoryCode::Suspend : HistoryCode::ClockForward;
}

} // namespace rimo::HistoryRules
