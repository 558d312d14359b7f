// The one-second tick's demand: whether something shown or running needs a
// tick at every second, and the changes that decide it. Otherwise the tick
// sleeps until the next due row (or a clock change, or resume).
#include "app/TForm1.h"

#include "app/SecondTimer.h"
#include "app/SettingsPage.h"
#include "app/TrayIcon.h"
#include "net/ClockPage.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleRunner.h"
#include "timer/TimerPage.h"

#include <QItemSelectionModel>

namespace rimo {

void TForm1::CreateTimer1() {
    timer1_ = new SecondTimer(*services_.Seconds, clock_, this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(timer1_, &SecondTimer::Tick, this, &TForm1::Timer1Timer);
    timer1_->SetEverySecond([this] { return NeedsEverySecond(); });
    timer1_->SetQuietWake([this](std::int64_t unixMs) -> std::int64_t {
        if (scheduleRunner_) {
            return scheduleRunner_->QuietWakeSecond(unixMs);
        }
        return unixMs / 1000 + 1;
    });
}

void TForm1::WireTickDemand() {
    const auto replan = [this] { timer1_->Replan(); };
    // Texts shown at the next tick (the tip, the title, a test) wait for it.
    const auto soon = [this] { timer1_->TickSoon(); };
    connect(settingsPage_, &SettingsPage::TickOptionsChanged, this, soon);
    connect(tray_, &TrayIcon::HostAvailabilityChanged, this, replan);
    connect(timerPage_, &TimerPage::CountdownChanged, this, replan);
    connect(clockPage_, &ClockPage::SynchronisingChanged, this, replan);
    connect(editor_, &ScheduleEditor::NextTickWanted, this, soon);
    connect(scheduleRunner_, &ScheduleRunner::RowsChanged, this, soon);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, soon);
    // Ticks by hand (a stopped timer) cover their seconds themselves.
    connect(timer1_, &SecondTimer::Stopped, scheduleRunner_, &ScheduleRunner::EndQuiet);
}

bool TForm1::TitleInSight() const {
    // A hidden-mode window has no taskbar entry.
    return isVisible() && (!isMinimized() || IconDisplayMode() == 0);
}

bool TForm1::NeedsEverySecond() const {
    const bool animated = settingsPage_->AnimeIcon() && tray_ && tray_->HostAvailable();
    const bool titleMoves =
        TitleInSight() && (settingsPage_->Scroll() || settingsPage_->NextHint());
    return animated || titleMoves || timerPage_->NeedsEveryTick() || clockPage_->Synchronising() ||
           state_.TestRequested;
}

void TForm1::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (timer1_) {
        timer1_->Replan();
    }
}

} // namespace rimo
