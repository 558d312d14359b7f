#include "timer/TimerTexts.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(TimerTexts, DurationsAndTheirText) {
    const DateTime free = EncodeTime(1, 30, 5);
    EXPECT_EQ(TimerTexts::QuickDuration(0, free), free);
    EXPECT_EQ(TimerTexts::QuickDuration(3, free), EncodeTime(0, 3, 0));
    EXPECT_EQ(TimerTexts::QuickDuration(6, free), EncodeTime(0, 10, 0));
    EXPECT_FALSE(TimerTexts::QuickDuration(-1, free)); // no item chosen
    EXPECT_FALSE(TimerTexts::QuickDuration(7, free));

    EXPECT_EQ(TimerTexts::DurationText(EncodeTime(0, 3, 0)), "3分 ");
    EXPECT_EQ(TimerTexts::DurationText(EncodeTime(1, 30, 5)), "1時間 30分 5秒 ");
    EXPECT_EQ(TimerTexts::DurationText(EncodeTime(1, 0, 0)), "1時間 ");
    EXPECT_EQ(TimerTexts::DurationText(0), "");

    // The free duration's minimum: only the first five seconds of the day move.
    EXPECT_EQ(TimerTexts::FreeDurationAtLeastMinimum(EncodeTime(0, 0, 3)), EncodeTime(0, 0, 5));
    EXPECT_EQ(TimerTexts::FreeDurationAtLeastMinimum(EncodeTime(0, 1, 3)), EncodeTime(0, 1, 3));
}

TEST(TimerTexts, TheThreeNotices) {
    const Notice start = TimerTexts::ComposeNotice(false, false, EncodeTime(0, 3, 0));
    EXPECT_EQ(start.Label, "只今より 3分 経過したらお知らせします");
    EXPECT_EQ(start.Caption, "RimoTimeInformation タイマー起動");
    EXPECT_EQ(start.WindowHeight, 80);
    EXPECT_FALSE(start.CloseEnabled);
    EXPECT_FALSE(start.OkVisible);

    const Notice loop = TimerTexts::ComposeNotice(false, true, EncodeTime(1, 30, 5));
    EXPECT_EQ(loop.Label, "ご指定の 1時間 30分 5秒 毎にLoopします");
    EXPECT_EQ(loop.Caption, "RimoTimeInformation タイマーLoopモード");
    EXPECT_EQ(loop.OkCaption, "停止");

    // The expiry notice wins over loop mode.
    const Notice expiry = TimerTexts::ComposeNotice(true, true, EncodeTime(0, 3, 0));
    EXPECT_EQ(expiry.Label, "ご指定の 3分 が経過しました");
    EXPECT_EQ(expiry.Caption, "RimoTimeInformation タイマー終了");
    EXPECT_EQ(expiry.WindowHeight, 100);
    EXPECT_TRUE(expiry.CloseEnabled);
    EXPECT_EQ(expiry.OkCaption, "OK");
}

TEST(TimerTexts, OnlyAPathEndingInLowerCaseWavIsPlayed) {
    EXPECT_EQ(TimerTexts::WaveToPlay("\"/home/a b/ding.wav\""), "/home/a b/ding.wav");
    for (const char* refused : {"/s/ding.WAV", "/s/ding.wav.bak", "/s/sounds.wav/ding", ""}) {
        EXPECT_FALSE(TimerTexts::WaveToPlay(refused)) << refused;
    }
}

} // namespace
} // namespace rimo
