#include "schedule/DueIndex.h"

#include "core/DateTime.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace rimo {

namespace {

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

// The texts are checked in place rather than formatted and compared: loading
// a large file reads every row's second.
std::optional<std::int64_t> DueSecond(const ScheduleRow& row) {
    const std::string_view date = row[ColDate];
    const std::string_view time = row[ColTime];
    // "yyyy/mm/dd/" and a day name of three bytes; "hh:nn:ss".
    if (row[ColEnabled] != "○" || date.size() != 14 || time.size() != 8 || date[4] != '/' ||
        date[7] != '/' || date[10] != '/' || time[2] != ':' || time[5] != ':') {
        return std::nullopt;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!Digits(date, 0, 4, year) || !Digits(date, 5, 2, month) || !Digits(date, 8, 2, day) ||
        !Digits(time, 0, 2, hour) || !Digits(time, 3, 2, minute) || !Digits(time, 6, 2, second) ||
        !IsValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const DateTime midnight = EncodeDate(year, month, day);
    if (date.substr(11) != DayName(midnight)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(midnight) * 86'400 + hour * 3600 + minute * 60 + second;
}

void DueIndex::Add(const ScheduleRow& row) {
    if (const std::optional<std::int64_t> second = DueSecond(row)) {
        seconds_.insert(std::upper_bound(seconds_.begin(), seconds_.end(), *second), *second);
    }
}

void DueIndex::Remove(const ScheduleRow& row) {
    if (const std::optional<std::int64_t> second = DueSecond(row)) {
        const auto at = std::lower_bound(seconds_.begin(), seconds_.end(), *second);
        if (at != seconds_.end() && *at == *second) {
            seconds_.erase(at);
        }
    }
}

void DueIndex::Rebuild(const std::vector<ScheduleRow>& rows) {
    seconds_.clear();
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (const std::optional<std::int64_t> second = DueSecond(rows[r])) {
            seconds_.push_back(*second);
        }
    }
    // A saved table is sorted already: then this is one look at each second.
    if (!std::is_sorted(seconds_.begin(), seconds_.end())) {
        std::sort(seconds_.begin(), seconds_.end());
    }
}

bool DueIndex::AnyDueIn(std::int64_t second) const {
    return std::binary_search(seconds_.begin(), seconds_.end(), second);
}

std::optional<std::int64_t> DueIndex::FirstAfter(std::int64_t second) const {
    const auto at = std::upper_bound(seconds_.begin(), seconds_.end(), second);
    if (at == seconds_.end()) {
        return std::nullopt;
    }
    return *at;
}

std::vector<std::int64_t> DueIndex::SecondsIn(std::int64_t first, std::int64_t last) const {
    std::vector<std::int64_t> found;
    for (auto at = std::lower_bound(seconds_.begin(), seconds_.end(), first);
         at != seconds_.end() && *at <= last; ++at) {
        if (found.empty() || found.back() != *at) {
            found.push_back(*at);
        }
    }
    return found;
}

} // namespace rimo
