// The power companion "shutdown" against python3-dbusmock's logind on a
// private bus: nothing here reaches this machine's power management.

#include "PrivateBus.h"
#include "TempFolder.h"

#include <QDBusInterface>
#include <QDBusMessage>
#include <QProcess>

#include <gtest/gtest.h>

namespace rimo {
namespace {

struct Outcome {
    int ExitCode = -1;
    std::string Errors;
};

class Companion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus_.Ready()) << "dbus-daemon did not start";
        log_ = folder_ / "logind.log";
    }

    void StartLogind(const QString& parameters = QStringLiteral("{}")) {
        ASSERT_TRUE(bus_.StartMock({QStringLiteral("--system"), QStringLiteral("--template"),
                                    QStringLiteral("logind"), QStringLiteral("-p"), parameters,
                                    QStringLiteral("-l"), QString::fromStdString(log_.string())},
                                   QStringLiteral("org.freedesktop.login1")));
    }

    // Runs the companion with the private bus as its only bus.
    Outcome Run(const QStringList& arguments, const QString& desktop = {},
                const QString& session = QStringLiteral("c7")) {
        QProcessEnvironment environment = bus_.Environment();
        // Never the real buses: the private one is named for both.
        EXPECT_EQ(environment.value(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS")), bus_.Address());
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
        environment.insert(QStringLiteral("XDG_SESSION_ID"), session);
        environment.insert(QStringLiteral("RIMO_LANGUAGE"), language_);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(RIMO_COMPANION), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardError().toStdString()};
    }

    std::string Log() const { return TempFolder::Read(log_); }

    TempFolder folder_;
    PrivateBus bus_;
    std::filesystem::path log_;
    QString language_ = QStringLiteral("ja"); // what the program that starts it speaks
};

TEST_F(Companion, EachSwitchAsksLogindFirstThenActsInteractively) {
    StartLogind();
    const std::pair<const char*, const char*> switches[] = {
        {"/s", "PowerOff"}, {"/r", "Reboot"}, {"/t", "Suspend"}, {"/k", "Hibernate"}};
    for (const auto& [option, method] : switches) {
        const Outcome outcome = Run({QString::fromLatin1(option)});
        EXPECT_EQ(outcome.ExitCode, 0) << option << outcome.Errors;
        const std::string log = Log();
        const std::size_t asked = log.find(std::string("Can") + method);
        const std::size_t acted = log.find(std::string(method) + " True");
        EXPECT_NE(asked, std::string::npos) << option << "\n" << log;
        EXPECT_NE(acted, std::string::npos) << option << "\n" << log;
        EXPECT_LT(asked, acted) << option;
    }
}

TEST_F(Companion, ARefusalIsShownAndNothingIsDone) {
    StartLogind(QStringLiteral(R"({"CanPowerOff": "no", "CanHibernate": "na"})"));
    ASSERT_TRUE(bus_.StartMock({QStringLiteral("--session"), QStringLiteral("--template"),
                                QStringLiteral("notification_daemon"), QStringLiteral("-l"),
                                QString::fromStdString((folder_ / "notify.log").string())},
                               QStringLiteral("org.freedesktop.Notifications")));
    Outcome outcome = Run({QStringLiteral("/s")});
    EXPECT_NE(outcome.ExitCode, 0);
    EXPECT_NE(outcome.Errors.find("シャットダウンできません"), std::string::npos) << outcome.Errors;
    outcome = Run({QStringLiteral("/k")});
    EXPECT_NE(outcome.ExitCode, 0);
    const std::string log = Log();
    EXPECT_EQ(log.find("PowerOff True"), std::string::npos) << log;
    EXPECT_EQ(log.find("Hibernate True"), std::string::npos) << log;
    const std::string notices = TempFolder::Read(folder_ / "notify.log");
    EXPECT_NE(notices.find("Notify"), std::string::npos) << notices;
}

// A refusal's reason is another service's text: a notification server that
// draws bodies as markup gets it escaped.
TEST_F(Companion, TheReasonInANotificationIsNeverMarkup) {
    StartLogind(QStringLiteral(R"({"CanReboot": "<b>no</b> & <img src=x>"})"));
    ASSERT_TRUE(bus_.StartMock({QStringLiteral("--session"), QStringLiteral("--template"),
                                QStringLiteral("notification_daemon"), QStringLiteral("-p"),
                                QStringLiteral(R"({"capabilities": "body body-markup"})"),
                                QStringLiteral("-l"),
                                QString::fromStdString((folder_ / "notify.log").string())},
                               QStringLiteral("org.freedesktop.Notifications")));
    EXPECT_NE(Run({QStringLiteral("/r")}).ExitCode, 0);
    const std::string notices = TempFolder::Read(folder_ / "notify.log");
    EXPECT_NE(notices.find("&lt;b&gt;no&lt;/b&gt; &amp; &lt;img src=x&gt;"), std::string::npos)
        << notices;
    EXPECT_EQ(notices.find("<b>"), std::string::npos) << notices;
}

TEST_F(Companion, WithoutLogindItFailsWithAMessage) {
    const Outcome outcome = Run({QStringLiteral("/r")});
    EXPECT_NE(outcome.ExitCode, 0);
    EXPECT_NE(outcome.Errors.find("再起動できません"), std::string::npos) << outcome.Errors;
    // Started by the English program, it speaks English.
    language_ = QStringLiteral("en");
    const Outcome english = Run({QStringLiteral("/r")});
    EXPECT_NE(english.Errors.find("Cannot restart"), std::string::npos) << english.Errors;
}

TEST_F(Companion, LogOffEndsTheSessionThroughLogindOnOtherDesktops) {
    StartLogind();
    const Outcome outcome = Run({QStringLiteral("/l")}, QStringLiteral("LXDE"));
    EXPECT_EQ(outcome.ExitCode, 0) << outcome.Errors;
    EXPECT_NE(Log().find("TerminateSession \"c7\""), std::string::npos) << Log();
}

TEST_F(Companion, LogOffOnGnomeAsksTheSessionManager) {
    const QString log = QString::fromStdString((folder_ / "gnome.log").string());
    ASSERT_TRUE(bus_.StartMock({QStringLiteral("--session"), QStringLiteral("-l"), log,
                                QStringLiteral("org.gnome.SessionManager"),
                                QStringLiteral("/org/gnome/SessionManager"),
                                QStringLiteral("org.gnome.SessionManager")},
                               QStringLiteral("org.gnome.SessionManager")));
    QDBusInterface mock(QStringLiteral("org.gnome.SessionManager"),
                        QStringLiteral("/org/gnome/SessionManager"),
                        QStringLiteral("org.freedesktop.DBus.Mock"), bus_.Connection());
    const QDBusMessage added =
        mock.call(QStringLiteral("AddMethod"), QStringLiteral("org.gnome.SessionManager"),
                  QStringLiteral("Logout"), QStringLiteral("u"), QString(), QString());
    ASSERT_NE(added.type(), QDBusMessage::ErrorMessage) << added.errorMessage().toStdString();

    const Outcome outcome = Run({QStringLiteral("/l")}, QStringLiteral("ubuntu:GNOME"));
    EXPECT_EQ(outcome.ExitCode, 0) << outcome.Errors;
    EXPECT_NE(TempFolder::Read(folder_ / "gnome.log").find("Logout 1"), std::string::npos);
}

TEST_F(Companion, UnknownSwitchesGetTheUsageLine) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{QStringLiteral("/x")}, QStringList{QStringLiteral("/S")},
          QStringList{QStringLiteral("-s")},
          QStringList{QStringLiteral("/s"), QStringLiteral("/r")},
          QStringList{QStringLiteral("; rm -rf ~")}}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.ExitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_NE(outcome.Errors.find("usage: shutdown /s | /l | /r | /t | /k"), std::string::npos);
    }
}

} // namespace
} // namespace rimo
