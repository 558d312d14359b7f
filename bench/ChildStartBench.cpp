// How late a due "起動" row's program begins running after its second's
// boundary, on the real tick (timerfd), clock and program starter: the
// child notes its own start, and the cost of starting the same child alone
// (from the call to its first instruction, the median of starts between
// the due ones) is taken off. The iteration time is before that.
#include "TimedMainWindow.h"
#include "core/DateTime.h"
#include "platform/linux/DesktopProgramStarter.h"

#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

namespace rimo {
namespace {

std::int64_t NowMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

// Runs the event loop (ticks included) until a child of `starter` ends.
bool WaitForExit(DesktopProgramStarter& starter, int timeoutMs) {
    QEventLoop loop;
    bool ended = false;
    const auto connection =
        QObject::connect(&starter.Children(), &ChildProcesses::Exited, &loop, [&] {
            ended = true;
            loop.quit();
        });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    return ended;
}

std::int64_t LastStamp(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::int64_t stamp = 0;
    for (std::int64_t read = 0; in >> read;) {
        stamp = read;
    }
    return stamp;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_DueRowChildStartLateness(benchmark::State& state) {
    TimedMainWindow<DesktopProgramStarter> window;
    TForm1& form = window.Form;
    const SystemClock& clock = window.Clock;
    DesktopProgramStarter& programs = window.Programs;
    const TempFolder& folder = window.Folder;
    const std::filesystem::path stamps = folder.Path() / "stamps";
    const std::string stamp = RIMO_START_STAMP;

    // The same child started alone, from the call to its own first reading;
    // once after each due start, so that both see the same machine.
    const auto startAlone = [&]() -> std::optional<double> {
        const std::int64_t before = NowMicroseconds();
        if (!programs.Open(stamp, {stamps.string()}, folder.Path().string()) ||
            !WaitForExit(programs, 5000)) {
            return std::nullopt;
        }
        return static_cast<double>(LastStamp(stamps) - before) / 1000;
    };
    for (int i = 0; i < 3; ++i) {
        startAlone(); // the program's pages in the cache
    }

    const int background = static_cast<int>(state.range(0));
    std::vector<double> untilChild; // from the second's boundary to the child's start
    std::vector<double> alone;
    for (auto _ : state) {
        const std::int64_t dueMs = (clock.UnixMilliseconds() / 1000 + 2) * 1000;
        const DateTime due = FromUnixMilliseconds(dueMs);
        std::vector<ScheduleRow> rows = FutureRows(background);
        rows.push_back({"due", "", FormatScheduleDate(due), FormatScheduleTime(due), "起動",
                        "\"" + stamp + "\" \"" + stamps.string() + "\"", "しない", "○"});
        form.Schedule().ReplaceScheduleRows(std::move(rows));
        if (!WaitForExit(programs, 5000)) {
            state.SkipWithError("the due row's child did not run");
            break;
        }
        untilChild.push_back(static_cast<double>(LastStamp(stamps) - dueMs * 1000) / 1000);
        const std::optional<double> startCost = startAlone();
        if (!startCost) {
            state.SkipWithError("the child did not start alone");
            break;
        }
        alone.push_back(*startCost);
        state.SetIterationTime(untilChild.back() / 1000);
    }
    const double aloneMs = Median(alone);
    std::vector<double> lateness;
    for (const double ms : untilChild) {
        lateness.push_back(ms - aloneMs);
    }
    state.counters["median_ms"] = Median(lateness);
    state.counters["worst_ms"] =
        lateness.empty() ? 0 : *std::max_element(lateness.begin(), lateness.end());
    state.counters["alone_ms"] = aloneMs;
    form.CloseForSessionEnd();
}
BENCHMARK(BM_DueRowChildStartLateness)
    ->Arg(10)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(12)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rimo
