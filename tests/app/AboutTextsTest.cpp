#include "app/AboutTexts.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(AboutTexts, MemoryFiguresInWholeMegabytes) {
    EXPECT_EQ(AboutTexts::MemoryText({512 * kMiB, 200 * kMiB}), "空きﾒﾓﾘ： 200MB / 全ﾒﾓﾘ： 512MB");
    EXPECT_EQ(AboutTexts::Megabytes(2048 * kMiB), "2,048MB");
    EXPECT_EQ(AboutTexts::Megabytes(1'048'576 * kMiB), "1,048,576MB");
    EXPECT_EQ(AboutTexts::Megabytes(999 * kMiB), "999MB");
    // Rounded to the nearest MiB.
    EXPECT_EQ(AboutTexts::Megabytes(kMiB / 2 - 1), "0MB");
    EXPECT_EQ(AboutTexts::Megabytes(kMiB + kMiB / 2), "2MB");

    // 312 of 512 MiB in use: 60.9 %.
    EXPECT_EQ(AboutTexts::MemoryLoadText({512 * kMiB, 200 * kMiB}), "ﾒﾓﾘ使用率： 61%");
    EXPECT_EQ(AboutTexts::MemoryLoadText({0, 0}), "ﾒﾓﾘ使用率： 0%");
}

TEST(AboutTexts, ClockFromTwoCounterSamples) {
    // 2,394,000,000 cycles in one second.
    EXPECT_EQ(AboutTexts::Megahertz({1000, 5'000'000'000}, {2'394'001'000, 6'000'000'000}), 2394u);
    // The span actually passed counts, not the one asked for: 1.2 s.
    EXPECT_EQ(AboutTexts::Megahertz({0, 0}, {3'600'000'000, 1'200'000'000}), 3000u);
    EXPECT_FALSE(AboutTexts::Megahertz({5, 10}, {9, 10}).has_value());
    EXPECT_FALSE(AboutTexts::Megahertz({9, 10}, {5, 20}).has_value());
    EXPECT_FALSE(AboutTexts::Megahertz({0, 0}, {UINT64_MAX, 1}).has_value());
    EXPECT_EQ(AboutTexts::CpuClockText(2394), "CPU動作周波数： 2394MHz");
}

} // namespace
} // namespace rimo
