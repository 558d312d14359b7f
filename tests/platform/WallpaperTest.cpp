#include "fakes/FakeTools.h"
#include "platform/linux/DesktopWallpaper.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

using Calls = std::vector<std::vector<std::string>>;

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
    DesktopWallpaper wallpaper(QStringLiteral("GNOME"));
    wallpaper.SetWallpaper("/pictures/my picture#1.png");
    Calls calls = tools.WaitForCalls(2);
    std::sort(calls.begin(), calls.end());
    EXPECT_EQ(calls, (Calls{{"gsettings", "set", "org.gnome.desktop.background", "picture-uri",
                             "file:///pictures/my%20picture%231.png"},
                            {"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark",
                             "file:///pictures/my%20picture%231.png"}}));
    wallpaper.SetWallpaper("");
    calls = tools.WaitForCalls(4);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[2].back(), "");
    EXPECT_EQ(calls[3].back(), "");
}

TEST(Wallpaper, CinnamonMateAndKdeUseTheirOwnSettings) {
    FakeTools tools;
    tools.Add("gsettings");
    tools.Add("plasma-apply-wallpaperimage");
    DesktopWallpaper(QStringLiteral("X-Cinnamon")).SetWallpaper("/p/a.jpg");
    tools.WaitForCalls(1);
    DesktopWallpaper(QStringLiteral("MATE")).SetWallpaper("/p/a.jpg");
    tools.WaitForCalls(2);
    DesktopWallpaper(QStringLiteral("KDE")).SetWallpaper("/p/a.jpg");
    EXPECT_EQ(tools.WaitForCalls(3),
              (Calls{{"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri",
                      "file:///p/a.jpg"},
                     {"gsettings", "set", "org.mate.background", "picture-filename", "/p/a.jpg"},
                     {"plasma-apply-wallpaperimage", "/p/a.jpg"}}));
}

TEST(Wallpaper, XfceSetsEveryLastImage) {
    FakeTools tools;
    tools.Add("xfconf-query", "/backdrop/screen0/monitor0/workspace0/color-style\n"
                              "/backdrop/screen0/monitor0/workspace0/last-image\n"
                              "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n");
    DesktopWallpaper wallpaper(QStringLiteral("XFCE"));
    wallpaper.SetWallpaper("/p/a.jpg");
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
    DesktopWallpaper wallpaper(QStringLiteral("LXDE"));
    wallpaper.SetWallpaper("/p/a.jpg");
    tools.WaitForCalls(1);
    tools.Add("xwallpaper");
    wallpaper.SetWallpaper("/p/b.jpg");
    wallpaper.SetWallpaper(""); // nothing to run: said on the terminal only
    EXPECT_EQ(tools.WaitForCalls(2),
              (Calls{{"feh", "--bg-fill", "/p/a.jpg"}, {"xwallpaper", "--zoom", "/p/b.jpg"}}));
}

} // namespace
} // namespace rimo
