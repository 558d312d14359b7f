#pragma once

#include <QByteArray>
#include <QIcon>

namespace rimo {

// The pictures and the help page compiled into the program.
struct AppResources {
    static constexpr int kFrameCount = 16;

    // Registers the compiled-in resources; they live in a static library,
    // whose registration nothing would otherwise pull into the program.
    static void Init();

    // The program's icon, at every size drawn.
    static QIcon MainIcon();
    // Tray animation frame "ICON0" to "ICON15".
    static QIcon FrameIcon(int frame);
    // The resource name of a frame: "ICON3".
    static QString FrameName(int frame);
    // The built-in help page (UTF-8 HTML).
    static QByteArray HelpPage();
};

} // namespace rimo
