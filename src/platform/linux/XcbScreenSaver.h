#pragma once

#include "platform/ScreenSaverSystem.h"

#include <QByteArray>
#include <QObject>
#include <QString>

struct xcb_connection_t;

namespace rimo {

// The X server's screen saver: its time-out (0 switches it off, which is
// what "not enabled" means on X), forcing it on and off, and the desktop's
// screen saver tools (xscreensaver-command when that daemon runs, else
// xdg-screensaver). Without an X server it reads 0 and off and does nothing.
class XcbScreenSaver final : public QObject, public ScreenSaverSystem {
    Q_OBJECT
public:
    // `display` as in $DISPLAY; empty: $DISPLAY itself. `daemonSettings`: the
    // xscreensaver daemon's file; empty: ~/.xscreensaver.
    explicit XcbScreenSaver(QByteArray display = {}, QString daemonSettings = {},
                            QObject* parent = nullptr);
    ~XcbScreenSaver() override;

    std::optional<int> TimeOut() override;
    std::optional<bool> Active() override;
    void SetTimeOut(int seconds) override;
    void SetActive(bool active) override;
    void Activate() override;
    void Wake() override;
    void SelectProgram(const std::string& path) override;

    // The xscreensaver daemon runs on this display.
    bool DaemonRuns();

private:
    struct Settings {
        int TimeOut = 0;
        int Interval = 0;
        int PreferBlanking = 2; // the server's default
        int AllowExposures = 2;
    };
    xcb_connection_t* Connection();
    std::optional<Settings> Read();
    void Write(const Settings& settings);
    void Force(bool on);
    static bool StartTool(const char* tool, const QStringList& arguments);

    QByteArray display_;
    QString daemonSettings_;
    xcb_connection_t* connection_ = nullptr;
    bool connectTried_ = false;
    int wantedTimeOut_ = 0; // kept while screen saving is off
};

} // namespace rimo
