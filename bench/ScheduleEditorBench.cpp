// The sort with the choice of the next event, and the grid's redraw, over
// long tables.
#include "BenchApp.h"
#include "core/MainWindowState.h"
#include "fakes/FakeClock.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleSort.h"

#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <random>

namespace rimo {
namespace {

const DateTime kNow = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0);

// Rows in random order around now, a tenth without date or time, one in
// seven disabled; the rows after now are all disabled but the last ones.
std::vector<ScheduleRow> ShuffledRows(int count) {
    std::mt19937 random(7);
    std::vector<ScheduleRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const DateTime when = kNow + (static_cast<int>(random() % 2000) - 1000) / 10.0;
        const bool undated = i % 10 == 0;
        rows.push_back({"予定 " + std::to_string(i), "毎日",
                        undated ? "" : FormatScheduleDate(when),
                        undated ? "" : FormatScheduleTime(when), "メッセージ", "起床 H:M です",
                        "しない", i % 7 ? "○" : "×"});
    }
    return rows;
}

void BM_SortAndChooseNextEvent(benchmark::State& state) {
    const std::vector<ScheduleRow> rows = ShuffledRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        ScheduleTable table;
        table.ReplaceScheduleRows(rows);
        state.ResumeTiming();
        SortScheduleRows(table);
        benchmark::DoNotOptimize(ChooseNextEvent(table, kNow));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SortAndChooseNextEvent)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The next event of an already sorted table (what every scheduled run pays
// when nothing moved).
void BM_SortedTableNextEvent(benchmark::State& state) {
    ScheduleTable table;
    table.ReplaceScheduleRows(ShuffledRows(static_cast<int>(state.range(0))));
    SortScheduleRows(table);
    for (auto _ : state) {
        SortScheduleRows(table);
        benchmark::DoNotOptimize(ChooseNextEvent(table, kNow));
    }
}
BENCHMARK(BM_SortedTableNextEvent)->Arg(10'000)->Unit(benchmark::kMillisecond);

// A grid of the main window's size on a table, shown offscreen.
struct ShownGrid {
    explicit ShownGrid(int rows) : grid(new ScheduleGrid(table, &window)) {
        clock.SetLocal(kNow);
        table.ReplaceScheduleRows(ShuffledRows(rows));
        window.resize(700, 500);
        grid->setGeometry(8, 232, 673, 201);
        editor = std::make_unique<ScheduleEditor>(*grid, state, clock);
        window.show();
        grid->setFocus();
        QApplication::processEvents();
    }
    ~ShownGrid() { editor.reset(); }

    QApplication& app = BenchApp(); // before any widget
    ScheduleTable table;
    MainWindowState state;
    FakeClock clock;
    QWidget window;
    ScheduleGrid* grid;
    std::unique_ptr<ScheduleEditor> editor;
};

// The sort button on the shown grid: sort, model reset, current cell, editors.
void BM_SortButtonClickOnTheGrid(benchmark::State& state) {
    ShownGrid shown(static_cast<int>(state.range(0)));
    const std::vector<ScheduleRow> rows = ShuffledRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        shown.table.ReplaceScheduleRows(rows);
        QApplication::processEvents();
        state.ResumeTiming();
        shown.editor->SortButtonClick();
        shown.grid->viewport()->repaint();
    }
}
BENCHMARK(BM_SortButtonClickOnTheGrid)->Arg(10'000)->Unit(benchmark::kMillisecond);

// One full repaint of the grid's rows.
void BM_GridRepaint(benchmark::State& state) {
    ShownGrid shown(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        shown.grid->viewport()->repaint();
    }
}
BENCHMARK(BM_GridRepaint)->Arg(100)->Arg(10'000)->Unit(benchmark::kMicrosecond);

// Scrolling a page and repainting, the current cell moving along.
void BM_GridScrollAndRepaint(benchmark::State& state) {
    ShownGrid shown(static_cast<int>(state.range(0)));
    QScrollBar* bar = shown.grid->verticalScrollBar();
    int row = 1;
    for (auto _ : state) {
        row = row + 97 < shown.table.RowCount() ? row + 97 : 1;
        shown.grid->SetCurrentCell(ColRepeat, row);
        shown.grid->viewport()->repaint();
    }
    benchmark::DoNotOptimize(bar->value());
}
BENCHMARK(BM_GridScrollAndRepaint)->Arg(10'000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rimo
