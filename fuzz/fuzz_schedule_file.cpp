// The schedule-file reader on arbitrary bytes: it must never crash, and a
// table it produced must survive a write and a read unchanged.
#include "schedule/CatchUp.h"
#include "schedule/ScheduleFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
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
