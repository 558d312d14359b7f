// The tray and title steps of the one-second tick, alone and through the main
// window (where the options are looked up on their controls by name), and the
// settings file written at close.
#include "BenchApp.h"
#include "TempFolder.h"
#include "app/TForm1.h"
#include "app/TrayTicker.h"
#include "fakes/FakeClock.h"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

namespace rimo {
namespace {

const ScheduleRow kRow{"起床", "毎日", "2026/12/09/水", "07:00:00", "警告音", "", "しない", "○"};

void BM_TrayTickerSteps(benchmark::State& state) {
    MainWindowState windowState;
    TrayTicker ticker(windowState);
    for (auto _ : state) {
        windowState.TitleRefreshPending = true;
        benchmark::DoNotOptimize(ticker.TipAndIcon(true, &kRow, true));
        benchmark::DoNotOptimize(ticker.Title(true));
    }
}
BENCHMARK(BM_TrayTickerSteps);

// The whole tick of the main window; the argument is the number of extra
// widgets on the pages (a full launcher has several hundred).
void BM_MainWindowTick(benchmark::State& state) {
    BenchApp();
    TempFolder folder;
    FakeClock clock;
    clock.SetLocal(EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0));
    TForm1 form(AppPaths::InFolder(folder.Path()), clock);
    for (int i = 0; i < state.range(0); ++i) {
        new QCheckBox(&form);
    }
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.Timer1Timer();
    }
    form.CloseForSessionEnd();
}
BENCHMARK(BM_MainWindowTick)->Arg(0)->Arg(600)->Unit(benchmark::kMicrosecond);

void BM_SaveSettings(benchmark::State& state) {
    BenchApp();
    TempFolder folder;
    FakeClock clock;
    TForm1 form(AppPaths::InFolder(folder.Path()), clock);
    for (auto _ : state) {
        benchmark::DoNotOptimize(form.SaveSettings());
    }
    form.CloseForSessionEnd();
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rimo
