// The schedule pass: one tick's cost with no row due (the pass alone, and the
// main window's whole tick), and the delay from a second's boundary to the
// start of a due row's action with the real one-second timer and clock.
#include "BenchApp.h"
#include "TempFolder.h"
#include "TimedMainWindow.h"
#include "ZoneScope.h"
#include "app/SecondTimer.h"
#include "app/TForm1.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeProgramStarter.h"
#include "fakes/FakeScheduleEditing.h"
#include "fakes/FakeScreenSaverSystem.h"
#include "fakes/FakeSound.h"
#include "fakes/FakeWallpaper.h"
#include "schedule/SchedulePass.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace rimo {
namespace {

const DateTime kTen = EncodeDate(2026, 1, 5) + EncodeTime(10, 0, 0);

class NoSteps final : public ActionSteps {
public:
    ActionPlan Plan(const ScheduleRow&) override { return {}; }
    ActionResult CarryOut(const ActionPlan&) override { return {}; }
};

// The pass over `rows` future rows, running nothing.
struct BarePass {
    explicit BarePass(int rows) { table.ReplaceScheduleRows(FutureRows(rows)); }
    ScheduleTable table;
    FakeScheduleEditing editing{table};
    NoSteps steps;
    bool testRequested = false;
    SchedulePass pass{table, editing, steps, testRequested};
};

void BM_PassTickNoRowDue(benchmark::State& state) {
    BarePass bare(static_cast<int>(state.range(0)));
    // The clock's reading, as the program gives it.
    const std::int64_t tenMs = ToUnixMilliseconds(kTen);
    bare.pass.Start(tenMs);
    std::int64_t second = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bare.pass.Tick(tenMs + ++second * 1000));
    }
}
BENCHMARK(BM_PassTickNoRowDue)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The tick at which New York's clock skips from 01:59:59 to 03:00:00: the
// skipped hour's seconds are looked up in the rows (none due there).
void BM_PassTickAtDaylightSavingStart(benchmark::State& state) {
    const ZoneScope newYork("America/New_York");
    BarePass bare(static_cast<int>(state.range(0)));
    const std::int64_t before = 1741503599000; // 2025-03-09 01:59:59 EST
    for (auto _ : state) {
        state.PauseTiming();
        bare.pass.Start(before);
        state.ResumeTiming();
        benchmark::DoNotOptimize(bare.pass.Tick(before + 1000)); // 03:00:00 EDT
    }
}
BENCHMARK(BM_PassTickAtDaylightSavingStart)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

// TForm1::Timer1Timer, the main window's whole tick, with fake services.
void BM_MainWindowTickNoRowDue(benchmark::State& state) {
    BenchApp();
    TempFolder folder;
    FakeClock clock;
    clock.SetLocal(kTen);
    FakeSound sound;
    FakeProgramStarter programs;
    FakeWallpaper wallpaper;
    FakeScreenSaverSystem screenSaver;
    TForm1 form(AppPaths::InFolder(folder.Path()), clock,
                PlatformServices{&sound, &programs, &wallpaper, &screenSaver});
    form.Timer1().SetEnabled(false);
    form.Schedule().ReplaceScheduleRows(FutureRows(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        clock.Advance(1000);
        form.Timer1Timer();
    }
    form.CloseForSessionEnd();
}
BENCHMARK(BM_MainWindowTickNoRowDue)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Real timer, real clock: a row due at the next second but one; the time
// reported is from that second's boundary to the start of its action.
void BM_DelayFromSecondBoundaryToAction(benchmark::State& state) {
    TimedMainWindow<> window;
    TForm1& form = window.Form;
    const SystemClock& clock = window.Clock;
    TimingStarter& programs = window.Programs;
    const int background = static_cast<int>(state.range(0));
    double worstMs = 0;
    for (auto _ : state) {
        const std::int64_t dueMs = (clock.UnixMilliseconds() / 1000 + 2) * 1000;
        const DateTime due = FromUnixMilliseconds(dueMs);
        std::vector<ScheduleRow> rows = FutureRows(background);
        rows.push_back({"due", "", FormatScheduleDate(due), FormatScheduleTime(due), "起動",
                        "\"/bin/true\"", "しない", "○"});
        form.Schedule().ReplaceScheduleRows(std::move(rows));
        if (!programs.WaitForStart(5000)) {
            state.SkipWithError("the due row did not run");
            break;
        }
        const double delay = static_cast<double>(programs.startedAt - dueMs * 1000) / 1e6;
        worstMs = std::max(worstMs, delay * 1000);
        state.SetIterationTime(delay);
    }
    state.counters["worst_ms"] = worstMs;
    form.CloseForSessionEnd();
}
BENCHMARK(BM_DelayFromSecondBoundaryToAction)
    ->Arg(10)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rimo
