#include "platform/linux/XcbScreenSaver.h"
#include "TempFolder.h"
#include "TestXServer.h"
#include "desktop/TvScrSaver.h"
#include "fakes/FakeTools.h"
#include "platform/linux/SessionScreenSaver.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstring>

namespace rimo {
namespace {

using Calls = std::vector<std::vector<std::string>>;

QDBusConnection NoBus() {
    return QDBusConnection(QStringLiteral("rimo-no-bus"));
}

class XScreenSaverTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Ready()) << "Xvfb did not start"; }

    // Announces an xscreensaver daemon on the test server, as the daemon does.
    void AnnounceDaemon() {
        xcb_connection_t* c = xcb_connect(server_.Display().constData(), nullptr);
        ASSERT_FALSE(xcb_connection_has_error(c));
        const char name[] = "_SCREENSAVER_VERSION";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom->atom, XCB_ATOM_STRING, 8, 4,
                            "6.06");
        std::free(atom);
        // A round trip: the property is there before anyone else asks.
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        xcb_disconnect(c);
    }

    TestXServer server_;
};

TEST_F(XScreenSaverTest, ReadsAndWritesTheServersTimeOut) {
    XcbScreenSaver saver(server_.Display());
    saver.SetActive(true);
    saver.SetTimeOut(300);
    EXPECT_EQ(saver.TimeOut(), 300);
    EXPECT_EQ(saver.Active(), true);

    saver.SetActive(false);
    EXPECT_EQ(saver.TimeOut(), 0);
    EXPECT_EQ(saver.Active(), false);
    saver.SetTimeOut(120); // kept while off
    EXPECT_EQ(saver.Active(), false);
    saver.SetActive(true);
    EXPECT_EQ(saver.TimeOut(), 120);
}

TEST_F(XScreenSaverTest, TheControlWritesTwiceAsOnceAndAFreshOneSwitchesOff) {
    TempFolder folder;
    XcbScreenSaver saver(server_.Display());
    SessionScreenSaver session(NoBus(), saver, true);
    TvScrSaver control(session, folder / "rimotime-desktop.ini", {});
    control.SetScreenSaveTimeOut(240);
    control.SetScreenSaveActive(true);
    control.WriteSettings();
    control.WriteSettings();
    control.ReadSettings();
    EXPECT_EQ(control.StoredTimeOut(), 240);
    EXPECT_TRUE(control.StoredActive());

    TvScrSaver fresh(session, folder / "rimotime-desktop.ini", {});
    fresh.WriteSettings();
    EXPECT_EQ(saver.Active(), false);
}

TEST_F(XScreenSaverTest, StartsAndWakesThroughTheDesktopsToolsInTheOrderAsked) {
    FakeTools tools;
    tools.Add("xdg-screensaver");
    tools.Add("xscreensaver-command");
    XcbScreenSaver x11(server_.Display());
    SessionScreenSaver saver(NoBus(), x11, true);
    EXPECT_FALSE(x11.DaemonRuns());
    saver.Wake();
    saver.Activate({});
    EXPECT_EQ(tools.WaitForCalls(2),
              (Calls{{"xdg-screensaver", "reset"}, {"xdg-screensaver", "activate"}}));

    AnnounceDaemon();
    EXPECT_TRUE(x11.DaemonRuns());
    saver.Wake();
    saver.Activate({});
    // One after another, each after the one before has ended.
    const Calls calls = tools.WaitForCalls(5);
    EXPECT_EQ(Calls(calls.begin() + 2, calls.end()),
              (Calls{{"xscreensaver-command", "-deactivate"},
                     {"xdg-screensaver", "reset"},
                     {"xscreensaver-command", "-activate"}}));
}

TEST_F(XScreenSaverTest, TheDaemonIsToldTheChosenHack) {
    TempFolder home;
    const auto file = home / ".xscreensaver";
    const std::string settings = "mode:\trandom\nprograms: maze -root \\n\\\n qix -root \\n\n";
    TempFolder::Write(file, settings);
    XcbScreenSaver saver(server_.Display(), QString::fromStdString(file.string()));
    saver.SelectProgram("/usr/libexec/xscreensaver/qix");
    EXPECT_EQ(TempFolder::Read(file), settings); // no daemon: its file stays
    AnnounceDaemon();
    saver.SelectProgram("/usr/libexec/xscreensaver/qix");
    EXPECT_NE(TempFolder::Read(file).find("selected:\t\t1"), std::string::npos)
        << TempFolder::Read(file);
}

TEST_F(XScreenSaverTest, WithoutToolsTheServerItselfStartsIt) {
    FakeTools none; // nothing on PATH
    XcbScreenSaver x11(server_.Display());
    SessionScreenSaver saver(NoBus(), x11, true);
    std::vector<std::string> problems;
    saver.Activate([&](const std::string& problem) { problems.push_back(problem); });
    saver.Wake();
    QTest::qWait(100);
    EXPECT_TRUE(none.Calls().empty());
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(x11.Active().has_value());
}

TEST(XScreenSaverWithoutServer, ReadsUnknownAndDoesNothing) {
    FakeTools none;
    XcbScreenSaver saver(":987654");
    EXPECT_FALSE(saver.TimeOut().has_value());
    EXPECT_FALSE(saver.Active().has_value());
    saver.SetTimeOut(100);
    saver.SetActive(true);
    EXPECT_FALSE(saver.Force(true));
    EXPECT_FALSE(saver.DaemonRuns());
    EXPECT_TRUE(none.Calls().empty());
}

} // namespace
} // namespace rimo
