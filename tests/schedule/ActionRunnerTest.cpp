#include "schedule/ActionRunner.h"
#include "TempFolder.h"
#include "desktop/TvScrSaver.h"
#include "fakes/FakeActionHost.h"
#include "fakes/FakeProgramStarter.h"
#include "fakes/FakeScheduleEditing.h"
#include "fakes/FakeScreenSaverSystem.h"
#include "fakes/FakeSound.h"
#include "fakes/FakeWallpaper.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

// Friday 5 January 2024, 10:00:00.
const DateTime kTen = EncodeDate(2024, 1, 5) + EncodeTime(10, 0, 0);

class ActionTest : public ::testing::Test {
protected:
    ActionTest()
        : screenSaver_(screenSaverSystem_, folder_ / "rimotime-desktop.ini",
                       ScreenSaverFolders{folder_ / "hacks", {}}),
          runner_(ActionServices{sound_, programs_, wallpaper_, screenSaver_, messages_, host_,
                                 "/opt/rimo/shutdown"}),
          editing_(table_), pass_(table_, editing_, runner_, testRequested_) {}

    // One daily row due now with this action and argument, run by the pass.
    void RunRow(const std::string& action, const std::string& argument) {
        table_.ReplaceScheduleRows({{"t", "毎日", FormatScheduleDate(kTen),
                                     FormatScheduleTime(kTen), action, argument, "しない", "○"}});
        pass_.RunDueRows(kTen);
    }
    bool Moved() const { return table_.Cell(ColDate, 1) != FormatScheduleDate(kTen); }

    TempFolder folder_;
    FakeSound sound_;
    FakeProgramStarter programs_;
    FakeWallpaper wallpaper_;
    FakeScreenSaverSystem screenSaverSystem_;
    TvScrSaver screenSaver_;
    FakeMessageWindows messages_;
    FakeActionHost host_;
    ActionRunner runner_;
    ScheduleTable table_;
    FakeScheduleEditing editing_;
    bool testRequested_ = false;
    SchedulePass pass_;
};

TEST_F(ActionTest, TheBeepSoundsAndTheRowMovesOn) {
    RunRow("警告音", "");
    EXPECT_EQ(sound_.Beeps, 1);
    EXPECT_TRUE(Moved());
}

TEST_F(ActionTest, AMessageEndsARunningScreenSaverFirst) {
    RunRow("メッセージ", "起床 H:M です");
    EXPECT_EQ(messages_.Messages, std::vector<std::string>{"起床 H:M です"});
    EXPECT_EQ(screenSaverSystem_.Calls.back(), "Wake");
    EXPECT_TRUE(Moved());

    screenSaverSystem_.IsActive = false;
    screenSaverSystem_.Calls.clear();
    RunRow("メッセージ", "x");
    EXPECT_EQ(std::count(screenSaverSystem_.Calls.begin(), screenSaverSystem_.Calls.end(), "Wake"),
              0);
}

TEST_F(ActionTest, StartNeedsAQuoteAndStartsTheProgramInItsFolder) {
    RunRow("起動", "/opt/app/x");
    EXPECT_TRUE(programs_.Starts.empty());
    EXPECT_FALSE(Moved());

    RunRow("起動", R"("/opt/my app/x" -a "b c" "; rm -rf ~")");
    ASSERT_EQ(programs_.Starts.size(), 1u);
    EXPECT_EQ(programs_.Starts[0].Program, "/opt/my app/x");
    EXPECT_EQ(programs_.Starts[0].Folder, "/opt/my app");
    // Every parameter reaches the program, shell text as a plain word.
    EXPECT_EQ(programs_.Starts[0].Arguments, (std::vector<std::string>{"-a", "b c", "; rm -rf ~"}));
    EXPECT_TRUE(Moved());
}

TEST_F(ActionTest, AProgramThatCannotStartIsReportedAndThePassGoesOn) {
    programs_.Failure = "プログラムを起動できません: /missing";
    RunRow("起動", "\"/missing\"");
    EXPECT_EQ(host_.Problems, std::vector<std::string>{"プログラムを起動できません: /missing"});
    EXPECT_TRUE(Moved());
}

TEST_F(ActionTest, AStartedProgramsPidReachesTheResultForTheHistory) {
    ActionPlan plan;
    plan.Kind = ActionKind::Start;
    plan.Argument = "\"/opt/app/x\" -a";
    programs_.NextPid = 4242;
    EXPECT_EQ(runner_.CarryOut(plan).Child, 4242);
    programs_.Failure = "プログラムが見つかりません: /opt/app/x";
    const ActionResult failed = runner_.CarryOut(plan);
    EXPECT_TRUE(failed.Failed);
    EXPECT_EQ(failed.Child, 0);
}

TEST_F(ActionTest, TheClockSynchronisationGoesThroughTheHost) {
    RunRow("時刻合わせ", "");
    EXPECT_EQ(host_.Synchronisations, 1);
    EXPECT_TRUE(Moved());
}

TEST_F(ActionTest, PowerActionsStartTheCompanionWithTheirSwitch) {
    const std::pair<const char*, const char*> actions[] = {{"ｼｬｯﾄﾀﾞｳﾝ", "/s"},
                                                           {"ログオフ", "/l"},
                                                           {"リブート", "/r"},
                                                           {"スタンバイ", "/t"},
                                                           {"ﾊｲﾊﾞﾈｰｼｮﾝ", "/k"}};
    for (const auto& [action, option] : actions) {
        programs_.Starts.clear();
        RunRow(action, "ignored");
        ASSERT_EQ(programs_.Starts.size(), 1u) << action;
        EXPECT_EQ(programs_.Starts[0].Program, "/opt/rimo/shutdown");
        EXPECT_EQ(programs_.Starts[0].Arguments, std::vector<std::string>{option});
        EXPECT_EQ(programs_.Starts[0].Folder, "/opt/rimo");
        EXPECT_TRUE(Moved());
    }
}

TEST_F(ActionTest, TheWallpaperTakesTheUnquotedPathOrNothing) {
    RunRow("壁紙変更", "/pictures/a.png");
    EXPECT_TRUE(wallpaper_.Paths.empty());
    EXPECT_FALSE(Moved());
    RunRow("壁紙変更", "\"/pictures/my \"a\".png\"");
    RunRow("壁紙変更", "");
    EXPECT_EQ(wallpaper_.Paths, (std::vector<std::string>{"/pictures/my a.png", ""}));
    EXPECT_TRUE(Moved());
}

TEST_F(ActionTest, AWallpaperOrScreenSaverThatCannotBeSetIsReported) {
    wallpaper_.Failure = "壁紙を変更できませんでした: feh";
    RunRow("壁紙変更", "\"/p/a.jpg\"");
    host_.ScrSaverAfterChange = true;
    screenSaverSystem_.CanStart = false;
    RunRow("ScreenSave", "");
    EXPECT_EQ(host_.Problems, (std::vector<std::string>{"壁紙を変更できませんでした: feh",
                                                        "no screen saver here"}));
}

TEST_F(ActionTest, SoundPlaysOnlyALowerCaseWaveFileAndLoopsWhenAsked) {
    RunRow("サウンド", "\"/sound/a.WAV\"");
    RunRow("サウンド", "/sound/a.wav");
    RunRow("サウンド", "");
    EXPECT_TRUE(sound_.Waves.empty());
    EXPECT_FALSE(Moved());
    RunRow("サウンド", "\"/sound/a.wav\"");
    host_.SoundLoop = true;
    RunRow("サウンド", "\"/sound/b.wav\"");
    ASSERT_EQ(sound_.Waves.size(), 2u);
    EXPECT_EQ(sound_.Waves[0].Path, "/sound/a.wav");
    EXPECT_FALSE(sound_.Waves[0].Loop);
    EXPECT_TRUE(sound_.Waves[1].Loop);
    runner_.PlayWave("");
    EXPECT_EQ(sound_.Stops, 1);
}

TEST_F(ActionTest, TheLauncherOpensTheLastPageOfThatTitleAndStartsIt) {
    host_.Titles = {"朝", "夜", "朝"};
    host_.CurrentPage = 1;
    RunRow("ランチャー", "朝");
    EXPECT_EQ(host_.StartedPages, std::vector<int>{2});
    RunRow("ランチャー", "昼"); // no such page: the current one starts
    EXPECT_EQ(host_.StartedPages, (std::vector<int>{2, 2}));
    EXPECT_TRUE(Moved());
}

TEST_F(ActionTest, ScreenSaveWithNothingClearsTheChoiceAndStartsWhenAsked) {
    screenSaver_.SetScreenSaverName("old");
    RunRow("ScreenSave", "");
    EXPECT_EQ(screenSaver_.ScreenSaverName(), "");
    EXPECT_EQ(
        std::count(screenSaverSystem_.Calls.begin(), screenSaverSystem_.Calls.end(), "Activate"),
        0);
    EXPECT_TRUE(Moved());

    host_.ScrSaverAfterChange = true;
    screenSaverSystem_.Calls.clear();
    RunRow("ScreenSave", "");
    EXPECT_EQ(screenSaverSystem_.Calls,
              (std::vector<std::string>{"TimeOut", "Active", "Wake", "SelectProgram ",
                                        "SetTimeOut 600", "SetActive 1", "Activate"}));
}

TEST_F(ActionTest, ScreenSaveWithAnotherFileOnlyRefreshesWakesAndStarts) {
    host_.ScrSaverAfterChange = true;
    RunRow("ScreenSave", "\"/usr/bin/xeyes\"");
    EXPECT_FALSE(Moved());
    EXPECT_EQ(screenSaverSystem_.Calls,
              (std::vector<std::string>{"TimeOut", "Active", "Wake", "Activate"}));
    screenSaverSystem_.Calls.clear();
    RunRow("ScreenSave", "/usr/bin/x.scr"); // no quote: not even that
    EXPECT_TRUE(screenSaverSystem_.Calls.empty());
}

TEST_F(ActionTest, ScreenSaveTakesAScrFileOrAHack) {
    RunRow("ScreenSave", "\"/savers/my.scr\"");
    EXPECT_TRUE(Moved());
    EXPECT_EQ(screenSaver_.ScreenSaverName(), "/savers/my.scr");
    RunRow("ScreenSave", "\"" + (folder_ / "hacks" / "glmatrix").string() + "\"");
    EXPECT_TRUE(Moved());
    EXPECT_EQ(screenSaverSystem_.Selected, (folder_ / "hacks" / "glmatrix").string());
    RunRow("ScreenSave", "\"/savers/my.SCR\"");
    EXPECT_FALSE(Moved());
}

TEST_F(ActionTest, ATestRunActsJustAsAScheduledOneWithoutMovingTheRow) {
    table_.ReplaceScheduleRows(
        {{"t", "毎日", "2030/01/01/火", "07:00:00", "起動", "\"/bin/echo\" hi", "する", "○"}});
    testRequested_ = true;
    editing_.Current = 1;
    pass_.RunDueRows(kTen);
    ASSERT_EQ(programs_.Starts.size(), 1u);
    EXPECT_EQ(programs_.Starts[0].Arguments, std::vector<std::string>{"hi"});
    EXPECT_EQ(table_.Cell(ColDate, 1), "2030/01/01/火");
    EXPECT_EQ(table_.RowCount(), 2);
}

TEST(ActionPlan, NamesAndExtensionsAreComparedExactly) {
    const auto plan = [](const std::string& action, const std::string& argument) {
        return PlanAction({"", "", "", "", action, argument, "", "○"}, nullptr);
    };
    EXPECT_EQ(plan("警告音 ", "").Kind, ActionKind::None);
    EXPECT_EQ(plan("", "").Kind, ActionKind::None);
    EXPECT_EQ(plan("screensave", "").Kind, ActionKind::None);
    EXPECT_EQ(plan("ランチャー", "タイトル１").Argument, "タイトル１");
    EXPECT_EQ(plan("サウンド", "\"/a.b/c\"").Kind, ActionKind::None);
    EXPECT_EQ(plan("サウンド", "\"/a.b/c.wav\"").Argument, "/a.b/c.wav");
    EXPECT_EQ(FileExtension("/dir.x/file"), "");
    EXPECT_EQ(FileExtension("/dir/file.tar.wav"), ".wav");
    EXPECT_EQ(UnquotedPath("\"a\"\"b\""), "ab");
}

} // namespace
} // namespace rimo
