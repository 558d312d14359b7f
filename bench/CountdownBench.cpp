// The countdown timer: the cost of its step per tick (the core step alone,
// and the page's step with its notice dialog), and how late the expiry
// actions come after the chosen duration, with the real one-second timer,
// clocks and main window.
#include "BenchApp.h"
#include "TempFolder.h"
#include "TimedMainWindow.h"
#include "app/SecondTimer.h"
#include "app/TForm1.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeServices.h"
#include "timer/Countdown.h"
#include "timer/TTimeDlg.h"
#include "timer/TimerPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <random>

namespace rimo {
namespace {

class NoSteps final : public CountdownSteps {
public:
    CountdownOptions Options() override { return {}; }
    void MinimiseNotice() override {}
    void CloseNotice() override {}
    void ShowNoticeInFront() override {}
    void StartAgain() override {}
    void Beep() override {}
    void PlayWave(const std::string&) override {}
    void RunCommandLine(const std::string&) override {}
    void SetNoticeCaption(const Message& caption) override {
        benchmark::DoNotOptimize(caption.Source());
    }
};

// Countdown::Step with a countdown running: the count and the caption text.
void BM_CountdownStep(benchmark::State& state) {
    Countdown countdown;
    NoSteps steps;
    const DateTime longest = EncodeTime(23, 59, 59);
    std::int64_t now = 0;
    for (auto _ : state) {
        if (!countdown.State().CountdownRunning) {
            countdown.Start(longest, now);
        }
        now += 1000;
        countdown.Step(now, steps);
    }
}
BENCHMARK(BM_CountdownStep);

// TimerPage::Timer1Step in the main window, with the dialog (offscreen): the
// step as the tick runs it, the dialog's caption included.
void BM_TimerPageStep(benchmark::State& state) {
    BenchApp();
    TempFolder folder;
    FakeClock clock;
    FakeServices services;
    TForm1 form(AppPaths::InFolder(folder.Path()), clock, services.All());
    form.Timer1().SetEnabled(false);
    TTimeDlg dialog(form.TimerPage1(), form);
    form.findChild<QTimeEdit*>(QStringLiteral("DateTimePicker3"))->setTime(QTime(23, 59, 59));
    form.findChild<QCheckBox*>(QStringLiteral("CheckBoxBeep"))->setChecked(false);
    for (auto _ : state) {
        if (!form.TimerPage1().State().CountdownRunning) {
            form.TimerPage1().ButtonTimeStartClick();
        }
        services.Elapsed.Advance(1000);
        form.TimerPage1().Timer1Step();
    }
    form.CloseForSessionEnd();
}
BENCHMARK(BM_TimerPageStep)->Unit(benchmark::kMicrosecond);

// Real tick, real clocks: a five-second timer started at a random moment of
// a second. The iteration time is how long after the second boundary that
// ends the countdown the program was started; the counters give the time
// from the start click plus the duration to the program's start (negative:
// before the full duration, as a tick ends it within its second).
void BM_ExpiryLatenessAfterDuration(benchmark::State& state) {
    TimedMainWindow<> window;
    TForm1& form = window.Form;
    TimingStarter& programs = window.Programs;
    TTimeDlg dialog(form.TimerPage1(), form);
    constexpr std::int64_t kDurationUs = 5'000'000;
    form.findChild<QComboBox*>(QStringLiteral("ComboBoxTime"))->setCurrentIndex(0);
    form.findChild<QTimeEdit*>(QStringLiteral("DateTimePicker3"))->setTime(QTime(0, 0, 5));
    form.findChild<QCheckBox*>(QStringLiteral("CheckBoxBeep"))->setChecked(false);
    form.findChild<QCheckBox*>(QStringLiteral("CheckBoxPath"))->setChecked(true);
    form.findChild<QLineEdit*>(QStringLiteral("LabeledEdit3"))
        ->setText(QStringLiteral("\"/bin/true\""));
    auto* start = form.findChild<QPushButton*>(QStringLiteral("ButtonTimeStart"));
    std::mt19937 random(20260105);
    std::uniform_int_distribution<int> phase(0, 999);
    double sumMs = 0;
    double earliestMs = 1e9;
    double latestMs = -1e9;
    double worstAfterBoundaryMs = 0;
    int runs = 0;
    for (auto _ : state) {
        QEventLoop wait;
        QTimer::singleShot(phase(random), &wait, &QEventLoop::quit);
        wait.exec();
        const std::int64_t clicked = Microseconds(CLOCK_BOOTTIME);
        start->click();
        if (!programs.WaitForStart(8000)) {
            state.SkipWithError("the timer's program did not start");
            break;
        }
        const double lateMs =
            static_cast<double>(programs.startedAtBoot - clicked - kDurationUs) / 1e3;
        const double afterBoundaryMs = static_cast<double>(programs.startedAt % 1'000'000) / 1e3;
        sumMs += lateMs;
        earliestMs = std::min(earliestMs, lateMs);
        latestMs = std::max(latestMs, lateMs);
        worstAfterBoundaryMs = std::max(worstAfterBoundaryMs, afterBoundaryMs);
        ++runs;
        state.SetIterationTime(afterBoundaryMs / 1e3);
    }
    state.counters["after_click_mean_ms"] = runs ? sumMs / runs : 0;
    state.counters["after_click_min_ms"] = earliestMs;
    state.counters["after_click_max_ms"] = latestMs;
    state.counters["after_boundary_worst_ms"] = worstAfterBoundaryMs;
    form.CloseForSessionEnd();
}
BENCHMARK(BM_ExpiryLatenessAfterDuration)
    ->UseManualTime()
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rimo
