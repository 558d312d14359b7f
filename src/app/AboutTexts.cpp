#include "app/AboutTexts.h"

#include <cmath>

#ifndef RIMO_VERSION
#error "RIMO_VERSION is given by the build (the CMake project version)"
#endif

namespace rimo {

namespace {

// The nearest whole number of a / b, halves away from zero (b > 0).
std::uint64_t RoundedQuotient(std::uint64_t a, std::uint64_t b) {
    return a / b + (a % b >= b - a % b ? 1 : 0);
}

} // namespace

std::string AboutTexts::VersionLine() {
    return "RimoTimeInformation for Linux Version" RIMO_VERSION;
}

std::string AboutTexts::Megabytes(std::uint64_t bytes) {
    const std::string digits = std::to_string(RoundedQuotient(bytes, 1024 * 1024));
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text + "MB";
}

Message AboutTexts::MemoryText(const MemoryStatus& memory) {
    return Translatable("rimo::AboutTexts", "空きﾒﾓﾘ： %1 / 全ﾒﾓﾘ： %2")
        .Arg(Megabytes(memory.AvailableBytes))
        .Arg(Megabytes(memory.TotalBytes));
}

Message AboutTexts::MemoryLoadText(const MemoryStatus& memory) {
    std::uint64_t percent = 0;
    if (memory.TotalBytes > 0 && memory.AvailableBytes <= memory.TotalBytes) {
        const long double used = memory.TotalBytes - memory.AvailableBytes;
        percent = static_cast<std::uint64_t>(std::llround(used * 100 / memory.TotalBytes));
    }
    return Translatable("rimo::AboutTexts", "ﾒﾓﾘ使用率： %1%").Arg(std::to_string(percent));
}

std::optional<std::uint64_t> AboutTexts::Megahertz(const CounterSample& first,
                                                   const CounterSample& second) {
    if (second.Nanoseconds <= first.Nanoseconds || second.Cycles < first.Cycles) {
        return std::nullopt;
    }
    // Cycles per microsecond, from the nanoseconds actually passed.
    const long double cycles = second.Cycles - first.Cycles;
    const long double microseconds = (second.Nanoseconds - first.Nanoseconds) / 1000.0L;
    const long double megahertz = cycles / microseconds;
    if (!(megahertz < 1e12L)) {
        return std::nullopt; // a counter that jumped
    }
    return static_cast<std::uint64_t>(std::llround(megahertz));
}

Message AboutTexts::CpuClockText(std::uint64_t megahertz) {
    return Translatable("rimo::AboutTexts", "CPU動作周波数： %1MHz").Arg(std::to_string(megahertz));
}

} // namespace rimo
