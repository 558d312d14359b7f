#include "app/SecondTimer.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeSecondSource.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace rimo {
namespace {

constexpr std::int64_t kSecond = 1'800'000'000; // a Unix second

class SecondTimerTest : public ::testing::Test {
protected:
    SecondTimerTest() : clock_(kSecond * 1000 + 400) {
        timer_.SetEverySecond([this] { return everySecond_; });
        timer_.SetQuietWake([this](std::int64_t) { return quietWake_; });
    }
    static void Settle() { QCoreApplication::processEvents(); }

    FakeClock clock_;
    FakeSecondSource source_;
    SecondTimer timer_{source_, clock_};
    bool everySecond_ = true;
    std::int64_t quietWake_ = kSecond + 3600;
};

TEST_F(SecondTimerTest, TicksAtTheStartOfEachSecondOnlyWhileEnabled) {
    QSignalSpy ticks(&timer_, &SecondTimer::Tick);
    EXPECT_FALSE(source_.ArmedFor());
    timer_.SetEnabled(true);
    // No margin after the boundary: the source never wakes early.
    EXPECT_EQ(source_.ArmedFor(), kSecond + 1);
    ASSERT_TRUE(source_.Step(clock_));
    EXPECT_EQ(clock_.UnixMilliseconds(), (kSecond + 1) * 1000);
    EXPECT_EQ(source_.ArmedFor(), kSecond + 2);
    const int arms = source_.Arms();
    source_.Step(clock_);
    EXPECT_EQ(ticks.count(), 2);
    EXPECT_EQ(source_.Arms(), arms + 1); // once a tick
    QSignalSpy stopped(&timer_, &SecondTimer::Stopped);
    timer_.SetEnabled(false);
    EXPECT_FALSE(source_.ArmedFor());
    source_.Fire(); // a wake already under way when it stopped
    EXPECT_EQ(ticks.count(), 2);
    EXPECT_EQ(stopped.count(), 1);
    timer_.SetEnabled(true); // in the same second: armed again
    EXPECT_EQ(source_.ArmedFor(), kSecond + 3);
}

TEST_F(SecondTimerTest, SleepsUntilTheQuietWakeUnlessSomethingWantsTheNextTick) {
    everySecond_ = false;
    timer_.SetEnabled(true);
    EXPECT_EQ(source_.ArmedFor(), kSecond + 3600);
    EXPECT_TRUE(timer_.Quiet());
    // A text to refresh: one tick at the next second, then quiet again.
    timer_.TickSoon();
    timer_.TickSoon();
    Settle();
    EXPECT_EQ(source_.ArmedFor(), kSecond + 1);
    EXPECT_FALSE(timer_.Quiet());
    source_.Step(clock_);
    EXPECT_EQ(source_.ArmedFor(), kSecond + 3600);
    // Something per-second begins: armed anew once the event loop is back.
    everySecond_ = true;
    const int arms = source_.Arms();
    timer_.Replan();
    timer_.Replan();
    Settle();
    EXPECT_EQ(source_.Arms(), arms + 1);
    EXPECT_EQ(source_.ArmedFor(), kSecond + 2);
    // A wake is never in the past: one for a second gone is for the second now,
    // which comes at once.
    everySecond_ = false;
    quietWake_ = kSecond;
    timer_.Replan();
    Settle();
    EXPECT_EQ(source_.ArmedFor(), kSecond + 1);
}

TEST_F(SecondTimerTest, AClockChangeOrResumeTicksAtOnceWhateverItWaitedFor) {
    everySecond_ = false;
    timer_.SetEnabled(true);
    std::vector<SecondWake> wakes;
    QObject::connect(&timer_, &SecondTimer::Tick, [&](SecondWake why) { wakes.push_back(why); });
    clock_.SetByHand(-600'000);
    source_.Fire(SecondWake::ClockChanged);
    source_.Fire(SecondWake::Resumed);
    EXPECT_EQ(wakes, (std::vector<SecondWake>{SecondWake::ClockChanged, SecondWake::Resumed}));
    EXPECT_EQ(source_.ArmedFor(), kSecond + 3600);
}

TEST_F(SecondTimerTest, ATickWaitingInANestedLoopGetsEveryFollowingTick) {
    everySecond_ = false;
    timer_.SetEnabled(true);
    int ticks = 0;
    QObject::connect(&timer_, &SecondTimer::Tick, [&] {
        if (++ticks > 1) {
            return;
        }
        // The wait of an action: the ticks go on at every second meanwhile.
        EXPECT_EQ(source_.ArmedFor(), clock_.UnixMilliseconds() / 1000 + 1);
        source_.Step(clock_);
        timer_.Replan();
        Settle();
        EXPECT_FALSE(timer_.Quiet());
        source_.Step(clock_);
        quietWake_ = kSecond + 7200;
    });
    source_.Step(clock_);
    EXPECT_EQ(ticks, 3);
    // The outermost tick over, the timer sleeps again.
    EXPECT_TRUE(timer_.Quiet());
    EXPECT_EQ(source_.ArmedFor(), kSecond + 7200);
}

} // namespace
} // namespace rimo
