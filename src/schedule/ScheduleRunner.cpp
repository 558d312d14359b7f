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
    : QObject(parent), grid_(grid), table_(grid.Table()), editor_(editor), clock_(clock),
      messages_(new MessageWindows(mainWindow, clock, this)),
      actions_(ActionServices{*services.Sound, *services.Programs, *services.Wallpaper, screenSaver,
                              *messages_, host, companion}),
      pass_(grid.Table(), *this, actions_, state.TestRequested) {
    table_.SetChangeListener([this] { TableChanged(); });
}

ScheduleRunner::~ScheduleRunner() {
    table_.SetChangeListener(nullptr);
}

std::int64_t ScheduleRunner::QuietWakeSecond(std::int64_t unixMs) {
    CoverQuietSpan(true);
    const std::int64_t wake = pass_.QuietWakeSecond(unixMs, kQuietHorizonSeconds);
    quiet_ = QuietSpan{unixMs, clock_.SteadyMilliseconds(), wake};
    return wake;
}

void ScheduleRunner::CoverQuietSpan(bool thisSecond) {
    if (!quiet_) {
        return;
    }
    // Where the wall clock would stand had it only run on; never into the
    // second woken for, whose rows the tick runs, nor into the tick's own.
    const std::int64_t ranOn = quiet_->WallMs + (clock_.SteadyMilliseconds() - quiet_->SteadyMs);
    const std::int64_t upTo = thisSecond ? ranOn : ranOn - ranOn % 1000 - 1;
    pass_.CoverQuietly(std::min(upTo, quiet_->WakeSecond * 1000 - 1));
}

void ScheduleRunner::TableChanged() {
    // A row changed while the tick slept: the seconds that passed stay
    // covered, as ticks at every second would have covered them, so a row
    // set to a moment just gone does not run late.
    CoverQuietSpan(true);
    Q_EMIT RowsChanged();
}

void ScheduleRunner::Timer1Step() {
    if (stopped_) {
        return;
    }
    CoverQuietSpan(false);
    quiet_.reset();
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
