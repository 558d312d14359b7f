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
    // Never destroyed: at exit its destructor would run after statics of Qt
    // Gui that its post routines still use (a crash after the last benchmark).
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace rimo
