// The real executable on an X server of its own with a tray: the tray's
// timer item starts a five-second countdown whose expiry starts a script.
// With RIMO_SCREENSHOT_DIR set, pictures of the page and of each notice.

#include "e2e/XDesktop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace rimo {
namespace {

class TimerRun : public XDesktopTest {
protected:
    TimerRun() {
        // Writes its arguments and working folder.
        TempFolder::Write(Script(), "#!/bin/sh\nprintf '%s|%s\\n' \"$*\" \"$(pwd)\" >> \"" +
                                        Runs().string() + "\"\n");
        std::filesystem::permissions(Script(), std::filesystem::perms::owner_all);
    }

    std::filesystem::path Script() const { return folder_ / "timer done.sh"; }
    std::filesystem::path Runs() const { return folder_ / "runs.txt"; }

    // The program's window whose title starts with `title`.
    std::optional<XWindow> WindowTitled(const QString& title) const {
        for (const XWindow& window : Windows()) {
            if (Tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window.Id})
                    .startsWith(title)) {
                return window;
            }
        }
        return std::nullopt;
    }
    void Key(const char* key) { Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), key}); }
    // The open menus: the program's windows other than the icon and the main window.
    int OpenMenus() const {
        int menus = 0;
        for (const XWindow& window : Windows()) {
            menus += window.Width > 64 && window.Width != 700 ? 1 : 0;
        }
        return menus;
    }
    // A key for the open menu, again until it has shown its effect: the
    // menu may not have the keyboard yet when it is first seen.
    bool KeyUntil(const char* key, const std::function<bool()>& done) {
        return WaitFor([&] {
            Key(key);
            return WaitFor(done, 1000);
        });
    }
};

TEST_F(TimerRun, TheTrayTimerItemRunsACountdownWhoseExpiryStartsAScript) {
    // The timer page shown, a free duration of five seconds, no beep, the
    // script as the program to start.
    TempFolder::Write(folder_ / "rimotime.ini",
                      "[Position]\r\nLeft=20\r\nTop=60\r\n\r\n[Setting]\r\nTabIndex=1\r\n"
                      "Timer=0:00:05\r\nComboTime=2\r\nBeep=0\r\nPath=1\r\nAppPath=\"" +
                          Script().string() + "\" expired\r\n");
    StartTray();
    StartProgram();
    std::optional<XWindow> icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIconWindow()).has_value(); })) << "no tray icon";
    ASSERT_TRUE(WaitFor([&] { return MainWindow().has_value(); }));
    Screenshot("timer-page.png");

    // Tray menu, "RIMOタイマー(&T)", the free duration's item "5秒 (&V)".
    ClickIcon(*icon, 3);
    ASSERT_TRUE(WaitFor([&] { return MenuWindow().has_value(); })) << "no menu";
    ASSERT_TRUE(KeyUntil("t", [&] { return OpenMenus() == 2; })) << "no timer submenu";
    Screenshot("timer-tray-menu.png");
    // The start notice; its title shows the time left from the first tick on.
    ASSERT_TRUE(KeyUntil("v", [&] {
        return WindowTitled(QStringLiteral("RimoTimeInformation タイマー起動")) ||
               WindowTitled(QStringLiteral("残り0:00:0"));
    })) << "no start notice";
    Screenshot("timer-start-notice.png");
    ASSERT_TRUE(WaitFor([&] {
        return WindowTitled(QStringLiteral("RimoTimeInformation タイマー終了")).has_value();
    })) << "no expiry notice";
    Screenshot("timer-expiry-notice.png");
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(Runs()); }));

    StopProgram();
    // Started once, directly, in its own folder, with its parameter.
    EXPECT_EQ(TempFolder::Read(Runs()), "expired|" + folder_.Path().string() + "\n");
    // The quick choice the item made is kept.
    const std::string settings = TempFolder::Read(folder_ / "rimotime.ini");
    EXPECT_NE(settings.find("Timer=0:00:05\r\nComboTime=0\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Beep=0\r\n"), std::string::npos) << settings;
}

} // namespace
} // namespace rimo
