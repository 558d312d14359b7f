// The tray host as the session bus says it: a StatusNotifierWatcher of the
// test's own (python3-dbusmock) that comes, goes and comes back.
#include "app/TrayHostWatch.h"

#include "platform/PrivateBus.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace rimo {
namespace {

class Watcher {
public:
    explicit Watcher(const QString& busAddress) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                        QStringLiteral("--template"),
                        QStringLiteral(RIMO_TEST_DATA_DIR "/sni_watcher.py")});
    }
    ~Watcher() {
        process_.terminate();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};

TEST(TrayHostWatch, FollowsAWatcherThatComesGoesAndComesBack) {
    test::PrivateBus bus(QString(), QStringLiteral("rimo-tray-watch"));
    ASSERT_TRUE(bus.Connected());
    TrayHostWatch watch(bus.Bus());
    EXPECT_FALSE(watch.StatusNotifierHost());
    QSignalSpy changes(&watch, &TrayHostWatch::Changed);

    auto watcher = std::make_unique<Watcher>(bus.Address());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.StatusNotifierHost(); }, 20000));
    watcher.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !watch.StatusNotifierHost(); }, 20000));
    watcher = std::make_unique<Watcher>(bus.Address());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.StatusNotifierHost(); }, 20000));
    EXPECT_GE(changes.count(), 3);
}

TEST(TrayHostWatch, AWatcherAlreadyThereIsSeenAtOnce) {
    test::PrivateBus bus(
        QStringLiteral("/usr/bin/python3 -m dbusmock --template " RIMO_TEST_DATA_DIR
                       "/sni_watcher.py"),
        QStringLiteral("rimo-tray-watch-first"));
    ASSERT_TRUE(bus.WaitForName(QString::fromLatin1(TrayHostWatch::kWatcherService)));
    TrayHostWatch watch(bus.Bus());
    EXPECT_TRUE(watch.StatusNotifierHost());
    EXPECT_TRUE(watch.Available());
}

} // namespace
} // namespace rimo
