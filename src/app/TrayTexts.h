#pragma once

#include "core/DateTime.h"
#include "core/Message.h"
#include "schedule/ScheduleTable.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace rimo {

// Texts of the tray icon, the title bar and the tray menu.
struct TrayTexts {
    // The tip when no next event is shown. The spelling is the program's own.
    static constexpr const char* kIdleTip = "RimoTimeInfomation";
    // The tray record held 64 bytes of CP932 with the terminating zero.
    static constexpr std::size_t kTipBytes = 63;

    // Whether the tip and the title name this row: the option is on and the
    // row is enabled ("○"). `row` may be null (no current row).
    static bool ShowsNextEvent(bool nextHint, const ScheduleRow* row);
    // "次は <title> <date><time>" (no blank between date and time).
    static Message NextEventText(const ScheduleRow& row);
    // The tip, cut to kTipBytes of its CP932 form.
    static std::string Tip(bool nextHint, const ScheduleRow* row,
                           const MessageRender& render = SourceText);
    // The title text after a refresh: the next event or the product name,
    // followed by five blanks.
    static std::string RefreshedTitle(bool nextHint, const ScheduleRow* row,
                                      const MessageRender& render = SourceText);

    // The longest head of `utf8` whose CP932 form fits in `maxBytes`, cut at a
    // character boundary (never inside a character).
    static std::string CutToCp932Bytes(std::string_view utf8, std::size_t maxBytes);
    // The first character moved to the end. A byte that does not start a
    // valid UTF-8 character counts as one character.
    static std::string RotateLeft(std::string_view text);

    // Caption of the free countdown item "Quick0": "1時間 30分 (&V)", "3分 (&V)",
    // "(&V)" for zero.
    static Message QuickCaption(DateTime duration);
    // Caption of the launcher item of page 0, 1 or 2: "仕事(&1)".
    static std::string LaunchTitleCaption(std::string_view title, int page);
};

} // namespace rimo
