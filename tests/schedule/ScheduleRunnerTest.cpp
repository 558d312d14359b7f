// The schedule pass in the main window: its tick, the grid, the editor's
// operations and the services (fakes here).

#include "schedule/ScheduleRunner.h"
#include "TempFolder.h"
#include "app/AppActionHost.h"
#include "app/SecondTimer.h"
#include "app/TForm1.h"
#include "desktop/TvScrSaver.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeServices.h"
#include "schedule/MessageWindows.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace rimo {
namespace {

const DateTime kStart = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0); // a Tuesday

class ScheduleRunnerTest : public ::testing::Test {
protected:
    ScheduleRunnerTest() : paths_(AppPaths::InFolder(folder_.Path())) { clock_.SetLocal(kStart); }
    ~ScheduleRunnerTest() override {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(widget)) {
                widget->close();
            }
        }
        QApplication::processEvents();
    }

    std::unique_ptr<TForm1> Start(const std::vector<ScheduleRow>& rows) {
        ScheduleTable table;
        table.ReplaceScheduleRows(rows);
        EXPECT_TRUE(SaveSchedule(paths_.ScheduleFile(), table).ok());
        auto form = std::make_unique<TForm1>(
            paths_, clock_, services_.All());
        form->Timer1().SetEnabled(false); // the test ticks by hand
        return form;
    }
    // The tick a few milliseconds after the second `seconds` after the start.
    void TickAt(TForm1& form, int seconds) {
        clock_.SetLocal(AddSeconds(kStart, seconds));
        clock_.Advance(3);
        form.Timer1Timer();
    }
    static ScheduleRow Row(const std::string& title, const std::string& repeat, DateTime when,
                           const std::string& action, const std::string& argument = {},
                           const std::string& remove = "しない") {
        return {
            title,  repeat, FormatScheduleDate(when), FormatScheduleTime(when), action, argument,
            remove, "○"};
    }
    static int Find(TForm1& form, const std::string& title) {
        for (int r = 1; r < form.Schedule().RowCount(); ++r) {
            if (form.Schedule().Cell(ColTitle, r) == title) {
                return r;
            }
        }
        return 0;
    }

    TempFolder folder_;
    AppPaths paths_;
    FakeClock clock_;
    FakeServices services_;
    FakeSound& sound_ = services_.Sound;
    FakeProgramStarter& programs_ = services_.Programs;
    FakeWallpaper& wallpaper_ = services_.Wallpaper;
    FakeScreenSaverSystem& screenSaver_ = services_.ScreenSaver;
};

TEST_F(ScheduleRunnerTest, ADueRowRunsAtItsSecondMovesOnAndTheNextEventIsSelected) {
    auto form = Start({Row("beep", "毎日", AddSeconds(kStart, 60), "警告音"),
                       Row("later", "", AddSeconds(kStart, 120), "警告音")});
    EXPECT_EQ(form->StringGrid1()->CurrentTableRow(), Find(*form, "beep"));
    TickAt(*form, 59);
    EXPECT_EQ(sound_.Beeps, 0);
    form->State().TitleRefreshPending = false;
    TickAt(*form, 60);
    EXPECT_EQ(sound_.Beeps, 1);
    const int beep = Find(*form, "beep");
    EXPECT_EQ(form->Schedule().Cell(ColDate, beep), "2026/12/09/水");
    EXPECT_EQ(form->StringGrid1()->CurrentTableRow(), Find(*form, "later"));
    EXPECT_TRUE(form->State().TitleRefreshPending);
    TickAt(*form, 61);
    EXPECT_EQ(sound_.Beeps, 1);
}

TEST_F(ScheduleRunnerTest, TicksThatCameLateCoverTheSecondsTheyMissed) {
    auto form = Start({Row("a", "", AddSeconds(kStart, 2), "警告音"),
                       Row("b", "", AddSeconds(kStart, 3), "警告音")});
    TickAt(*form, 1);
    TickAt(*form, 4); // two ticks did not come
    EXPECT_EQ(sound_.Beeps, 2);
}

TEST_F(ScheduleRunnerTest, ARowMarkedForDeletionIsDeletedThroughTheEditorWhateverIsSelected) {
    auto form = Start({Row("past", "", AddDays(kStart, -1), "警告音"),
                       Row("go", "", AddSeconds(kStart, 5), "起動", "\"/bin/true\"", "する"),
                       Row("mine", "", AddDays(kStart, 2), "警告音")});
    form->StringGrid1()->SetCurrentCell(3, Find(*form, "mine")); // the user is here
    TickAt(*form, 5);
    EXPECT_EQ(programs_.Starts.size(), 1u);
    EXPECT_EQ(Find(*form, "go"), 0);
    EXPECT_NE(Find(*form, "mine"), 0);
    EXPECT_EQ(form->Schedule().RowCount(), 3);
}

TEST_F(ScheduleRunnerTest, TheTestButtonRunsTheCurrentRowAtTheNextTick) {
    auto form = Start({Row("msg", "毎週", AddDays(kStart, 3), "メッセージ", "テスト")});
    const std::vector<ScheduleRow> before = form->Schedule().Rows();
    form->StringGrid1()->SetCurrentCell(0, 1);
    form->Editor().Test1Click();
    TickAt(*form, 1);
    MessageWindows& windows = form->Scheduler()->Messages();
    ASSERT_NE(windows.Window(0), nullptr);
    EXPECT_FALSE(form->State().TestRequested);
    EXPECT_EQ(form->Schedule().Rows(), before);
    windows.Window(0)->close();
}

TEST_F(ScheduleRunnerTest, OptionsComeFromTheirCheckBoxesOnceThosePagesExist) {
    auto form = Start({Row("snd", "", AddSeconds(kStart, 2), "サウンド", "\"/s/a.wav\""),
                       Row("scr", "", AddSeconds(kStart, 3), "ScreenSave", "")});
    TickAt(*form, 2);
    ASSERT_EQ(sound_.Waves.size(), 1u);
    EXPECT_FALSE(sound_.Waves[0].Loop);

    // The timer page's "繰り返す(&R)".
    auto* loop = form->findChild<QCheckBox*>(QStringLiteral("CheckBoxSoundLoop"));
    ASSERT_NE(loop, nullptr);
    loop->setChecked(true);
    auto* scrSaver = new QCheckBox(form.get());
    scrSaver->setObjectName(QStringLiteral("CheckBoxScrSaver"));
    scrSaver->setChecked(true);
    form->ActionHostOfActions().OnSynchroniseClock = [] { return ActionResult{}; };
    TickAt(*form, 3);
    EXPECT_EQ(screenSaver_.Calls.back(), "Activate");
    EXPECT_TRUE(form->ActionHostOfActions().LoopSound());
}

TEST_F(ScheduleRunnerTest, TheClockAndLauncherSidesAreHooksOfTheHost) {
    auto form = Start({Row("sync", "", AddSeconds(kStart, 2), "時刻合わせ"),
                       Row("launch", "", AddSeconds(kStart, 2), "ランチャー", "夜")});
    int synchronised = 0;
    std::vector<int> started;
    AppActionHost& host = form->ActionHostOfActions();
    host.OnSynchroniseClock = [&] {
        ++synchronised;
        return ActionResult{};
    };
    host.OnLauncherPageTitles = [] { return std::vector<std::string>{"朝", "夜", "昼"}; };
    host.OnSelectLauncherPage = [&](int page) { started.push_back(page); };
    host.OnStartCheckedLauncherButtons = [&] { started.push_back(-1); };
    TickAt(*form, 2);
    EXPECT_EQ(synchronised, 1);
    EXPECT_EQ(started, (std::vector<int>{1, -1}));
}

TEST_F(ScheduleRunnerTest, AProgramThatCannotStartIsShownWithoutStoppingThePass) {
    programs_.Failure = "プログラムが見つかりません: /nowhere";
    auto form = Start({Row("go", "毎日", AddSeconds(kStart, 2), "起動", "\"/nowhere\""),
                       Row("beep", "", AddSeconds(kStart, 2), "警告音")});
    TickAt(*form, 2);
    EXPECT_EQ(sound_.Beeps, 1);
    bool shown = false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget);
            box && box->text().contains(QStringLiteral("/nowhere"))) {
            shown = true;
        }
    }
    EXPECT_TRUE(shown);
}

TEST_F(ScheduleRunnerTest, ClosingStopsTheActionsAndFreesTheScreenSaverControl) {
    auto form = Start({Row("beep", "", AddSeconds(kStart, 2), "警告音")});
    ASSERT_NE(form->ScrSaver(), nullptr);
    form->CloseForSessionEnd();
    EXPECT_EQ(form->ScrSaver(), nullptr);
    TickAt(*form, 2);
    EXPECT_EQ(sound_.Beeps, 0);
}

TEST_F(ScheduleRunnerTest, TheScreenSaverControlKeepsItsChoiceBesideTheOtherFiles) {
    auto form = Start({Row("scr", "", AddSeconds(kStart, 2), "ScreenSave", "\"/s/my.scr\"")});
    TickAt(*form, 2);
    EXPECT_NE(TempFolder::Read(paths_.DesktopSettingsFile()).find("SCRNSAVE.EXE=/s/my.scr"),
              std::string::npos);
}

} // namespace
} // namespace rimo
