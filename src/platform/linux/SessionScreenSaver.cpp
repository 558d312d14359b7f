#include "platform/linux/SessionScreenSaver.h"

#include "platform/linux/XcbScreenSaver.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QStandardPaths>

#include <memory>

namespace rimo {

namespace {

const QString kGnome = QStringLiteral("org.gnome.ScreenSaver");
const QString kFreedesktop = QStringLiteral("org.freedesktop.ScreenSaver");

QString ObjectPath(const QString& service) {
    return QLatin1Char('/') + QString(service).replace(QLatin1Char('.'), QLatin1Char('/'));
}

} // namespace

SessionScreenSaver::SessionScreenSaver(QDBusConnection bus, XcbScreenSaver& x11, bool x11Session,
                                       QObject* parent)
    : QObject(parent), bus_(std::move(bus)), x11_(x11), x11Session_(x11Session) {}

bool SessionScreenSaver::X11Session() {
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland")) {
        return false;
    }
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           !qEnvironmentVariableIsEmpty("DISPLAY");
}

std::optional<int> SessionScreenSaver::TimeOut() {
    return x11Session_ ? x11_.TimeOut() : std::nullopt;
}

std::optional<bool> SessionScreenSaver::Active() {
    // Under Wayland the X server's screen saver (XWayland's) is always off
    // and means nothing; the session's own may run at any time.
    return x11Session_ ? x11_.Active() : std::optional<bool>(true);
}

void SessionScreenSaver::SetTimeOut(int seconds) {
    if (x11Session_) {
        x11_.SetTimeOut(seconds);
    }
}

void SessionScreenSaver::SetActive(bool active) {
    if (x11Session_) {
        x11_.SetActive(active);
    }
}

void SessionScreenSaver::SelectProgram(const std::string& path) {
    if (x11Session_) {
        x11_.SelectProgram(path);
    }
}

void SessionScreenSaver::Activate(Report report) {
    std::vector<Attempt> attempts{Call(kGnome, QStringLiteral("SetActive"), {true}),
                                  Call(kFreedesktop, QStringLiteral("SetActive"), {true})};
    if (x11Session_) {
        if (x11_.DaemonRuns()) {
            attempts.push_back(
                Tool(QStringLiteral("xscreensaver-command"), {QStringLiteral("-activate")}));
        }
        attempts.push_back(Tool(QStringLiteral("xdg-screensaver"), {QStringLiteral("activate")}));
        attempts.push_back([this](const Done& done) { done(x11_.Force(true)); });
    }
    Enqueue([this, attempts, report](const std::function<void()>& next) {
        InTurn(attempts, Until::OneSucceeds, [report, next](bool ok) {
            if (!ok && report) {
                report("スクリーンセーバーを起動できません: このセッションには起動する手段"
                       "（org.gnome.ScreenSaver、org.freedesktop.ScreenSaver）がありません。");
            }
            next();
        });
    });
}

void SessionScreenSaver::Wake() {
    std::vector<Attempt> attempts{Call(kGnome, QStringLiteral("SetActive"), {false}),
                                  Call(kFreedesktop, QStringLiteral("SimulateUserActivity"), {})};
    if (x11Session_) {
        attempts.push_back([this](const Done& done) {
            const bool forced = x11_.Force(false);
            std::vector<Attempt> tools;
            if (x11_.DaemonRuns()) {
                tools.push_back(
                    Tool(QStringLiteral("xscreensaver-command"), {QStringLiteral("-deactivate")}));
            }
            tools.push_back(Tool(QStringLiteral("xdg-screensaver"), {QStringLiteral("reset")}));
            // Every tool in turn, whatever the one before answered.
            InTurn(std::move(tools), Until::AllRan,
                   [done, forced](bool ran) { done(forced || ran); });
        });
    }
    Enqueue([this, attempts](const std::function<void()>& next) {
        InTurn(attempts, Until::OneSucceeds, [next](bool) { next(); });
    });
}

void SessionScreenSaver::InTurn(std::vector<Attempt> attempts, Until until, Done done,
                                bool anySucceeded) {
    if (attempts.empty()) {
        done(anySucceeded);
        return;
    }
    Attempt first = attempts.front();
    attempts.erase(attempts.begin());
    first([this, attempts = std::move(attempts), until, done = std::move(done),
           anySucceeded](bool ok) mutable {
        if (ok && until == Until::OneSucceeds) {
            done(true);
        } else {
            InTurn(std::move(attempts), until, std::move(done), anySucceeded || ok);
        }
    });
}

void SessionScreenSaver::Enqueue(std::function<void(std::function<void()> next)> step) {
    steps_.push_back(std::move(step));
    RunNext();
}

void SessionScreenSaver::RunNext() {
    if (running_ || steps_.empty()) {
        return;
    }
    running_ = true;
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step([this] {
        running_ = false;
        RunNext();
    });
}

SessionScreenSaver::Attempt SessionScreenSaver::Call(const QString& service, const QString& method,
                                                     const QVariantList& arguments) {
    return [this, service, method, arguments](const Done& done) {
        if (!bus_.isConnected()) {
            done(false);
            return;
        }
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, ObjectPath(service), service, method);
        call.setArguments(arguments);
        auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
        connect(pending, &QDBusPendingCallWatcher::finished, this, [pending, done] {
            pending->deleteLater();
            const QDBusMessage reply = pending->reply();
            // A "false" answer (org.freedesktop.ScreenSaver.SetActive) is a refusal.
            const bool refused = !reply.arguments().isEmpty() &&
                                 reply.arguments().first().metaType().id() == QMetaType::Bool &&
                                 !reply.arguments().first().toBool();
            done(reply.type() == QDBusMessage::ReplyMessage && !refused);
        });
    };
}

SessionScreenSaver::Attempt SessionScreenSaver::Tool(const QString& program,
                                                     const QStringList& arguments) {
    return [this, program, arguments](const Done& done) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            done(false);
            return;
        }
        auto* process = new QProcess(this);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        connect(process, &QProcess::finished, this,
                [process, done](int code, QProcess::ExitStatus status) {
                    process->deleteLater();
                    done(status == QProcess::NormalExit && code == 0);
                });
        connect(process, &QProcess::errorOccurred, this,
                [process, done](QProcess::ProcessError error) {
                    if (error == QProcess::FailedToStart) {
                        process->deleteLater();
                        done(false);
                    }
                });
        process->start(program, arguments);
    };
}

} // namespace rimo
