// The run history: recording one run on the tick's thread, opening the
// history window on 100,000 entries, and "rimotime --history" on as many.
#include "BenchApp.h"
#include "TempFolder.h"
#include "fakes/FakeBootClock.h"
#include "fakes/FakeClock.h"
#include "history/HistoryCommand.h"
#include "history/HistoryDatabase.h"
#include "history/HistoryModel.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryWindow.h"
#include "history/RunHistory.h"

#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace rimo {
namespace {

constexpr std::int64_t kNow = 1796691600000; // 2026-12-08
constexpr int kEntries = 100'000;

// A history of 100,000 entries, made once.
const std::filesystem::path& FullHistory() {
    static TempFolder folder;
    static const std::filesystem::path file = [] {
        const std::filesystem::path path = folder / "rimotime-history.sqlite";
        HistoryDatabase db(path);
        db.Open();
        std::vector<HistoryEntry> entries;
        entries.reserve(kEntries);
        for (int i = 1; i <= kEntries; ++i) {
            HistoryEntry entry;
            entry.Id = i;
            entry.DueMs = kNow - (kEntries - i) * 60'000LL;
            entry.StartedMs = *entry.DueMs + 3 + i % 20;
            entry.Title = i % 3 == 0 ? "バックアップ" : "定時の確認";
            entry.Action = "起動";
            entry.Argument = "\"/usr/local/bin/backup\" --all --verbose";
            entry.ExitStatus = i % 17 == 0 ? 1 : 0;
            entry.Outcome = i % 17 == 0 ? RunOutcome::Failed : RunOutcome::Done;
            entries.push_back(std::move(entry));
        }
        db.Insert(entries);
        return path;
    }();
    return file;
}

// A new history on its thread, and the recorder the tick tells.
struct Recording {
    Recording() {
        BenchApp();
        history.Open(kNow);
        history.Flush();
    }
    ~Recording() {
        history.Flush();
        QCoreApplication::processEvents();
    }
    void RecordOneRun() {
        recorder.End(recorder.Begin(subject), {});
        clock.Advance(1);
    }

    TempFolder folder;
    FakeClock clock{kNow};
    FakeBootClock boot;
    RunHistory history{folder / "rimotime-history.sqlite"};
    HistoryRecorder recorder{history, clock, boot};
    const RunSubject subject{"バックアップ", "起動", "\"/usr/local/bin/backup\" --all",
                             RunOrigin::Scheduled, FromUnixMilliseconds(kNow)};
};

// Begin and End of one run on the tick's thread; the database's thread
// writes meanwhile.
void BM_RecordOneRun(benchmark::State& state) {
    Recording recording;
    for (auto _ : state) {
        recording.RecordOneRun();
    }
}
// Enough runs to measure, few enough for the database thread to write them all soon after.
BENCHMARK(BM_RecordOneRun)->Iterations(20'000)->Unit(benchmark::kMicrosecond);

// The same, waiting each time until the entry is in the file: the database
// thread's cost of one entry.
void BM_RecordOneRunWritten(benchmark::State& state) {
    Recording recording;
    for (auto _ : state) {
        recording.RecordOneRun();
        recording.history.Flush();
    }
}
BENCHMARK(BM_RecordOneRunWritten)->Iterations(2'000)->Unit(benchmark::kMicrosecond);

// From opening the window to its rows shown, on 100,000 entries.
void BM_OpenHistoryWindow100k(benchmark::State& state) {
    BenchApp();
    RunHistory history(FullHistory());
    history.Open(kNow);
    history.Flush();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        auto* window = new HistoryWindow(history);
        window->show();
        QEventLoop loop;
        QObject::connect(window, &HistoryWindow::Loaded, &loop, &QEventLoop::quit);
        loop.exec();
        if (window->Model().rowCount() != kEntries) {
            state.SkipWithError("not all entries shown");
        }
        delete window;
    }
}
BENCHMARK(BM_OpenHistoryWindow100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// The part of it on the window's thread: the entries into the table.
void BM_HistoryModelSet100k(benchmark::State& state) {
    BenchApp();
    HistoryDatabase db(FullHistory());
    db.OpenForReading();
    const std::vector<HistoryEntry> entries = db.Entries();
    for (auto _ : state) {
        HistoryModel model;
        model.SetEntries(entries);
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_HistoryModelSet100k)->Unit(benchmark::kMillisecond);

// "rimotime --history [--csv]" on 100,000 entries, written to /dev/null.
void BM_HistoryCommand100k(benchmark::State& state) {
    BenchApp();
    const bool csv = state.range(0) != 0;
    std::FILE* out = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        PrintHistory(FullHistory(), std::nullopt, csv, out, stderr);
    }
    std::fclose(out);
}
BENCHMARK(BM_HistoryCommand100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rimo
