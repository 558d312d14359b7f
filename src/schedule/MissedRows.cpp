#include "schedule/MissedRows.h"

#include "schedule/AdvanceRow.h"
#include "schedule/CatchUp.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace rimo {

namespace {

// Day and date kinds are stepped one occurrence at a time; more than this
// many (half a century of "毎日") are not counted.
constexpr int kMaxCounted = 20'000;

} // namespace

namespace {

std::optional<DateTime> EnabledDueMoment(const ScheduleRow& row) {
    return row[ColEnabled] == "○" ? DueMoment(row) : std::nullopt;
}

} // namespace

std::vector<MissedRow> RowsDueBetween(const ScheduleTable& table, DateTime first, DateTime end) {
    const std::int64_t firstMs = ToMilliseconds(first);
    const std::int64_t endMs = ToMilliseconds(end);
    std::vector<MissedRow> missed;
    for (int r = 1; r < table.RowCount(); ++r) {
        const ScheduleRow& row = table.Row(r);
        const std::optional<DateTime> moment = EnabledDueMoment(row);
        if (!moment || ToMilliseconds(*moment) < firstMs || ToMilliseconds(*moment) >= endMs) {
            continue;
        }
        MissedRow entry{row, *moment, *moment, 1};
        if (const std::int64_t stepMs = HourKindStepMs(row[ColRepeat])) {
            // Evenly apart: counted, not stepped.
            const std::int64_t later = (endMs - 1 - ToMilliseconds(*moment)) / stepMs;
            entry.Count = static_cast<int>(std::min<std::int64_t>(later + 1, INT_MAX));
            entry.LastDue = FromMilliseconds(ToMilliseconds(*moment) + later * stepMs);
            missed.push_back(std::move(entry));
            continue;
        }
        // The later occurrences in the span, as the runs would have stepped it.
        ScheduleRow stepped = row;
        std::int64_t lastMs = ToMilliseconds(*moment);
        while (entry.Count < kMaxCounted && AdvanceRow(stepped, FromMilliseconds(lastMs))) {
            const std::optional<DateTime> next = DueMoment(stepped);
            if (!next || ToMilliseconds(*next) <= lastMs || ToMilliseconds(*next) >= endMs) {
                break;
            }
            lastMs = ToMilliseconds(*next);
            entry.LastDue = *next;
            ++entry.Count;
        }
        missed.push_back(std::move(entry));
    }
    return missed;
}

ScheduleTable RowsDueBefore(const ScheduleTable& table, DateTime end) {
    std::vector<ScheduleRow> rows{ScheduleHeader()};
    for (int r = 1; r < table.RowCount(); ++r) {
        const std::optional<DateTime> moment = EnabledDueMoment(table.Row(r));
        if (moment && ToMilliseconds(*moment) < ToMilliseconds(end)) {
            rows.push_back(table.Row(r));
        }
    }
    ScheduleTable passed;
    passed.Assign(std::move(rows));
    return passed;
}

} // namespace rimo
