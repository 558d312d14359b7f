#include "platform/linux/LinuxSystemInformation.h"

#include "core/FileIo.h"

#include <sys/sysinfo.h>
#include <time.h>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace rimo {

namespace {

std::int64_t MonotonicNanoseconds() {
    timespec now{};
    // Not slewed by time synchronisation, so a span is the hardware's.
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

std::uint64_t Cycles(std::int64_t nanoseconds) {
#if defined(__x86_64__) || defined(__i386__)
    (void)nanoseconds;
    return __rdtsc();
#elif defined(__aarch64__)
    (void)nanoseconds;
    std::uint64_t counter = 0;
    asm volatile("isb; mrs %0, cntvct_el0" : "=r"(counter));
    return counter;
#else
    return static_cast<std::uint64_t>(nanoseconds);
#endif
}

} // namespace

std::optional<MemoryStatus> LinuxSystemInformation::Memory() {
    Message error;
    if (const std::optional<std::string> text = ReadWholeFile("/proc/meminfo", &error)) {
        if (std::optional<MemoryStatus> status = ParseMemInfo(*text)) {
            return status;
        }
    }
    struct sysinfo info {};
    if (sysinfo(&info) != 0) {
        return std::nullopt;
    }
    MemoryStatus status;
    status.TotalBytes = std::uint64_t{info.totalram} * info.mem_unit;
    status.AvailableBytes = (std::uint64_t{info.freeram} + info.bufferram) * info.mem_unit;
    return status;
}

CounterSample LinuxSystemInformation::SampleCounter() {
    CounterSample sample;
    sample.Nanoseconds = MonotonicNanoseconds();
    sample.Cycles = Cycles(sample.Nanoseconds);
    return sample;
}

} // namespace rimo
