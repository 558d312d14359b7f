#pragma once

#include "platform/ScreenSaverSystem.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace rimo {

class XcbScreenSaver;

// The screen saver as the session offers it. Starting and waking go through
// the session's own interface first (org.gnome.ScreenSaver, else
// org.freedesktop.ScreenSaver on the session bus); on X11 then the
// xscreensaver daemon's command, xdg-screensaver, and the X server's own
// screen saver. One request at a time, in the order asked, without waiting
// on the event loop's thread. Time-out and enabled state are the X server's
// (on X11); on Wayland the session keeps them to itself.
class SessionScreenSaver final : public QObject, public ScreenSaverSystem {
    Q_OBJECT
public:
    // `x11`: the X server's screen saver, used only in an X11 session.
    SessionScreenSaver(QDBusConnection bus, XcbScreenSaver& x11, bool x11Session,
                       QObject* parent = nullptr);

    std::optional<int> TimeOut() override;
    std::optional<bool> Active() override;
    void SetTimeOut(int seconds) override;
    void SetActive(bool active) override;
    void Activate(Report report) override;
    void Wake() override;
    void SelectProgram(const std::string& path) override;

    // Whether this is an X11 session (else Wayland), by the environment.
    static bool X11Session();

private:
    using Done = std::function<void(bool ok)>;
    using Attempt = std::function<void(Done)>;

    enum class Until { OneSucceeds, AllRan };
    // Runs the attempts one after another, until one succeeds or all have
    // run; then done(whether any succeeded).
    void InTurn(std::vector<Attempt> attempts, Until until, Done done, bool anySucceeded = false);
    void Enqueue(std::function<void(std::function<void()> next)> step);
    void RunNext();
    Attempt Call(const QString& service, const QString& method, const QVariantList& arguments);
    Attempt Tool(const QString& program, const QStringList& arguments);

    QDBusConnection bus_;
    XcbScreenSaver& x11_;
    bool x11Session_;
    std::deque<std::function<void(std::function<void()>)>> steps_;
    bool running_ = false;
};

} // namespace rimo
