#include "schedule/SchedulePass.h"

#include "schedule/AdvanceRow.h"
#include "schedule/CatchUp.h"

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

void SchedulePass::Start(DateTime now) {
    covered_ = SecondOf(now) - 1;
}

TickReport SchedulePass::Tick(DateTime now) {
    TickReport report;
    const std::int64_t second = SecondOf(now);
    if (!covered_) {
        covered_ = second - 1;
    }
    const std::int64_t behind = second - *covered_;
    if (behind > kLookBackSeconds) {
        report.Gap = true;
        report.MovedRows = CatchUpGap(table_, FromSecond(*covered_ + 1), FromSecond(second));
        if (report.MovedRows > 0) {
            editing_.SortAndSelectNextEvent();
        }
        covered_ = second - 1;
    } else if (behind < -kKeptSetBackSeconds) {
        covered_ = second - 1;
    }
    // The mark is re-read at every step: an action that runs the event loop
    // lets later ticks cover seconds meanwhile, and those are not covered twice.
    while (*covered_ < second) {
        ++*covered_;
        ++report.SecondsCovered;
        RunDueRows(FromSecond(*covered_));
    }
    if (report.SecondsCovered == 0 && testRequested_) {
        RunDueRows(FromSecond(second), false);
    }
    return report;
}

void SchedulePass::RunDueRows(DateTime second, bool dueRows) {
    // A pending test request is served first; it does not take the place of a due row.
    if (testRequested_) {
        Visit(editing_.CurrentRow(), RunKind::Test, second);
    }
    if (!dueRows) {
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
    if (kind == RunKind::Scheduled && plan.Advance) {
        AdvanceRow(table_, row, second);
    }
    const ScheduleRow ran = table_.Row(row);
    // Cleared before the action: one that runs the event loop lets ticks in,
    // and a request still pending would start the test again at each.
    testRequested_ = false;
    steps_.CarryOut(plan);
    if (kind == RunKind::Scheduled) {
        const int at = Locate(row, ran);
        bool deleted = false;
        // The row that ran is deleted, not whichever row the user has selected.
        if (ran[ColDelete] == "する" && at > 0) {
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

} // namespace rimo
