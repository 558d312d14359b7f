#include "platform/linux/LocalTimeZone.h"

#include "ZoneScope.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(LocalTimeZone, OffsetIncludesDaylightSaving) {
    const LocalTimeZone zone;
    {
        ZoneScope berlin("CET-1CEST,M3.5.0,M10.5.0/3");
        EXPECT_EQ(zone.OffsetSeconds(1735653598), 3600); // 31 December
        EXPECT_EQ(zone.OffsetSeconds(1719835200), 7200); // 1 July
    }
    {
        ZoneScope tokyo("JST-9");
        EXPECT_EQ(zone.OffsetSeconds(1719835200), 9 * 3600);
    }
    {
        ZoneScope newYork("EST5EDT,M3.2.0,M11.1.0");
        EXPECT_EQ(zone.OffsetSeconds(1719835200), -4 * 3600);
        EXPECT_EQ(zone.OffsetSeconds(1735653598), -5 * 3600);
    }
}

} // namespace
} // namespace rimo
