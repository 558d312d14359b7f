#pragma once

#include "core/AppPaths.h"
#include "core/DateTime.h"
#include "core/Status.h"
#include "net/BuildDate.h"
#include "net/SyncLog.h"
#include "schedule/ActionResult.h"

#include <QObject>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QWidget;

namespace rimo {

class Clock;
class ClockService;
class NetworkState;
class ProtocolComboBox;
class TAsyncSocket;
class TDayTimeClient;
class TNtpClient;
class TimeZone;

// What the clock page needs from the system.
struct ClockPageServices {
    const Clock& Now;
    const TimeZone& Zone;
    ClockService& SystemClock;
    NetworkState& Network;
    // Replies before this day are not believed.
    DateTime NotBefore = BuildDate();
};

// What the clock page asks of the main window.
struct ClockPageHost {
    // Makes the clock page the current page.
    std::function<void()> ShowClockPage;
    // Brings the main window forward (restored, or shown in the hidden mode).
    std::function<void()> BringMainWindowForward;
    // Opens a document with the desktop's application for it.
    std::function<bool(const QUrl&)> OpenDocument;
};

// The clock page ("時刻合わせ(&H)"): its controls are children of the page
// widget it is given. GetTimeButtonClick synchronises the clock from an NTP
// or daytime server; the tray item and the scheduled action call it too.
// Where a time service keeps the clock, it measures and reports the offset
// instead of setting the clock.
class ClockPage : public QObject {
    Q_OBJECT
public:
    ClockPage(QWidget& tabSheet, const AppPaths& paths, ClockPageServices services,
              ClockPageHost host);
    ~ClockPage() override;

    // The synchronisation: checks, the server's reply, the clock set (or the
    // offset reported), the result line. Asked for again while it runs (a
    // tick, the tray, the button), it joins the running one: one exchange,
    // one result.
    void GetTimeButtonClick();
    // The same, saying what it came to (for the run history): the offset set
    // or measured, or the failure the user was shown. Joining a running
    // synchronisation comes to nothing of its own.
    ActionResult SynchroniseForRun();
    // The server's name was not found: ask once for another.
    void DayTimeClient1InvalidHost(bool& handled);
    // Opens the log file when it exists.
    void LogButtonClick();
    // Appends the result lines not yet in the log (none when the log is off).
    Status SaveSyncLog();

    TDayTimeClient& DayTimeClient1() { return *client_; }
    TNtpClient& NtpClient1() { return *ntpClient_; }
    // The result lines as shown.
    QStringList ResultLines() const;

Q_SIGNALS:
    // The clock was set (the schedule editor's earliest date moves to today).
    void ClockSet();
    // A synchronisation began or ended.
    void SynchronisingChanged();

public:
    bool Synchronising() const { return synchronising_; }

private:
    void CreateControls(QWidget& page);
    void ShowInformation(const QString& caption, const QString& text);
    void Synchronise();
    // The server's clock against ours; nullopt when the failure is shown.
    struct Measurement {
        std::int64_t OffsetNs = 0;
        std::optional<std::int64_t> RoundTripNs; // NTP only
    };
    std::optional<Measurement> MeasureDayTime();
    std::optional<Measurement> MeasureNtp();
    // Sets the clock by the measured offset, or reports it where a time
    // service keeps the clock.
    void Apply(const Measurement& measurement);
    void ReportMeasured(const Measurement& measurement);
    // Adds a result line: `shown` in the list, `logged` (the untranslated
    // text) in the log.
    void AddResultLine(const QString& shown, const QString& logged);
    // The clock is not set: the failure, and why.
    void ShowFailure(const QString& why);
    // A message of the synchronisation ("Rimotime Information").
    void ShowNotice(const QString& text);
    // An error box; the synchronisation failed with it.
    void ShowError(const QString& text);

    AppPaths paths_;
    ClockPageServices services_;
    ClockPageHost host_;
    QWidget& page_;
    TDayTimeClient* client_;               // a child of this page
    TNtpClient* ntpClient_;                // a child of this page
    TAsyncSocket* activeClient_ = nullptr; // the one of the running synchronisation
    SyncLog log_;
    bool synchronising_ = false;
    ActionResult result_; // of the last synchronisation

    QLineEdit* labeledEdit1_ = nullptr;
    ProtocolComboBox* comboBoxProtocol_ = nullptr;
    QSpinBox* spinEdit1_ = nullptr;
    QListWidget* listBoxResult_ = nullptr;
    QPushButton* getTimeButton_ = nullptr;
    QCheckBox* msgCheckBox_ = nullptr;
    QPushButton* logButton_ = nullptr;
    QCheckBox* checkBoxLog_ = nullptr;
};

} // namespace rimo
