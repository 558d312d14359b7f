#include "platform/linux/TimedatedClockService.h"

#include "TempFolder.h"
#include "platform/PrivateBus.h"

#include <QDBusMessage>

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

    TimedatedClockService Service() {
        return TimedatedClockService(bus_->Bus(), [this](std::int64_t ms) {
            fallbackCalls_.push_back(ms);
            return Status::Ok();
        });
    }

    static TempFolder* folder_;
    static test::PrivateBus* bus_;
    std::vector<std::int64_t> fallbackCalls_;
};

TempFolder* TimedatedClockServiceTest::folder_ = nullptr;
test::PrivateBus* TimedatedClockServiceTest::bus_ = nullptr;

TEST_F(TimedatedClockServiceTest, SetsAnAbsoluteTimeInteractively) {
    TimedatedClockService service = Service();
    const Status status = service.SetSystemTime(1735653598000);
    EXPECT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(LastSetTime(), "SetTime 1735653598000000 False True");
    EXPECT_TRUE(fallbackCalls_.empty());
}

TEST_F(TimedatedClockServiceTest, AccessDeniedIsARefusalWithItsReason) {
    SetTimeDoes(QStringLiteral("raise dbus.exceptions.DBusException('Permission denied', "
                               "name='org.freedesktop.DBus.Error.AccessDenied')"));
    TimedatedClockService service = Service();
    const Status status = service.SetSystemTime(1735653598000);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "Permission denied");
    EXPECT_TRUE(fallbackCalls_.empty()); // a refusal is never worked around
}

TEST_F(TimedatedClockServiceTest, AutomaticTimeSyncIsARefusalWithItsReason) {
    SetTimeDoes(QStringLiteral(
        "raise dbus.exceptions.DBusException('Automatic time synchronization is enabled', "
        "name='org.freedesktop.timedate1.AutomaticTimeSyncEnabled')"));
    TimedatedClockService service = Service();
    const Status status = service.SetSystemTime(1735653598000);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "Automatic time synchronization is enabled");
    EXPECT_TRUE(fallbackCalls_.empty());
}

TEST(TimedatedClockServiceMissing, WithoutTimedatedTheClockIsSetDirectly) {
    test::PrivateBus empty(QString(), QStringLiteral("rimo-empty-bus"));
    ASSERT_TRUE(empty.Connected());
    std::vector<std::int64_t> direct;
    TimedatedClockService service(empty.Bus(), [&](std::int64_t ms) {
        direct.push_back(ms);
        return Status::Error("clock_settime: Operation not permitted");
    });
    const Status status = service.SetSystemTime(1735653598000);
    EXPECT_EQ(direct, std::vector<std::int64_t>{1735653598000});
    EXPECT_EQ(status.message(), "clock_settime: Operation not permitted");

    // No bus at all.
    TimedatedClockService noBus(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                      QStringLiteral("rimo-no-bus")),
        [&](std::int64_t ms) {
            direct.push_back(ms);
            return Status::Ok();
        });
    EXPECT_TRUE(noBus.SetSystemTime(1).ok());
    EXPECT_EQ(direct.size(), 2U);
}

} // namespace
} // namespace rimo
