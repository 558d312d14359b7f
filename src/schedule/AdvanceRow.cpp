#include "schedule/AdvanceRow.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace rimo {

namespace {

constexpr std::int64_t kMsPerMinute = 60'000;

struct DayStep {
    std::string_view Repeat;
    int Days;
    int Months;
};

constexpr DayStep kDateSteps[] = {
    {"毎日", 1, 0}, {"隔日", 2, 0}, {"毎週", 7, 0},  {"隔週", 14, 0}, // stored
    {"毎月", 0, 1}, {"隔月", 0, 2}, {"毎年", 0, 12}, {"隔年", 0, 24}, // stored
};

// Days to add for the weekday kinds, by the day of the run (1 Sunday .. 7 Saturday).
int WeekdayStep(std::string_view repeat, int weekday) {
    if (repeat == "月～金") { // stored
        return weekday == 6 ? 3 : weekday == 7 ? 2 : 1;
    }
    // "土日": Sunday to the next Saturday, Saturday to Sunday, other days stay.
    return weekday == 1 ? 6 : weekday == 7 ? 1 : 0;
}

} // namespace

std::int64_t HourKindStepMs(std::string_view repeat) {
    if (repeat == "30分毎") { // stored
        return 30 * kMsPerMinute;
    }
    if (repeat == "毎時") { // stored
        return 60 * kMsPerMinute;
    }
    if (repeat == "隔時") { // stored
        return 120 * kMsPerMinute;
    }
    return 0;
}

bool AdvanceRow(ScheduleRow& row, DateTime now) {
    const std::string& repeat = row[ColRepeat];
    const DateTime today = DateOf(now);

    if (const std::int64_t step = HourKindStepMs(repeat)) {
        const std::optional<DateTime> time = ReadTime(row[ColTime]);
        if (!time) {
            return false;
        }
        std::int64_t next = ToMilliseconds(*time) + step;
        DateTime date = today;
        if (next >= kMsPerDay) {
            next -= kMsPerDay;
            date = AddDays(today, 1);
        }
        row[ColDate] = FormatScheduleDate(date);
        row[ColTime] = FormatScheduleTime(FromMilliseconds(next));
        return true;
    }

    const bool weekdayKind = repeat == "月～金" || repeat == "土日"; // stored
    const DayStep* dateStep = nullptr;
    for (const DayStep& step : kDateSteps) {
        if (step.Repeat == repeat) {
            dateStep = &step;
        }
    }
    if (!weekdayKind && !dateStep) {
        return true; // once, or a repetition this program does not know
    }
    const std::optional<DateTime> date = ReadScheduleDate(row[ColDate]);
    if (!date) {
        return false;
    }
    DateTime next = *date;
    if (weekdayKind) {
        next = AddDays(next, WeekdayStep(repeat, DayOfWeek(now)));
    } else if (dateStep->Days > 0) {
        next = AddDays(next, dateStep->Days);
    } else {
        next = IncMonth(next, dateStep->Months);
    }
    row[ColDate] = FormatScheduleDate(next);
    return true;
}

bool AdvanceRow(ScheduleTable& table, int row, DateTime now) {
    if (row < 1 || row >= table.RowCount()) {
        return false;
    }
    ScheduleRow cells = table.Row(row);
    if (!AdvanceRow(cells, now)) {
        return false;
    }
    table.SetCell(ColDate, row, cells[ColDate]);
    table.SetCell(ColTime, row, cells[ColTime]);
    return true;
}

} // namespace rimo
