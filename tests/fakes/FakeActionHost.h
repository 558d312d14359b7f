#pragma once

#include "schedule/ActionHost.h"

#include <functional>
#include <string>
#include <vector>

namespace rimo {

// The other pages, as far as the actions see them; records what they are asked.
class FakeActionHost final : public ActionHost {
public:
    ActionResult SynchroniseClock() override {
        ++Synchronisations;
        if (DuringSynchronisation) {
            DuringSynchronisation();
        }
        return SynchronisationResult;
    }
    std::vector<std::string> LauncherPageTitles() const override { return Titles; }
    void SelectLauncherPage(int index) override { CurrentPage = index; }
    void StartCheckedLauncherButtons() override { StartedPages.push_back(CurrentPage); }
    bool StartScreenSaverAfterChange() const override { return ScrSaverAfterChange; }
    bool LoopSound() const override { return SoundLoop; }
    void ReportProblem(const std::string& text) override { Problems.push_back(text); }

    int Synchronisations = 0;
    std::function<void()> DuringSynchronisation; // runs inside, as a nested event loop would
    ActionResult SynchronisationResult;
    std::vector<std::string> Titles{"タイトル１", "タイトル２", "タイトル３"};
    int CurrentPage = 0;
    std::vector<int> StartedPages;
    bool ScrSaverAfterChange = false;
    bool SoundLoop = false;
    std::vector<std::string> Problems;
};

// Records the message windows asked for.
class FakeMessageWindows final : public MessageWindowService {
public:
    void DynamicForm(const std::string& message) override { Messages.push_back(message); }
    std::vector<std::string> Messages;
};

} // namespace rimo
