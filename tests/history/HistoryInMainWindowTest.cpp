// The run history in the main window: runs of the schedule and their
// outcome, rows due while the program was not running or while the ticks
// stood still, the window that offers to run them, and the history window.

#include "app/FormTest.h"
#include "app/SecondTimer.h"
#include "app/TrayMenu.h"
#include "history/AwayWindow.h"
#include "history/HistoryFixture.h"
#include "history/HistoryModel.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryText.h"
#include "history/HistoryWindow.h"
#include "history/RunHistory.h"
#include "platform/linux/DesktopProgramStarter.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/SchedulePopupMenu.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>

namespace rimo {
namespace {

using ::testing::HasSubstr;

const DateTime kStart = EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0); // FormTest's moment

ScheduleRow Row(const std::string& title, const std::string& repeat, DateTime when,
                const std::string& action, const std::string& argument = {},
                const std::string& enabled = "○") {
    return {title,    repeat, FormatScheduleDate(when), FormatScheduleTime(when), action, argument,
            "しない", enabled};
}

class HistoryInMainWindowTest : public FormTest {
protected:
    std::filesystem::path HistoryFile() const { return paths_.HistoryFile(); }

    std::unique_ptr<TForm1> StartTicking(ProgramStarter* programs = nullptr) {
        auto form = Start(programs);
        form->Timer1().SetEnabled(false); // the test ticks by hand
        // The history answers from its thread.
        QTest::qWait(0);
        form->History()->Flush();
        QApplication::processEvents();
        return form;
    }
    // The tick a few milliseconds after the second `seconds` after the start.
    void TickAt(TForm1& form, int seconds, std::int64_t bootMs) {
        clock_.SetLocal(AddSeconds(kStart, seconds));
        clock_.Advance(3);
        services_.Elapsed.Advance(bootMs);
        form.Timer1Timer();
    }
    std::vector<HistoryEntry> Stored(TForm1& form) {
        form.History()->Flush();
        QApplication::processEvents();
        return StoredEntries(HistoryFile());
    }
    // A history in which the program was last seen running at `lastSeen`.
    void LastRanAt(DateTime lastSeen) {
        HistoryDatabase db(HistoryFile());
        ASSERT_TRUE(db.Open().Ready);
        ASSERT_TRUE(db.SetLastSeen(ToUnixMilliseconds(lastSeen)).ok());
    }
    static const HistoryEntry* Find(const std::vector<HistoryEntry>& entries,
                                    const std::string& title) {
        for (const HistoryEntry& entry : entries) {
            if (entry.Title == title) {
                return &entry;
            }
        }
        return nullptr;
    }
};

TEST_F(HistoryInMainWindowTest, RunsAreRecordedWithTheirOutcome) {
    WriteSchedule({Row("job", "毎日", AddSeconds(kStart, 2), "起動", "\"/usr/bin/job\" -x"),
                   Row("sync", "", AddSeconds(kStart, 2), "時刻合わせ"),
                   Row("broken", "", AddSeconds(kStart, 3), "起動", "\"/usr/bin/gone\""),
                   Row("unquoted", "", AddSeconds(kStart, 3), "起動", "/usr/bin/job")});
    auto form = StartTicking();
    TickAt(*form, 1, 1000);
    TickAt(*form, 2, 1000);
    services_.Programs.Failure = "プログラムが見つかりません: /usr/bin/gone";
    TickAt(*form, 3, 1000);

    const std::vector<HistoryEntry> stored = Stored(*form);
    ASSERT_EQ(stored.size(), 4u);
    const HistoryEntry* job = Find(stored, "job");
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->Outcome, RunOutcome::Done);
    EXPECT_EQ(job->Argument, "\"/usr/bin/job\" -x");
    EXPECT_EQ(job->DueMs, std::optional<std::int64_t>(ToUnixMilliseconds(AddSeconds(kStart, 2))));
    EXPECT_EQ(HistoryText::LatenessMs(*job), std::optional<std::int64_t>(3));
    // No server is named: the synchronisation fails with what the user was told.
    const HistoryEntry* sync = Find(stored, "sync");
    ASSERT_NE(sync, nullptr);
    EXPECT_EQ(sync->Outcome, RunOutcome::Failed);
    EXPECT_EQ(sync->Message, "ホスト名を入力して下さい。");
    EXPECT_EQ(Find(stored, "broken")->Message, "プログラムが見つかりません: /usr/bin/gone");
    EXPECT_EQ(Find(stored, "broken")->Outcome, RunOutcome::Failed);
    EXPECT_EQ(Find(stored, "unquoted")->Code, "not-accepted");
}

TEST_F(HistoryInMainWindowTest, AStartedProgramsEndIsRecordedWithItsRun) {
    const std::filesystem::path exits = folder_.Path() / "exits 3.sh";
    const std::filesystem::path killed = folder_.Path() / "killed.sh";
    TempFolder::Write(exits, "#!/bin/sh\nexit 3\n");
    TempFolder::Write(killed, "#!/bin/sh\nkill -KILL $$\n");
    for (const std::filesystem::path& script : {exits, killed}) {
        std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }
    WriteSchedule(
        {Row("exits", "", AddSeconds(kStart, 2), "起動", "\"" + exits.string() + "\""),
         Row("killed", "", AddSeconds(kStart, 2), "起動", "\"" + killed.string() + "\"")});
    DesktopProgramStarter starter; // real children
    auto form = StartTicking(&starter);
    QSignalSpy ended(&starter.Children(), &ChildProcesses::Exited);
    TickAt(*form, 2, 2000);
    while (ended.count() < 2 && ended.wait(60000)) {
    }
    ASSERT_EQ(ended.count(), 2);

    const std::vector<HistoryEntry> stored = Stored(*form);
    ASSERT_NE(Find(stored, "exits"), nullptr);
    EXPECT_EQ(Find(stored, "exits")->Outcome, RunOutcome::Failed); // a non-zero end
    EXPECT_EQ(Find(stored, "exits")->ExitStatus, std::optional<int>(3));
    ASSERT_NE(Find(stored, "killed"), nullptr);
    EXPECT_EQ(Find(stored, "killed")->ExitStatus, std::optional<int>(-9));
}

TEST_F(HistoryInMainWindowTest, RowsDueWhileTheProgramWasNotRunningAreOfferedToRun) {
    LastRanAt(AddSeconds(kStart, -3600));
    WriteSchedule({Row("before it stopped", "毎日", AddSeconds(kStart, -7200), "警告音"),
                   Row("while away", "毎時", AddSeconds(kStart, -1800), "警告音"),
                   Row("off", "", AddSeconds(kStart, -1200), "警告音", {}, "×"),
                   Row("ahead", "", AddSeconds(kStart, 3600), "警告音")});
    auto form = StartTicking();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Away() != nullptr; }, 10000));
    AwayWindow& away = *form->Away();
    EXPECT_TRUE(away.isVisible());
    ASSERT_EQ(away.RowCount(), 1);
    // The hourly row missed once at 09:30; the catch-up moved it on all the same.
    EXPECT_EQ(form->Schedule().Cell(ColTime, 2), "10:30:00");

    const std::vector<HistoryEntry> stored = Stored(*form);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Title, "while away");
    EXPECT_EQ(stored[0].Outcome, RunOutcome::Missed);
    EXPECT_EQ(stored[0].Code, "not-running");

    // Nothing runs until the user chooses it.
    EXPECT_EQ(services_.Sound.Beeps, 0);
    away.SetTicked(0, true);
    away.RunNowClick();
    EXPECT_EQ(services_.Sound.Beeps, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Away() == nullptr; }, 5000));
    const std::vector<HistoryEntry> after = Stored(*form);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].Origin, RunOrigin::RunNow);
    EXPECT_EQ(after[0].Outcome, RunOutcome::Done);
    EXPECT_EQ(after[0].DueMs, stored[0].DueMs);
}

TEST_F(HistoryInMainWindowTest, ClosingTheListRunsNothingAndTheSettingTurnsItOff) {
    LastRanAt(AddSeconds(kStart, -3600));
    WriteSchedule({Row("while away", "", AddSeconds(kStart, -60), "警告音")});
    {
        auto form = StartTicking();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->Away() != nullptr; }, 10000));
        form->Away()->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->Away() == nullptr; }, 5000));
        EXPECT_EQ(services_.Sound.Beeps, 0);
        EXPECT_EQ(Stored(*form).size(), 1u);
        ASSERT_TRUE(form->close());
    }
    // Off: the miss is recorded, nothing is shown.
    std::string settings = StoredSettings();
    settings.replace(settings.find("Missed=1"), 8, "Missed=0");
    WriteSettings(settings);
    LastRanAt(AddSeconds(kStart, -3600));
    auto form = StartTicking();
    QTest::qWait(200);
    EXPECT_EQ(form->Away(), nullptr);
    EXPECT_EQ(Stored(*form).size(), 2u);
}

TEST_F(HistoryInMainWindowTest, RowsDueWhileTheTicksStoodStillAreRecordedAsMissed) {
    WriteSchedule({Row("asleep", "毎日", AddSeconds(kStart, 300), "警告音"),
                   Row("jumped over", "", AddSeconds(kStart, 1500), "警告音")});
    auto form = StartTicking();
    TickAt(*form, 1, 1000);
    TickAt(*form, 600, 599'000); // suspended ten minutes
    TickAt(*form, 601, 1000);
    TickAt(*form, 1800, 1000); // the clock set forward
    const std::vector<HistoryEntry> stored = Stored(*form);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(Find(stored, "asleep")->Code, "suspend");
    EXPECT_EQ(Find(stored, "jumped over")->Code, "clock-forward");
    EXPECT_EQ(services_.Sound.Beeps, 0);
    ASSERT_NE(form->Away(), nullptr);
    EXPECT_EQ(form->Away()->RowCount(), 2);
}

TEST_F(HistoryInMainWindowTest, TheHistoryWindowFiltersCopiesAndSaves) {
    {
        HistoryDatabase db(HistoryFile());
        ASSERT_TRUE(db.Open().Ready);
        const std::int64_t t = ToUnixMilliseconds(kStart) - 60'000;
        HistoryEntry failed = SampleEntry(2, t + 2000, "backup");
        failed.Outcome = RunOutcome::Failed;
        failed.ExitStatus = 3;
        ASSERT_TRUE(db.Insert({SampleEntry(1, t + 1000, "mail"), failed,
                               SampleEntry(3, t + 3000, "backup weekly")})
                        .ok());
    }
    WriteSchedule({Row("mail", "毎日", AddSeconds(kStart, 3600), "起動", "\"/usr/bin/mail\"")});
    auto form = StartTicking();
    form->Popup().Item(QStringLiteral("PopupHistory"))->trigger();
    HistoryWindow* window = form->HistoryView();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->IsLoaded(); }, 10000));
    HistoryModel& model = window->Model();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.EntryAt(0).Title, "backup weekly"); // newest first
    EXPECT_EQ(model.EntryAt(2).Title, "mail");
    EXPECT_EQ(HistoryModel::CellText(model.EntryAt(1), HistoryModel::Detail),
              QStringLiteral("終了コード 3"));

    // A run recorded while the window is open comes on top.
    form->Recorder()->End(form->Recorder()->Begin({"new", "警告音", "", RunOrigin::Test, {}}), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 4; }, 5000));
    EXPECT_EQ(model.EntryAt(0).Title, "new");

    auto* outcome = window->findChild<QComboBox*>(QStringLiteral("HistoryOutcomeFilter"));
    outcome->setCurrentIndex(2); // 失敗
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.EntryAt(0).Title, "backup");
    outcome->setCurrentIndex(0);
    auto* title = window->findChild<QLineEdit*>(QStringLiteral("HistoryTitleFilter"));
    title->setText(QStringLiteral("BACKUP"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 2; }, 5000));

    window->CopyClick();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4); // the header, two rows, the last line's end
    EXPECT_THAT(lines[0].toStdString(), HasSubstr("予定時刻\t実行時刻\t遅れ\tタイトル"));
    EXPECT_THAT(lines[1].toStdString(), HasSubstr("\tbackup weekly\t起動\t"));

    const std::filesystem::path csv = folder_ / "saved.csv";
    window->AskSaveFileName = [&] { return QString::fromStdString(csv.string()); };
    window->SaveCsvClick();
    const std::vector<HistoryEntry> shown = model.ShownOldestFirst();
    EXPECT_EQ(TempFolder::Read(csv), HistoryText::CsvHeader() + HistoryText::CsvRecord(shown[0]) +
                                         HistoryText::CsvRecord(shown[1]));
    EXPECT_EQ(shown[0].Title, "backup");

    // From a row's menu: the entries of that row.
    form->StringGrid1()->SetCurrentCell(ColTitle, 1);
    form->Editor().PopupMenu().History1()->trigger();
    EXPECT_EQ(title->text(), QStringLiteral("mail"));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.EntryAt(0).Title, "mail");
}

TEST_F(HistoryInMainWindowTest, ADamagedHistoryIsToldOnceSetAsideAndStartedAnew) {
    TempFolder::Write(HistoryFile(), std::string(5000, '\x7f'));
    WriteSchedule({Row("job", "", AddSeconds(kStart, 1), "警告音")});
    auto form = StartTicking();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MessageBoxes().isEmpty(); }, 10000));
    ASSERT_EQ(MessageBoxes().size(), 1);
    const std::string told = MessageBoxes()[0]->text().toStdString();
    EXPECT_THAT(told, HasSubstr(HistoryFile().string() + ".broken"));
    EXPECT_TRUE(TempFolder::Read(HistoryFile().string() + ".broken") == std::string(5000, '\x7f'));
    // The schedule goes on, and so does its history.
    TickAt(*form, 1, 1000);
    EXPECT_EQ(services_.Sound.Beeps, 1);
    EXPECT_EQ(Stored(*form).size(), 1u);
    QTest::qWait(100);
    EXPECT_EQ(MessageBoxes().size(), 1);
}

} // namespace
} // namespace rimo
