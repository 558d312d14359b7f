#pragma once

#include "schedule/ActionPlan.h"
#include "schedule/SchedulePass.h"

#include <filesystem>
#include <string>

namespace rimo {

class ActionHost;
class MessageWindowService;
class ProgramStarter;
class SoundService;
class TvScrSaver;
class WallpaperService;

// The services the actions are carried out through.
struct ActionServices {
    SoundService& Sound;
    ProgramStarter& Programs;
    WallpaperService& Wallpaper;
    TvScrSaver& ScreenSaver;
    MessageWindowService& Messages;
    ActionHost& Host;
    std::filesystem::path CompanionProgram; // the power companion "shutdown"
};

// Carries out the planned action of a row, and offers the two starters that
// the countdown timer shares: RunCommandLine and PlayWave.
class ActionRunner final : public ActionSteps {
public:
    explicit ActionRunner(ActionServices services);

    ActionPlan Plan(const ScheduleRow& row) override;
    ActionResult CarryOut(const ActionPlan& plan) override;

    // Splits the command (see SplitCommandLine) and starts the program
    // directly, in its own folder. A program that cannot be started is reported.
    ActionResult RunCommandLine(const std::string& command);
    // Plays a wave file, looping when "繰り返す(&R)" is ticked; empty: stops.
    void PlayWave(const std::string& path);

    // The power companion's command for a switch: the quoted path and the switch.
    std::string PowerCommand(const std::string& option) const;

    // From now on nothing is carried out and no service is touched (the
    // window is closing and the services are going away).
    void Stop() { stopped_ = true; }

private:
    void ScreenSave(const ActionPlan& plan);
    void Launcher(const std::string& title);

    ActionServices services_;
    bool stopped_ = false;
};

} // namespace rimo
