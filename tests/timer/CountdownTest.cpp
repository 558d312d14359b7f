#include "timer/Countdown.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rimo {
namespace {

using ::testing::ElementsAre;

const DateTime kThreeMinutes = EncodeTime(0, 3, 0);
const DateTime kTenMinutes = EncodeTime(0, 10, 0);

// The page and the dialog as the step sees them: what it asked for, in order.
// Closing the dialog stops the timer as the page's stop does.
class RecordingSteps final : public CountdownSteps {
public:
    explicit RecordingSteps(Countdown& countdown) : countdown_(countdown) {}

    CountdownOptions Options() override { return options; }
    void MinimiseNotice() override { calls.push_back("minimise"); }
    void CloseNotice() override {
        calls.push_back("close");
        countdown_.State().NoticeTicks = 0;
        countdown_.Stop();
    }
    void ShowNoticeInFront() override {
        calls.push_back(countdown_.State().CountdownFired ? "expiry notice" : "other notice");
    }
    void StartAgain() override {
        calls.push_back("start");
        countdown_.Start(duration, now);
    }
    void Beep() override { calls.push_back("beep"); }
    void PlayWave(const std::string& path) override { calls.push_back("wave " + path); }
    void RunCommandLine(const std::string& command) override { calls.push_back("run " + command); }
    void SetNoticeCaption(const std::string& caption) override { captions.push_back(caption); }

    CountdownOptions options;
    DateTime duration = kThreeMinutes;
    std::int64_t now = 0;
    std::vector<std::string> calls;
    std::vector<std::string> captions;

private:
    Countdown& countdown_;
};

// A countdown driven tick by tick on an elapsed-time clock of the test's own;
// the ticks come every second, the first 0.2 s after a start.
class CountdownTest : public ::testing::Test {
protected:
    CountdownTest() : steps_(countdown_) {}

    void StartBetweenTicks(DateTime duration) {
        steps_.duration = duration;
        Tick(); // the tick before the start, while idle
        ASSERT_TRUE(countdown_.Start(duration, now_ + 800));
    }
    // The next tick, `lateMs` after its second.
    void Tick(std::int64_t lateMs = 0) {
        now_ += 1000;
        steps_.now = now_ + lateMs;
        countdown_.Step(now_ + lateMs, steps_);
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }
    std::string LastCaption() const {
        return steps_.captions.empty() ? "" : steps_.captions.back();
    }
    const CountdownState& State() const { return countdown_.State(); }

    Countdown countdown_;
    RecordingSteps steps_;
    std::int64_t now_ = 7'000'000;
};

TEST_F(CountdownTest, AThreeMinuteTimerCountsDownTickByTick) {
    StartBetweenTicks(kThreeMinutes);
    Ticks(3);
    EXPECT_THAT(steps_.captions, ElementsAre("残り0:02:59", "残り0:02:58", "残り0:02:57"));
    // The notice is minimised at the third tick, and only then.
    EXPECT_THAT(steps_.calls, ElementsAre("minimise"));
    Ticks(100);
    EXPECT_THAT(steps_.calls, ElementsAre("minimise"));
    EXPECT_EQ(State().ElapsedTime, EncodeTime(0, 1, 43));
}

TEST_F(CountdownTest, CountingUpShowsTheElapsedTimeAndStillExpiresAfterTheDuration) {
    steps_.options.TimeCount = 1;
    StartBetweenTicks(kThreeMinutes);
    Tick();
    EXPECT_EQ(LastCaption(), "経過0:00:01");
    Ticks(178);
    EXPECT_EQ(LastCaption(), "経過0:02:59");
    EXPECT_TRUE(State().CountdownRunning);
    Tick();
    EXPECT_FALSE(State().CountdownRunning);
    EXPECT_EQ(steps_.calls.back(), "expiry notice");
    // Another caption index shows nothing.
    steps_.options.TimeCount = 2;
    steps_.captions.clear();
    StartBetweenTicks(kThreeMinutes);
    Ticks(2);
    EXPECT_TRUE(steps_.captions.empty());
}

TEST_F(CountdownTest, AtExpiryTheNoticeComesToTheFrontThenBeepSoundAndProgramRunInOrder) {
    steps_.options = {.Loop = false,
                      .Beep = true,
                      .Sound = true,
                      .Path = true,
                      .TimeCount = 0,
                      .WavePath = "\"/snd/ding.wav\"",
                      .Command = "\"/bin/app\" -x"};
    StartBetweenTicks(kThreeMinutes);
    Ticks(179);
    EXPECT_EQ(LastCaption(), "残り0:00:01");
    steps_.calls.clear();
    const std::size_t captions = steps_.captions.size();
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("close", "expiry notice", "beep", "wave /snd/ding.wav",
                                          "run \"/bin/app\" -x"));
    EXPECT_FALSE(State().CountdownRunning);
    EXPECT_FALSE(State().CountdownFired);
    EXPECT_EQ(State().RemainingTime, 0);
    // Nothing counts any more; the expiry notice keeps its caption.
    Ticks(5);
    EXPECT_EQ(steps_.calls.size(), 5u);
    EXPECT_EQ(steps_.captions.size(), captions);
}

TEST_F(CountdownTest, ASoundNotEndingInWavIsNotPlayedButStillEndsTheCountdown) {
    steps_.options.Sound = true;
    steps_.options.WavePath = "/snd/ding.WAV";
    StartBetweenTicks(EncodeTime(0, 0, 5));
    Ticks(5);
    EXPECT_THAT(steps_.calls, ElementsAre("minimise", "close", "expiry notice"));
    EXPECT_FALSE(State().CountdownRunning);
}

TEST_F(CountdownTest, InLoopModeTheActionsRunAndTheCountdownRestartsFromTheFullDuration) {
    steps_.options.Loop = true;
    steps_.options.Beep = true;
    steps_.duration = EncodeTime(0, 1, 0);
    StartBetweenTicks(EncodeTime(0, 1, 0));
    Ticks(59);
    steps_.calls.clear();
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("close", "expiry notice", "close", "start", "beep"));
    EXPECT_TRUE(State().CountdownRunning);
    EXPECT_FALSE(State().CountdownFired);
    EXPECT_EQ(LastCaption(), "残り0:01:00");
    Tick();
    EXPECT_EQ(LastCaption(), "残り0:00:59");
    // A full minute later it expires again.
    steps_.calls.clear();
    Ticks(59);
    EXPECT_THAT(steps_.calls,
                ElementsAre("minimise", "close", "expiry notice", "close", "start", "beep"));

    // Stopped during the loop: nothing more happens.
    Ticks(10);
    countdown_.Stop();
    steps_.calls.clear();
    steps_.captions.clear();
    Ticks(120);
    EXPECT_TRUE(steps_.calls.empty());
    EXPECT_TRUE(steps_.captions.empty());
}

TEST_F(CountdownTest, TheTestRunsTheActionsOnceAtTheNextTickWithoutCounting) {
    steps_.options.Beep = true;
    countdown_.Test();
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("beep"));
    EXPECT_TRUE(steps_.captions.empty());
    EXPECT_FALSE(State().CountdownRunning);
    Ticks(3);
    EXPECT_THAT(steps_.calls, ElementsAre("beep"));

    // With no action ticked the test stays running, and nothing happens.
    steps_.options.Beep = false;
    countdown_.Test();
    Ticks(5);
    EXPECT_TRUE(State().CountdownRunning);
    EXPECT_TRUE(State().CountdownTestMode);
    EXPECT_THAT(steps_.calls, ElementsAre("beep"));
    EXPECT_TRUE(steps_.captions.empty());
    // Until the next start, which counts again.
    StartBetweenTicks(kThreeMinutes);
    Tick();
    EXPECT_EQ(LastCaption(), "残り0:02:59");
}

TEST_F(CountdownTest, ASuspendInsideTheCountdownIsCounted) {
    StartBetweenTicks(kTenMinutes);
    Ticks(100);
    EXPECT_EQ(LastCaption(), "残り0:08:20");
    // Three minutes asleep: no ticks, but the time passed.
    now_ += 180'000;
    Tick();
    EXPECT_EQ(LastCaption(), "残り0:05:19");
    Ticks(318);
    EXPECT_TRUE(State().CountdownRunning);
    Tick();
    EXPECT_FALSE(State().CountdownRunning);
    EXPECT_EQ(steps_.calls.back(), "expiry notice");
}

TEST_F(CountdownTest, AnEndThatPassedDuringASuspendFiresAtTheFirstTickAfter) {
    steps_.options.Path = true;
    steps_.options.Command = "\"/bin/app\"";
    StartBetweenTicks(kTenMinutes);
    Ticks(10);
    now_ += 15 * 60'000;
    steps_.calls.clear();
    Tick();
    EXPECT_THAT(steps_.calls, ElementsAre("close", "expiry notice", "run \"/bin/app\""));
    EXPECT_EQ(State().RemainingTime, 0);
    EXPECT_EQ(State().ElapsedTime, kTenMinutes);
}

TEST_F(CountdownTest, DelayedTicksShowTheTrueTimeLeft) {
    StartBetweenTicks(kThreeMinutes);
    Ticks(3);
    // The next three ticks are held up by load and come at once, late.
    now_ += 3000;
    Tick(300);
    Tick(310);
    EXPECT_EQ(steps_.captions[3], "残り0:02:53");
    EXPECT_EQ(steps_.captions[4], "残り0:02:52");
    // Each late tick counts its own second: none is lost or counted twice.
    Tick(-20);
    Tick(450);
    Tick();
    EXPECT_THAT(std::vector(steps_.captions.begin() + 5, steps_.captions.end()),
                ElementsAre("残り0:02:51", "残り0:02:50", "残り0:02:49"));
}

TEST_F(CountdownTest, AZeroDurationDoesNotStartAndNoChoiceKeepsThePreviousTime) {
    EXPECT_FALSE(countdown_.Start(0, now_));
    EXPECT_FALSE(countdown_.Start(std::nullopt, now_));
    EXPECT_FALSE(State().CountdownRunning);

    StartBetweenTicks(kThreeMinutes);
    Ticks(10);
    countdown_.Stop();
    // No item chosen: the time left of the stopped countdown.
    ASSERT_TRUE(countdown_.Start(std::nullopt, now_ + 1));
    steps_.captions.clear();
    Tick();
    EXPECT_EQ(LastCaption(), "残り0:02:49");
    // After an expiry nothing is left: no start.
    Ticks(169);
    EXPECT_FALSE(State().CountdownRunning);
    EXPECT_FALSE(countdown_.Start(std::nullopt, now_));
}

} // namespace
} // namespace rimo
