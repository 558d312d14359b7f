#pragma once

#include "schedule/ActionHost.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace rimo {

// The scheduled actions' view of the other pages. Each side is a hook the
// composition root sets when that page exists; until then the clock and
// launcher sides are logged no-ops, the options are read from the check
// boxes of their own names (off when there is none), and the launcher
// titles are the default ones.
class AppActionHost final : public ActionHost {
public:
    explicit AppActionHost(QWidget& mainWindow);

    // GetTimeButtonClick of the clock page, saying what it came to.
    std::function<ActionResult()> OnSynchroniseClock;
    // The items of RadioGroupLaunchTitle, in page order.
    std::function<std::vector<std::string>()> OnLauncherPageTitles;
    // Assigning the index to RadioGroupLaunchTitle (which opens the page).
    std::function<void(int)> OnSelectLauncherPage;
    // ButtonStartClick of the launcher.
    std::function<void()> OnStartCheckedLauncherButtons;
    // "繰り返す(&R)" of the timer page.
    std::function<bool()> OnLoopSound;

    ActionResult SynchroniseClock() override;
    std::vector<std::string> LauncherPageTitles() const override;
    void SelectLauncherPage(int index) override;
    void StartCheckedLauncherButtons() override;
    bool StartScreenSaverAfterChange() const override; // "CheckBoxScrSaver"
    bool LoopSound() const override;                   // the timer page's "CheckBoxSoundLoop"
    void ReportProblem(const std::string& text) override;

private:
    bool Checked(const char* name) const;

    QWidget& mainWindow_;
};

} // namespace rimo
