// End to end against a daytime server that is not ours: openbsd-inetd's
// internal service on 127.0.0.1:13 (./test.sh starts it).
#include "net/ClockPage.h"
#include "net/DayTimeClient.h"
#include "net/DayTimeReply.h"
#include "net/SockExceptions.h"

#include "MessageBoxes.h"
#include "TempFolder.h"
#include "fakes/FakeClockService.h"
#include "fakes/FakeNetworkState.h"
#include "platform/linux/LocalTimeZone.h"
#include "platform/linux/SystemClock.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <cstdlib>

namespace rimo {
namespace {

constexpr const char* kNoServer =
    "no daytime server answers on 127.0.0.1:13 (./test.sh starts openbsd-inetd's; "
    "scripts/daytime-server.sh needs root for port 13)";

TEST(InetdDaytime, TheReplyIsCtimeOfNowAndReadsAsTheUnmarkedLayout) {
    TDayTimeClient client;
    client.Host = "127.0.0.1";
    client.TimeOut = 5000;
    ASSERT_EQ(client.Port, 13);
    std::string reply;
    try {
        reply = client.GetDayTime();
    } catch (const ESockError& error) {
        if (std::string(error.what()) == "10061:Connection refused") {
            GTEST_SKIP() << kNoServer;
        }
        FAIL() << error.what();
    }
    // ctime(): "Www Mmm dd hh:mm:ss yyyy" and CR LF.
    ASSERT_EQ(reply.size(), 26U) << reply;
    EXPECT_EQ(reply.substr(24), "\r\n");
    const DayTimeReading reading = ReadDayTimeReply(reply);
    ASSERT_TRUE(reading.Utc.has_value()) << reading.Error;
    EXPECT_EQ(reading.Layout, ReplyLayout::Other);
    // The server writes its local time, which the layout takes as four hours behind UTC.
    const SystemClock clock;
    const std::int64_t shown = ToMilliseconds(*reading.Utc) - 4 * 3'600'000;
    EXPECT_LE(std::llabs(shown - ToMilliseconds(clock.Now())), 5000) << reply;
}

TEST(InetdDaytime, ASynchronisationThroughTheClockPage) {
    TempFolder folder;
    SystemClock clock;
    LocalTimeZone zone;
    FakeClockService clockService; // this machine's clock is never set by a test
    FakeNetworkState network;
    QWidget sheet;
    ClockPage page(sheet, AppPaths::InFolder(folder.Path()),
                   ClockPageServices{clock, zone, clockService, network}, ClockPageHost{});
    sheet.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))
        ->setText(QStringLiteral("127.0.0.1"));
    page.GetTimeButtonClick();
    const QList<QMessageBox*> boxes = VisibleMessageBoxes();
    QMessageBox* shown = boxes.isEmpty() ? nullptr : boxes.back();
    const QString message = shown ? shown->text() : QString();
    if (shown) {
        shown->close();
    }
    if (message == QStringLiteral("10061:Connection refused")) {
        GTEST_SKIP() << kNoServer;
    }
    EXPECT_TRUE(message.isEmpty()) << message.toStdString();
    ASSERT_EQ(clockService.Calls.size(), 1U);
    ASSERT_EQ(page.ResultLines().size(), 1);
    EXPECT_TRUE(page.SaveSyncLog().ok());
    EXPECT_EQ(TempFolder::Read(folder / "rimotime.log"),
              page.ResultLines()[0].toStdString() + "\r\n");
}

} // namespace
} // namespace rimo
