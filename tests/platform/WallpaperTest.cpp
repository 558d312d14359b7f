#include "fakes/FakeTools.h"
#include "platform/PrivateBus.h"
#include "platform/linux/DesktopWallpaper.h"

#include <QDBusMessage>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace rimo {
namespace {

using Calls = std::vector<std::vector<std::string>>;

// A session bus that is not there: no portal to ask.
QDBusConnection NoBus() {
    return QDBusConnection(QStringLiteral("rimo-no-bus"));
}

// The desktop's wallpaper on an X11 session without a session bus.
class X11Wallpaper {
public:
    explicit X11Wallpaper(const QString& desktop) : wallpaper_(desktop, true, NoBus()) {}
    void Set(const std::string& path) { wallpaper_.SetWallpaper(path, {}); }

private:
    DesktopWallpaper wallpaper_;
};

// Sets a picture on each desktop in turn, each tool's call logged before the
// next; the calls.
Calls SetInTurn(const FakeTools& tools, const std::vector<std::pair<QString, std::string>>& sets) {
    std::vector<std::unique_ptr<X11Wallpaper>> desktops; // kept while their tools run
    for (const auto& [desktop, path] : sets) {
        desktops.push_back(std::make_unique<X11Wallpaper>(desktop));
        desktops.back()->Set(path);
        tools.WaitForCalls(desktops.size());
    }
    return tools.Calls();
}

TEST(Wallpaper, KnowsTheDesktops) {
    using D = DesktopWallpaper::Desktop;
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("ubuntu:GNOME")), D::Gnome);
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("Unity")), D::Gnome);
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("X-Cinnamon")), D::Cinnamon);
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("MATE")), D::Mate);
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("KDE")), D::Kde);
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("XFCE")), D::Xfce);
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("")), D::Other);
    EXPECT_EQ(DesktopWallpaper::DesktopOf(QStringLiteral("i3")), D::Other);
}

TEST(Wallpaper, GnomeGetsTheFileUriForLightAndDarkAndNothingRemovesIt) {
    FakeTools tools;
    tools.Add("gsettings");
    X11Wallpaper wallpaper(QStringLiteral("GNOME"));
    wallpaper.Set("/pictures/my picture#1.png");
    Calls calls = tools.WaitForCalls(2);
    std::sort(calls.begin(), calls.end());
    EXPECT_EQ(calls, (Calls{{"gsettings", "set", "org.gnome.desktop.background", "picture-uri",
                             "file:///pictures/my%20picture%231.png"},
                            {"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark",
                             "file:///pictures/my%20picture%231.png"}}));
    wallpaper.Set("");
    calls = tools.WaitForCalls(4);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[2].back(), "");
    EXPECT_EQ(calls[3].back(), "");
}

TEST(Wallpaper, CinnamonMateAndKdeUseTheirOwnSettings) {
    FakeTools tools;
    tools.Add("gsettings");
    tools.Add("plasma-apply-wallpaperimage");
    EXPECT_EQ(SetInTurn(tools, {{QStringLiteral("X-Cinnamon"), "/p/a.jpg"},
                                {QStringLiteral("MATE"), "/p/a.jpg"},
                                {QStringLiteral("KDE"), "/p/a.jpg"}}),
              (Calls{{"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri",
                      "file:///p/a.jpg"},
                     {"gsettings", "set", "org.mate.background", "picture-filename", "/p/a.jpg"},
                     {"plasma-apply-wallpaperimage", "--", "/p/a.jpg"}}));
}

TEST(Wallpaper, XfceSetsEveryLastImage) {
    FakeTools tools;
    tools.Add("xfconf-query", "/backdrop/screen0/monitor0/workspace0/color-style\n"
                              "/backdrop/screen0/monitor0/workspace0/last-image\n"
                              "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n");
    X11Wallpaper wallpaper(QStringLiteral("XFCE"));
    wallpaper.Set("/p/a.jpg");
    const Calls calls = tools.WaitForCalls(3);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], (std::vector<std::string>{"xfconf-query", "-c", "xfce4-desktop", "-l"}));
    std::vector<std::string> properties{calls[1][4], calls[2][4]};
    std::sort(properties.begin(), properties.end());
    EXPECT_EQ(properties,
              (std::vector<std::string>{"/backdrop/screen0/monitor0/workspace0/last-image",
                                        "/backdrop/screen0/monitorHDMI-1/workspace0/last-image"}));
    EXPECT_EQ(calls[1].back(), "/p/a.jpg");
}

TEST(Wallpaper, OtherDesktopsUseXwallpaperElseFeh) {
    FakeTools tools;
    tools.Add("feh");
    X11Wallpaper wallpaper(QStringLiteral("LXDE"));
    wallpaper.Set("/p/a.jpg");
    tools.WaitForCalls(1);
    tools.Add("xwallpaper");
    wallpaper.Set("/p/b.jpg");
    wallpaper.Set(""); // nothing to run
    EXPECT_EQ(tools.WaitForCalls(2), (Calls{{"feh", "--bg-fill", "--", "/p/a.jpg"},
                                            {"xwallpaper", "--zoom", "/p/b.jpg"}}));
}

// What a tool is given cannot be taken for an option: relative paths and
// paths that start with "-" reach it absolute, after "--" where it takes one.
TEST(Wallpaper, PathsReachTheToolsAbsoluteAndNeverAsOptions) {
    TempFolder folder;
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.Path().string()));
    const std::string here = QDir::currentPath().toStdString();
    FakeTools tools;
    tools.Add("feh");
    tools.Add("plasma-apply-wallpaperimage");
    const Calls calls = SetInTurn(
        tools, {{QStringLiteral("LXDE"), "-rf.png"}, {QStringLiteral("KDE"), "pictures/a.png"}});
    QDir::setCurrent(before);
    EXPECT_EQ(calls, (Calls{{"feh", "--bg-fill", "--", here + "/-rf.png"},
                            {"plasma-apply-wallpaperimage", "--", here + "/pictures/a.png"}}));
}

TEST(Wallpaper, SwayGetsItsOutputCommandAndRefusesItsSyntax) {
    FakeTools tools;
    tools.Add("swaymsg");
    std::vector<std::string> problems;
    DesktopWallpaper sway(QStringLiteral("sway"), false, NoBus());
    const auto report = [&](const std::string& problem) { problems.push_back(problem); };
    sway.SetWallpaper("/p/my picture.png", report);
    EXPECT_EQ(tools.WaitForCalls(1),
              (Calls{{"swaymsg", "--", R"(output * bg "/p/my picture.png" fill)"}}));
    // sway would expand these like a shell: refused, and said.
    sway.SetWallpaper("/p/$(touch x).png", report);
    sway.SetWallpaper(R"(/p/a"b.png)", report);
    sway.SetWallpaper("", report);
    EXPECT_EQ(problems.size(), 3u);
    EXPECT_EQ(tools.Calls().size(), 1u);
}

TEST(Wallpaper, AFailureIsReportedWithWhatTheToolSaid) {
    FakeTools tools;
    TempFolder::Write(tools.Log().parent_path() / "gsettings",
                      "#!/bin/sh\necho 'No such schema' >&2\nexit 1\n");
    std::filesystem::permissions(tools.Log().parent_path() / "gsettings",
                                 std::filesystem::perms::owner_all);
    std::vector<std::string> problems;
    DesktopWallpaper mate(QStringLiteral("MATE"), true, NoBus());
    mate.SetWallpaper("/p/a.jpg", [&](const std::string& problem) {
        problems.push_back(problem); });
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return !problems.empty(); }, 10000));
    EXPECT_NE(problems[0].find("No such schema"), std::string::npos) << problems[0];
}

TEST(Wallpaper, WaylandWithoutAPortalSaysSoAndPaintsNoRootWindow) {
    FakeTools tools;
    tools.Add("feh");
    tools.Add("xwallpaper");
    std::vector<std::string> problems;
    DesktopWallpaper weston(QStringLiteral("weston"), false, NoBus());
    weston.SetWallpaper("/p/a.jpg",
                        [&](const std::string& problem) { problems.push_back(problem); });
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("Wallpaper"), std::string::npos) << problems[0];
    EXPECT_TRUE(tools.Calls().empty());
}

TEST(Wallpaper, OtherWaylandDesktopsAskThePortal) {
    TempFolder folder;
    const QString log = QString::fromStdString((folder / "portal.log").string());
    const QString portal = QStringLiteral("org.freedesktop.portal.Desktop");
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
    test::PrivateBus bus(QStringLiteral("/usr/bin/python3 -m dbusmock --session ") + portal +
                             QLatin1Char(' ') + path +
                             QStringLiteral(" org.freedesktop.portal.Wallpaper -l ") + log,
                         QStringLiteral("rimo-portal"));
    ASSERT_TRUE(bus.WaitForName(portal));
    QDBusMessage add = QDBusMessage::createMethodCall(
        portal, path, QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddMethod"));
    add << QStringLiteral("org.freedesktop.portal.Wallpaper") << QStringLiteral("SetWallpaperURI")
        << QStringLiteral("ssa{sv}") << QStringLiteral("o")
        << QStringLiteral("ret = dbus.ObjectPath('/org/freedesktop/portal/desktop/request/a/b')");
    ASSERT_EQ(bus.Bus().call(add).type(), QDBusMessage::ReplyMessage);

    FakeTools tools; // after the bus: nothing of this machine's on PATH
    tools.Add("feh");
    std::vector<std::string> problems;
    DesktopWallpaper weston(QStringLiteral("weston"), false, bus.Bus());
    weston.SetWallpaper("/p/my picture.png",
                        [&](const std::string& problem) { problems.push_back(problem); });
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return TempFolder::Read(folder / "portal.log").find("SetWallpaperURI") !=
                   std::string::npos;
        },
        15000));
    EXPECT_NE(TempFolder::Read(folder / "portal.log").find("file:///p/my%20picture.png"),
              std::string::npos)
        << TempFolder::Read(folder / "portal.log");
    QTest::qWait(200); // its answer: a request, no failure
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(tools.Calls().empty());
}

} // namespace
} // namespace rimo
