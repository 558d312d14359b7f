// The real executable on an X server of its own with a tray: the tray's
// timer item starts a five-second countdown whose expiry starts a script;
// with a window manager (openbox), the expiry notice comes up above a main
// window kept on top. With RIMO_SCREENSHOT_DIR set, pictures of the page
// and of each notice.

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

    void TearDown() override {
        if (windowManager_ && windowManager_->state() != QProcess::NotRunning) {
            windowManager_->terminate();
            windowManager_->waitForFinished(10000);
        }
        XDesktopTest::TearDown();
    }

    std::filesystem::path Script() const { return folder_ / "timer done.sh"; }

    void StartWindowManager() {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
            << "openbox is missing: run scripts/setup.sh";
        windowManager_ = std::make_unique<QProcess>();
        windowManager_->setProcessEnvironment(Environment());
        windowManager_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(windowManager_->waitForStarted(5000));
        ASSERT_TRUE(WaitFor([&] {
            return Tool(QStringLiteral("xprop"),
                        {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QStringLiteral("window id"));
        })) << "openbox did not come up";
    }
    // The window manager's clients, bottom to top.
    std::vector<unsigned long> Stacking() const {
        const QString line =
            Tool(QStringLiteral("xprop"),
                 {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
        std::vector<unsigned long> ids;
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash < 0) {
            return ids;
        }
        for (const QString& id : line.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            ids.push_back(id.trimmed().toULong(nullptr, 16));
        }
        return ids;
    }
    // Whether window `upper` is stacked above window `lower`.
    bool Above(const QString& upper, const QString& lower) const {
        const std::vector<unsigned long> ids = Stacking();
        const auto at = [&](const QString& id) {
            return std::find(ids.begin(), ids.end(), id.toULong()) - ids.begin();
        };
        return at(upper) < static_cast<std::ptrdiff_t>(ids.size()) &&
               at(lower) < static_cast<std::ptrdiff_t>(ids.size()) && at(upper) > at(lower);
    }
    std::filesystem::path Runs() const { return folder_ / "runs.txt"; }
    // Openbox animates a window that is restored: a picture waits until it is drawn.
    static void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(1500)); }

    // The tray, then the program: its icon and main window once both are shown.
    void StartWithTray(XWindow& icon, XWindow& main) {
        StartTray();
        StartProgram();
        std::optional<XWindow> shown;
        ASSERT_TRUE(WaitFor([&] { return (shown = TrayIconWindow()).has_value(); }))
            << "no tray icon";
        icon = *shown;
        ASSERT_TRUE(WaitFor([&] { return (shown = MainWindow()).has_value(); }))
            << "no main window";
        main = *shown;
    }

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

    std::unique_ptr<QProcess> windowManager_;
};

TEST_F(TimerRun, TheTrayTimerItemRunsACountdownWhoseExpiryStartsAScript) {
    // The timer page shown, a free duration of five seconds, no beep, the
    // script as the program to start.
    TempFolder::Write(folder_ / "rimotime.ini",
                      "[Position]\r\nLeft=20\r\nTop=60\r\n\r\n[Setting]\r\nTabIndex=1\r\n"
                      "Timer=0:00:05\r\nComboTime=2\r\nBeep=0\r\nPath=1\r\nAppPath=\"" +
                          Script().string() + "\" expired\r\n");
    XWindow icon;
    XWindow main;
    ASSERT_NO_FATAL_FAILURE(StartWithTray(icon, main));
    Screenshot("timer-page.png");

    // Tray menu, "RIMOタイマー(&T)", the free duration's item "5秒 (&V)".
    ClickIcon(icon, 3);
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

TEST_F(TimerRun, TheExpiryNoticeComesUpAboveAMainWindowKeptOnTop) {
    TempFolder::Write(folder_ / "rimotime.ini",
                      "[Position]\r\nLeft=20\r\nTop=60\r\n\r\n[Setting]\r\nTabIndex=1\r\n"
                      "TopMost=1\r\nTimer=0:00:08\r\nComboTime=0\r\nBeep=0\r\n");
    StartWindowManager();
    XWindow icon;
    XWindow main;
    ASSERT_NO_FATAL_FAILURE(StartWithTray(icon, main));

    // The eight-second timer from the tray; the start gets the main window
    // out of the way, and the user brings it back.
    ClickIcon(icon, 3);
    ASSERT_TRUE(WaitFor([&] { return MenuWindow().has_value(); })) << "no menu";
    ASSERT_TRUE(KeyUntil("t", [&] { return OpenMenus() == 2; })) << "no timer submenu";
    ASSERT_TRUE(KeyUntil("v", [&] {
        return WindowTitled(QStringLiteral("RimoTimeInformation タイマー起動")) ||
               WindowTitled(QStringLiteral("残り0:00:0"));
    })) << "no start notice";
    ASSERT_TRUE(WaitFor([&] { return !MainWindow().has_value(); })) << "main window still there";
    ClickIcon(icon, 1);
    ASSERT_TRUE(WaitFor([&] { return MainWindow().has_value(); })) << "main window not back";
    Settle();
    Screenshot("timer-main-window-on-top.png");

    std::optional<XWindow> notice;
    ASSERT_TRUE(WaitFor([&] {
        return (notice = WindowTitled(QStringLiteral("RimoTimeInformation タイマー終了")))
            .has_value();
    })) << "no expiry notice";
    EXPECT_TRUE(WaitFor([&] { return Above(notice->Id, main.Id); }, 5000))
        << "the notice is under the main window: "
        << Tool(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")})
               .toStdString()
        << "notice " << notice->Id.toStdString() << ", main window " << main.Id.toStdString();
    Settle();
    Screenshot("timer-expiry-notice-above-main-window.png");
    // A window of its own on the taskbar: no owner, not left off the taskbar.
    const QString properties = Tool(QStringLiteral("xprop"), {QStringLiteral("-id"), notice->Id,
                                                              QStringLiteral("WM_TRANSIENT_FOR"),
                                                              QStringLiteral("_NET_WM_STATE")});
    EXPECT_TRUE(properties.contains(QStringLiteral("WM_TRANSIENT_FOR:  not found")))
        << properties.toStdString();
    EXPECT_FALSE(properties.contains(QStringLiteral("SKIP_TASKBAR"))) << properties.toStdString();
    StopProgram();
}

} // namespace
} // namespace rimo
