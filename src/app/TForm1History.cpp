// The run history of the main window: opened at start, rows missed while the
// program was not running found once it answers, the window of rows that
// did not run, and the history window.
#include "app/TForm1.h"

#include "app/SettingsPage.h"
#include "core/UserMessages.h"
#include "history/AwayWindow.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryWindow.h"
#include "history/RunHistory.h"
#include "platform/linux/DesktopProgramStarter.h"
#include "schedule/MissedRows.h"
#include "schedule/ScheduleRunner.h"
#include "timer/TimerPage.h"

#include <cstdio>

namespace rimo {

HistoryWindow* TForm1::HistoryView() const {
    return historyWindow_.data();
}

AwayWindow* TForm1::Away() const {
    return awayWindow_.data();
}

void TForm1::OpenHistory(std::int64_t nowMs) {
    // The enabled rows whose second has passed; which of them fell after the
    // program last ran is known once the history is open.
    passedAtStart_ = RowsDueBefore(schedule_, FromUnixMilliseconds(nowMs));

    history_ = new RunHistory(paths_.HistoryFile(), this);
    recorder_ = new HistoryRecorder(*history_, clock_, *services_.Elapsed, this);
    connect(history_, &RunHistory::Problem, this, &TForm1::ShowHistoryProblem);
    connect(history_, &RunHistory::Opened, this, &TForm1::FindRowsMissedWhileNotRunning);
    connect(recorder_, &HistoryRecorder::Missed, this, &TForm1::ShowMissedRows);
    // The ends of programs that runs started (a fake starter reaps none).
    if (auto* starter = dynamic_cast<DesktopProgramStarter*>(services_.Programs)) {
        HistoryRecorder* recorder = recorder_;
        connect(&starter->Children(), &ChildProcesses::Exited, recorder_,
                [recorder](const ChildExit& exit) {
                    if (!exit.Known) {
                        return; // the run stays as started
                    }
                    recorder->ProgramEnded(exit.Pid,
                                           exit.Signal != 0 ? -exit.Signal : exit.ExitCode);
                });
    }
    history_->Open(nowMs);
}

void TForm1::FindRowsMissedWhileNotRunning(std::optional<std::int64_t> lastSeen) {
    // Without a last run (a new history) nothing is known to be missed.
    if (passedAtStart_ && lastSeen && recorder_) {
        const DateTime since = FromUnixMilliseconds(*lastSeen);
        if (since < caughtUpAt_) {
            recorder_->MissedWhileNotRunning(RowsDueBetween(*passedAtStart_, since, caughtUpAt_));
        }
    }
    passedAtStart_.reset();
}

void TForm1::ShowMissedRows(const std::vector<MissedRun>& runs) {
    if (closed_ || !settingsPage_->MissedNotice()) {
        return;
    }
    if (!awayWindow_) {
        // A window of its own: it shows while the main window is hidden in the tray.
        awayWindow_ = new AwayWindow();
        awayWindow_->setFont(font());
        awayWindow_->RunNow = [this](const std::vector<MissedRun>& chosen) {
            RunMissedRows(chosen);
        };
    }
    awayWindow_->Add(runs);
    awayWindow_->show();
    awayWindow_->raise();
}

void TForm1::RunMissedRows(const std::vector<MissedRun>& runs) {
    for (const MissedRun& run : runs) {
        // An action may wait with the event loop running; the window may close meanwhile.
        if (closed_ || !scheduleRunner_) {
            return;
        }
        scheduleRunner_->Pass().RunNow(run.Row.Row, run.Row.LastDue);
    }
}

void TForm1::ShowHistoryWindow(const QString& title) {
    if (!history_) {
        return;
    }
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(*history_);
        historyWindow_->setFont(font());
    }
    historyWindow_->ShowTitle(title);
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

void TForm1::ShowHistoryProblem(const QString& text) {
    std::fprintf(stderr, "RimoTimeInformation: %s\n", text.toLocal8Bit().constData());
    if (shownOnce_) {
        ShowErrorMessage(this, text);
    } else {
        startupProblems_.append(text);
    }
}

void TForm1::CloseHistory() {
    if (recorder_) {
        recorder_->Closing();
    }
    if (scheduleRunner_) {
        scheduleRunner_->SetRecorder(nullptr);
    }
    timerPage_->SetRecorder(nullptr);
    CloseHistoryWindows();
}

void TForm1::CloseHistoryWindows() {
    delete awayWindow_.data();
    delete historyWindow_.data();
}

} // namespace rimo
