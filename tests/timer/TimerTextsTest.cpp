#include "timer/TimerTexts.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(TimerTexts, QuickChoicesAreTheListedMinutesOrTheFreeDuration) {
    const DateTime free = EncodeTime(1, 30, 5);
    EXPECT_EQ(TimerTexts::QuickDuration(0, free), free);
    const int minutes[] = {1, 2, 3, 4, 5, 10};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(TimerTexts::QuickDuration(i, free), EncodeTime(0, minutes[i - 1], 0)) << i;
    }
    // No item chosen (a stored index outside the list).
    EXPECT_FALSE(TimerTexts::QuickDuration(-1, free));
    EXPECT_FALSE(TimerTexts::QuickDuration(7, free));
}

TEST(TimerTexts, DurationTextHasOnlyItsNonZeroPartsEachFollowedByABlank) {
    EXPECT_EQ(TimerTexts::DurationText(EncodeTime(0, 3, 0)), "3分 ");
    EXPECT_EQ(TimerTexts::DurationText(EncodeTime(1, 30, 5)), "1時間 30分 5秒 ");
    EXPECT_EQ(TimerTexts::DurationText(EncodeTime(1, 0, 0)), "1時間 ");
    EXPECT_EQ(TimerTexts::DurationText(EncodeTime(10, 0, 9)), "10時間 9秒 ");
    EXPECT_EQ(TimerTexts::DurationText(0), "");
}

TEST(TimerTexts, TheFreeDurationIsAtLeastFiveSeconds) {
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(TimerTexts::FreeDurationAtLeastMinimum(EncodeTime(0, 0, s)), EncodeTime(0, 0, 5));
    }
    // Only the first five seconds of the day, not any time with few seconds.
    for (const DateTime kept : {EncodeTime(0, 0, 5), EncodeTime(0, 1, 3), EncodeTime(2, 0, 0)}) {
        EXPECT_EQ(TimerTexts::FreeDurationAtLeastMinimum(kept), kept);
    }
}

TEST(TimerTexts, TheCaptionCountsDownOrUp) {
    const DateTime remaining = EncodeTime(0, 2, 57);
    const DateTime elapsed = EncodeTime(0, 0, 3);
    EXPECT_EQ(TimerTexts::CountCaption(0, remaining, elapsed), "残り0:02:57");
    EXPECT_EQ(TimerTexts::CountCaption(1, remaining, elapsed), "経過0:00:03");
    EXPECT_EQ(TimerTexts::CountCaption(1, remaining, EncodeTime(12, 0, 1)), "経過12:00:01");
    EXPECT_FALSE(TimerTexts::CountCaption(-1, remaining, elapsed));
}

TEST(TimerTexts, TheThreeNotices) {
    const Notice start = TimerTexts::ComposeNotice(false, false, EncodeTime(0, 3, 0));
    EXPECT_EQ(start.Kind, NoticeKind::Start);
    EXPECT_EQ(start.Label, "只今より 3分 経過したらお知らせします");
    EXPECT_EQ(start.Caption, "RimoTimeInformation タイマー起動");
    EXPECT_EQ(start.WindowHeight, 80);
    EXPECT_FALSE(start.CloseEnabled);
    EXPECT_FALSE(start.OkVisible);

    const Notice loop = TimerTexts::ComposeNotice(false, true, EncodeTime(1, 30, 5));
    EXPECT_EQ(loop.Label, "ご指定の 1時間 30分 5秒 毎にLoopします");
    EXPECT_EQ(loop.Caption, "RimoTimeInformation タイマーLoopモード");
    EXPECT_EQ(loop.WindowHeight, 100);
    EXPECT_TRUE(loop.CloseEnabled);
    EXPECT_TRUE(loop.OkVisible);
    EXPECT_EQ(loop.OkCaption, "停止");

    // The expiry notice wins over loop mode.
    const Notice expiry = TimerTexts::ComposeNotice(true, true, EncodeTime(0, 3, 0));
    EXPECT_EQ(expiry.Label, "ご指定の 3分 が経過しました");
    EXPECT_EQ(expiry.Caption, "RimoTimeInformation タイマー終了");
    EXPECT_EQ(expiry.WindowHeight, 100);
    EXPECT_EQ(expiry.OkCaption, "OK");
}

TEST(TimerTexts, OnlyAPathEndingInLowerCaseWavIsPlayed) {
    EXPECT_EQ(TimerTexts::WaveToPlay("\"/home/a b/ding.wav\""), "/home/a b/ding.wav");
    EXPECT_EQ(TimerTexts::WaveToPlay("/s/x\"y.wav"), "/s/xy.wav");
    for (const char* refused :
         {"/s/ding.WAV", "/s/ding.wav.bak", "/s/sounds.wav/ding", "/s/ding", "\"\"", ""}) {
        EXPECT_FALSE(TimerTexts::WaveToPlay(refused)) << refused;
    }
}

} // namespace
} // namespace rimo
