#include "platform/linux/LocalTimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace rimo {
namespace {

// Sets TZ for one test and restores it.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            saved_ = old;
            hadZone_ = true;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneScope() {
        if (hadZone_) {
            ::setenv("TZ", saved_.c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

private:
    std::string saved_;
    bool hadZone_ = false;
};

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
