// The one-second tick of the main window on a source the test steps: every
// second while something per-second shows or runs, else asleep until the
// next due row; clock changes and resume handled the moment they come.
#include "FormTest.h"

#include "app/SecondTimer.h"
#include "app/SettingsPage.h"
#include "schedule/ScheduleEditor.h"
#include "timer/TimerPage.h"

#include <QCheckBox>

namespace rimo {
namespace {

const DateTime kTen = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0); // the clock's start

ScheduleRow Due(const std::string& title, DateTime when, const std::string& repeat = "") {
    return {title,    repeat, FormatScheduleDate(when), FormatScheduleTime(when), "警告音", "",
            "しない", "○"};
}

std::int64_t UnixSecond(DateTime local) {
    return ToUnixMilliseconds(local) / 1000;
}

class TickDemandTest : public FormTest {
protected:
    // Hidden in the tray, nothing per-second shown: the tick may sleep.
    std::unique_ptr<TForm1> StartHidden(const std::string& options = "AnimeIcon=0\r\n") {
        trayHost_ = true;
        WriteSettings("[Setting]\r\nTaskBar=1\r\nScroll=0\r\n" + options);
        auto form = Start();
        form->ToggleMainWindow();
        Settle(*form);
        return form;
    }
    // The ticks that were asked for at the next second come; then the timer rests.
    void Settle(TForm1& form) {
        QApplication::processEvents();
        for (int i = 0; i < 5 && !form.Timer1().Quiet() && Seconds().ArmedFor(); ++i) {
            Seconds().Step(clock_);
            QApplication::processEvents();
        }
    }
    bool EverySecond() const {
        return services_.Seconds.ArmedFor() == clock_.UnixMilliseconds() / 1000 + 1;
    }
    FakeSecondSource& Seconds() { return services_.Seconds; }
    static std::string DateOf(TForm1& form, const std::string& title) {
        const ScheduleTable& table = form.Schedule();
        for (int r = 1; r < table.RowCount(); ++r) {
            if (table.Cell(ColTitle, r) == title) {
                return table.Cell(ColDate, r);
            }
        }
        return {};
    }
    int Beeps() const { return services_.Sound.Beeps; }
};

TEST_F(TickDemandTest, HiddenItSleepsUntilTheNextDueRowWhichRunsAtItsSecond) {
    WriteSchedule(
        {Due("eleven", AddSeconds(kTen, 3600), "毎日"), Due("later", AddSeconds(kTen, 3 * 3600))});
    auto form = StartHidden();
    EXPECT_TRUE(form->Timer1().Quiet());
    EXPECT_EQ(Seconds().ArmedFor(), UnixSecond(AddSeconds(kTen, 3600)));
    // An hour of silence, then the row's second.
    Seconds().Step(clock_);
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(DateOf(*form, "eleven"), FormatScheduleDate(AddDays(kTen, 1)));
    Settle(*form); // the tip and title of the new next event
    // Nothing due within the hour: it wakes once an hour.
    const std::int64_t rested = clock_.UnixMilliseconds() / 1000;
    EXPECT_EQ(Seconds().ArmedFor(), rested + 3600);
    Seconds().Step(clock_);
    Settle(*form);
    EXPECT_EQ(Seconds().ArmedFor(), UnixSecond(AddSeconds(kTen, 3 * 3600)));
    Seconds().Step(clock_);
    EXPECT_EQ(Beeps(), 2);
}

// The wake is planned anew (a window shown or hidden) in the row's second,
// before the wake for it is read: the row still runs.
TEST_F(TickDemandTest, AReplanInTheRowsSecondKeepsItsWake) {
    WriteSchedule({Due("eleven", AddSeconds(kTen, 3600))});
    auto form = StartHidden();
    const std::int64_t due = UnixSecond(AddSeconds(kTen, 3600));
    ASSERT_EQ(Seconds().ArmedFor(), due);
    clock_.SetUnixMilliseconds(due * 1000 + 5);
    form->Timer1().Replan();
    QApplication::processEvents();
    Seconds().Step(clock_);
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(TickDemandTest, WithTheAnimationOnItTicksEverySecond) {
    auto form = StartHidden("AnimeIcon=1\r\n");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(EverySecond());
        const QString frame = form->Tray().IconName();
        Seconds().Step(clock_);
        EXPECT_NE(form->Tray().IconName(), frame);
    }
    form->findChild<QCheckBox*>(QStringLiteral("CheckBoxAnimeIcon"))->setChecked(false);
    Settle(*form);
    EXPECT_TRUE(form->Timer1().Quiet());
    EXPECT_EQ(form->Tray().IconName(), QStringLiteral("MAINICON"));
}

TEST_F(TickDemandTest, ItTicksEverySecondWhileTheTitleMovesInSightOrACountdownRuns) {
    auto form = StartHidden();
    ASSERT_TRUE(form->Timer1().Quiet());
    form->findChild<QCheckBox*>(QStringLiteral("CheckBoxScroll"))->setChecked(true);
    Settle(*form);
    EXPECT_TRUE(form->Timer1().Quiet()); // scrolling, but out of sight
    form->ToggleMainWindow();
    Settle(*form);
    EXPECT_TRUE(EverySecond());
    form->ToggleMainWindow();
    Settle(*form);
    EXPECT_TRUE(form->Timer1().Quiet());

    form->TimerPage1().ButtonTimeStartClick();
    Settle(*form);
    EXPECT_TRUE(EverySecond());
    form->TimerPage1().ButtonTimeStopClick();
    Settle(*form);
    EXPECT_TRUE(form->Timer1().Quiet());
}

TEST_F(TickDemandTest, ATestRunsAtTheNextSecondAndAnEditMovesTheWake) {
    WriteSchedule({Due("row", AddSeconds(kTen, 600))});
    auto form = StartHidden();
    form->Editor().Test1Click();
    QApplication::processEvents();
    EXPECT_TRUE(EverySecond());
    Seconds().Step(clock_);
    EXPECT_EQ(Beeps(), 1);
    Settle(*form);
    EXPECT_EQ(Seconds().ArmedFor(), UnixSecond(AddSeconds(kTen, 600)));
    form->Schedule().SetCell(ColTime, 1, FormatScheduleTime(AddSeconds(kTen, 300)));
    Settle(*form);
    EXPECT_EQ(Seconds().ArmedFor(), UnixSecond(AddSeconds(kTen, 300)));
}

TEST_F(TickDemandTest, ARowSetDuringTheSilenceRunsAtItsSecondOnlyIfItIsToCome) {
    WriteSchedule({Due("far", AddSeconds(kTen, 3000)), Due("far too", AddSeconds(kTen, 3000))});
    auto form = StartHidden();
    clock_.Advance(600'500); // ten minutes of silence
    form->Schedule().SetCell(ColTime, 1, FormatScheduleTime(AddSeconds(kTen, 590)));
    form->Schedule().SetCell(ColTime, 2, FormatScheduleTime(AddSeconds(kTen, 601)));
    QApplication::processEvents();
    Seconds().Step(clock_);
    EXPECT_EQ(clock_.UnixMilliseconds(), ToUnixMilliseconds(AddSeconds(kTen, 601)));
    EXPECT_EQ(Beeps(), 1);
    Settle(*form);
    Seconds().Step(clock_);
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(TickDemandTest, AClockSetForwardIsAGapHandledAtOnce) {
    WriteSchedule({Due("daily", AddSeconds(kTen, 1200), "毎日")});
    auto form = StartHidden();
    clock_.Advance(300'000);
    clock_.SetByHand(3'600'000); // an hour ahead, past the row
    Seconds().Fire(SecondWake::ClockChanged);
    EXPECT_EQ(Beeps(), 0);
    EXPECT_EQ(DateOf(*form, "daily"), FormatScheduleDate(AddDays(kTen, 1)));
}

TEST_F(TickDemandTest, AClockSetBackRunsNoSecondTwice) {
    WriteSchedule({Due("once", AddSeconds(kTen, 300))});
    auto form = StartHidden();
    Seconds().Step(clock_);
    ASSERT_EQ(Beeps(), 1);
    Settle(*form);
    clock_.Advance(2000);
    clock_.SetByHand(-600'000); // ten minutes back, before the row
    Seconds().Fire(SecondWake::ClockChanged);
    Settle(*form);
    for (int i = 0; i < 3; ++i) {
        Seconds().Step(clock_); // the seconds up to the row's and past it
    }
    EXPECT_GT(clock_.UnixMilliseconds(), ToUnixMilliseconds(AddSeconds(kTen, 300)));
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(TickDemandTest, AResumeAfterTheRowsSecondIsAGapHandledAtOnce) {
    WriteSchedule(
        {Due("daily", AddSeconds(kTen, 1200), "毎日"), Due("once", AddSeconds(kTen, 1300))});
    auto form = StartHidden();
    clock_.Advance(60'000);
    clock_.Sleep(2 * 3'600'000);
    Seconds().Fire(SecondWake::Resumed);
    EXPECT_EQ(Beeps(), 0);
    EXPECT_EQ(DateOf(*form, "daily"), FormatScheduleDate(AddDays(kTen, 1)));
    EXPECT_EQ(DateOf(*form, "once"), FormatScheduleDate(kTen)); // past, left as it is
}

} // namespace
} // namespace rimo
