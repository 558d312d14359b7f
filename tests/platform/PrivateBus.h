#pragma once

// A private D-Bus bus of the test's own (dbus-run-session), optionally with a
// python3-dbusmock template on it. Nothing here touches the machine's buses:
// services under test are handed a connection to this bus alone.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>

#include <string>

namespace rimo::test {

class PrivateBus {
public:
    // `mockCommand`: the shell command started on the bus (empty: none).
    explicit PrivateBus(const QString& mockCommand, const QString& connectionName) {
        // The shell ends the mock and itself when the test closes its input
        // (or ends), and the bus goes with it.
        const QString script =
            QStringLiteral("echo \"$DBUS_SESSION_BUS_ADDRESS\"; ") +
            (mockCommand.isEmpty() ? QString() : mockCommand + QStringLiteral(" & ")) +
            QStringLiteral("read _; [ -n \"$!\" ] && kill $! 2>/dev/null; exit 0");
        process_.setProgram(QStringLiteral("dbus-run-session"));
        process_.setArguments(
            {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"), script});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(10000)) {
            return;
        }
        address_ = QString::fromUtf8(process_.readLine()).trimmed();
        bus_ = QDBusConnection::connectToBus(address_, connectionName);
        name_ = connectionName;
    }
    ~PrivateBus() {
        QDBusConnection::disconnectFromBus(name_);
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool Connected() const { return bus_.isConnected(); }
    QDBusConnection Bus() const { return bus_; }
    QString Address() const { return address_; }
    bool WaitForName(const QString& name, int ms = 15000) {
        return QTest::qWaitFor(
            [&] { return bus_.interface() && bus_.interface()->isServiceRegistered(name).value(); },
            ms);
    }

private:
    QProcess process_;
    QString address_;
    QString name_;
    QDBusConnection bus_{QStringLiteral("none")};
};

} // namespace rimo::test
