#pragma once

#include "schedule/ActionResult.h"
#include "schedule/RunRecorder.h"
#include "timer/Countdown.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMessageBox;
class QTimeEdit;
class QWidget;

namespace rimo {

class BootClock;
class Clock;
class ProgramStarter;
class RadioGroup;
class SoundService;
class TTimeDlg;

// What the timer page needs from the system.
struct TimerPageServices {
    SoundService& Sound; // the warning beep
    const BootClock& Elapsed;
    const Clock& Wall;        // the ticks come at its seconds
    ProgramStarter& Programs; // "アプリ起動(&C)"
};

// What the timer page asks of the main window.
struct TimerPageHost {
    // Minimises or hides the main window by the taskbar mode, unless it is already.
    std::function<void()> GetMainWindowOutOfTheWay;
    // The wave player the scheduled actions use.
    std::function<void(const std::string& path)> PlayWave;
};

// The timer page ("RIMOタイマー(&T)"): its controls are children of the page
// widget it is given; it holds the countdown and runs its step of the tick.
// The notice dialog and the tray items are attached once they exist.
class TimerPage : public QObject, private CountdownSteps {
    Q_OBJECT
public:
    TimerPage(QWidget& tabSheet, TimerPageServices services, TimerPageHost host);
    ~TimerPage() override;

    // The tray submenu's items, found by name under `popupMenu`: "TimeLoop",
    // "Quick0" to "Quick6", "TimeStop".
    void ConnectTrayItems(const QObject& popupMenu);
    void AttachNoticeDialog(TTimeDlg* dialog);
    // The expiry actions (and their tests) are told to `recorder` (nullptr: to no one).
    void SetRecorder(RunRecorder* recorder) { recorder_ = recorder; }

    void ButtonTimeStartClick();
    void ButtonTimeStopClick();
    void ButtonTimeTestClick();
    // A tray quick item: the digits after "Quick" in its name choose the duration.
    void Quick0Click(const QObject& item);
    void DateTimePicker3Change();
    void CheckBoxTimeLoopClick();
    void TimeLoopClick();
    void CheckBoxSoundClick();
    void ButtonVideClick();
    void ButtonReferClick();

    // Steps 3 and 4 of the tick: the countdown and the dialog's caption.
    void Timer1Step();

    CountdownState& State() { return countdown_.State(); }
    // "Loopさせる(&O)".
    bool LoopMode() const;
    // "繰り返す(&R)": wave sounds loop (the scheduled sound action too).
    bool SoundLoop() const;
    // The duration of the current quick choice; zero when none is chosen.
    DateTime ChosenDuration() const;
    // The dialog was closed: the timer stops, and a playing sound.
    void NoticeClosed();
    // The countdown counts, or a test waits for the next tick: the tick
    // must come every second.
    bool NeedsEveryTick() const {
        return countdown_.State().CountdownRunning || countdown_.State().CountdownTestMode;
    }

Q_SIGNALS:
    // Started, stopped or a test asked for.
    void CountdownChanged();

public:
private:
    void CreateControls(QWidget& page);
    QLineEdit* AddLabeledEdit(QWidget* parent, const char* name, const QString& label,
                              const QString& hint, const QRect& geometry,
                              QLabel** labelOut = nullptr);
    void AddButton(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                   const QRect& geometry, void (TimerPage::*handler)());
    // Nothing when no quick item is chosen.
    std::optional<DateTime> QuickChoiceDuration() const;
    void Browse(QLineEdit* edit, const QString& filter);
    // One box for the failed starts of a run: a later failure updates it.
    void ReportStartFailure(const QString& text);

    CountdownOptions Options() override;
    void MinimiseNotice() override;
    void CloseNotice() override;
    void ShowNoticeInFront() override;
    void StartAgain() override;
    void Beep() override;
    void PlayWave(const std::string& path) override;
    void RunCommandLine(const std::string& command) override;
    void SetNoticeCaption(const Message& caption) override;
    // An expiry action about to run, and how it went, for the run history.
    RunId BeginRun(const char* action, const std::string& argument);
    void EndRun(RunId run, const ActionResult& result);

    TimerPageServices services_;
    TimerPageHost host_;
    QWidget& page_;
    Countdown countdown_;
    QPointer<TTimeDlg> dialog_;
    QPointer<QAction> timeLoopItem_;
    RunRecorder* recorder_ = nullptr;
    QPointer<QMessageBox> startReport_;
    int failedStarts_ = 0; // since startReport_ was opened

    QComboBox* comboBoxTime_ = nullptr;
    QTimeEdit* dateTimePicker3_ = nullptr;
    RadioGroup* radioGroupTimeCount_ = nullptr;
    QCheckBox* checkBoxTimeLoop_ = nullptr;
    QCheckBox* checkBoxBeep_ = nullptr;
    QCheckBox* checkBoxSound_ = nullptr;
    QCheckBox* checkBoxSoundLoop_ = nullptr;
    QLineEdit* labeledEditWave_ = nullptr;
    QLabel* waveLabel_ = nullptr;
    QCheckBox* checkBoxPath_ = nullptr;
    QLineEdit* labeledEdit3_ = nullptr;
};

} // namespace rimo
