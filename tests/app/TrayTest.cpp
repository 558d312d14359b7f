// The tray icon, its menu and the title bar through the main window
// (offscreen: the tray host is whatever the test says).
#include "FormTest.h"

#include "app/HelpPage.h"
#include "core/RadioGroup.h"
#include "app/TrayMenu.h"
#include "resources/AppResources.h"
#include "schedule/ScheduleGrid.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimeEdit>
#include <QWindow>

#include <gmock/gmock.h>

namespace rimo {
namespace {

using ::testing::ElementsAre;

// The clock stands at Tuesday 2026/12/08 10:00:00.
const ScheduleRow kWakeUp{"起床", "毎日", "2026/12/09/水", "07:00:00", "警告音", "", "しない", "○"};

class TrayTest : public FormTest {
protected:
    // The title the window system is given.
    static QString ShownTitle(const TForm1& form) { return form.windowHandle()->title(); }
    QStringList ItemNames(QMenu* menu) {
        QStringList names;
        for (const QAction* item : menu->actions()) {
            names.append(item->objectName());
        }
        return names;
    }
    QStringList Captions(QMenu* menu) {
        QStringList captions;
        for (const QAction* item : menu->actions()) {
            captions.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        return captions;
    }
};

TEST_F(TrayTest, TheIconIsThereFromCreationToClose) {
    auto form = Start();
    ASSERT_TRUE(form->Tray().Registered());
    QSystemTrayIcon* icon = form->Tray().SystemTrayIcon();
    EXPECT_EQ(icon->toolTip(), QStringLiteral("RimoTimeInfomation"));
    EXPECT_EQ(form->Tray().IconName(), QStringLiteral("MAINICON"));
    EXPECT_EQ(icon->contextMenu(), form->Popup().PopupMenu1());
    EXPECT_FALSE(icon->icon().isNull());
    ASSERT_TRUE(form->close());
    EXPECT_FALSE(form->Tray().Registered());
}

TEST_F(TrayTest, TheTipAndTitleNameTheNextEvent) {
    WriteSchedule({kWakeUp});
    auto form = Start();
    form->Timer1Timer();
    const QString text = QStringLiteral("次は 起床 2026/12/09/水07:00:00");
    EXPECT_EQ(form->Tray().ToolTip(), text);
    EXPECT_EQ(form->Tray().SystemTrayIcon()->toolTip(), text);
    // The sort at start asked for a refresh: the title shows the event and five blanks.
    EXPECT_EQ(ShownTitle(*form), text + QStringLiteral("     "));
    // One character per tick, the double-byte first character whole.
    form->Timer1Timer();
    EXPECT_EQ(ShownTitle(*form), QStringLiteral("は 起床 2026/12/09/水07:00:00     次"));
    form->Timer1Timer();
    EXPECT_EQ(ShownTitle(*form), QStringLiteral(" 起床 2026/12/09/水07:00:00     次は"));
}

TEST_F(TrayTest, ADisabledNextRowShowsTheProductName) {
    ScheduleRow off = kWakeUp;
    off[ColEnabled] = "×";
    WriteSchedule({off});
    auto form = Start();
    form->Timer1Timer();
    EXPECT_EQ(form->Tray().ToolTip(), QStringLiteral("RimoTimeInfomation"));
    EXPECT_EQ(ShownTitle(*form), QStringLiteral("RimoTimeInformation     "));
    form->Timer1Timer();
    EXPECT_EQ(ShownTitle(*form), QStringLiteral("imoTimeInformation     R"));
}

TEST_F(TrayTest, OptionsOffShowTheProductAndStandStill) {
    WriteSchedule({kWakeUp});
    WriteSettings("[Setting]\r\nNext=0\r\nScroll=0\r\nAnimeIcon=0\r\n");
    auto form = Start();
    form->Timer1Timer();
    form->Timer1Timer();
    EXPECT_EQ(form->Tray().ToolTip(), QStringLiteral("RimoTimeInfomation"));
    EXPECT_EQ(ShownTitle(*form), QStringLiteral("RimoTimeInformation     "));
    EXPECT_EQ(form->Tray().IconName(), QStringLiteral("MAINICON"));
}

TEST_F(TrayTest, TheIconRunsThroughItsFramesOncePerTick) {
    auto form = Start();
    QStringList shown;
    for (int tick = 0; tick < 17; ++tick) {
        form->Timer1Timer();
        shown.append(form->Tray().IconName());
    }
    EXPECT_EQ(shown.first(), QStringLiteral("ICON0"));
    EXPECT_EQ(shown[15], QStringLiteral("ICON15"));
    EXPECT_EQ(shown[16], QStringLiteral("ICON0"));
}

TEST_F(TrayTest, ATitleWithQtsPlaceholderShowsAsWritten) {
    ScheduleRow row = kWakeUp;
    row[ColTitle] = "a[*]b";
    WriteSchedule({row});
    auto form = Start();
    form->Timer1Timer();
    EXPECT_EQ(ShownTitle(*form), QStringLiteral("次は a[*]b 2026/12/09/水07:00:00     "));
}

TEST_F(TrayTest, WithoutATrayHostTheWindowSaysSoUntilOneAppears) {
    auto form = Start();
    auto* status = form->findChild<QLabel*>(QStringLiteral("TrayStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isVisible());
    EXPECT_THAT(status->text().toStdString(),
                ::testing::HasSubstr("通知領域（トレイ）が見つかりません"));
    EXPECT_FALSE(form->Tray().HostAvailable());

    QSignalSpy changes(&form->Tray(), &TrayIcon::HostAvailabilityChanged);
    trayHost_ = true;
    form->Tray().CheckHost(); // as the session's signal does
    ASSERT_EQ(changes.count(), 1);
    EXPECT_TRUE(changes.last()[0].toBool());
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(form->Tray().HostAvailable());
}

TEST_F(TrayTest, AHiddenWindowComesBackWhenTheTrayHostGoesAway) {
    WriteSettings("[Setting]\r\nTaskBar=1\r\n");
    trayHost_ = true;
    auto form = Start();
    Q_EMIT form->Tray().SystemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    ASSERT_FALSE(form->isVisible());
    QSignalSpy changes(&form->Tray(), &TrayIcon::HostAvailabilityChanged);
    trayHost_ = false;
    form->Tray().CheckHost();
    ASSERT_EQ(changes.count(), 1);
    EXPECT_FALSE(changes.last()[0].toBool());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->State().MainWindowShown);
}

TEST_F(TrayTest, WithATrayHostNothingIsSaid) {
    trayHost_ = true;
    auto form = Start();
    EXPECT_FALSE(form->findChild<QLabel*>(QStringLiteral("TrayStatus"))->isVisible());
}

TEST_F(TrayTest, ALeftClickTogglesTheWindow) {
    auto form = Start();
    QSystemTrayIcon* icon = form->Tray().SystemTrayIcon();
    Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(form->isMinimized());
    // The right button opens the menu and nothing else.
    Q_EMIT icon->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(form->isMinimized());
    Q_EMIT icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(TrayTest, TheMenuHasTheDesignedItems) {
    auto form = Start();
    QMenu* menu = form->Popup().PopupMenu1();
    EXPECT_EQ(menu->objectName(), QStringLiteral("PopupMenu1"));
    EXPECT_THAT(ItemNames(menu).toVector(),
                ElementsAre("PopupHelp", "Exit1", "N2", "PopupTest", "PopupHour", "PopupLauncher",
                            "PopupTimer", "PopupHistory"));
    EXPECT_THAT(Captions(menu).toVector(),
                ElementsAre("ヘルプ(&S)", "終了(&X)", "-", "アラーム・テスト(&Q)", "時刻合わせ(&H)",
                            "RIMOランチャー(&L)", "RIMOタイマー(&T)", "実行履歴(&R)"));
    EXPECT_EQ(form->Popup().Item(QStringLiteral("Exit1"))->toolTip(), QStringLiteral("終了します"));

    QMenu* launcher = form->Popup().Item(QStringLiteral("PopupLauncher"))->menu();
    ASSERT_NE(launcher, nullptr);
    EXPECT_THAT(ItemNames(launcher).toVector(),
                ElementsAre("LaunchTitle0", "LaunchTitle1", "LaunchTitle2"));
    EXPECT_THAT(Captions(launcher).toVector(),
                ElementsAre("タイトル１", "タイトル２", "タイトル３"));

    QMenu* timer = form->Popup().Item(QStringLiteral("PopupTimer"))->menu();
    ASSERT_NE(timer, nullptr);
    EXPECT_THAT(ItemNames(timer).toVector(),
                ElementsAre("TimeLoop", "N3", "Quick0", "N4", "Quick6", "Quick5", "Quick4",
                            "Quick3", "Quick2", "Quick1", "N5", "TimeStop"));
    EXPECT_THAT(Captions(timer).toVector(),
                ElementsAre("Loopさせる(&O)", "-", "任意", "-", "10分(&0)", "5分(&5)", "4分(&4)",
                            "3分(&3)", "2分(&2)", "1分(&1)", "-", "停止(&S)"));
    EXPECT_TRUE(form->Popup().Item(QStringLiteral("TimeLoop"))->isCheckable());

    // Opening it shows the free duration and the launcher page's titles.
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(form->Popup().Item(QStringLiteral("Quick0"))->text(), QStringLiteral("5秒 (&V)"));
    EXPECT_EQ(form->Popup().Item(QStringLiteral("LaunchTitle0"))->text(),
              QStringLiteral("タイトル0(&1)")); // the launcher page's title
}

TEST_F(TrayTest, OpeningTheMenuShowsTheDurationAndThePageTitles) {
    auto form = Start();
    auto* picker = form->findChild<QTimeEdit*>(QStringLiteral("DateTimePicker3"));
    ASSERT_NE(picker, nullptr);
    picker->setTime(QTime(0, 3, 0));
    auto* pages = new RadioGroup(QStringLiteral("ランチャー・タイトル"), form.get());
    pages->setObjectName(QStringLiteral("RadioGroupLaunchTitle"));
    pages->SetItems({QStringLiteral("仕事"), QStringLiteral("趣味"), QStringLiteral("予備")});

    QMenu* menu = form->Popup().PopupMenu1();
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(form->Popup().Item(QStringLiteral("Quick0"))->text(), QStringLiteral("3分 (&V)"));
    EXPECT_THAT(Captions(form->Popup().Item(QStringLiteral("PopupLauncher"))->menu()).toVector(),
                ElementsAre("仕事(&1)", "趣味(&2)", "予備(&3)"));

    picker->setTime(QTime(1, 30, 0));
    form->Popup().PopupMenu1Popup();
    EXPECT_EQ(form->Popup().Item(QStringLiteral("Quick0"))->text(),
              QStringLiteral("1時間 30分 (&V)"));
    // The picker keeps the free duration at five seconds at least.
    picker->setTime(QTime(0, 0, 0));
    form->Popup().PopupMenu1Popup();
    EXPECT_EQ(form->Popup().Item(QStringLiteral("Quick0"))->text(), QStringLiteral("5秒 (&V)"));
}

TEST_F(TrayTest, TheItemsReachTheirParts) {
    auto form = Start();
    TrayMenu& popup = form->Popup();
    int clockRuns = 0;
    std::vector<int> launched;
    popup.Handlers().SynchroniseClock = [&] { ++clockRuns; };
    popup.Handlers().StartLauncherPage = [&](int page) { launched.push_back(page); };

    popup.Item(QStringLiteral("PopupTest"))->trigger();
    EXPECT_TRUE(form->State().TestRequested);
    popup.Item(QStringLiteral("PopupHour"))->trigger();
    EXPECT_EQ(clockRuns, 1);
    popup.Item(QStringLiteral("LaunchTitle2"))->trigger();
    popup.Item(QStringLiteral("LaunchTitle0"))->trigger();
    EXPECT_THAT(launched, ElementsAre(2, 0));

    // Unwired, an item does nothing (and says so on the error output).
    popup.Handlers().StartLauncherPage = nullptr;
    popup.Item(QStringLiteral("LaunchTitle1"))->trigger();

    QSignalSpy closed(form.get(), &TForm1::Closed);
    popup.Item(QStringLiteral("Exit1"))->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form->Tray().Registered());
}

TEST_F(TrayTest, HelpOpensThePageBesideTheProgram) {
    auto form = Start();
    QStringList opened;
    form->Popup().Handlers().OpenDocument = [&](const QString& path) {
        opened.append(path);
        return true;
    };
    form->Popup().Item(QStringLiteral("PopupHelp"))->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toStdString(), paths_.HelpFile().string());
    const std::string page = TempFolder::Read(paths_.HelpFile());
    EXPECT_THAT(page, ::testing::HasSubstr("<title>RimoTimeInformation ヘルプ</title>"));

    // A page of the user's own is opened as it is.
    TempFolder::Write(paths_.HelpFile(), "<p>mine</p>");
    form->Popup().PopupHelpClick();
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(TempFolder::Read(paths_.HelpFile()), "<p>mine</p>");
}

TEST(HelpPage, GoesToTheRuntimeFolderWhenTheProgramsFolderIsClosed) {
    TempFolder folder;
    TempFolder::Write(folder / "not-a-folder", "x");
    AppPaths paths = AppPaths::InFolder(folder / "data");
    paths.ExecutableDir = folder / "not-a-folder";
    std::string error;
    const auto page = HelpPage::Ensure(paths, folder / "runtime", &error);
    ASSERT_TRUE(page.has_value()) << error;
    EXPECT_EQ(*page, folder / "runtime" / "help.html");
    EXPECT_EQ(TempFolder::Read(*page), AppResources::HelpPage().toStdString());

    // Nowhere to write: said, not opened.
    const auto nowhere = HelpPage::Ensure(paths, folder / "not-a-folder" / "x", &error);
    EXPECT_FALSE(nowhere.has_value());
    EXPECT_FALSE(error.empty());
}

TEST(AppResources, EveryPictureIsCompiledInAtEverySize) {
    const QList<QSize> sizes = AppResources::MainIcon().availableSizes();
    for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    QList<QImage> frames;
    for (int frame = 0; frame < AppResources::kFrameCount; ++frame) {
        const QIcon icon = AppResources::FrameIcon(frame);
        for (const int size : {16, 22, 24, 32}) {
            const QPixmap pixmap = icon.pixmap(size, size);
            ASSERT_FALSE(pixmap.isNull()) << frame << " " << size;
            EXPECT_EQ(pixmap.size(), QSize(size, size)) << frame << " " << size;
        }
        frames.append(icon.pixmap(32, 32).toImage());
        // Each frame differs from the one before: the hand moves.
        if (frame > 0) {
            EXPECT_NE(frames[frame], frames[frame - 1]) << frame;
        }
    }
    EXPECT_EQ(AppResources::FrameName(15), QStringLiteral("ICON15"));
    EXPECT_FALSE(AppResources::HelpPage().isEmpty());
}

} // namespace
} // namespace rimo
