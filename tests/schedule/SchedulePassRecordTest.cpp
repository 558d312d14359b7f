// What the pass tells the run history: each run with its due second and
// result, test runs, rows it could not accept, rows missed in a gap, and
// "今すぐ実行" of a missed row.

#include "fakes/FakeRunRecorder.h"
#include "schedule/PassFixture.h"

namespace rimo {
namespace {

class PassRecordTest : public PassTest {
protected:
    PassRecordTest() { pass_.SetRecorder(&recorder_); }
    FakeRunRecorder recorder_;
};

TEST_F(PassRecordTest, ARunIsToldWithItsSecondAndHowItWent) {
    Rows({Row("start", "毎日", AddSeconds(kTen, 1), "しない", "○", "起動"),
          Row("no action", "", AddSeconds(kTen, 1), "しない", "○", "")});
    table_.SetCell(ColArgument, 1, "\"/bin/job\" -x");
    steps_.result = ActionResult::Failure("プログラムが見つかりません: /bin/job");
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 1));
    ASSERT_EQ(recorder_.Runs.size(), 1u); // a row without an action runs nothing
    const FakeRunRecorder::Run& run = recorder_.Runs[0];
    EXPECT_EQ(run.Subject.Title, "start");
    EXPECT_EQ(run.Subject.Action, "起動");
    EXPECT_EQ(run.Subject.Argument, "\"/bin/job\" -x");
    EXPECT_EQ(run.Subject.Origin, RunOrigin::Scheduled);
    EXPECT_EQ(run.Subject.Due, std::optional<DateTime>(AddSeconds(kTen, 1)));
    ASSERT_TRUE(run.Result);
    EXPECT_TRUE(run.Result->Failed);
    EXPECT_EQ(run.Result->Reason, "プログラムが見つかりません: /bin/job");
}

// The program closes while an action waits (a clock sync): the history is
// gone when the action returns.
TEST_F(PassRecordTest, AHistoryClosedWhileAnActionWaitsIsNotTold) {
    Rows({Row("sync", "", AddSeconds(kTen, 1))});
    steps_.during = [this](const ActionPlan&) { pass_.SetRecorder(nullptr); };
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 1));
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"sync"});
    ASSERT_EQ(recorder_.Runs.size(), 1u);
    EXPECT_FALSE(recorder_.Runs[0].Result);
}

TEST_F(PassRecordTest, ATestRunHasNoDueSecondAndARowNotAcceptedFails) {
    // "起動" without a quoted path: the step does not accept it.
    Rows({Row("unquoted", "", AddSeconds(kTen, 30), "しない", "○", "起動")});
    table_.SetCell(ColArgument, 1, "/bin/job");
    editing_.Current = 1;
    testRequested_ = true;
    pass_.RunDueRows(kTen, false);
    ASSERT_EQ(recorder_.Runs.size(), 1u);
    EXPECT_EQ(recorder_.Runs[0].Subject.Origin, RunOrigin::Test);
    EXPECT_FALSE(recorder_.Runs[0].Subject.Due);
    EXPECT_TRUE(recorder_.Runs[0].Result->Failed);
    EXPECT_TRUE(recorder_.Runs[0].Result->NotAccepted);
}

TEST_F(PassRecordTest, RowsDueInAGapAreToldBeforeTheyMove) {
    Rows({Row("in gap hourly", "毎時", AddSeconds(kTen, 30)),
          Row("in gap off", "", AddSeconds(kTen, 40), "しない", "×"),
          Row("now", "", AddSeconds(kTen, 120))});
    pass_.Start(kTen);
    pass_.Tick(AddSeconds(kTen, 120)); // suspended two minutes
    ASSERT_EQ(recorder_.Gaps.size(), 1u);
    ASSERT_EQ(recorder_.Gaps[0].size(), 1u);
    EXPECT_EQ(recorder_.Gaps[0][0].Row[ColTitle], "in gap hourly");
    EXPECT_EQ(recorder_.Gaps[0][0].FirstDue, AddSeconds(kTen, 30));
    EXPECT_EQ(recorder_.Gaps[0][0].Row[ColTime], "10:00:30"); // as it stood, not moved
    // The row of the tick's own second ran.
    ASSERT_EQ(recorder_.Runs.size(), 1u);
    EXPECT_EQ(recorder_.Runs[0].Subject.Title, "now");
}

TEST_F(PassRecordTest, RunNowRunsTheRowAsItWasMissedAndLeavesTheTable) {
    Rows({Row("hourly", "毎時", AddSeconds(kTen, 3600), "する")});
    const ScheduleTable before = table_;
    ScheduleRow missed = Row("hourly", "毎時", kTen, "する");
    pass_.RunNow(missed, kTen);
    EXPECT_EQ(steps_.ran, std::vector<std::string>{"hourly"});
    EXPECT_EQ(table_.Rows(), before.Rows());
    EXPECT_TRUE(editing_.Calls.empty());
    ASSERT_EQ(recorder_.Runs.size(), 1u);
    EXPECT_EQ(recorder_.Runs[0].Subject.Origin, RunOrigin::RunNow);
    EXPECT_EQ(recorder_.Runs[0].Subject.Due, std::optional<DateTime>(kTen));
}

} // namespace
} // namespace rimo
