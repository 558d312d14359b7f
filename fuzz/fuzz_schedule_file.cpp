// The schedule-file reader on arbitrary bytes: it must never crash, and a
// table it produced must survive a write and a read unchanged.
#include "schedule/CatchUp.h"
#include "schedule/ScheduleFile.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// Inputs that announce more cells than this are skipped: the reader builds
// every row a count in range announces (up to a million), which would hold
// the fuzzer at a hundred inputs a second on a few of them.
constexpr long long kMostCells = 4096;

// Line `index` (0 or 1) as a count, as the reader takes it (blanks around,
// a plus sign); nothing when it is none.
std::optional<long long> Count(std::string_view bytes, int index) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    for (int i = 0; i < index; ++i) {
        const std::size_t end = bytes.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        bytes.remove_prefix(end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    bytes = bytes.substr(0, bytes.find_first_of("\r\n"));
    while (!bytes.empty() && (bytes.front() == ' ' || bytes.front() == '\t')) {
        bytes.remove_prefix(1);
    }
    if (bytes.starts_with('+')) {
        bytes.remove_prefix(1);
    }
    long long value = 0;
    const char* last = bytes.data() + bytes.size();
    const auto [end, error] = std::from_chars(bytes.data(), last, value);
    if (error != std::errc() || end == bytes.data() ||
        !std::all_of(end, last, [](char c) { return c == ' ' || c == '\t'; })) {
        return std::nullopt;
    }
    return value;
}

bool AnnouncesTooManyCells(std::string_view bytes) {
    const std::optional<long long> columns = Count(bytes, 0);
    const std::optional<long long> rows = Count(bytes, 1);
    if (!columns || !rows) {
        return false;
    }
    // The reader reads at most the table's columns, and a row count out of
    // range only as far as the lines go.
    const long long readColumns = std::clamp<long long>(*columns, 1, rimo::kScheduleColumns);
    return *rows <= rimo::ScheduleTable::kMaxRows && *rows > kMostCells / readColumns;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (AnnouncesTooManyCells(bytes)) {
        return -1; // not added to the corpus
    }
    rimo::ScheduleTable table;
    rimo::ReadScheduleText(bytes, table);

    rimo::ScheduleTable again;
    const rimo::ScheduleReadReport report = rimo::ReadScheduleText(rimo::WriteScheduleText(table), again);
    if (!report.Problems.empty() || again.RowCount() != table.RowCount()) {
        __builtin_trap();
    }
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < rimo::kScheduleColumns; ++c) {
            const std::string& cell = table.Cell(c, r);
            // Line breaks inside a cell are written as blanks.
            if (cell.find_first_of("\r\n") == std::string::npos && again.Cell(c, r) != cell) {
                __builtin_trap();
            }
        }
    }
    rimo::CatchUpSchedule(table, rimo::EncodeDate(2026, 12, 8) + rimo::EncodeTime(10, 0, 0));
    return 0;
}
