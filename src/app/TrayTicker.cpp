#include "app/TrayTicker.h"

#include "app/TrayTexts.h"

namespace rimo {

TrayTicker::TrayOutput TrayTicker::TipAndIcon(bool nextHint, const ScheduleRow* currentRow,
                                              bool animate) {
    TrayOutput output;
    output.Tip = TrayTexts::Tip(nextHint, currentRow, render_);
    // Between refreshes the title is being scrolled, so it is rebuilt only on request.
    if (state_.TitleRefreshPending) {
        state_.TitleText = TrayTexts::RefreshedTitle(nextHint, currentRow, render_);
        state_.TitleRefreshPending = false;
        output.TitleRefreshed = true;
    }
    if (animate) {
        output.IconFrame = trayIconFrame_;
        trayIconFrame_ = (trayIconFrame_ + 1) % kFrameCount;
    }
    return output;
}

std::string TrayTicker::Title(bool scroll) {
    std::string shown = state_.TitleText;
    if (scroll) {
        state_.TitleText = TrayTexts::RotateLeft(state_.TitleText);
    }
    return shown;
}

} // namespace rimo
