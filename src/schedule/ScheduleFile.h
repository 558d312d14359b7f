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
    std::vector<Message> Problems;
    // The file could not be read as a whole: it must be kept aside before the
    // table is ever written over it.
    bool Unreadable = false;
    TextEncoding Encoding = TextEncoding::Cp932;
    // Where the table is to be saved (LoadSchedule): the file itself, or a new
    // name when an unreadable file could not be moved aside.
    std::filesystem::path SaveTo;
};

// Reads file bytes into `table` the way the grid took them: the counts give
// the layout, cells are stored as read, lines missing at the end give empty
// cells (not a problem). Rows the file holds no line for are not made (they
// would be wholly empty): the table grows with the file, not with the count it
// announces, and a file brings at most 100,000 schedule rows. A count that is not a whole number stops the reading there and
// the table keeps its texts; one out of range, lines left over and bytes that
// are no text make the file unreadable.
ScheduleReadReport ReadScheduleText(std::string_view bytes, ScheduleTable& table);

// The file's bytes for a table.
std::string WriteScheduleText(const ScheduleTable& table);

// LoadSchedule: reads the file if it exists. An unreadable file is moved aside
// ("<name>.broken") and the report says so; the table keeps what could be read.
// When it cannot be moved, SaveTo names a new file and the report says which.
ScheduleReadReport LoadSchedule(const std::filesystem::path& path, ScheduleTable& table);

// SaveSchedule: writes the table atomically.
Status SaveSchedule(const std::filesystem::path& path, const ScheduleTable& table);

} // namespace rimo
