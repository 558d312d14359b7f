#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace rimo {

// Sets this process's time zone (TZ) for one scope and restores it.
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
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;

private:
    std::string saved_;
    bool hadZone_ = false;
};

} // namespace rimo
