// The settings page on the main window: each option acts when clicked and
// when the settings file assigns it, and comes back after a restart.
#include "FormTest.h"

#include "app/SettingsPage.h"
#include "core/RadioGroup.h"
#include "platform/XdgAutostart.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QWindow>

#include <gmock/gmock.h>

namespace rimo {
namespace {

using ::testing::HasSubstr;

class SettingsPageTest : public FormTest {
protected:
    QCheckBox* Box(TForm1& form, const char* name) {
        auto* box = form.findChild<QCheckBox*>(QString::fromLatin1(name));
        EXPECT_NE(box, nullptr) << name;
        return box;
    }
    void ChooseTaskBarMode(TForm1& form, int mode) {
        form.findChild<QAbstractButton*>(QStringLiteral("RadioGroupTaskBarItem%1").arg(mode))
            ->click();
        QApplication::processEvents();
    }
    static bool Above(const TForm1& form) {
        return form.windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
               (!form.windowHandle() ||
                form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    }
    static Qt::WindowType Type(const TForm1& form) { return form.windowType(); }
};

TEST_F(SettingsPageTest, EveryOptionActsAtOnceAndComesBackAfterARestart) {
    trayHost_ = true;
    auto form = Start();
    EXPECT_FALSE(Above(*form));
    EXPECT_EQ(Type(*form), Qt::Window);

    Box(*form, "CheckBoxTopMost")->click();
    EXPECT_TRUE(Above(*form));
    EXPECT_TRUE(form->isVisible());
    Box(*form, "CheckBoxFix")->click();
    EXPECT_TRUE(form->SettingsPage1().WindowFixed());
    form->State().TitleRefreshPending = false;
    Box(*form, "CheckBoxNextHint")->click();
    EXPECT_TRUE(form->State().TitleRefreshPending);
    for (const char* name : {"CheckBoxScroll", "CheckBoxAnimeIcon", "CheckBoxScrSaver",
                             "CheckBoxCMShowing", "CheckBoxStartUp"}) {
        Box(*form, name)->click();
    }
    EXPECT_EQ(services_.Startup.Calls,
              std::vector<std::string>{"Register " + (folder_ / "rimotime").string()});

    // Mode 1: no taskbar entry (a tool window) and no minimise button; the
    // window stays up and the tray icon hides and shows it.
    ChooseTaskBarMode(*form, 1);
    EXPECT_EQ(Type(*form), Qt::Tool);
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(Above(*form));
    EXPECT_EQ(form->IconDisplayMode(), 1);
    form->ToggleMainWindow();
    EXPECT_FALSE(form->isVisible());
    form->ToggleMainWindow();
    EXPECT_TRUE(form->isVisible());

    ASSERT_TRUE(form->close());
    const std::string stored = StoredSettings();
    EXPECT_THAT(stored, HasSubstr("TopMost=1\r\nFixed=1\r\nAnimeIcon=0\r\nNext=0\r\nScroll=0\r\n"
                                  "TaskBar=1\r\nCMShowing=1\r\nScrSaver=1\r\nStartUp=1\r\n"));

    form = Start(); // hides itself a second after it is shown
    EXPECT_TRUE(Above(*form));
    EXPECT_EQ(Type(*form), Qt::Tool);
    EXPECT_TRUE(form->SettingsPage1().WindowFixed());
    const SettingsPage& page = form->SettingsPage1();
    EXPECT_FALSE(page.NextHint() || page.Scroll() || page.AnimeIcon());
    EXPECT_TRUE(page.ScreenSaverAfterChange() && page.MinimizeAfterStart());
    EXPECT_FALSE(form->isVisible());

    // Mode 0 again: a normal window with its taskbar entry and minimise button.
    ChooseTaskBarMode(*form, 0);
    EXPECT_EQ(Type(*form), Qt::Window);
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    Box(*form, "CheckBoxTopMost")->click();
    EXPECT_FALSE(Above(*form));
}

// The accessibility bus's "toggle" (what Orca or a switch device sends)
// checks the button without a click: the mode follows all the same.
TEST_F(SettingsPageTest, ATaskBarModeCheckedWithoutAClickIsApplied) {
    trayHost_ = true;
    auto form = Start();
    auto* item = form->findChild<QAbstractButton*>(QStringLiteral("RadioGroupTaskBarItem1"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(item);
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QApplication::processEvents();
    ASSERT_TRUE(item->isChecked());
    EXPECT_EQ(form->IconDisplayMode(), 1);
    EXPECT_EQ(Type(*form), Qt::Tool);
    ASSERT_TRUE(form->close());
    EXPECT_THAT(StoredSettings(), HasSubstr("TaskBar=1\r\n"));
}

TEST_F(SettingsPageTest, AFixedWindowIsPutBackWhenMovedAndStillResizes) {
    auto form = Start();
    ASSERT_EQ(form->pos(), QPoint(100, 100));
    Box(*form, "CheckBoxFix")->click();
    form->move(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(form->pos(), QPoint(100, 100));
    form->resize(400, 500);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(400, 500));
    EXPECT_EQ(form->pos(), QPoint(100, 100));

    Box(*form, "CheckBoxFix")->click();
    form->move(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(form->pos(), QPoint(300, 200));
}

TEST_F(SettingsPageTest, TheStartUpBoxWritesAndRemovesTheAutostartEntry) {
    TempFolder config;
    XdgAutostart autostart(config / "autostart");
    PlatformServices services = services_.All();
    services.Startup = &autostart;
    TForm1 form(paths_, clock_, services);
    form.show();
    QCheckBox* box = Box(form, "CheckBoxStartUp");

    box->click();
    ASSERT_TRUE(autostart.Registered());
    EXPECT_THAT(TempFolder::Read(autostart.EntryFile()),
                HasSubstr("\nExec=" + (folder_ / "rimotime").string() +
                          "\nPath=" + folder_.Path().string() + "\n"));
    box->click();
    EXPECT_FALSE(autostart.Registered());
    EXPECT_TRUE(MessageBoxes().isEmpty());

    // An entry that cannot be written: said so, and the box stays ticked.
    std::filesystem::remove_all(config / "autostart");
    TempFolder::Write(config / "autostart", "");
    box->click();
    ASSERT_EQ(MessageBoxes().size(), 1);
    EXPECT_THAT(MessageBoxes()[0]->text().toStdString(), HasSubstr("autostart"));
    EXPECT_TRUE(box->isChecked());
    CloseMessageBoxes();

    // One that cannot be removed: said so, and the box shows it is still there.
    std::filesystem::remove(config / "autostart");
    std::filesystem::create_directories(autostart.EntryFile() / "in-the-way");
    box->click();
    ASSERT_EQ(MessageBoxes().size(), 1);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(SettingsPageTest, TheScheduledScreenSaverChangeStartsItWhenTicked) {
    const DateTime now = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0);
    const auto row = [](DateTime when) {
        return ScheduleRow{
            "scr",    "", FormatScheduleDate(when), FormatScheduleTime(when), "ScreenSave", "",
            "しない", "○"};
    };
    WriteSchedule({row(now + EncodeTime(0, 0, 2)), row(now + EncodeTime(0, 0, 3))});
    auto form = Start();
    const auto tickAt = [&](int seconds) {
        clock_.SetLocal(now + EncodeTime(0, 0, seconds));
        clock_.Advance(3);
        form->Timer1Timer();
    };
    tickAt(2);
    EXPECT_THAT(services_.ScreenSaver.Calls, ::testing::Not(::testing::Contains("Activate")));
    Box(*form, "CheckBoxScrSaver")->click();
    tickAt(3);
    EXPECT_EQ(services_.ScreenSaver.Calls.back(), "Activate");
}

} // namespace
} // namespace rimo
