#pragma once

#include "schedule/ScheduleRow.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace rimo {

// The local second (whole seconds since 1899-12-30 00:00:00) in which an
// enabled row is due: its date and time cells are exactly the texts of that
// second. nullopt for a disabled row and for cells no second formats to (a
// row the pass never finds due).
std::optional<std::int64_t> DueSecond(const ScheduleRow& row);

// The seconds in which enabled rows are due, kept as the rows change, so that
// a pass with nothing due and the wait for the next due row need no scan of
// the table. A multiset: rows due in the same second count once each.
class DueIndex {
public:
    void Add(const ScheduleRow& row);
    void Remove(const ScheduleRow& row);
    // Rows 1.. of `rows` (row 0 is the header).
    void Rebuild(const std::vector<ScheduleRow>& rows);

    bool AnyDueIn(std::int64_t second) const;
    // The first second after `second` in which a row is due.
    std::optional<std::int64_t> FirstAfter(std::int64_t second) const;
    // The seconds from `first` to `last` in which rows are due, each once, oldest first.
    std::vector<std::int64_t> SecondsIn(std::int64_t first, std::int64_t last) const;
    std::size_t Size() const { return seconds_.size(); }

private:
    std::vector<std::int64_t> seconds_; // sorted
};

} // namespace rimo
