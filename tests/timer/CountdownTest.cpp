#include "timer/Countdown.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rimo {
namespace {

using ::testing::ElementsAre;

const DateTime kThreeMinutes = EncodeTime(0, 3, 0);

// The page and the dialog as the step sees them: what it asked for, in order.
// Closing the dialog stops the timer, as on the page.
class RecordingSteps final : public CountdownSteps {
public:
    explicit RecordingSteps(Countdown& countdown) : countdown_(countdown) {}
    CountdownOptions Options() override { return options; }
    void MinimiseNotice() override { calls.push_back("minimise"); }
    void CloseNotice() override {
        calls.push_back("close");
        countdown_.Stop();
    }
    void ShowNoticeInFront() override { calls.push_back("show"); }
    void StartAgain() override {
        calls.push_back("start");
        countdown_.Start(duration, now);
    }
    void Beep() override { calls.push_back("beep"); }
    void PlayWave(const std::string& path) override { calls.push_back("wave " + path); }
    void RunCommandLine(const std::string& command) override { calls.push_back("run " + command); }
    void SetNoticeCaption(const std::string& caption) override { captions.push_back(caption); }

    CountdownOptions options;
    DateTime duration = 0; // of the current quick choice
    std::int64_t now = 0;
    std::vector<std::string> calls;
    std::vector<std::string> captions;

private:
    Countdown& countdown_;
};

// Ticks every second on an elapsed-time clock of the test's own; a start
// comes 0.8 s after a tick.
class CountdownTest : public ::testing::Test {
protected:
    void Start(DateTime duration) {
        steps_.duration = duration;
        Tick();
        ASSERT_TRUE(countdown_.Start(duration, now_ + 800, 800));
    }
    // The next tick(s), `lateMs` after their second.
    void Tick(int count = 1, std::int64_t lateMs = 0) {
        for (int i = 0; i < count; ++i) {
            now_ += 1000;
            steps_.now = now_ + lateMs;
            countdown_.Step(now_ + lateMs, steps_);
        }
    }
    std::string Caption() const { return steps_.captions.empty() ? "" : steps_.captions.back(); }
    bool Running() const { return countdown_.State().CountdownRunning; }

    Countdown countdown_;
    RecordingSteps steps_{countdown_};
    std::int64_t now_ = 7'000'000;
};

TEST_F(CountdownTest, TheCaptionCountsDownOrUpTickByTick) {
    Start(kThreeMinutes);
    Tick(3);
    EXPECT_THAT(steps_.captions, ElementsAre("残り0:02:59", "残り0:02:58", "残り0:02:57"));
    Tick(100);
    // The notice is minimised at the third tick only.
    EXPECT_THAT(steps_.calls, ElementsAre("minimise"));

    steps_.options.TimeCount = 1;
    Start(kThreeMinutes);
    Tick();
    EXPECT_EQ(Caption(), "経過0:00:01");
    // Counting up still ends after the duration.
    Tick(178);
    EXPECT_TRUE(Running());
    Tick();
    EXPECT_FALSE(Running());
}

TEST_F(CountdownTest, AtExpiryTheNoticeComesToTheFrontThenBeepSoundAndProgramRunInOrder) {
    steps_.options = {.Loop = false,
                      .Beep = true,
                      .Sound = true,
                      .Path = true,
                      .TimeCount = 0,
                      .WavePath = "\"/snd/ding.wav\"",
                      .Command = "\"/bin/app\" -x"};
    Start(kThreeMinutes);
    Tick(179);
    EXPECT_EQ(Caption(), "残り0:00:01");
    steps_.calls.clear();
    Tick();
    EXPECT_THAT(steps_.calls,
                ElementsAre("close", "show", "beep", "wave /snd/ding.wav", "run \"/bin/app\" -x"));
    EXPECT_FALSE(Running());
    EXPECT_FALSE(countdown_.State().CountdownFired);
    // Nothing counts any more.
    const std::size_t captions = steps_.captions.size();
    Tick(5);
    EXPECT_EQ(steps_.calls.size(), 5u);
    EXPECT_EQ(steps_.captions.size(), captions);
}

TEST_F(CountdownTest, InLoopModeTheCountdownRestartsFromTheFullDurationUntilStopped) {
    steps_.options.Loop = true;
    steps_.options.Beep = true;
    Start(EncodeTime(0, 1, 0));
    Tick(59);
    steps_.calls.clear();
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("close", "show", "close", "start", "beep"));
    EXPECT_TRUE(Running());
    EXPECT_EQ(Caption(), "残り0:01:00");
    Tick(60);
    EXPECT_EQ(std::count(steps_.calls.begin(), steps_.calls.end(), "beep"), 2);

    Tick(10);
    countdown_.Stop();
    steps_.calls.clear();
    Tick(120);
    EXPECT_TRUE(steps_.calls.empty());
}

TEST_F(CountdownTest, TheTestRunsTheActionsAtTheNextTickWithoutCounting) {
    steps_.options.Beep = true;
    countdown_.Test();
    Tick(4);
    EXPECT_THAT(steps_.calls, ElementsAre("beep"));
    EXPECT_TRUE(steps_.captions.empty());
    // With no action ticked nothing happens.
    steps_.options.Beep = false;
    countdown_.Test();
    Tick(5);
    EXPECT_FALSE(Running());
    EXPECT_THAT(steps_.calls, ElementsAre("beep"));
    Start(kThreeMinutes);
    Tick();
    EXPECT_EQ(Caption(), "残り0:02:59");
}

TEST_F(CountdownTest, StartAndStopAfterATestInTheSameSecondCountAsUsual) {
    steps_.options.Beep = true;
    // Test, stop, start: the stop drops the test; the start counts to its end.
    countdown_.Test();
    countdown_.Stop();
    Start(kThreeMinutes);
    Tick();
    EXPECT_TRUE(steps_.calls.empty());
    EXPECT_FALSE(countdown_.State().CountdownFired);
    Tick(178);
    EXPECT_TRUE(Running());
    EXPECT_EQ(Caption(), "残り0:00:01");
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("minimise", "close", "show", "beep"));

    // Test, start: the test still runs once at the next tick; the countdown goes on.
    steps_.calls.clear();
    countdown_.Test();
    ASSERT_TRUE(countdown_.Start(kThreeMinutes, now_ + 800, 800));
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("beep"));
    EXPECT_TRUE(Running());
    EXPECT_EQ(Caption(), "残り0:02:59");
    // A test while counting: the countdown loses nothing.
    countdown_.Test();
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("beep", "beep"));
    EXPECT_EQ(Caption(), "残り0:02:58");
}

TEST_F(CountdownTest, TheFirstTickCountsOneSecondWhenTheStartComesAfterALongGap) {
    Tick();
    now_ += 3'600'000; // an hour without ticks (asleep)
    steps_.duration = kThreeMinutes;
    ASSERT_TRUE(countdown_.Start(kThreeMinutes, now_ + 150, 150));
    Tick();
    EXPECT_EQ(Caption(), "残り0:02:59");
    Tick(179);
    EXPECT_FALSE(Running());
}

TEST_F(CountdownTest, TimePassedInASuspendIsCounted) {
    Start(EncodeTime(0, 10, 0));
    Tick(100);
    EXPECT_EQ(Caption(), "残り0:08:20");
    now_ += 180'000; // three minutes asleep
    Tick();
    EXPECT_EQ(Caption(), "残り0:05:19");
    Tick(318);
    EXPECT_TRUE(Running());
    Tick();
    EXPECT_FALSE(Running());

    // An end that passed while asleep fires at the first tick after.
    steps_.options.Path = true;
    Start(EncodeTime(0, 10, 0));
    Tick(10);
    now_ += 15 * 60'000;
    steps_.calls.clear();
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("close", "show", "run "));
    EXPECT_EQ(countdown_.State().RemainingTime, 0);
}

TEST_F(CountdownTest, DelayedTicksShowTheTrueTimeLeftAndLoseNoSecond) {
    Start(kThreeMinutes);
    Tick(3);
    now_ += 3000; // three ticks held up by load
    Tick(1, 300);
    Tick(1, 310);
    Tick(1, -20);
    Tick(1, 450);
    Tick();
    EXPECT_THAT(
        std::vector(steps_.captions.begin() + 3, steps_.captions.end()),
        ElementsAre("残り0:02:53", "残り0:02:52", "残り0:02:51", "残り0:02:50", "残り0:02:49"));
}

TEST_F(CountdownTest, AZeroDurationDoesNotStartAndNoChoiceKeepsTheTimeLeft) {
    EXPECT_FALSE(countdown_.Start(0, now_));
    EXPECT_FALSE(countdown_.Start(std::nullopt, now_));
    EXPECT_FALSE(Running());

    Start(kThreeMinutes);
    Tick(10);
    countdown_.Stop();
    ASSERT_TRUE(countdown_.Start(std::nullopt, now_ + 1));
    Tick();
    EXPECT_EQ(Caption(), "残り0:02:49");
    Tick(169);
    EXPECT_FALSE(Running());
    EXPECT_FALSE(countdown_.Start(std::nullopt, now_));
}

} // namespace
} // namespace rimo
