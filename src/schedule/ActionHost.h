#pragma once

#include "schedule/ActionResult.h"

#include <string>
#include <vector>

namespace rimo {

// What the scheduled actions need from other parts of the main window: the
// clock page, the launcher pages and options of other pages.
class ActionHost {
public:
    virtual ~ActionHost() = default;
    // Runs the clock synchronisation as the button "今すぐ実行" does
    // (GetTimeButtonClick); may wait with the event loop running. Says what
    // it came to: the offset, or the failure the user was shown.
    virtual ActionResult SynchroniseClock() = 0;
    // The launcher page titles in page order.
    virtual std::vector<std::string> LauncherPageTitles() const = 0;
    // Selects (opens) a launcher page by its index.
    virtual void SelectLauncherPage(int index) = 0;
    // Starts the checked buttons of the current launcher page (ButtonStartClick).
    virtual void StartCheckedLauncherButtons() = 0;
    // "変更後起動": start the screen saver after changing it.
    virtual bool StartScreenSaverAfterChange() const = 0;
    // "繰り返す(&R)": wave sounds loop.
    virtual bool LoopSound() const = 0;
    // A problem the user should hear about, without stopping the program.
    virtual void ReportProblem(const std::string& text) = 0;
};

// The message windows of the action "メッセージ".
class MessageWindowService {
public:
    virtual ~MessageWindowService() = default;
    // Shows a modeless message window ("H:M" and "%n" are handled there).
    virtual void DynamicForm(const std::string& message) = 0;
};

} // namespace rimo
