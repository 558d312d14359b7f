// The tick's source on the kernel's timerfd and real clocks (never set
// here), and resume as logind's template on a private bus says it.
#include "platform/linux/TimerfdSecondSource.h"

#include "platform/PrivateBus.h"

#include <QDBusMessage>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

namespace rimo {
namespace {

std::int64_t NowMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

struct Wakes {
    explicit Wakes(SecondSource& source) {
        source.SetHandler([this](SecondWake why) {
            Why.push_back(why);
            AtMs.push_back(NowMs());
        });
    }
    bool Wait(std::size_t count, int ms = 5000) {
        return QTest::qWaitFor([&] { return Why.size() >= count; }, ms);
    }
    std::vector<SecondWake> Why;
    std::vector<std::int64_t> AtMs;
};

TEST(TimerfdSecondSource, WakesOnceAtTheStartOfTheSecondItIsArmedForAndNeverBefore) {
    TimerfdSecondSource source(QDBusConnection(QStringLiteral("none")));
    ASSERT_TRUE(source.Usable());
    Wakes wakes(source);
    const std::int64_t second = NowMs() / 1000 + 2;
    source.ArmAt(second);
    ASSERT_TRUE(wakes.Wait(1));
    EXPECT_EQ(wakes.Why[0], SecondWake::Second);
    EXPECT_GE(wakes.AtMs[0], second * 1000);
    // A second already begun wakes at once; a later arming replaces it.
    source.ArmAt(second - 5);
    ASSERT_TRUE(wakes.Wait(2));
    source.ArmAt(NowMs() / 1000 + 1);
    source.ArmAt(NowMs() / 1000 + 3600);
    QTest::qWait(1500);
    source.Disarm();
    QTest::qWait(200);
    EXPECT_EQ(wakes.Why.size(), 2U);
}

TEST(TimerfdSecondSource, LogindsResumeWakesAtOnce) {
    test::PrivateBus bus(QStringLiteral("/usr/bin/python3 -m dbusmock --session --template logind"),
                         QStringLiteral("rimo-logind-mock"));
    ASSERT_TRUE(bus.Connected()) << "no private bus (dbus-run-session)";
    ASSERT_TRUE(bus.WaitForName(QStringLiteral("org.freedesktop.login1")));
    TimerfdSecondSource source(bus.Bus());
    Wakes wakes(source);
    source.ArmAt(NowMs() / 1000 + 3600);
    const auto prepareForSleep = [&](bool start) {
        QDBusMessage emit = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
        emit << QStringLiteral("org.freedesktop.login1.Manager")
             << QStringLiteral("PrepareForSleep") << QStringLiteral("b")
             << QVariantList{QVariant::fromValue(start)};
        const QDBusMessage reply = bus.Bus().call(emit);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    };
    prepareForSleep(true); // going to sleep: nothing to do yet
    prepareForSleep(false);
    ASSERT_TRUE(wakes.Wait(1));
    EXPECT_EQ(wakes.Why, std::vector<SecondWake>{SecondWake::Resumed});
}

} // namespace
} // namespace rimo
