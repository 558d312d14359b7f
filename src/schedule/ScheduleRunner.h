#pragma once

#include "core/DateTime.h"
#include "platform/PlatformServices.h"
#include "schedule/ActionRunner.h"
#include "schedule/SchedulePass.h"

#include <QObject>

#include <filesystem>
#include <memory>

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

    ActionRunner& Actions() { return actions_; }
    MessageWindows& Messages() { return *messages_; }
    SchedulePass& Pass() { return pass_; }

private:
    int CurrentRow() const override;
    void DeleteRow(int row) override;
    void SortAndSelectNextEvent() override;

    ScheduleGrid& grid_;
    ScheduleEditor& editor_;
    const Clock& clock_;
    MessageWindows* messages_;
    ActionRunner actions_;
    SchedulePass pass_;
    RunRecorder* recorder_ = nullptr;
    bool stopped_ = false;
};

} // namespace rimo
