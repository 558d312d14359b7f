// The editor's rules on cell texts as a hand-edited schedule file may hold
// them: hints, shortened paths, the pickers' start values, the completeness
// check, dropped files, and the sort with the choice of the next event.
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleSort.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

int ByteWidth(std::string_view text) {
    return static_cast<int>(text.size()) * 6;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const rimo::DateTime now = rimo::EncodeDate(2026, 12, 8) + rimo::EncodeTime(10, 0, 0);

    // Cells are the input's lines, eight to a row.
    std::vector<rimo::ScheduleRow> rows;
    rimo::ScheduleRow row;
    int column = 0;
    std::size_t start = 0;
    while (start <= bytes.size() && rows.size() < 64) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        row[column] = std::string(bytes.substr(start, end - start));
        if (++column == rimo::kScheduleColumns) {
            rows.push_back(row);
            column = 0;
        }
        start = end + 1;
    }
    if (column > 0) {
        rows.push_back(row);
    }

    for (const rimo::ScheduleRow& r : rows) {
        for (int c = 0; c < rimo::kScheduleColumns; ++c) {
            const std::string hint = rimo::CellHint(c, r[c], ByteWidth).Text();
            // A quoted path is shown without its quotes.
            Check(hint.find('"') == std::string::npos || c != rimo::ColArgument ||
                  r[c].find('"') == std::string::npos);
        }
        const std::string path = rimo::WithoutQuotes(r[rimo::ColArgument]);
        const std::string shortened = rimo::ShortenPath(path, rimo::kHintPathWidth, ByteWidth);
        // Short enough, or the file's name alone is left, or there was no folder to give up.
        const std::size_t slash = path.find_last_of('/');
        Check(ByteWidth(shortened) <= rimo::kHintPathWidth || shortened == path ||
              (slash != std::string::npos && shortened == ".../" + path.substr(slash + 1)));

        const rimo::DateTime date = rimo::PickerDate(r[rimo::ColDate], now);
        Check(date >= rimo::DateOf(now));
        const rimo::DateTime time = rimo::PickerTime(r[rimo::ColTime], now);
        Check(time >= 0 && time < 1);

        const auto missing = rimo::FindMissingField(r);
        Check(!missing ||
              (missing->Column >= rimo::ColDate && missing->Column <= rimo::ColArgument));
    }

    rimo::ScheduleTable table;
    table.ReplaceScheduleRows(rows);
    if (!rows.empty()) {
        rimo::DropFilesIntoRow(table, 1, {rows.front()[rimo::ColTitle]});
    }
    rimo::SortScheduleRows(table);
    for (int r = 2; r < table.RowCount(); ++r) {
        Check(!rimo::CompareScheduleRows(table.Row(r), table.Row(r - 1)));
    }
    const int next = rimo::ChooseNextEvent(table, now);
    Check(next == 1 ||
          (next > 1 && next < table.RowCount() && table.Cell(rimo::ColEnabled, next) == "○"));
    return 0;
}
