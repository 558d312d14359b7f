#pragma once

#include "core/DateTime.h"
#include "platform/PlatformServices.h"
#include "schedule/ActionRunner.h"
#include "schedule/SchedulePass.h"

#include <QObject>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

class QWidget;

namespace rimo {

class ActionHost;
class Clock;
class MessageWindows;
class ScheduleEditor;
class ScheduleGrid;
class TvScrSaver;
struct MainWindowState;

// The schedule pass of the main window's tick, wired to the grid, the
// editor's operations and the desktop services.
class ScheduleRunner final : public QObject, private ScheduleEditing {
    Q_OBJECT
public:
    ScheduleRunner(ScheduleGrid& grid, ScheduleEditor& editor, MainWindowState& state,
                   const Clock& clock, const PlatformServices& services, TvScrSaver& screenSaver,
                   ActionHost& host, const std::filesystem::path& companion, QWidget& mainWindow,
                   QObject* parent = nullptr);
    ~ScheduleRunner() override;

    // Seconds before the clock's reading (milliseconds since the Unix epoch)
    // were seen by the start-up catch-up.
    void Start(std::int64_t unixMs) { pass_.Start(unixMs); }
    // Runs and misses are told to `recorder` (nullptr: to no one).
    void SetRecorder(RunRecorder* recorder);
    // Step 6 of the tick: RunDueRows for every second since the previous tick.
    void Timer1Step();
    // No more actions (the window is closing; the services go away).
    void Stop();

    // The longest the tick sleeps while nothing is due.
    static constexpr std::int64_t kQuietHorizonSeconds = 3600;
    // When nothing needs the tick every second: the Unix second to wake at
    // (the next due row, a change of the zone's offset, or the horizon).
    // The seconds until then are taken as covered as they pass undisturbed;
    // time the wall clock gains over the steady one (the clock set, a
    // suspend) is left to the tick, which handles it as a gap or a set-back.
    std::int64_t QuietWakeSecond(std::int64_t unixMs);
    // The tick no longer sleeps on the rows' account (it was stopped):
    // seconds are covered by ticks alone.
    void EndQuiet() { quiet_.reset(); }

Q_SIGNALS:
    // A schedule row changed, or rows came or went: the next due row and the
    // next-event texts may have changed.
    void RowsChanged();

public:
    ActionRunner& Actions() { return actions_; }
    MessageWindows& Messages() { return *messages_; }
    SchedulePass& Pass() { return pass_; }

private:
    int CurrentRow() const override;
    void DeleteRow(int row) override;
    void SortAndSelectNextEvent() override;
    void TableChanged();
    // The seconds of the quiet span that have passed, as covered: with the
    // second now (ticks at every second would have covered it at its start),
    // or up to it (the tick now covers it).
    void CoverQuietSpan(bool thisSecond);

    struct QuietSpan {
        std::int64_t WallMs = 0;   // the clock's reading when the tick went quiet
        std::int64_t SteadyMs = 0; // the steady clock's then
        std::int64_t WakeSecond = 0;
    };

    ScheduleGrid& grid_;
    ScheduleTable& table_; // the window's: outlives the grid, which may go first
    ScheduleEditor& editor_;
    const Clock& clock_;
    MessageWindows* messages_;
    ActionRunner actions_;
    SchedulePass pass_;
    std::optional<QuietSpan> quiet_;
    RunRecorder* recorder_ = nullptr;
    bool stopped_ = false;
};

} // namespace rimo
