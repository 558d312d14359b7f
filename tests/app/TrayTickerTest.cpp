#include "app/TrayTicker.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

const ScheduleRow kWakeUp{"起床", "毎日", "2002/08/22/木", "07:00:00", "警告音", "", "しない", "○"};

TEST(TrayTicker, TheIconRunsThroughSixteenFrames) {
    MainWindowState state;
    TrayTicker ticker(state);
    std::vector<int> frames;
    for (int tick = 0; tick < 17; ++tick) {
        frames.push_back(ticker.TipAndIcon(true, nullptr, true).IconFrame);
    }
    EXPECT_EQ(frames.front(), 0);
    EXPECT_EQ(frames[15], 15);
    EXPECT_EQ(frames[16], 0);
    for (int tick = 0; tick < 16; ++tick) {
        EXPECT_EQ(frames[tick], tick);
    }
}

TEST(TrayTicker, WithoutAnimationTheMainIconShowsAndTheFrameWaits) {
    MainWindowState state;
    TrayTicker ticker(state);
    ticker.TipAndIcon(true, nullptr, true);
    ticker.TipAndIcon(true, nullptr, true);
    EXPECT_EQ(ticker.TipAndIcon(true, nullptr, false).IconFrame, TrayTicker::kMainIcon);
    EXPECT_EQ(ticker.TrayIconFrame(), 2);
    EXPECT_EQ(ticker.TipAndIcon(true, nullptr, true).IconFrame, 2);
}

TEST(TrayTicker, TheTipFollowsEveryTickTheTitleOnlyARefresh) {
    MainWindowState state;
    TrayTicker ticker(state);
    // No refresh asked for: the product title stays, the tip names the event.
    EXPECT_EQ(ticker.TipAndIcon(true, &kWakeUp, true).Tip, "次は 起床 2002/08/22/木07:00:00");
    EXPECT_EQ(state.TitleText, "RimoTimeInformation     ");

    state.TitleRefreshPending = true;
    ticker.TipAndIcon(true, &kWakeUp, true);
    EXPECT_FALSE(state.TitleRefreshPending);
    EXPECT_EQ(state.TitleText, "次は 起床 2002/08/22/木07:00:00     ");

    // The option turned off: the tip at once, the title at the next refresh.
    EXPECT_EQ(ticker.TipAndIcon(false, &kWakeUp, true).Tip, "RimoTimeInfomation");
    EXPECT_EQ(state.TitleText, "次は 起床 2002/08/22/木07:00:00     ");
    state.TitleRefreshPending = true;
    ticker.TipAndIcon(false, &kWakeUp, true);
    EXPECT_EQ(state.TitleText, "RimoTimeInformation     ");
}

TEST(TrayTicker, TheTitleShowsThenScrollsOneCharacter) {
    MainWindowState state;
    state.TitleText = "次は 起床";
    TrayTicker ticker(state);
    EXPECT_EQ(ticker.Title(true), "次は 起床");
    EXPECT_EQ(ticker.Title(true), "は 起床次");
    EXPECT_EQ(ticker.Title(true), " 起床次は");
    // Scrolling off: it stands still.
    EXPECT_EQ(ticker.Title(false), "起床次は ");
    EXPECT_EQ(ticker.Title(false), "起床次は ");
    EXPECT_EQ(state.TitleText, "起床次は ");
}

} // namespace
} // namespace rimo
