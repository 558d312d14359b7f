#include "net/SyncResultLine.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

DateTime At(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

TEST(SyncResultLine, SlowAndFastClocks) {
    EXPECT_EQ(FormatSyncResultLine(At(2025, 1, 1, 8, 59, 58), At(2025, 1, 1, 8, 59, 55)),
              "2025/01/01 8:59:58 +0/00:00:03");
    EXPECT_EQ(FormatSyncResultLine(At(2025, 1, 1, 8, 59, 58), At(2025, 1, 1, 9, 0, 3)),
              "2025/01/01 8:59:58 -0/00:00:05");
    EXPECT_EQ(FormatSyncResultLine(At(2025, 1, 1, 8, 59, 58), At(2025, 1, 1, 8, 59, 58)),
              "2025/01/01 8:59:58 +0/00:00:00");
    // Milliseconds of the old reading do not round the seconds up.
    EXPECT_EQ(FormatSyncResultLine(At(2025, 1, 1, 8, 59, 58), At(2025, 1, 1, 8, 59, 55, 400)),
              "2025/01/01 8:59:58 +0/00:00:02");
}

TEST(SyncResultLine, ServerADayBehindOrAhead) {
    EXPECT_EQ(FormatSyncResultLine(At(2024, 12, 31, 23, 59, 58), At(2025, 1, 1, 0, 0, 3)),
              "2024/12/31 23:59:58 -1/23:59:55");
    // A day ahead, but an earlier time of day: " -" and the day difference 1.
    EXPECT_EQ(FormatSyncResultLine(At(2025, 1, 1, 0, 0, 3), At(2024, 12, 31, 23, 59, 58)),
              "2025/01/01 0:00:03 -1/23:59:55");
    EXPECT_EQ(FormatSyncResultLine(At(2025, 1, 2, 0, 0, 3), At(2025, 1, 1, 0, 0, 0)),
              "2025/01/02 0:00:03 +1/00:00:03");
    EXPECT_EQ(FormatSyncResultLine(At(2025, 1, 1, 0, 0, 0), At(2025, 1, 3, 12, 0, 0)),
              "2025/01/01 -2/12:00:00");
}

TEST(SyncResultLine, MidnightShowsTheDateAlone) {
    EXPECT_EQ(FormatResultDateTime(At(2025, 1, 1, 0, 0, 0)), "2025/01/01");
    EXPECT_EQ(FormatResultDateTime(At(2025, 1, 1, 0, 0, 1)), "2025/01/01 0:00:01");
}

} // namespace
} // namespace rimo
