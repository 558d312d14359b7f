// A schedule row of arbitrary cells through the pass's rules: the command
// split, the action step, the next occurrence and the message text must
// never crash, and the split must keep its promises.
#include "schedule/ActionPlan.h"
#include "schedule/AdvanceRow.h"
#include "schedule/CommandLine.h"
#include "schedule/MessageText.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Cells are separated by NUL bytes.
    rimo::ScheduleRow row;
    std::size_t cell = 0;
    for (std::size_t i = 0; i < size && cell < row.size(); ++i) {
        if (data[i] == 0) {
            ++cell;
        } else {
            row[cell] += static_cast<char>(data[i]);
        }
    }
    const std::string& command = row[rimo::ColArgument];
    const rimo::CommandLine line = rimo::SplitCommandLine(command);
    if (line.Program.size() + line.Parameters.size() > command.size()) {
        __builtin_trap();
    }
    for (const std::string& word : line.Arguments) {
        if (word.empty() || word.size() > line.Parameters.size()) {
            __builtin_trap();
        }
    }
    rimo::PlanAction(row, [](const std::string& path) { return path.size() % 2 == 0; });
    const rimo::DateTime now = rimo::EncodeDate(2024, 2, 29) + rimo::EncodeTime(23, 59, 59);
    rimo::ScheduleRow moved = row;
    if (!rimo::AdvanceRow(moved, now) && moved != row) {
        __builtin_trap(); // a row that cannot be read stays as it was
    }
    rimo::PrepareMessage(row[rimo::ColArgument], now);
    return 0;
}
