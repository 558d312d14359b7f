#pragma once

#include "BenchApp.h"
#include "TempFolder.h"
#include "app/TForm1.h"
#include "core/DateTime.h"
#include "fakes/FakeScreenSaverSystem.h"
#include "fakes/FakeSound.h"
#include "fakes/FakeWallpaper.h"
#include "platform/ProgramStarter.h"
#include "platform/linux/SystemClock.h"
#include "schedule/ScheduleTable.h"

#include <QEventLoop>
#include <QTimer>

#include <cstdint>
#include <ctime>
#include <vector>

namespace rimo {

inline std::int64_t Microseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

// Rows spread over days a year on, none due in the measured seconds.
inline std::vector<ScheduleRow> FutureRows(int count) {
    const DateTime start = EncodeDate(2027, 1, 5) + EncodeTime(10, 0, 0);
    std::vector<ScheduleRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const DateTime when = AddSeconds(start, i * 37);
        rows.push_back({"予定", "毎日", FormatScheduleDate(when), FormatScheduleTime(when),
                        "警告音", "", "しない", "○"});
    }
    return rows;
}

// Notes the moment an action starts its program (starting nothing), for
// measuring how late actions come.
class TimingStarter final : public ProgramStarter {
public:
    Launched Launch(const std::string&, const std::vector<std::string>&, const std::string&,
                    StartState) override {
        startedAt = Microseconds(CLOCK_REALTIME);
        startedAtBoot = Microseconds(CLOCK_BOOTTIME);
        if (loop_) {
            loop_->quit();
        }
        return Status::Ok();
    }

    // Runs the event loop (ticks included) until a program is started or
    // `timeoutMs` have passed; false on the time-out.
    bool WaitForStart(int timeoutMs) {
        QEventLoop loop;
        loop_ = &loop;
        startedAt = 0;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = nullptr;
        return startedAt != 0;
    }

    std::int64_t startedAt = 0;     // microseconds since the Unix epoch
    std::int64_t startedAtBoot = 0; // CLOCK_BOOTTIME, microseconds

private:
    QEventLoop* loop_ = nullptr;
};

// The main window in a temporary folder on the real clocks and tick, its
// programs started by `Starter` (by default only timed); sound, wallpaper and
// screen saver are fakes.
template <class Starter = TimingStarter> struct TimedMainWindow {
    QApplication& App = BenchApp(); // before the window
    TempFolder Folder;
    SystemClock Clock;
    FakeSound Sound;
    Starter Programs;
    FakeWallpaper Wallpaper;
    FakeScreenSaverSystem ScreenSaver;
    TForm1 Form{AppPaths::InFolder(Folder.Path()), Clock,
                PlatformServices{&Sound, &Programs, &Wallpaper, &ScreenSaver}};
};

} // namespace rimo
