#include "platform/SystemInformation.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

TEST(MemInfo, TotalAndAvailableFromTheKernelsText) {
    const auto status = ParseMemInfo("MemTotal:         524288 kB\n"
                                     "MemFree:           10240 kB\n"
                                     "MemAvailable:     204800 kB\n"
                                     "Buffers:            2048 kB\n");
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->TotalBytes, 512 * kMiB);
    EXPECT_EQ(status->AvailableBytes, 200 * kMiB);

    // Kernels before MemAvailable: free, buffers and cache.
    const auto old = ParseMemInfo("MemTotal: 2097152 kB\nMemFree: 1024 kB\nBuffers: 1024 kB\n"
                                  "Cached: 2048 kB\nSwapCached: 99999 kB\n");
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(old->TotalBytes, 2048 * kMiB);
    EXPECT_EQ(old->AvailableBytes, 4 * kMiB);

    EXPECT_FALSE(ParseMemInfo("").has_value());
    EXPECT_FALSE(ParseMemInfo("MemTotal: lots kB\n").has_value());
    EXPECT_FALSE(ParseMemInfo("MemTotalX: 5 kB\n").has_value());
    EXPECT_FALSE(ParseMemInfo("MemTotal: 99999999999999999999 kB\n").has_value());
}

} // namespace
} // namespace rimo
