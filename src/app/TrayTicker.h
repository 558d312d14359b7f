#pragma once

#include "core/MainWindowState.h"
#include "core/Message.h"
#include "schedule/ScheduleTable.h"

#include <string>

namespace rimo {

// The tray and title steps of the one-second tick, free of any window:
// step 1 the next-event tip (and the title text when a refresh is pending),
// step 2 the icon frame, step 5 the title text to show and its scrolling.
class TrayTicker {
public:
    static constexpr int kFrameCount = 16;
    static constexpr int kMainIcon = -1;

    struct TrayOutput {
        std::string Tip;
        int IconFrame = kMainIcon; // 0 to 15, or kMainIcon
        bool TitleRefreshed = false; // the title text was rebuilt (not only scrolled)
    };

    explicit TrayTicker(MainWindowState& state) : state_(state) {}
    // The language of the tip and the title (the source texts until set).
    void SetRender(MessageRender render) { render_ = std::move(render); }

    // Steps 1 and 2. `currentRow` is the grid's current row (null when none).
    TrayOutput TipAndIcon(bool nextHint, const ScheduleRow* currentRow, bool animate);
    // Step 5: the text to show now; with `scroll` the stored text then moves
    // on by one character.
    std::string Title(bool scroll);

    // The next animation frame; it keeps its value while animation is off.
    int TrayIconFrame() const { return trayIconFrame_; }

private:
    MainWindowState& state_;
    MessageRender render_ = SourceText;
    int trayIconFrame_ = 0;
};

} // namespace rimo
