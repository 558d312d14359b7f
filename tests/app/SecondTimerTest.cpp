#include "app/SecondTimer.h"

#include "fakes/FakeClock.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(SecondTimer, FiresJustAfterTheNextSecondBoundary) {
    EXPECT_EQ(SecondTimer::DelayToNextTick(1'000'000), 1000 + SecondTimer::kAfterBoundaryMs);
    EXPECT_EQ(SecondTimer::DelayToNextTick(1'000'999), 1 + SecondTimer::kAfterBoundaryMs);
    EXPECT_EQ(SecondTimer::DelayToNextTick(1'000'400), 600 + SecondTimer::kAfterBoundaryMs);
    EXPECT_EQ(SecondTimer::DelayToNextTick(-1), 1 + SecondTimer::kAfterBoundaryMs);
}

TEST(SecondTimer, TicksOnlyWhileEnabled) {
    FakeClock clock(1'000'995); // 5 ms before a boundary
    SecondTimer timer(clock);
    QSignalSpy ticks(&timer, &SecondTimer::Tick);
    timer.SetEnabled(true);
    EXPECT_TRUE(ticks.wait(500));
    EXPECT_EQ(ticks.count(), 1);
    timer.SetEnabled(false);
    EXPECT_FALSE(ticks.wait(1200));
    EXPECT_EQ(ticks.count(), 1);
}

} // namespace
} // namespace rimo
