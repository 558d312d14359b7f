// Start of the main window: construction (settings, schedule, catch-up) to
// the first tick. The first tick waits for the next wall-clock second, so
// both are reported: the construction alone, and construction to first tick.
#include "BenchApp.h"
#include "TempFolder.h"
#include "app/TForm1.h"
#include "platform/linux/SystemClock.h"
#include "schedule/ScheduleFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <benchmark/benchmark.h>

namespace rimo {
namespace {

QApplication& App() {
    return BenchApp();
}

void PrepareFolder(const TempFolder& folder, int rows) {
    ScheduleTable table;
    table.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        table.SetCell(ColTitle, r, "予定");
        table.SetCell(ColRepeat, r, "毎日");
        table.SetCell(ColDate, r, "2026/01/01/木");
        table.SetCell(ColTime, r, "07:00:00");
        table.SetCell(ColEnabled, r, "○");
    }
    SaveSchedule(folder / "rimotime.dat", table);
}

void BM_MainWindowConstruction(benchmark::State& state) {
    App();
    TempFolder folder;
    PrepareFolder(folder, static_cast<int>(state.range(0)));
    SystemClock clock;
    for (auto _ : state) {
        TForm1 form(AppPaths::InFolder(folder.Path()), clock);
        form.show();
        QApplication::processEvents();
        state.PauseTiming();
        form.CloseForSessionEnd();
        PrepareFolder(folder, static_cast<int>(state.range(0)));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowConstruction)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_StartToFirstTick(benchmark::State& state) {
    App();
    TempFolder folder;
    PrepareFolder(folder, 10);
    SystemClock clock;
    for (auto _ : state) {
        TForm1 form(AppPaths::InFolder(folder.Path()), clock);
        form.show();
        QEventLoop loop;
        QObject::connect(&form, &TForm1::Ticked, &loop, &QEventLoop::quit);
        loop.exec();
    }
}
BENCHMARK(BM_StartToFirstTick)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rimo

BENCHMARK_MAIN();
