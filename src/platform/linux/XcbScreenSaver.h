#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>
#include <string>

struct xcb_connection_t;

namespace rimo {

// The X server's screen saver: its time-out (0 switches it off, which is
// what "not enabled" means on X), forcing it on and off, and the xscreensaver
// daemon's choice of hack. Without an X server it reads unknown and does
// nothing.
class XcbScreenSaver final : public QObject {
    Q_OBJECT
public:
    // `display` as in $DISPLAY; empty: $DISPLAY itself. `daemonSettings`: the
    // xscreensaver daemon's file; empty: ~/.xscreensaver.
    explicit XcbScreenSaver(QByteArray display = {}, QString daemonSettings = {},
                            QObject* parent = nullptr);
    ~XcbScreenSaver() override;

    std::optional<int> TimeOut();
    std::optional<bool> Active();
    void SetTimeOut(int seconds);
    void SetActive(bool active);
    // The daemon's own choice of program becomes `path` (when it runs).
    void SelectProgram(const std::string& path);

    // The xscreensaver daemon runs on this display.
    bool DaemonRuns();
    // The server's own screen saver on, or off with the idle count restarted;
    // false without an X server.
    bool Force(bool on);

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

    QByteArray display_;
    QString daemonSettings_;
    xcb_connection_t* connection_ = nullptr;
    bool connectTried_ = false;
    int wantedTimeOut_ = 0; // kept while screen saving is off
};

} // namespace rimo
