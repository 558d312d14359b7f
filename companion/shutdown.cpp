// The power companion: started by RimoTimeInformation with one switch.
//   /s shut down, /r restart, /t stand by, /k hibernate  (systemd-logind)
//   /l log off (the desktop's own log-out, else logind's session end)
// A refusal is said on standard error and in a desktop notification, and the
// exit status is not 0. An unknown switch gets the usage line (status 2).

#include "i18n/LanguageChoice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>
#include <QVariantMap>

#include <cstdio>
#include <unistd.h>

namespace {

// A word marked with QT_TRANSLATE_NOOP("shutdown", …).
QString Tr(const char* source) {
    return QCoreApplication::translate("shutdown", source);
}

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

struct PowerAction {
    const char* Switch;
    const char* Method;    // logind's method, or nullptr for the log-out
    const char* CanMethod; // logind's question asked first
    const char* Name;      // in messages
};

constexpr PowerAction kActions[] = {
    {"/s", "PowerOff", "CanPowerOff", QT_TRANSLATE_NOOP("shutdown", "シャットダウン")},
    {"/r", "Reboot", "CanReboot", QT_TRANSLATE_NOOP("shutdown", "再起動")},
    {"/t", "Suspend", "CanSuspend", QT_TRANSLATE_NOOP("shutdown", "スタンバイ")},
    {"/k", "Hibernate", "CanHibernate", QT_TRANSLATE_NOOP("shutdown", "休止状態")},
    {"/l", nullptr, nullptr, QT_TRANSLATE_NOOP("shutdown", "ログオフ")},
};

// A server that draws bodies as markup gets the text escaped: a refusal's
// reason (another service's error text) must show as written.
QString BodyText(QDBusInterface& notifications, const QString& text) {
    const QDBusReply<QStringList> capabilities =
        notifications.call(QStringLiteral("GetCapabilities"));
    if (!capabilities.isValid() || !capabilities.value().contains(QStringLiteral("body-markup"))) {
        return text;
    }
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('&')) {
            escaped += QStringLiteral("&amp;");
        } else if (c == QLatin1Char('<')) {
            escaped += QStringLiteral("&lt;");
        } else if (c == QLatin1Char('>')) {
            escaped += QStringLiteral("&gt;");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

void Notify(const QString& summary, const QString& body) {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) {
        return;
    }
    QDBusInterface notifications(QStringLiteral("org.freedesktop.Notifications"),
                                 QStringLiteral("/org/freedesktop/Notifications"),
                                 QStringLiteral("org.freedesktop.Notifications"), session);
    notifications.setTimeout(5000);
    notifications.call(QStringLiteral("Notify"), QStringLiteral("RimoTimeInformation"), 0u,
                       QStringLiteral("dialog-warning"), summary, BodyText(notifications, body),
                       QStringList(), QVariantMap(), -1);
}

int Refuse(const PowerAction& action, const QString& reason) {
    const QString summary =
        QCoreApplication::translate("shutdown", "%1できません").arg(Tr(action.Name));
    std::fprintf(stderr, "shutdown: %s: %s\n", summary.toLocal8Bit().constData(),
                 reason.toLocal8Bit().constData());
    Notify(summary, reason);
    return 1;
}

QDBusInterface LoginManager() {
    return QDBusInterface(kLogin, kLoginPath, kManager, QDBusConnection::systemBus());
}

int Logind(const PowerAction& action) {
    if (!QDBusConnection::systemBus().isConnected()) {
        return Refuse(action,
                      QCoreApplication::translate("shutdown", "システムバスに接続できません"));
    }
    QDBusInterface manager = LoginManager();
    const QDBusReply<QString> can = manager.call(QString::fromLatin1(action.CanMethod));
    if (!can.isValid()) {
        return Refuse(action, can.error().message());
    }
    if (can.value() != QLatin1String("yes") && can.value() != QLatin1String("challenge")) {
        return Refuse(action, QCoreApplication::translate("shutdown", "許可されていません (%1: %2)")
                                  .arg(QString::fromLatin1(action.CanMethod), can.value()));
    }
    // Interactive: polkit may ask for a password.
    const QDBusMessage done = manager.call(QString::fromLatin1(action.Method), true);
    if (done.type() == QDBusMessage::ErrorMessage) {
        return Refuse(action, done.errorMessage());
    }
    return 0;
}

bool IsDesktop(const QString& name) {
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& desktop : desktops) {
        if (desktop.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

int SessionCall(const PowerAction& action, const QString& service, const QString& path,
                const QString& interface, const QString& method, const QVariantList& arguments) {
    QDBusInterface target(service, path, interface, QDBusConnection::sessionBus());
    const QDBusMessage done = target.callWithArgumentList(QDBus::Block, method, arguments);
    if (done.type() == QDBusMessage::ErrorMessage) {
        return Refuse(action, done.errorMessage());
    }
    return 0;
}

int LogOut(const PowerAction& action) {
    if (IsDesktop(QStringLiteral("GNOME")) || IsDesktop(QStringLiteral("Unity")) ||
        IsDesktop(QStringLiteral("ubuntu"))) {
        return SessionCall(action, QStringLiteral("org.gnome.SessionManager"),
                           QStringLiteral("/org/gnome/SessionManager"),
                           QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Logout"),
                           {QVariant::fromValue(1u)}); // no confirmation
    }
    if (IsDesktop(QStringLiteral("KDE"))) {
        return SessionCall(action, QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"),
                           QStringLiteral("org.kde.Shutdown"), QStringLiteral("logout"), {});
    }
    if (IsDesktop(QStringLiteral("XFCE"))) {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("xfce4-session-logout"));
        if (tool.isEmpty()) {
            return Refuse(action, QCoreApplication::translate("shutdown",
                                                              "xfce4-session-logout がありません"));
        }
        const int status = QProcess::execute(tool, {QStringLiteral("--logout")});
        return status == 0 ? 0
                           : Refuse(action, QCoreApplication::translate(
                                                "shutdown", "xfce4-session-logout が失敗しました"));
    }
    // Any other desktop: logind ends the session.
    if (!QDBusConnection::systemBus().isConnected()) {
        return Refuse(action,
                      QCoreApplication::translate("shutdown", "システムバスに接続できません"));
    }
    QDBusInterface manager = LoginManager();
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    QDBusMessage done;
    if (!session.isEmpty()) {
        done = manager.call(QStringLiteral("TerminateSession"), session);
    } else {
        const QDBusReply<QDBusObjectPath> path =
            manager.call(QStringLiteral("GetSessionByPID"), static_cast<uint>(getpid()));
        if (!path.isValid()) {
            return Refuse(action, path.error().message());
        }
        QDBusInterface own(kLogin, path.value().path(),
                           QStringLiteral("org.freedesktop.login1.Session"),
                           QDBusConnection::systemBus());
        done = own.call(QStringLiteral("Terminate"));
    }
    if (done.type() == QDBusMessage::ErrorMessage) {
        return Refuse(action, done.errorMessage());
    }
    return 0;
}

} // namespace

// The language of the program that started this one (RIMO_LANGUAGE), else the desktop's.
void UseLanguage(QTranslator& english) {
    const QString desktop = QLocale::system().uiLanguages().value(0);
    if (rimo::LanguageChoice::Choose(qgetenv("RIMO_LANGUAGE").toStdString(),
                                     desktop.toStdString()) == rimo::UiLanguage::English &&
        english.load(QStringLiteral("rimotime_en"), QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(&english);
    }
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTranslator english;
    UseLanguage(english);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const PowerAction* chosen = nullptr;
    if (arguments.size() == 1) {
        for (const PowerAction& action : kActions) {
            if (arguments.front() == QLatin1String(action.Switch)) {
                chosen = &action;
            }
        }
    }
    if (!chosen) {
        std::fprintf(stderr, "usage: shutdown /s | /l | /r | /t | /k  "
                             "(shut down, log off, restart, stand by, hibernate)\n");
        return 2;
    }
    return chosen->Method ? Logind(*chosen) : LogOut(*chosen);
}
