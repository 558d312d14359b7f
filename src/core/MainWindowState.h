#pragma once

#include <string>

namespace rimo {

// State of the main window that several parts share. Owned by TForm1 and
// handed by reference to the parts that read or set it.
struct MainWindowState {
    static constexpr const char* kProductTitle = "RimoTimeInformation     "; // five blanks

    // Roll state: 1 full height, -1 rolled up to the title bar; 0 until the settings are read.
    int ShowFlag = 0;
    // In the hidden mode, whether the main window is shown.
    bool MainWindowShown = true;
    // The text of the title bar (scrolled once a second).
    std::string TitleText = kProductTitle;
    // Rebuild TitleText from the next event at the next tick.
    bool TitleRefreshPending = false;
    // Run the current row once as a test at the next tick.
    bool TestRequested = false;
};

} // namespace rimo
