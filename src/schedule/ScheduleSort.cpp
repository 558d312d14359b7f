#include "schedule/ScheduleSort.h"

#include <algorithm>
#include <optional>

namespace rimo {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares a + b with c + d, where each pair is read as one text.
int CompareJoined(const std::string& a, const std::string& b, const std::string& c,
                  const std::string& d) {
    const std::size_t left = a.size() + b.size();
    const std::size_t right = c.size() + d.size();
    for (std::size_t i = 0; i < left && i < right; ++i) {
        const char x = Lower(i < a.size() ? a[i] : b[i - a.size()]);
        const char y = Lower(i < c.size() ? c[i] : d[i - c.size()]);
        if (x != y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
        }
    }
    return left < right ? -1 : (left > right ? 1 : 0);
}

std::optional<DateTime> RowMoment(const ScheduleRow& row) {
    const std::optional<DateTime> date = ReadScheduleDate(row[ColDate]);
    const std::optional<DateTime> time = ReadTime(row[ColTime]);
    if (!date || !time) {
        return std::nullopt;
    }
    return FromMilliseconds(ToMilliseconds(*date) + ToMilliseconds(*time));
}

} // namespace

bool CompareScheduleRows(const ScheduleRow& a, const ScheduleRow& b) {
    return CompareJoined(a[ColDate], a[ColTime], b[ColDate], b[ColTime]) < 0;
}

void SortScheduleRows(ScheduleTable& table) {
    std::vector<ScheduleRow> rows(table.Rows().begin() + 1, table.Rows().end());
    if (std::is_sorted(rows.begin(), rows.end(), CompareScheduleRows)) {
        return; // nothing moves: the view keeps its state
    }
    std::stable_sort(rows.begin(), rows.end(), CompareScheduleRows);
    table.ReplaceScheduleRows(std::move(rows));
}

int ChooseNextEvent(const ScheduleTable& table, DateTime now) {
    const std::int64_t nowMs = ToMilliseconds(now);
    for (int r = 1; r < table.RowCount(); ++r) {
        const ScheduleRow& row = table.Row(r);
        if (row[ColDate].empty() || row[ColEnabled] != "○") {
            continue;
        }
        const std::optional<DateTime> moment = RowMoment(row);
        if (moment && ToMilliseconds(*moment) > nowMs) {
            return r;
        }
    }
    return 1;
}

} // namespace rimo
