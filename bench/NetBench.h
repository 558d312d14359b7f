#pragma once

// What the benchmarks of the network exchanges share: a core application
// (the exchanges need only an event loop) and the process's processor time.

#include <QCoreApplication>

#include <ctime>

namespace rimo {

inline void EnsureApplication() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "rimo_bench";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
}

inline double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace rimo
