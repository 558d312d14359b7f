#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <memory>
#include <string>
#include <vector>

namespace rimo {

// A D-Bus daemon of the test's own, with python3-dbusmock services on it. It
// stands in for both the system and the session bus of the programs the test
// starts, so nothing reaches this machine's real services.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.setProgram(QStringLiteral("dbus-daemon"));
        daemon_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                              QStringLiteral("--print-address=1")});
        daemon_.start();
        if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000)) {
            address_ = QString::fromLocal8Bit(daemon_.readLine()).trimmed();
        }
    }
    ~PrivateBus() {
        mocks_.clear(); // each ends its process
        QDBusConnection::disconnectFromBus(QStringLiteral("rimo-test-bus"));
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool Ready() const { return address_.startsWith(QLatin1String("unix:")); }
    const QString& Address() const { return address_; }

    // The environment of a program that must see only this bus.
    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address_);
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        return environment;
    }

    // Starts "/usr/bin/python3 -m dbusmock" with these arguments (a template
    // or a name, path and interface) and waits until `name` is on the bus.
    bool StartMock(const QStringList& arguments, const QString& name) {
        auto mock = std::make_unique<Mock>();
        mock->process.setProcessEnvironment(Environment());
        mock->process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        mock->process.start(QStringLiteral("/usr/bin/python3"),
                            QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} +
                                arguments);
        if (!mock->process.waitForStarted(5000)) {
            return false;
        }
        mocks_.push_back(std::move(mock));
        QDBusConnection bus = Connection();
        for (int i = 0; i < 200; ++i) {
            if (bus.interface()->isServiceRegistered(name)) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    QDBusConnection Connection() const {
        return QDBusConnection::connectToBus(address_, QStringLiteral("rimo-test-bus"));
    }

private:
    struct Mock {
        QProcess process;
        ~Mock() {
            if (process.state() != QProcess::NotRunning) {
                process.terminate();
                process.waitForFinished(5000);
            }
        }
    };
    QProcess daemon_;
    QString address_;
    std::vector<std::unique_ptr<Mock>> mocks_;
};

} // namespace rimo
