#include "schedule/SchedulePass.h"

#include "schedule/AdvanceRow.h"
#include "schedule/CatchUp.h"
#include "schedule/MissedRows.h"

#include <algorithm>
#include <unordered_map>

namespace rimo {

std::int64_t SecondOf(DateTime value) {
    const std::int64_t ms = ToMilliseconds(value);
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

DateTime FromSecond(std::int64_t second) {
    return FromMilliseconds(second * 1000);
}

namespace {

std::string RowKey(const ScheduleRow& row) {
    std::string key;
    for (const std::string& cell : row) {
        key += cell;
        key += '\0';
    }
    return key;
}

} // namespace

SchedulePass::SchedulePass(ScheduleTable& table, ScheduleEditing& editing, ActionSteps& steps,
                           bool& testRequested)
    : table_(table), editing_(editing), steps_(steps), testRequested_(testRequested) {}

bool SchedulePass::IsRowDue(const ScheduleRow& row, const std::string& dateText,
                            const std::string& timeText) {
    return row[ColTime] == timeText && row[ColDate] == dateText;
}

namespace {

std::int64_t RealSecondOf(std::int64_t unixMs) {
    return unixMs >= 0 ? unixMs / 1000 : -((999 - unixMs) / 1000);
}

// The local second less the real one: the zone's offset (and the epochs' distance).
std::int64_t LocalOffset(std::int64_t realSecond) {
    return SecondOf(FromUnixMilliseconds(realSecond * 1000)) - realSecond;
}

} // namespace

void SchedulePass::Start(std::int64_t unixMs) {
    covered_ = SecondOf(FromUnixMilliseconds(unixMs)) - 1;
    lastReal_ = RealSecondOf(unixMs) - 1;
}

void SchedulePass::Start(DateTime now) {
    Start(ToUnixMilliseconds(now));
}

TickReport SchedulePass::Tick(std::int64_t unixMs) {
    TickReport report;
    const std::int64_t second = SecondOf(FromUnixMilliseconds(unixMs));
    const std::int64_t realSecond = RealSecondOf(unixMs);
    if (!covered_) {
        covered_ = second - 1;
    }
    // Gaps are measured in real seconds: a change of the zone's offset
    // (daylight saving) moves the local clock while no time passes.
    std::int64_t last = lastReal_.value_or(realSecond - 1);
    lastReal_ = realSecond;
    const std::int64_t elapsed = realSecond - last;
    const std::int64_t behind = second - *covered_;
    if (behind < -kKeptSetBackSeconds) {
        covered_ = second - 1; // far back (another zone, a clock set a day back): afresh
    } else if (elapsed > kLookBackSeconds || behind - elapsed > kRunSkippedSeconds) {
        // Suspend, a clock set forward, or a zone far ahead: the rows of the
        // local seconds passed over are not run, the repeating ones move on.
        report.Gap = true;
        if (behind > 1) {
            if (recorder_) {
                recorder_->MissedInGap(
                    RowsDueBetween(table_, FromSecond(*covered_ + 1), FromSecond(second)));
            }
            report.MovedRows = CatchUpGap(table_, FromSecond(*covered_ + 1), FromSecond(second));
            if (report.MovedRows > 0) {
                editing_.SortAndSelectNextEvent();
            }
        }
        covered_ = std::max(*covered_, second - 1);
        last = realSecond - 1;
    }
    // Each real second since the previous tick, oldest first, covers its
    // local second, unless that was covered already (the hour that repeats
    // when daylight saving ends, a clock set back a little). Local seconds
    // the clock skipped on the way (daylight saving starts) have their rows
    // run first. The mark is re-read at every step: an action that runs the
    // event loop lets later ticks cover seconds meanwhile.
    for (std::int64_t real = last + 1; real <= realSecond; ++real) {
        const std::int64_t local =
            real == realSecond ? second : SecondOf(FromUnixMilliseconds(real * 1000));
        if (local > *covered_ + 1) {
            const std::int64_t first = *covered_ + 1;
            covered_ = local - 1;
            RunSkippedSeconds(first, local - 1, second);
        }
        if (local <= *covered_) {
            continue;
        }
        covered_ = local;
        ++report.SecondsCovered;
        RunDueRows(FromSecond(local));
    }
    if (report.SecondsCovered == 0 && testRequested_) {
        RunDueRows(FromSecond(second), false);
    }
    return report;
}

TickReport SchedulePass::Tick(DateTime now) {
    return Tick(ToUnixMilliseconds(now));
}

void SchedulePass::RunSkippedSeconds(std::int64_t first, std::int64_t last, std::int64_t now) {
    // Only the seconds some row names: the skipped span can be an hour long.
    const std::vector<std::int64_t> seconds = table_.Due().SecondsIn(first, last);
    // A row that ran moves past now: an hour kind stepped into the skipped
    // span, or onto now, would run a second time.
    pushPast_ = now;
    for (const std::int64_t s : seconds) {
        RunDueRows(FromSecond(s));
    }
    pushPast_.reset();
}

void SchedulePass::RunDueRows(DateTime second, bool dueRows) {
    // A pending test request is served first; it does not take the place of a due row.
    if (testRequested_) {
        Visit(editing_.CurrentRow(), RunKind::Test, second);
    }
    if (!dueRows || !table_.Due().AnyDueIn(SecondOf(second))) {
        return;
    }
    const std::string dateText = FormatScheduleDate(second);
    const std::string timeText = FormatScheduleTime(second);
    // Each run may move, delete and re-sort rows, so after a run the scan
    // starts again from the top. A row that is still due after its run (no
    // repetition, or not accepted) is remembered as it then stood and passed
    // over once per scan, so every due row runs exactly once.
    std::unordered_map<std::string, int> ranRows;
    bool ran = true;
    while (ran) {
        ran = false;
        std::unordered_map<std::string, int> passOver = ranRows;
        for (int i = 1; i < table_.RowCount(); ++i) {
            if (!IsRowDue(table_.Row(i), dateText, timeText)) {
                continue;
            }
            if (const auto seen = passOver.find(RowKey(table_.Row(i)));
                seen != passOver.end() && seen->second > 0) {
                --seen->second;
                continue;
            }
            std::optional<ScheduleRow> after;
            if (Visit(i, RunKind::Scheduled, second, &after)) {
                if (after) {
                    ++ranRows[RowKey(*after)];
                }
                ran = true;
                break;
            }
        }
    }
}

void SchedulePass::CoverQuietly(std::int64_t unixMs) {
    if (!covered_ || !lastReal_) {
        return;
    }
    const std::int64_t real = RealSecondOf(unixMs);
    if (real <= *lastReal_ || LocalOffset(real) != LocalOffset(*lastReal_)) {
        return;
    }
    covered_ = std::max(*covered_, SecondOf(FromUnixMilliseconds(unixMs)));
    lastReal_ = real;
}

std::int64_t SchedulePass::QuietWakeSecond(std::int64_t unixMs, std::int64_t horizonSeconds) const {
    const std::int64_t now = RealSecondOf(unixMs);
    const std::int64_t offset = LocalOffset(now);
    std::int64_t wake = now + std::max<std::int64_t>(horizonSeconds, 1);
    if (LocalOffset(wake) != offset) {
        // The first second of the new offset (one change within the horizon).
        std::int64_t same = now;
        while (wake - same > 1) {
            const std::int64_t middle = same + (wake - same) / 2;
            (LocalOffset(middle) == offset ? same : wake) = middle;
        }
    }
    const std::int64_t covered = covered_.value_or(now + offset);
    if (const std::optional<std::int64_t> due = table_.Due().FirstAfter(covered)) {
        wake = std::min(wake, *due - offset);
    }
    // A row due in this very second (the wake planned anew after its second
    // began) wakes at once: the tick still runs it.
    return std::max(wake, now);
}

bool SchedulePass::Enabled(int row) const {
    return row >= 1 && row < table_.RowCount() && table_.Cell(ColEnabled, row) == "○";
}

int SchedulePass::Locate(int row, const ScheduleRow& cells) const {
    if (row < table_.RowCount() && table_.Row(row) == cells) {
        return row;
    }
    for (int r = 1; r < table_.RowCount(); ++r) {
        if (table_.Row(r) == cells) {
            return r;
        }
    }
    return 0;
}

bool SchedulePass::Visit(int row, RunKind kind, DateTime second,
                         std::optional<ScheduleRow>* after) {
    if (!Enabled(row)) {
        // A disabled row is neither run nor moved.
        if (kind == RunKind::Test) {
            testRequested_ = false;
        }
        return false;
    }
    const ActionPlan plan = steps_.Plan(table_.Row(row));
    const RunSubject subject =
        kind == RunKind::Test ? RunSubject::OfRow(table_.Row(row), RunOrigin::Test, std::nullopt)
                              : RunSubject::OfRow(table_.Row(row), RunOrigin::Scheduled, second);
    if (kind == RunKind::Scheduled && plan.Advance) {
        AdvanceRow(table_, row, second);
        if (pushPast_) {
            ScheduleRow moved = table_.Row(row);
            if (StepHourRowPast(moved, FromSecond(*pushPast_))) {
                table_.SetCell(ColDate, row, moved[ColDate]);
                table_.SetCell(ColTime, row, moved[ColTime]);
            }
        }
    }
    const ScheduleRow ran = table_.Row(row);
    // Cleared before the action: one that runs the event loop lets ticks in,
    // and a request still pending would start the test again at each.
    testRequested_ = false;
    CarryOut(plan, subject);
    if (kind == RunKind::Scheduled) {
        const int at = Locate(row, ran);
        bool deleted = false;
        // The row that ran is deleted, not whichever row the user has selected.
        if (ran[ColDelete] == "する" && at > 0) { // stored
            const int count = table_.RowCount();
            editing_.DeleteRow(at);
            deleted = table_.RowCount() < count;
            if (!deleted && at == 1 && table_.Row(1) == ran) {
                // The editor keeps the first row; marked "する" it must still
                // go (or, as the only row, be emptied), or it would run again.
                if (table_.RowCount() > 2) {
                    table_.RemoveRow(1);
                } else {
                    table_.SetRowCount(1);
                    table_.SetRowCount(2);
                }
                deleted = true;
            }
        }
        if (after && at > 0 && !deleted) {
            *after = ran;
        }
        editing_.SortAndSelectNextEvent();
    }
    return true;
}

void SchedulePass::CarryOut(const ActionPlan& plan, const RunSubject& subject) {
    // A row without an action runs nothing, and nothing is recorded.
    const RunId run = recorder_ && !subject.Action.empty() ? recorder_->Begin(subject) : 0;
    ActionResult result = steps_.CarryOut(plan);
    if (run == 0 || !recorder_) { // the history may have closed while the action waited
        return;
    }
    if (plan.Kind == ActionKind::None) {
        result.Failed = true;
        result.NotAccepted = true;
    }
    recorder_->End(run, result);
}

void SchedulePass::RunNow(const ScheduleRow& row, DateTime due) {
    CarryOut(steps_.Plan(row), RunSubject::OfRow(row, RunOrigin::RunNow, due));
}

} // namespace rimo
