#pragma once

#include "core/AppPaths.h"
#include "core/DateTime.h"
#include "core/Status.h"
#include "net/BuildDate.h"
#include "net/SyncLog.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>

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
class TDayTimeClient;
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
// widget it is given. GetTimeButtonClick synchronises the clock from a
// daytime server; the tray item and the scheduled action call it too.
class ClockPage : public QObject {
    Q_OBJECT
public:
    ClockPage(QWidget& tabSheet, const AppPaths& paths, ClockPageServices services,
              ClockPageHost host);
    ~ClockPage() override;

    // The synchronisation: checks, the server's reply, the clock set, the
    // result line. Asked for again while it runs (a tick, the tray, the
    // button), it joins the running one: one exchange, one result.
    void GetTimeButtonClick();
    // The server's name was not found: ask once for another.
    void DayTimeClient1InvalidHost(bool& handled);
    // Opens the log file when it exists.
    void LogButtonClick();
    // Appends the result lines not yet in the log (none when the log is off).
    Status SaveSyncLog();

    TDayTimeClient& DayTimeClient1() { return *client_; }
    QStringList ResultLines() const;

Q_SIGNALS:
    // The clock was set (the schedule editor's earliest date moves to today).
    void ClockSet();

private:
    void CreateControls(QWidget& page);
    void ShowInformation(const QString& caption, const QString& text);
    void Synchronise();
    // The clock is not set: the failure, and why.
    void ShowFailure(const std::string& why);

    AppPaths paths_;
    ClockPageServices services_;
    ClockPageHost host_;
    QWidget& page_;
    TDayTimeClient* client_; // a child of this page
    SyncLog log_;
    bool synchronising_ = false;

    QLineEdit* labeledEdit1_ = nullptr;
    QSpinBox* spinEdit1_ = nullptr;
    QListWidget* listBoxResult_ = nullptr;
    QPushButton* getTimeButton_ = nullptr;
    QCheckBox* msgCheckBox_ = nullptr;
    QPushButton* logButton_ = nullptr;
    QCheckBox* checkBoxLog_ = nullptr;
};

} // namespace rimo
