#pragma once

#include <string>
#include <vector>

namespace rimo {

// What the list over the argument cell offers: the launcher page titles for a
// "ランチャー" row, the installed screen savers for a "ScreenSave" row. The
// main window hands the editor the launcher's and the screen saver control's.
class ArgumentChoices {
public:
    virtual ~ArgumentChoices() = default;
    // The titles of the three launcher pages, in page order.
    virtual std::vector<std::string> LauncherTitles() const = 0;
    // Full paths of the installed screen savers, read afresh at each call.
    virtual std::vector<std::string> ScreenSaverList() const = 0;
};

// Until a launcher and a screen saver control are there: the launcher's
// designed titles and no screen savers.
class DefaultArgumentChoices final : public ArgumentChoices {
public:
    std::vector<std::string> LauncherTitles() const override {
        return {"タイトル１", "タイトル２", "タイトル３"}; // stored
    }
    std::vector<std::string> ScreenSaverList() const override { return {}; }
};

} // namespace rimo
