// The real program with a real tray host: an X server of its own (Xvfb) with
// Debian's XEmbed tray "trayer", the program clicked with xdotool.

#include "e2e/XDesktop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace rimo {
namespace {

using namespace std::chrono_literals;

using TrayHost = XDesktopTest;

TEST_F(TrayHost, TheIconAnswersLeftAndRightClicks) {
    // A place on this X server, and the hidden mode stored by the settings
    // page that is not built yet.
    TempFolder::Write(folder_ / "rimotime.ini",
                      "[Position]\r\nLeft=150\r\nTop=120\r\n\r\n[Setting]\r\nTaskBar=1\r\n");
    StartTray();
    StartProgram();
    std::optional<XWindow> icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIconWindow()).has_value(); })) << "no tray icon";
    std::optional<XWindow> main;
    ASSERT_TRUE(WaitFor([&] { return (main = MainWindow()).has_value(); }));
    // No window manager here: the window stands exactly where it was stored.
    EXPECT_EQ(main->X, 150);
    EXPECT_EQ(main->Y, 120);
    Screenshot("tray-start.png");

    // Left click: the hidden mode hides the window, a second click shows it.
    ClickIcon(*icon, 1);
    EXPECT_TRUE(WaitFor([&] { return !MainWindow(); })) << "the window stayed";
    // Not so soon that the two clicks make a double click, which toggles nothing.
    std::this_thread::sleep_for(1s);
    ClickIcon(*icon, 1);
    EXPECT_TRUE(WaitFor([&] { return MainWindow().has_value(); }))
        << "the window did not come back";

    // Right click: the menu at the pointer; a click elsewhere closes it.
    ClickIcon(*icon, 3);
    std::optional<XWindow> menu;
    ASSERT_TRUE(WaitFor([&] { return (menu = MenuWindow()).has_value(); })) << "no menu";
    EXPECT_LT(std::abs(menu->X + menu->Width - (icon->X + icon->Width)), 200);
    Screenshot("tray-menu.png");
    Click(20, 740, 1);
    EXPECT_TRUE(WaitFor([&] { return !MenuWindow(); })) << "the menu stayed open";

    StopProgram();
    const std::string settings = TempFolder::Read(folder_ / "rimotime.ini");
    EXPECT_NE(settings.find("TaskBar=1\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Left=150\r\nTop=120\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("StartUp=0\r\n"), std::string::npos) << settings;
}

TEST_F(TrayHost, TheIconAppearsWhenAHostComesLater) {
    program_ = nullptr;
    StartProgram();
    ASSERT_TRUE(WaitFor([&] { return MainWindow().has_value(); }));
    EXPECT_FALSE(TrayIconWindow().has_value());

    StartTray();
    EXPECT_TRUE(WaitFor([&] { return TrayIconWindow().has_value(); })) << "no tray icon";
    // The title scrolls meanwhile: the window's name moves on.
    const QString before =
        Tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), MainWindow()->Id});
    EXPECT_TRUE(WaitFor([&] {
        return Tool(QStringLiteral("xdotool"),
                    {QStringLiteral("getwindowname"), MainWindow()->Id}) != before;
    }));
    StopProgram();
    const QString said = QString::fromUtf8(program_->readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("通知領域（トレイ）が見つかりません")))
        << said.toStdString();
}

} // namespace
} // namespace rimo
