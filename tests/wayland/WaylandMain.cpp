// The Wayland tests run in one process against one compositor, named by
// RIMO_TEST_COMPOSITOR (weston, the default, or mutter). When it cannot
// start, every test is skipped with the reason.
#include "wayland/Compositor.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    const char* kind = std::getenv("RIMO_TEST_COMPOSITOR");
    rimo::test::Compositor compositor(kind && *kind ? kind : "weston");
    rimo::test::Compositor::Current() = &compositor;
    setenv("QT_QPA_PLATFORM", compositor.Ready() ? "wayland" : "offscreen", 1);
    // No desktop's own platform theme: the generic one (with the D-Bus tray).
    unsetenv("QT_QPA_PLATFORMTHEME");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    rimo::test::Compositor::Current() = nullptr;
    return result;
}
