#include "schedule/ActionRunner.h"

#include "desktop/TvScrSaver.h"
#include "platform/ProgramStarter.h"
#include "platform/SoundService.h"
#include "platform/WallpaperService.h"
#include "schedule/ActionHost.h"
#include "schedule/CommandLine.h"

#include <vector>

namespace rimo {

ActionRunner::ActionRunner(ActionServices services) : services_(std::move(services)) {}

ActionPlan ActionRunner::Plan(const ScheduleRow& row) {
    if (stopped_) {
        return {};
    }
    const TvScrSaver& screenSaver = services_.ScreenSaver;
    return PlanAction(row, [&screenSaver](const std::string& path) {
        return screenSaver.IsScreenSaverProgram(path);
    });
}

ActionResult ActionRunner::CarryOut(const ActionPlan& plan) {
    if (stopped_) {
        return {};
    }
    switch (plan.Kind) {
    case ActionKind::None:
        break;
    case ActionKind::Beep:
        services_.Sound.Beep();
        break;
    case ActionKind::Message:
        // A running screen saver would hide the message.
        services_.ScreenSaver.ReadSettings();
        if (services_.ScreenSaver.StoredActive()) {
            services_.ScreenSaver.WakeFromScreenSaver();
        }
        services_.Messages.DynamicForm(plan.Argument);
        break;
    case ActionKind::Start:
        return RunCommandLine(plan.Argument);
    case ActionKind::SyncClock:
        return services_.Host.SynchroniseClock();
    case ActionKind::ScreenSave:
        ScreenSave(plan);
        break;
    case ActionKind::Wallpaper: {
        ActionHost& host = services_.Host;
        services_.Wallpaper.SetWallpaper(
            plan.Argument, [&host](const std::string& problem) { host.ReportProblem(problem); });
        break;
    }
    case ActionKind::Sound:
        PlayWave(plan.Argument);
        break;
    case ActionKind::Launcher:
        Launcher(plan.Argument);
        break;
    case ActionKind::Power:
        return RunCommandLine(PowerCommand(plan.Argument));
    }
    return {};
}

void ActionRunner::ScreenSave(const ActionPlan& plan) {
    TvScrSaver& screenSaver = services_.ScreenSaver;
    const bool startAfter = services_.Host.StartScreenSaverAfterChange();
    screenSaver.ReadSettings();
    if (startAfter && screenSaver.StoredActive()) {
        screenSaver.WakeFromScreenSaver();
    }
    if (plan.SetScreenSaver) {
        screenSaver.SetScreenSaverName(plan.Argument);
        screenSaver.WriteSettings();
    }
    if (startAfter) {
        ActionHost& host = services_.Host;
        screenSaver.StartScreenSaver(
            [&host](const std::string& problem) { host.ReportProblem(problem); });
    }
}

void ActionRunner::Launcher(const std::string& title) {
    ActionHost& host = services_.Host;
    const std::vector<std::string> titles = host.LauncherPageTitles();
    int page = -1;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (titles[i] == title) {
            page = static_cast<int>(i); // the last equal title wins
        }
    }
    if (page >= 0) {
        host.SelectLauncherPage(page);
    }
    host.StartCheckedLauncherButtons();
}

ActionResult ActionRunner::RunCommandLine(const std::string& command) {
    const CommandLine line = SplitCommandLine(command);
    if (stopped_ || line.Program.empty()) {
        return {};
    }
    const Launched started =
        services_.Programs.Launch(line.Program, line.Arguments, line.Folder, StartState::Normal);
    if (!started.Result) {
        services_.Host.ReportProblem(started.Result.text());
        return ActionResult::Failure(started.Result.message());
    }
    ActionResult result;
    result.Child = started.Pid; // the history waits for its end
    return result;
}

void ActionRunner::PlayWave(const std::string& path) {
    if (stopped_) {
        return;
    }
    if (path.empty()) {
        services_.Sound.StopWave();
        return;
    }
    services_.Sound.PlayWave(path, services_.Host.LoopSound());
}

std::string ActionRunner::PowerCommand(const std::string& option) const {
    return "\"" + services_.CompanionProgram.string() + "\" " + option;
}

} // namespace rimo
