#pragma once

#include <QApplication>

namespace rimo {

// The one application object of the benchmarks (offscreen unless a platform is named).
inline QApplication& BenchApp() {
    static int argc = 1;
    static char name[] = "rimo_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

} // namespace rimo
