// The session's own screen saver interfaces, as python3-dbusmock services on
// a private bus: nothing reaches this machine's screen saver.
#include "platform/linux/SessionScreenSaver.h"

#include "TempFolder.h"
#include "fakes/FakeTools.h"
#include "platform/PrivateBus.h"
#include "platform/linux/XcbScreenSaver.h"

#include <QDBusMessage>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace rimo {
namespace {

// The calls a dbusmock log holds, in order ("SetActive True", ...).
std::vector<std::string> LoggedCalls(const std::filesystem::path& log) {
    std::vector<std::string> calls;
    std::istringstream lines(TempFolder::Read(log));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t blank = line.find(' ');
        // Signals the mock sends are logged too ("emit ..."): only calls count.
        if (blank != std::string::npos && line.compare(blank + 1, 5, "emit ") != 0) {
            calls.push_back(line.substr(blank + 1));
        }
    }
    return calls;
}

class SessionScreenSaverTest : public ::testing::Test {
protected:
    std::vector<std::string> WaitForCalls(std::size_t count) {
        (void)QTest::qWaitFor([&] { return LoggedCalls(log_).size() >= count; }, 15000);
        return LoggedCalls(log_);
    }

    TempFolder folder_;
    std::filesystem::path log_ = folder_ / "mock.log";
    XcbScreenSaver noX_{":987654"};
    std::vector<std::string> problems_;
    ScreenSaverSystem::Report report_ = [this](const std::string& p) { problems_.push_back(p); };
};

TEST_F(SessionScreenSaverTest, GnomeIsWokenAndStartedThroughItsOwnInterfaceInOrder) {
    test::PrivateBus bus(QStringLiteral("/usr/bin/python3 -m dbusmock --session --template "
                                        "gnome_screensaver -l ") +
                             QString::fromStdString(log_.string()),
                         QStringLiteral("rimo-gnome-saver"));
    ASSERT_TRUE(bus.WaitForName(QStringLiteral("org.gnome.ScreenSaver")));
    FakeTools tools; // after the bus: nothing of this machine's on PATH
    tools.Add("xdg-screensaver");
    SessionScreenSaver saver(bus.Bus(), noX_, false);
    saver.Wake();
    saver.Activate(report_);
    saver.Wake();
    EXPECT_EQ(WaitForCalls(3),
              (std::vector<std::string>{"SetActive False", "SetActive True", "SetActive False"}));
    EXPECT_TRUE(problems_.empty());
    EXPECT_TRUE(tools.Calls().empty());
}

TEST_F(SessionScreenSaverTest, OtherDesktopsUseTheFreedesktopInterface) {
    const QString name = QStringLiteral("org.freedesktop.ScreenSaver");
    test::PrivateBus bus(QStringLiteral("/usr/bin/python3 -m dbusmock --session "
                                        "org.freedesktop.ScreenSaver /org/freedesktop/ScreenSaver "
                                        "org.freedesktop.ScreenSaver -l ") +
                             QString::fromStdString(log_.string()),
                         QStringLiteral("rimo-freedesktop-saver"));
    ASSERT_TRUE(bus.WaitForName(name));
    for (const auto& [method, in, out, code] : {std::tuple{"SetActive", "b", "b", "ret = True"},
                                                std::tuple{"SimulateUserActivity", "", "", ""}}) {
        QDBusMessage add = QDBusMessage::createMethodCall(
            name, QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddMethod"));
        add << name << QString::fromLatin1(method) << QString::fromLatin1(in)
            << QString::fromLatin1(out) << QString::fromLatin1(code);
        ASSERT_EQ(bus.Bus().call(add).type(), QDBusMessage::ReplyMessage);
    }
    SessionScreenSaver saver(bus.Bus(), noX_, false);
    saver.Wake();
    saver.Activate(report_);
    EXPECT_EQ(WaitForCalls(2),
              (std::vector<std::string>{"SimulateUserActivity", "SetActive True"}));
    EXPECT_TRUE(problems_.empty());
}

TEST_F(SessionScreenSaverTest, AWaylandSessionWithoutOneSaysSoAndUsesNoXTool) {
    test::PrivateBus bus(QString(), QStringLiteral("rimo-no-saver"));
    ASSERT_TRUE(bus.Connected());
    FakeTools tools;
    tools.Add("xdg-screensaver");
    tools.Add("xscreensaver-command");
    SessionScreenSaver saver(bus.Bus(), noX_, false);
    // XWayland's screen saver is always off and means nothing: the session's
    // own may be running, so a message wakes it.
    EXPECT_EQ(saver.Active(), true);
    saver.Activate(report_);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !problems_.empty(); }, 15000));
    EXPECT_NE(problems_[0].find("org.gnome.ScreenSaver"), std::string::npos) << problems_[0];
    EXPECT_TRUE(tools.Calls().empty());
}

} // namespace
} // namespace rimo
