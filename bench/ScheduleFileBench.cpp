// Load and save of schedule files, and the start-up catch-up.
#include "TempFolder.h"
#include "schedule/CatchUp.h"
#include "schedule/ScheduleFile.h"

#include <benchmark/benchmark.h>

namespace rimo {
namespace {

const char* kRepeats[] = {"毎日", "月～金", "毎週", "毎月", "30分毎", "", "隔年", "土日"};

ScheduleTable MakeTable(int rows) {
    std::vector<ScheduleRow> all;
    all.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        const DateTime date = EncodeDate(2020, 1, 1) + i % 2000;
        all.push_back({"予定 " + std::to_string(i), kRepeats[i % 8], FormatScheduleDate(date),
                       FormatScheduleTime(EncodeTime(i % 24, i % 60, 0)), "メッセージ",
                       "起床 H:M です%n二行目", i % 3 ? "しない" : "する", i % 2 ? "○" : "×"});
    }
    ScheduleTable table;
    table.ReplaceScheduleRows(std::move(all));
    return table;
}

void BM_SaveSchedule(benchmark::State& state) {
    TempFolder folder;
    const ScheduleTable table = MakeTable(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveSchedule(folder / "rimotime.dat", table));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveSchedule)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadSchedule(benchmark::State& state) {
    TempFolder folder;
    SaveSchedule(folder / "rimotime.dat", MakeTable(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        ScheduleTable table;
        benchmark::DoNotOptimize(LoadSchedule(folder / "rimotime.dat", table));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadSchedule)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CatchUpSchedule(benchmark::State& state) {
    const ScheduleTable original = MakeTable(static_cast<int>(state.range(0)));
    const DateTime now = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0);
    for (auto _ : state) {
        state.PauseTiming();
        ScheduleTable table = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(CatchUpSchedule(table, now));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CatchUpSchedule)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rimo
