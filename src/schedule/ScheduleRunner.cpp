#include "schedule/ScheduleRunner.h"

#include "core/MainWindowState.h"
#include "platform/Clock.h"
#include "schedule/MessageWindows.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleGrid.h"

#include <cstdio>

namespace rimo {

ScheduleRunner::ScheduleRunner(ScheduleGrid& grid, ScheduleEditor& editor, MainWindowState& state,
                               const Clock& clock, const PlatformServices& services,
                               TvScrSaver& screenSaver, ActionHost& host,
                               const std::filesystem::path& companion, QWidget& mainWindow,
                               QObject* parent)
    : QObject(parent), grid_(grid), editor_(editor), clock_(clock),
      messages_(new MessageWindows(mainWindow, clock, this)),
      actions_(ActionServices{*services.Sound, *services.Programs, *services.Wallpaper, screenSaver,
                              *messages_, host, companion}),
      pass_(grid.Table(), *this, actions_, state.TestRequested) {}

ScheduleRunner::~ScheduleRunner() = default;

void ScheduleRunner::Timer1Step() {
    if (stopped_) {
        return;
    }
    const TickReport report = pass_.Tick(clock_.UnixMilliseconds());
    if (recorder_) {
        recorder_->Ticked();
    }
    if (report.Gap) {
        std::fprintf(stderr,
                     "RimoTimeInformation: the ticks stopped for a while (suspend or clock "
                     "change); rows due meanwhile did not run, %d repeating rows were moved to "
                     "their next time\n",
                     report.MovedRows);
    }
}

void ScheduleRunner::SetRecorder(RunRecorder* recorder) {
    recorder_ = recorder;
    pass_.SetRecorder(recorder);
}

void ScheduleRunner::Stop() {
    stopped_ = true;
    actions_.Stop();
}

int ScheduleRunner::CurrentRow() const {
    return grid_.CurrentTableRow();
}

void ScheduleRunner::DeleteRow(int row) {
    grid_.SetCurrentCell(grid_.CurrentColumn(), row);
    editor_.Delete1Click();
}

void ScheduleRunner::SortAndSelectNextEvent() {
    editor_.SortButtonClick();
}

} // namespace rimo
