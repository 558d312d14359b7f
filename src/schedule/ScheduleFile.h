#pragma once

#include "core/Status.h"
#include "core/TextCodec.h"
#include "schedule/ScheduleTable.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rimo {

// The schedule file: line 1 the column count, line 2 the row count (header
// included), then every cell column by column (all rows of column 0, then
// column 1, ...), one per line; CR LF line ends; CP932 text (UTF-8 with a BOM
// when a text has no CP932 form).
struct ScheduleReadReport {
    bool FileExists = false;
    // Something was wrong with the file (messages below); what could be read
    // is in the table.
    std::vector<std::string> Problems;
    // The file could not be read as a whole: it must be kept aside before the
    // table is ever written over it.
    bool Unreadable = false;
    TextEncoding Encoding = TextEncoding::Cp932;
};

// Reads file bytes into `table` the way the grid took them: the counts set its
// size, cells are stored as read, lines missing at the end give empty cells.
// On a bad count the reading stops there; cells read stay, the rest keep their
// previous texts.
ScheduleReadReport ReadScheduleText(std::string_view bytes, ScheduleTable& table);

// The file's bytes for a table.
std::string WriteScheduleText(const ScheduleTable& table);

// LoadSchedule: reads the file if it exists. An unreadable file is moved aside
// ("<name>.broken") and the report says so; the table keeps what could be read.
ScheduleReadReport LoadSchedule(const std::filesystem::path& path, ScheduleTable& table);

// SaveSchedule: writes the table atomically.
Status SaveSchedule(const std::filesystem::path& path, const ScheduleTable& table);

} // namespace rimo
