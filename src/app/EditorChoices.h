#pragma once

#include "desktop/TvScrSaver.h"
#include "schedule/ActionHost.h"
#include "schedule/ArgumentChoices.h"

#include <memory>

namespace rimo {

// The argument list of the schedule editor from the pages that own the
// choices: the launcher titles through the action host, the screen savers
// from the screen saver control (none while it does not exist).
class EditorChoices final : public ArgumentChoices {
public:
    EditorChoices(const ActionHost& host, const std::unique_ptr<TvScrSaver>& scrSaver)
        : host_(host), scrSaver_(scrSaver) {}

    std::vector<std::string> LauncherTitles() const override { return host_.LauncherPageTitles(); }
    std::vector<std::string> ScreenSaverList() const override {
        std::vector<std::string> list;
        if (scrSaver_) {
            scrSaver_->GetScreenSaverList(list);
        }
        return list;
    }

private:
    const ActionHost& host_;
    const std::unique_ptr<TvScrSaver>& scrSaver_;
};

} // namespace rimo
