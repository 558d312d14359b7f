#include "net/BuildDate.h"

#include <string_view>

#ifndef RIMO_BUILD_DATE
#error "RIMO_BUILD_DATE (yyyy-mm-dd) comes from the build"
#endif

namespace rimo {

namespace {

constexpr int Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

constexpr std::string_view kBuildDate = RIMO_BUILD_DATE;
static_assert(kBuildDate.size() == 10 && kBuildDate[4] == '-' && kBuildDate[7] == '-');

} // namespace

DateTime BuildDate() {
    return EncodeDate(Digits(kBuildDate, 0, 4), Digits(kBuildDate, 5, 2), Digits(kBuildDate, 8, 2));
}

} // namespace rimo
