#include "platform/linux/TimedatedClockService.h"

#include "TempFolder.h"
#include "platform/PrivateBus.h"

#include <QDBusMessage>
#include <QDBusVariant>

#include <gtest/gtest.h>

namespace rimo {
namespace {

const QString kTimedated = QStringLiteral("org.freedesktop.timedate1");
const QString kPath = QStringLiteral("/org/freedesktop/timedate1");

// timedated as python3-dbusmock's template on a private bus; its log records the calls.
class TimedatedClockServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new TempFolder;
        bus_ = new test::PrivateBus(
            QStringLiteral("/usr/bin/python3 -m dbusmock --session --template timedated -l ") +
                QString::fromStdString(LogFile().string()),
            QStringLiteral("rimo-timedated-mock"));
    }
    static void TearDownTestSuite() {
        delete bus_;
        delete folder_;
    }
    void SetUp() override {
        ASSERT_TRUE(bus_->Connected()) << "no private bus (dbus-run-session)";
        ASSERT_TRUE(bus_->WaitForName(kTimedated)) << "the timedated mock did not start";
        SetTimeDoes(QString()); // succeeds
    }

    static std::filesystem::path LogFile() { return folder_->Path() / "timedated.log"; }

    // Replaces the mock's SetTime with Python code (empty: do nothing, succeed).
    static void SetTimeDoes(const QString& code) {
        QDBusMessage add = QDBusMessage::createMethodCall(
            kTimedated, kPath, QStringLiteral("org.freedesktop.DBus.Mock"),
            QStringLiteral("AddMethod"));
        add << kTimedated << QStringLiteral("SetTime") << QStringLiteral("xbb") << QString()
            << code;
        const QDBusMessage reply = bus_->Bus().call(add);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }
    static std::string LastSetTime() {
        const std::string log = TempFolder::Read(LogFile());
        const std::size_t at = log.rfind("SetTime ");
        if (at == std::string::npos) {
            return {};
        }
        return log.substr(at, log.find('\n', at) - at);
    }

    // Sets one of the mock's properties (NTP, NTPSynchronized, CanNTP).
    static void SetProperty(const QString& name, bool value) {
        QDBusMessage set = QDBusMessage::createMethodCall(
            kTimedated, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Set"));
        set << kTimedated << name << QVariant::fromValue(QDBusVariant(value));
        const QDBusMessage reply = bus_->Bus().call(set);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    }

    TimedatedClockService Service() {
        return TimedatedClockService(bus_->Bus(), [this](std::int64_t offset) {
            fallbackCalls_.push_back(offset);
            return ClockSetResult{};
        });
    }

    static TempFolder* folder_;
    static test::PrivateBus* bus_;
    std::vector<std::int64_t> fallbackCalls_;
};

TempFolder* TimedatedClockServiceTest::folder_ = nullptr;
test::PrivateBus* TimedatedClockServiceTest::bus_ = nullptr;

TEST_F(TimedatedClockServiceTest, MovesTheClockByTheOffsetAsItSetsIt) {
    TimedatedClockService service = Service();
    const ClockSetResult result = service.ShiftSystemTime(-3'004'000);
    EXPECT_EQ(result.Outcome, ClockSetOutcome::Set) << result.Reason;
    // Relative: timedated adds it to the clock as it sets it, after any password prompt.
    EXPECT_EQ(LastSetTime(), "SetTime -3004000 True True");
    EXPECT_TRUE(fallbackCalls_.empty());
}

TEST_F(TimedatedClockServiceTest, AccessDeniedIsARefusalWithItsReason) {
    SetTimeDoes(QStringLiteral("raise dbus.exceptions.DBusException('Permission denied', "
                               "name='org.freedesktop.DBus.Error.AccessDenied')"));
    TimedatedClockService service = Service();
    const ClockSetResult result = service.ShiftSystemTime(1'000);
    EXPECT_EQ(result.Outcome, ClockSetOutcome::Refused);
    EXPECT_EQ(result.Reason, "Permission denied");
    EXPECT_TRUE(fallbackCalls_.empty()); // a refusal is never worked around
}

TEST_F(TimedatedClockServiceTest, AutomaticTimeSyncMeansTheSystemKeepsTheClock) {
    SetTimeDoes(QStringLiteral(
        "raise dbus.exceptions.DBusException('Automatic time synchronization is enabled', "
        "name='org.freedesktop.timedate1.AutomaticTimeSyncEnabled')"));
    TimedatedClockService service = Service();
    const ClockSetResult result = service.ShiftSystemTime(1'000);
    EXPECT_EQ(result.Outcome, ClockSetOutcome::KeptBySystem);
    EXPECT_EQ(result.Reason, "Automatic time synchronization is enabled");
    EXPECT_TRUE(fallbackCalls_.empty());
}

TEST_F(TimedatedClockServiceTest, TellsWhetherATimeServiceKeepsTheClock) {
    TimedatedClockService service = Service();
    for (const bool on : {true, false}) {
        SetProperty(QStringLiteral("NTP"), on);
        SetProperty(QStringLiteral("NTPSynchronized"), !on);
        SetProperty(QStringLiteral("CanNTP"), on);
        const AutomaticSync state = service.AutomaticSyncState();
        EXPECT_TRUE(state.Known);
        EXPECT_EQ(state.Enabled, on);
        EXPECT_EQ(state.Synchronized, !on);
        EXPECT_EQ(state.Available, on);
    }
}

TEST(TimedatedClockServiceMissing, WithoutTimedatedNothingIsKnownAndTheClockIsSetDirectly) {
    test::PrivateBus empty(QString(), QStringLiteral("rimo-empty-bus"));
    ASSERT_TRUE(empty.Connected());
    std::vector<std::int64_t> direct;
    TimedatedClockService service(empty.Bus(), [&](std::int64_t offset) {
        direct.push_back(offset);
        return ClockSetResult{ClockSetOutcome::Refused, "clock_settime: Operation not permitted"};
    });
    EXPECT_FALSE(service.AutomaticSyncState().Known);
    const ClockSetResult result = service.ShiftSystemTime(2'500);
    EXPECT_EQ(direct, std::vector<std::int64_t>{2'500});
    EXPECT_EQ(result.Outcome, ClockSetOutcome::Refused);
    EXPECT_EQ(result.Reason, "clock_settime: Operation not permitted");

    // No bus at all.
    TimedatedClockService noBus(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                      QStringLiteral("rimo-no-bus")),
        [&](std::int64_t offset) {
            direct.push_back(offset);
            return ClockSetResult{};
        });
    EXPECT_FALSE(noBus.AutomaticSyncState().Known);
    EXPECT_EQ(noBus.ShiftSystemTime(1).Outcome, ClockSetOutcome::Set);
    EXPECT_EQ(direct.size(), 2U);
}

} // namespace
} // namespace rimo
