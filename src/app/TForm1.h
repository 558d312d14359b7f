#pragma once

#include "app/TrayTicker.h"
#include "core/AppPaths.h"
#include "core/DateTime.h"
#include "core/MainWindowState.h"
#include "core/Status.h"
#include "history/HistoryEntry.h"
#include "platform/PlatformServices.h"
#include "schedule/ScheduleTable.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

#include <optional>
#include <string>

class QLabel;
class QMessageBox;
class QPushButton;
class QTabWidget;

namespace rimo {

class AboutPage;
class AwayWindow;
class HistoryRecorder;
class HistoryWindow;
class RunHistory;
class PageControl;
class AppActionHost;
class EditorChoices;
class Clock;
class ClockPage;
class TimerPage;
class LaunchIcons;
class LauncherPage;
class LinuxServices;
class FormSettings;
class ScheduleEditor;
class ScheduleGrid;
class ScheduleRunner;
class SecondTimer;
class SettingsPage;
class TvScrSaver;
class TrayIcon;
class TrayMenu;

// The main window and the composition root: it builds the pages and parts,
// hands them the shared state and services, and runs the start-up, the tick
// and the close sequence. The parts hold the logic.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // With the real desktop services.
    TForm1(const AppPaths& paths, Clock& clock, QWidget* parent = nullptr);
    // With the given services (tests pass fakes).
    TForm1(const AppPaths& paths, Clock& clock, const PlatformServices& services,
           QWidget* parent = nullptr);
    ~TForm1() override;

    MainWindowState& State() { return state_; }
    ScheduleTable& Schedule() { return schedule_; }
    ScheduleGrid* StringGrid1() const { return grid_; }
    ScheduleEditor& Editor() { return *editor_; }
    SecondTimer& Timer1() { return *timer1_; }
    ClockPage& ClockPage1() { return *clockPage_; }
    SettingsPage& SettingsPage1() { return *settingsPage_; }
    AboutPage& AboutPage1() { return *aboutPage_; }
    TimerPage& TimerPage1() { return *timerPage_; }
    // "RIMOランチャー(&L)".
    LauncherPage& Launcher() { return *launcherPage_; }
    const AppPaths& Paths() const { return paths_; }
    // The screen saver control (nullptr before creation step 9 and after close).
    TvScrSaver* ScrSaver() const { return scrSaver_.get(); }
    ScheduleRunner* Scheduler() const { return scheduleRunner_; }
    AppActionHost& ActionHostOfActions() { return *actionHost_; }
    FormSettings& Settings() { return *settings_; }
    TrayIcon& Tray() { return *tray_; }
    // "PopupMenu1" and its handlers.
    TrayMenu& Popup() { return *trayMenu_; }
    // The run history and what records into it (nullptr before creation step 7).
    RunHistory* History() const { return history_; }
    HistoryRecorder* Recorder() const { return recorder_; }
    // The history window (nullptr while it is not open).
    HistoryWindow* HistoryView() const;
    // The window of rows that did not run (nullptr while there is none).
    AwayWindow* Away() const;

    // Minimise/restore (icon display mode 0) or hide/show (mode 1).
    void ToggleMainWindow();
    // Roll up to the title bar, or back to full height.
    void RollUpToggle();
    // Waits while the event loop runs on (ticks and clicks go on meanwhile).
    void DelayWithMessages(int milliseconds);

    void OKButtonClick();
    void CancelButtonClick();
    void CloseButtonClick();
    // Synchronises the clock (the clock page's button, the tray item, the scheduled action).
    void GetTimeButtonClick();
    // Opens the run history window, or brings it forward; with a title, on
    // the entries of that title (the grid's row menu).
    void ShowHistoryWindow(const QString& title = {});

    // The one-second tick.
    void Timer1Timer();

    // The close sequence: log, schedule, settings. False when the schedule or
    // the settings could not be written: the window stays open and the user is
    // asked once whether to close without saving. A log that cannot be
    // written is reported after the close.
    bool FormCloseQuery();
    // Log-out, shutdown or a termination signal: write everything that can
    // be written and end.
    void CloseForSessionEnd();

    // rimotime.ini into the controls, the window's place and size, ShowFlag.
    void LoadSettings();
    // The controls, place, size and ShowFlag into rimotime.ini (other
    // sections and keys kept).
    Status SaveSettings();

    // Options of the settings page, read from its controls.
    int IconDisplayMode() const;
    bool MinimizeAfterStart() const;

Q_SIGNALS:
    // The window has closed; the program ends.
    void Closed();
    // Each tick, after its steps (for tests and measurements).
    void Ticked();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    static void InstallAccessibleWindow();
    void CreateControls();
    // The page control and its five pages (TForm1Pages.cpp), each built on its tab sheet.
    void CreatePages();
    void CreateClockPage(QWidget& tabSheet1);
    void CreateTimerPage(QWidget& tabSheet2);
    void CreateLauncherPage(QWidget& tabSheet3);
    void CreateSettingsPage(QWidget& tabSheet4);
    void CreateAboutPage(QWidget& tabSheet5);
    void BringForward();
    // The one-second tick (TForm1Tick.cpp), and what decides whether it
    // comes every second or sleeps until the next due row.
    void CreateTimer1();
    void WireTickDemand();
    bool NeedsEverySecond() const;
    // The title can be seen: the window's title bar, or the taskbar entry
    // of a minimised window.
    bool TitleInSight() const;
    // Shows the window (restored, raised) and asks for the focus.
    void ShowAndActivate();
    // What taking the window away (the tray toggle, OK, the start) does here.
    enum class AwayAction { None, Minimise, Hide };
    AwayAction AwayActionNow() const;
    // A size the program chooses (what is saved where the compositor decides).
    void ChooseSize(QSize size);
    QPushButton* AddButton(const char* name, const QString& caption, const QString& hint,
                           const QRect& geometry);
    void FormCreate();
    void FormShow();
    void StartupNotice();
    void FormDestroy();
    void LoadScheduleFile();
    void ShowStartupProblems();
    void ShowTitle(const std::string& title);
    // The name a screen reader gives the window: the product and the next
    // event, from the title as it was last rebuilt, never as it scrolls.
    void ShowAccessibleTitle(const std::string& refreshedTitle);
    void ShowTrayStatus(bool hostAvailable);
    // Where the window may be placed by the program (not on Wayland).
    static bool CanPlaceWindows();
    enum class FileErrors { Shown, Logged };
    // Log, schedule and settings. Shown errors stop at the failing step;
    // logged errors (no one to answer) let the remaining files be written.
    bool WriteFilesAtClose(FileErrors errors);
    // A close that could not save: the problems and "close without saving?".
    void AskToCloseWithoutSaving(const QString& problems);
    void CloseWithoutSaving();
    // The run history (TForm1History.cpp): opened at start, before the
    // catch-up moves the rows that passed meanwhile.
    void OpenHistory(std::int64_t nowMs);
    void FindRowsMissedWhileNotRunning(std::optional<std::int64_t> lastSeen);
    void ShowMissedRows(const std::vector<MissedRun>& runs);
    void RunMissedRows(const std::vector<MissedRun>& runs);
    void ShowHistoryProblem(const QString& text);
    void CloseHistory();
    void CloseHistoryWindows();

    AppPaths paths_;
    // Where the schedule is read and saved: another name when the file there
    // could not be read nor moved aside.
    std::filesystem::path scheduleFile_ = paths_.ScheduleFile();
    Clock& clock_;
    MainWindowState state_;
    ScheduleTable schedule_;
    PlatformServices services_;
    LinuxServices* linuxServices_ = nullptr;
    std::unique_ptr<AppActionHost> actionHost_;
    std::unique_ptr<TvScrSaver> scrSaver_;
    std::unique_ptr<EditorChoices> editorChoices_;
    ScheduleRunner* scheduleRunner_ = nullptr;
    DateTime caughtUpAt_ = 0; // the moment of the start-up catch-up
    RunHistory* history_ = nullptr;
    HistoryRecorder* recorder_ = nullptr;
    // The rows whose time had passed at start, until the history tells when
    // the program last ran.
    std::optional<ScheduleTable> passedAtStart_;
    QPointer<HistoryWindow> historyWindow_;
    QPointer<AwayWindow> awayWindow_;

    PageControl* pageControl1_ = nullptr;
    ScheduleGrid* grid_ = nullptr;
    ScheduleEditor* editor_ = nullptr;
    SecondTimer* timer1_ = nullptr;
    ClockPage* clockPage_ = nullptr;
    SettingsPage* settingsPage_ = nullptr;
    AboutPage* aboutPage_ = nullptr;
    TimerPage* timerPage_ = nullptr;
    std::unique_ptr<LaunchIcons> launchIcons_;
    LauncherPage* launcherPage_ = nullptr;
    std::unique_ptr<FormSettings> settings_;
    TrayMenu* trayMenu_ = nullptr;
    TrayIcon* tray_ = nullptr;
    QLabel* trayStatus_ = nullptr;
    TrayTicker ticker_{state_};
    QSize chosenSize_;
    // The stored place, written back where the window cannot be placed.
    std::optional<std::string> storedLeft_;
    std::optional<std::string> storedTop_;

    QStringList startupProblems_;
    // What the close could not write though the window closed (the log).
    QString closeNotice_;
    QPointer<QMessageBox> closeNoticeBox_;
    QPointer<QMessageBox> closeQuestion_;
    bool shownOnce_ = false;
    bool closed_ = false;
};

} // namespace rimo
