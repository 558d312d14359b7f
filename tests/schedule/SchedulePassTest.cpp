#include "schedule/PassFixture.h"

namespace rimo {
namespace {

TEST(IsRowDue, ComparesTheTextsOfTheSecondExactly) {
    const std::string date = FormatScheduleDate(kTen);
    const std::string time = FormatScheduleTime(kTen);
    EXPECT_TRUE(SchedulePass::IsRowDue(Row("a", "", kTen), date, time));
    EXPECT_TRUE(SchedulePass::IsRowDue(Row("disabled", "", kTen, "しない", "×"), date, time));
    EXPECT_FALSE(SchedulePass::IsRowDue(Row("a", "", AddSeconds(kTen, 1)), date, time));
    EXPECT_FALSE(SchedulePass::IsRowDue(Row("a", "", AddDays(kTen, 1)), date, time));
    ScheduleRow padded = Row("a", "", kTen);
    padded[ColTime] += " ";
    EXPECT_FALSE(SchedulePass::IsRowDue(padded, date, time));
    ScheduleRow otherDayName = Row("a", "", kTen);
    otherDayName[ColDate] = "2024/01/05/土";
    EXPECT_FALSE(SchedulePass::IsRowDue(otherDayName, date, time));
}

TEST_F(PassTest, ADailyRowRunsOnceInItsSecondAndMovesToTomorrow) {
    Rows({Row("daily", "毎日", AddSeconds(kTen, 60))});
    pass_.Start(kTen);
    for (int s = 1; s <= 120; ++s) {
        pass_.Tick(AddSeconds(kTen, s) + 0.003 / 86400);
    }
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"daily"});
    EXPECT_EQ(table_.Cell(ColDate, 1), "2024/01/06/土");
    EXPECT_EQ(table_.Cell(ColTime, 1), "10:01:00");
    EXPECT_EQ(editing_.Calls, std::vector<std::string>{"Sort"});
}

TEST_F(PassTest, ADisabledRowNeitherRunsNorMoves) {
    Rows({Row("off", "毎日", kTen, "する", "×")});
    pass_.RunDueRows(kTen);
    EXPECT_TRUE(steps_.ran.empty());
    EXPECT_EQ(table_.Cell(ColDate, 1), FormatScheduleDate(kTen));
    EXPECT_TRUE(editing_.Calls.empty());
}

TEST_F(PassTest, TheRowThatRanIsDeletedNotTheSelectedOne) {
    Rows({Row("past", "", AddDays(kTen, -1)), Row("selected", "", AddDays(kTen, 1)),
          Row("once", "", kTen, "する")});
    editing_.Current = 2; // the user is editing another row
    pass_.RunDueRows(kTen);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"once"});
    EXPECT_EQ(Find("once"), 0);
    EXPECT_NE(Find("selected"), 0);
    EXPECT_EQ(table_.RowCount(), 3);
}

TEST_F(PassTest, ARowKeptAfterItsRunStaysWithItsPastDate) {
    Rows({Row("past", "", AddDays(kTen, -1)), Row("once", "", kTen, "しない")});
    pass_.RunDueRows(kTen);
    pass_.RunDueRows(AddSeconds(kTen, 1));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"once"});
    EXPECT_EQ(table_.Cell(ColDate, Find("once")), FormatScheduleDate(kTen));
}

TEST_F(PassTest, ARowMarkedForDeletionGoesEvenAsTheFirstRow) {
    Rows({Row("first", "毎日", kTen, "する"), Row("other", "", AddDays(kTen, 1))});
    pass_.RunDueRows(kTen);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"first"});
    EXPECT_EQ(Find("first"), 0);
    EXPECT_EQ(table_.RowCount(), 2);
    EXPECT_EQ(table_.Cell(ColTitle, 1), "other");
}

TEST_F(PassTest, TheOnlyRowMarkedForDeletionIsEmptied) {
    Rows({Row("only", "毎日", kTen, "する")});
    pass_.RunDueRows(kTen);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"only"});
    EXPECT_EQ(table_.RowCount(), 2);
    EXPECT_EQ(table_.Row(1), ScheduleRow{});
    EXPECT_EQ(table_.Row(0), ScheduleHeader());
}

TEST_F(PassTest, EveryDueRowRunsOnceWhateverTheRunsDoToTheOrder) {
    // The first moves to tomorrow and sorts behind the second; the third is
    // deleted and the rest move up; the fourth stays due after its run.
    Rows({Row("past", "", AddDays(kTen, -1)), Row("daily", "毎日", kTen),
          Row("second", "毎日", kTen), Row("deleted", "", kTen, "する"), Row("kept", "", kTen),
          Row("twin", "", kTen), Row("twin", "", kTen), Row("later", "", AddSeconds(kTen, 1))});
    pass_.RunDueRows(kTen);
    std::vector<std::string> ran = steps_.ran;
    std::sort(ran.begin(), ran.end());
    EXPECT_EQ(ran,
              (std::vector<std::string>{"daily", "deleted", "kept", "second", "twin", "twin"}));
    EXPECT_EQ(Find("deleted"), 0);
    EXPECT_EQ(table_.Cell(ColDate, Find("daily")), "2024/01/06/土");
    EXPECT_EQ(table_.Cell(ColDate, Find("second")), "2024/01/06/土");
    // The order of the runs follows the table, top first.
    EXPECT_EQ(steps_.ran.front(), "daily");
}

TEST_F(PassTest, ARowNotAcceptedIsNotMovedButStillDeletedAndSorted) {
    Rows({Row("past", "", AddDays(kTen, -1)), Row("no quote", "毎日", kTen, "する", "○", "起動")});
    table_.SetCell(ColArgument, 2, "/bin/true");
    pass_.RunDueRows(kTen);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"no quote"});
    EXPECT_EQ(Find("no quote"), 0);
    EXPECT_EQ(editing_.Calls, (std::vector<std::string>{"Delete 2", "Sort"}));
}

TEST_F(PassTest, UnknownActionsAndRepetitionsRunNothingAndMoveNothing) {
    Rows({Row("odd", "毎秒", kTen, "しない", "○", "踊る")});
    pass_.RunDueRows(kTen);
    pass_.RunDueRows(AddSeconds(kTen, 1));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"odd"}); // carried out as "nothing"
    EXPECT_EQ(table_.Cell(ColDate, 1), FormatScheduleDate(kTen));
    EXPECT_EQ(table_.Cell(ColTime, 1), FormatScheduleTime(kTen));
}

TEST_F(PassTest, ATestRunsTheCurrentRowOnceWithoutMovingIt) {
    Rows({Row("a", "毎日", AddDays(kTen, 1)), Row("b", "毎日", AddDays(kTen, 2), "する")});
    const std::vector<ScheduleRow> before = table_.Rows();
    editing_.Current = 2;
    testRequested_ = true;
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 1));
    pass_.Tick(AddSeconds(kTen, 2));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"b"});
    EXPECT_FALSE(testRequested_);
    EXPECT_EQ(table_.Rows(), before); // not moved, not deleted, not sorted
    EXPECT_TRUE(editing_.Calls.empty());
}

TEST_F(PassTest, ATestWhoseActionRunsTheEventLoopRunsOnce) {
    Rows({Row("sync", "", AddDays(kTen, 1), "しない", "○", "時刻合わせ")});
    pass_.Start(kTen);
    int nested = 0;
    steps_.during = [&](const ActionPlan&) {
        if (++nested <= 2) {
            pass_.Tick(AddSeconds(kTen, 1 + nested)); // ticks inside the synchronisation's wait
        }
    };
    testRequested_ = true;
    pass_.Tick(AddSeconds(kTen, 1));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"sync"});
    EXPECT_FALSE(testRequested_);
}

TEST_F(PassTest, ATestOfADisabledRowRunsNothingAndClearsTheRequest) {
    Rows({Row("off", "", AddDays(kTen, 1), "しない", "×")});
    testRequested_ = true;
    pass_.RunDueRows(kTen);
    EXPECT_TRUE(steps_.ran.empty());
    EXPECT_FALSE(testRequested_);
}

TEST_F(PassTest, ATestWithNoCurrentRowRunsNothing) {
    editing_.Current = 0;
    testRequested_ = true;
    pass_.RunDueRows(kTen);
    EXPECT_TRUE(steps_.ran.empty());
    EXPECT_FALSE(testRequested_);
}

TEST_F(PassTest, ATestDoesNotTakeThePlaceOfARowDueInTheSameSecond) {
    Rows({Row("due", "", kTen), Row("tested", "", AddDays(kTen, 1))});
    editing_.Current = 2;
    testRequested_ = true;
    pass_.RunDueRows(kTen);
    EXPECT_EQ(steps_.ran, (std::vector<std::string>{"tested", "due"}));
}

TEST_F(PassTest, ADelayedTickCoversEverySecondSinceThePreviousOldestFirst) {
    Rows({Row("s3", "", AddSeconds(kTen, 3)), Row("s1", "", AddSeconds(kTen, 1)),
          Row("s2", "", AddSeconds(kTen, 2)), Row("s5", "", AddSeconds(kTen, 5))});
    pass_.Start(kTen);
    // The start's own second (10:00:00) and the three after it.
    const TickReport report = pass_.Tick(AddSeconds(kTen, 3) + 0.5 / 86400);
    EXPECT_EQ(report.SecondsCovered, 4);
    EXPECT_FALSE(report.Gap);
    EXPECT_EQ(steps_.ran, (std::vector<std::string>{"s1", "s2", "s3"}));
    pass_.Tick(AddSeconds(kTen, 3) + 0.9 / 86400); // the same second again: nothing
    pass_.Tick(AddSeconds(kTen, 5));
    EXPECT_EQ(steps_.ran, (std::vector<std::string>{"s1", "s2", "s3", "s5"}));
}

TEST_F(PassTest, LooksBackAFullMinute) {
    Rows({Row("minute ago", "", AddSeconds(kTen, 1))});
    pass_.Start(kTen);
    const TickReport report = pass_.Tick(AddSeconds(kTen, 59));
    EXPECT_EQ(report.SecondsCovered, 60);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"minute ago"});
}

TEST_F(PassTest, AfterALongerGapOnlyTheRowsInsideItMove) {
    Rows({Row("in gap once", "", AddSeconds(kTen, 30)),
          Row("in gap daily", "毎日", AddSeconds(kTen, 30)),
          Row("in gap hourly", "毎時", AddSeconds(kTen, 30)), Row("now", "", AddSeconds(kTen, 120)),
          Row("next week", "毎日", AddDays(kTen, 7) + EncodeTime(0, 5, 0)),
          Row("tomorrow hourly", "毎時", AddDays(kTen, 1)),
          Row("yesterday daily", "毎日", AddDays(kTen, -1))});
    const ScheduleRow nextWeek = table_.Row(5), tomorrow = table_.Row(6), yesterday = table_.Row(7);
    pass_.Start(kTen);
    const TickReport report = pass_.Tick(AddSeconds(kTen, 120)); // suspended two minutes
    EXPECT_TRUE(report.Gap);
    EXPECT_EQ(report.SecondsCovered, 1);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"now"});
    EXPECT_EQ(table_.Cell(ColDate, Find("in gap daily")), "2024/01/06/土");
    EXPECT_EQ(table_.Cell(ColTime, Find("in gap hourly")), "11:00:30");
    EXPECT_EQ(table_.Cell(ColDate, Find("in gap once")), "2024/01/05/金");
    EXPECT_EQ(table_.Row(Find("next week")), nextWeek);
    EXPECT_EQ(table_.Row(Find("tomorrow hourly")), tomorrow);
    EXPECT_EQ(table_.Row(Find("yesterday daily")), yesterday);
    EXPECT_EQ(editing_.Calls.front(), "Sort");
}

TEST_F(PassTest, ASuspendOverNightMovesRowsToTheirFirstTimeAfterIt) {
    const DateTime evening = EncodeDate(2024, 1, 5) + EncodeTime(23, 50, 0);
    Rows({Row("hourly", "毎時", evening + EncodeTime(0, 5, 0)),
          Row("half-hourly", "30分毎", evening + EncodeTime(0, 25, 0)),
          Row("weekly", "毎週", evening + EncodeTime(1, 0, 0))});
    pass_.Start(evening);
    pass_.Tick(EncodeDate(2024, 1, 6) + EncodeTime(8, 10, 0)); // resumed on Saturday
    EXPECT_TRUE(steps_.ran.empty());
    EXPECT_EQ(table_.Row(Find("hourly"))[ColDate], "2024/01/06/土");
    EXPECT_EQ(table_.Row(Find("hourly"))[ColTime], "08:55:00");
    EXPECT_EQ(table_.Row(Find("half-hourly"))[ColTime], "08:15:00");
    EXPECT_EQ(table_.Row(Find("weekly"))[ColDate], "2024/01/13/土");
    EXPECT_EQ(table_.Row(Find("weekly"))[ColTime], "00:50:00");
}

TEST_F(PassTest, AClockSetBackNeverCoversASecondTwice) {
    Rows({Row("at 5", "", AddSeconds(kTen, 5)), Row("at 7", "", AddSeconds(kTen, 7))});
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 6));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"at 5"});
    pass_.Tick(AddSeconds(kTen, 3)); // set back three seconds
    pass_.Tick(AddSeconds(kTen, 5));
    pass_.Tick(AddSeconds(kTen, 6));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"at 5"});
    pass_.Tick(AddSeconds(kTen, 7));
    EXPECT_EQ(steps_.ran, (std::vector<std::string>{"at 5", "at 7"}));
}

TEST_F(PassTest, AnHourSetBackAtTheEndOfDaylightSavingRunsNothingAgain) {
    Rows({Row("half past", "", AddSeconds(kTen, 1800))});
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 1800));
    pass_.Tick(AddSeconds(kTen, 1801));
    pass_.Tick(AddSeconds(kTen, 1801 - 3600));
    pass_.Tick(AddSeconds(kTen, 1800)); // still inside the hour already covered
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"half past"});
}

TEST_F(PassTest, AFarLargerSetBackStartsAfresh) {
    Rows({Row("yesterday", "", AddDays(kTen, -1) + EncodeTime(0, 0, 1))});
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 1));
    pass_.Tick(AddDays(kTen, -1));
    pass_.Tick(AddDays(kTen, -1) + EncodeTime(0, 0, 1));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"yesterday"});
}

TEST_F(PassTest, ATestRequestedWhileTheClockStandsBehindIsStillServed) {
    Rows({Row("a", "", AddDays(kTen, 1))});
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 5));
    testRequested_ = true;
    pass_.Tick(AddSeconds(kTen, 2));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"a"});
}

TEST_F(PassTest, PassesRunningInsideAnActionDoNotCoverItsSecondsAgain) {
    Rows({Row("sync", "", AddSeconds(kTen, 1), "しない", "○", "時刻合わせ"),
          Row("during", "", AddSeconds(kTen, 2)), Row("after", "", AddSeconds(kTen, 3))});
    pass_.Start(kTen);
    // The synchronisation waits with the event loop running: two ticks come meanwhile.
    steps_.during = [this](const ActionPlan& plan) {
        if (plan.Kind == ActionKind::SyncClock) {
            pass_.Tick(AddSeconds(kTen, 2));
            pass_.Tick(AddSeconds(kTen, 3));
        }
    };
    pass_.Tick(AddSeconds(kTen, 1));
    pass_.Tick(AddSeconds(kTen, 3));
    EXPECT_EQ(steps_.ran, (std::vector<std::string>{"sync", "during", "after"}));
}

TEST_F(PassTest, APassShortenedByAnActionReadsTheTableAfresh) {
    Rows({Row("a", "", kTen, "しない", "○", "時刻合わせ"), Row("b", "", kTen), Row("c", "", kTen)});
    // Meanwhile the user deletes every other row.
    steps_.during = [this](const ActionPlan& plan) {
        if (plan.Kind == ActionKind::SyncClock) {
            table_.SetRowCount(2);
        }
    };
    pass_.RunDueRows(kTen);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"a"});
}

} // namespace
} // namespace rimo
