#include "schedule/CatchUp.h"

#include "schedule/AdvanceRow.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rimo {

namespace {

Message NotATime(std::string_view text) {
    return Translatable("rimo::CatchUp", "'%1' は時刻ではありません").Arg(std::string(text));
}
Message NotADate(std::string_view text) {
    return Translatable("rimo::CatchUp", "'%1' は日付ではありません").Arg(std::string(text));
}

// Hour kinds: step the time of day until it is no longer before now's; past
// midnight the row moves to the next day (a row left at today's date with a
// time after midnight would lie in the past and never run).
void CatchUpHourKind(ScheduleRow& row, std::int64_t timeMs, std::int64_t stepMs, DateTime today,
                     std::int64_t nowTimeMs) {
    DateTime date = today;
    while (timeMs < nowTimeMs) {
        timeMs += stepMs;
        if (timeMs >= kMsPerDay) {
            timeMs -= kMsPerDay;
            date = AddDays(today, 1);
            break;
        }
    }
    row[ColDate] = FormatScheduleDate(date);
    row[ColTime] = FormatScheduleTime(FromMilliseconds(timeMs));
}

DateTime CatchUpWeekdays(DateTime today, bool timePassed) {
    DateTime date = timePassed ? AddDays(today, 1) : today;
    const int weekday = DayOfWeek(date); // 1 Sunday .. 7 Saturday
    if (weekday == 7) {
        date = AddDays(date, 2);
    } else if (weekday == 1) {
        date = AddDays(date, 1);
    }
    return date;
}

DateTime CatchUpWeekend(DateTime today, bool timePassed) {
    const int weekday = DayOfWeek(today);
    DateTime date = today;
    if (weekday >= 2 && weekday <= 6) {
        date = AddDays(today, 7 - weekday); // Monday +5 ... Friday +1: the coming Saturday
    }
    if (timePassed) {
        if (weekday == 7) {
            date = AddDays(date, 1);
        } else if (weekday == 1) {
            date = AddDays(date, 6);
        }
    }
    return date;
}

// The date `k` month steps after `start`, a day the target month lacks being
// cut to its last day and the cut kept in later steps: the day is the
// smallest month length met on the way. Month lengths repeat within 48 months
// (a common-year February comes within four years), so looking at that many
// steps is enough.
DateTime AfterMonthSteps(const DateParts& start, int step, std::int64_t k) {
    const std::int64_t index0 = static_cast<std::int64_t>(start.Year) * 12 + start.Month - 1;
    int day = start.Day;
    const std::int64_t looked = std::min<std::int64_t>(k, 48);
    for (std::int64_t j = 1; j <= looked; ++j) {
        const std::int64_t index = index0 + j * step;
        day = std::min(day,
                       DaysInMonth(static_cast<int>(index / 12), static_cast<int>(index % 12) + 1));
    }
    const std::int64_t index = index0 + k * step;
    const int year = static_cast<int>(index / 12);
    const int month = static_cast<int>(index % 12) + 1;
    return EncodeDate(year, month, std::min(day, DaysInMonth(year, month)));
}

// Date kinds: step the stored date until its moment is no longer before now.
// Returns nullopt when the row is already in the future (its text is kept).
std::optional<DateTime> CatchUpDateKind(DateTime date, std::int64_t timeMs, int stepDays,
                                        int stepMonths, DateTime now) {
    const std::int64_t nowMs = ToMilliseconds(now);
    const std::int64_t momentMs = ToMilliseconds(date) + timeMs;
    if (momentMs >= nowMs) {
        return std::nullopt;
    }
    if (stepDays > 0) {
        const std::int64_t stepMs = stepDays * kMsPerDay;
        const std::int64_t steps = (nowMs - momentMs + stepMs - 1) / stepMs;
        return AddDays(date, static_cast<int>(steps * stepDays));
    }
    const DateParts start = DecodeDate(date);
    const DateParts today = DecodeDate(now);
    const std::int64_t monthsApart =
        (static_cast<std::int64_t>(today.Year) - start.Year) * 12 + (today.Month - start.Month);
    std::int64_t k = std::max<std::int64_t>(1, monthsApart / stepMonths - 1);
    constexpr std::int64_t kLastMonthIndex = 9999LL * 12 + 11;
    while (true) {
        const std::int64_t index =
            static_cast<std::int64_t>(start.Year) * 12 + start.Month - 1 + k * stepMonths;
        if (index > kLastMonthIndex) {
            return std::nullopt; // beyond the calendar: leave the row as it is
        }
        const DateTime next = AfterMonthSteps(start, stepMonths, k);
        if (ToMilliseconds(next) + timeMs >= nowMs) {
            return next;
        }
        ++k;
    }
}

struct DateStep {
    std::string_view Repeat;
    int Days;
    int Months;
};

constexpr std::array<DateStep, 7> kDateSteps{{
    {"毎週", 7, 0},  // stored
    {"隔週", 14, 0}, // stored
    {"隔日", 2, 0},  // stored
    {"毎月", 0, 1},  // stored
    {"隔月", 0, 2},  // stored
    {"毎年", 0, 12}, // stored
    {"隔年", 0, 24}, // stored
}};

} // namespace

bool CatchUpRow(ScheduleRow& row, DateTime now, Message* problem) {
    const std::string& repeat = row[ColRepeat];
    const auto dateStep = std::find_if(kDateSteps.begin(), kDateSteps.end(),
                                       [&](const DateStep& s) { return s.Repeat == repeat; });
    const bool hourKind = repeat == "30分毎" || repeat == "毎時" || repeat == "隔時"; // stored
    const bool dayKind = repeat == "毎日" || repeat == "月～金" || repeat == "土日";  // stored
    if (!hourKind && !dayKind && dateStep == kDateSteps.end()) {
        return true; // once, or a repetition this program does not know
    }

    // Read everything first, so that a row that cannot be read stays as it is.
    // The full year first; the two-digit read would put a date outside
    // 1976-2075 into the wrong century.
    const std::optional<DateTime> time = ReadTime(row[ColTime]);
    std::optional<DateTime> date = ReadScheduleDate(row[ColDate]);
    if (dateStep != kDateSteps.end()) {
        if (!date) {
            date = ReadTwoDigitYearDate(row[ColDate], DecodeDate(now).Year);
        }
        if (!date) {
            *problem = NotADate(row[ColDate]);
            return false;
        }
    }
    if (!time) {
        *problem = NotATime(row[ColTime]);
        return false;
    }

    const std::int64_t timeMs = ToMilliseconds(*time);
    // A row whose moment is still ahead has not passed: it keeps both cells
    // (the kinds anchored on today would otherwise pull a row meant to start
    // next week back to today). The kinds anchored on today need no readable
    // date; without one the row counts as passed.
    if (date && ToMilliseconds(*date) + timeMs >= ToMilliseconds(now)) {
        return true;
    }
    const DateTime today = DateOf(now);
    const std::int64_t nowTimeMs = ToMilliseconds(TimeOf(now));
    const bool timePassed = timeMs < nowTimeMs;

    if (const std::int64_t stepMs = HourKindStepMs(repeat)) {
        CatchUpHourKind(row, timeMs, stepMs, today, nowTimeMs);
    } else if (repeat == "毎日") { // stored
        row[ColDate] = FormatScheduleDate(timePassed ? AddDays(today, 1) : today);
    } else if (repeat == "月～金") { // stored
        row[ColDate] = FormatScheduleDate(CatchUpWeekdays(today, timePassed));
    } else if (repeat == "土日") { // stored
        row[ColDate] = FormatScheduleDate(CatchUpWeekend(today, timePassed));
    } else if (const auto next =
                   CatchUpDateKind(*date, timeMs, dateStep->Days, dateStep->Months, now)) {
        row[ColDate] = FormatScheduleDate(*next);
    }
    return true;
}

std::vector<ScheduleRowProblem> CatchUpSchedule(ScheduleTable& table, DateTime now) {
    std::vector<ScheduleRowProblem> problems;
    Message problem;
    // Moved in a copy and put back at once: the due index is built once
    // instead of moving each row in it.
    std::vector<ScheduleRow> rows(table.Rows().begin() + 1, table.Rows().end());
    bool moved = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ScheduleRow row = rows[i];
        if (!CatchUpRow(row, now, &problem)) {
            problems.push_back({static_cast<int>(i) + 1, problem});
            continue;
        }
        ScheduleRow& kept = rows[i];
        if (kept[ColDate] != row[ColDate] || kept[ColTime] != row[ColTime]) {
            kept[ColDate] = std::move(row[ColDate]);
            kept[ColTime] = std::move(row[ColTime]);
            moved = true;
        }
    }
    if (moved) {
        table.ReplaceScheduleRows(std::move(rows));
    }
    return problems;
}

std::optional<DateTime> DueMoment(const ScheduleRow& row) {
    const std::optional<DateTime> date = ReadScheduleDate(row[ColDate]);
    const std::optional<DateTime> time = ReadTime(row[ColTime]);
    if (!date || !time) {
        return std::nullopt;
    }
    const DateTime moment = FromMilliseconds(ToMilliseconds(*date) + ToMilliseconds(*time));
    if (FormatScheduleDate(moment) != row[ColDate] || FormatScheduleTime(moment) != row[ColTime]) {
        return std::nullopt;
    }
    return moment;
}

namespace {

// An hour kind's first occurrence not before `notBeforeMs`, counted from the
// row's own moment.
void StepHourRow(ScheduleRow& row, std::int64_t momentMs, std::int64_t stepMs,
                 std::int64_t notBeforeMs) {
    const std::int64_t steps = (notBeforeMs - momentMs + stepMs - 1) / stepMs;
    const DateTime next = FromMilliseconds(momentMs + steps * stepMs);
    row[ColDate] = FormatScheduleDate(next);
    row[ColTime] = FormatScheduleTime(next);
}

} // namespace

bool StepHourRowPast(ScheduleRow& row, DateTime after) {
    const std::int64_t stepMs = HourKindStepMs(row[ColRepeat]);
    const std::optional<DateTime> moment = DueMoment(row);
    if (stepMs == 0 || !moment || ToMilliseconds(*moment) > ToMilliseconds(after)) {
        return false;
    }
    StepHourRow(row, ToMilliseconds(*moment), stepMs, ToMilliseconds(after) + 1);
    return true;
}

int CatchUpGap(ScheduleTable& table, DateTime first, DateTime now) {
    const std::int64_t firstMs = ToMilliseconds(first);
    const std::int64_t nowMs = ToMilliseconds(now);
    int moved = 0;
    for (int r = 1; r < table.RowCount(); ++r) {
        ScheduleRow row = table.Row(r);
        const std::optional<DateTime> moment = DueMoment(row);
        if (!moment || ToMilliseconds(*moment) < firstMs || ToMilliseconds(*moment) >= nowMs) {
            continue;
        }
        if (const std::int64_t stepMs = HourKindStepMs(row[ColRepeat]); stepMs > 0) {
            // Counted from the row's own moment: the start-up rule, anchored on
            // today's date, would skip the rest of the day after a night's gap.
            StepHourRow(row, ToMilliseconds(*moment), stepMs, nowMs);
        } else {
            Message problem;
            CatchUpRow(row, now, &problem); // readable: DueMoment read it
        }
        if (row != table.Row(r)) {
            table.SetCell(ColDate, r, row[ColDate]);
            table.SetCell(ColTime, r, row[ColTime]);
            ++moved;
        }
    }
    return moved;
}

} // namespace rimo
