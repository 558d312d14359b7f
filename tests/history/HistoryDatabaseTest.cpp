#include "history/HistoryFixture.h"
#include "history/HistoryRules.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gmock/gmock.h>

#include <fstream>

namespace rimo {
namespace {

using ::testing::HasSubstr;

constexpr std::int64_t kNow = 1796691600000; // 2026-12-08

class HistoryDatabaseTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder_ / "rimotime-history.sqlite"; }
    std::filesystem::path Aside() const { return folder_ / "rimotime-history.sqlite.broken"; }

    TempFolder folder_;
};

TEST_F(HistoryDatabaseTest, EntriesComeBackAsWrittenNewestFirst) {
    HistoryDatabase db(File());
    const HistoryDatabase::OpenReport report = db.Open();
    ASSERT_TRUE(report.Ready);
    EXPECT_TRUE(report.Problem.isEmpty());
    EXPECT_EQ(ModeOf(File()), 0600u);

    HistoryEntry missed;
    missed.Id = 1;
    missed.DueMs = kNow - 60'000;
    missed.Title = "hourly, \"quoted\"\nline";
    missed.Action = "警告音";
    missed.Outcome = RunOutcome::Missed;
    missed.Code = "suspend";
    missed.Occurrences = 4;
    missed.LastDueMs = kNow - 1000;
    HistoryEntry sync = SampleEntry(2, kNow + 5);
    sync.Action = "時刻合わせ";
    sync.OffsetNs = -1'500'000'000;
    sync.ClockSet = true;
    HistoryEntry test = SampleEntry(3, kNow + 9);
    test.DueMs.reset();
    test.Origin = RunOrigin::Test;
    ASSERT_TRUE(db.Insert({missed, sync, test}).ok());
    EXPECT_EQ(db.Entries(), (std::vector<HistoryEntry>{test, sync, missed}));
    EXPECT_EQ(db.Entries(kNow), (std::vector<HistoryEntry>{test, sync}));
    EXPECT_EQ(db.LastId(), 3);

    // A started program's end rewrites its entry.
    HistoryEntry ended = test;
    HistoryRules::ApplyExit(ended, -9);
    ASSERT_TRUE(db.Update(ended).ok());
    EXPECT_EQ(StoredEntries(File()).front(), ended);

    EXPECT_FALSE(db.LastSeen());
    ASSERT_TRUE(db.SetLastSeen(kNow).ok());
    ASSERT_TRUE(db.SetLastSeen(kNow + 1).ok());
    EXPECT_EQ(db.LastSeen(), std::optional<std::int64_t>(kNow + 1));
}

TEST_F(HistoryDatabaseTest, AYearOrAHundredThousandEntriesWhicheverIsLess) {
    HistoryDatabase db(File());
    ASSERT_TRUE(db.Open().Ready);
    const std::int64_t year = 365LL * 86'400'000;
    std::vector<HistoryEntry> entries;
    entries.push_back(SampleEntry(1, kNow - year - 1000, "older than a year"));
    entries.push_back(SampleEntry(2, kNow - year + 1000, "within the year"));
    // Then more than the kept count, a second apart, the newest last.
    const int recent = HistoryRules::kKeepEntries + 5;
    for (int i = 0; i < recent; ++i) {
        entries.push_back(SampleEntry(3 + i, kNow - (recent - i) * 1000LL, "recent"));
    }
    ASSERT_TRUE(db.Insert(entries).ok());
    ASSERT_TRUE(db.Prune(kNow).ok());
    EXPECT_EQ(db.Count(), HistoryRules::kKeepEntries);
    const std::vector<HistoryEntry> kept = db.Entries();
    EXPECT_EQ(kept.front().Id, 3 + recent - 1);
    EXPECT_EQ(kept.back().Id, 3 + 5); // the five oldest recent ones went too
    EXPECT_EQ(kept.back().Title, "recent");

    // Under the count, age alone decides.
    HistoryDatabase small(folder_ / "small.sqlite");
    ASSERT_TRUE(small.Open().Ready);
    ASSERT_TRUE(small.Insert({entries[0], entries[1]}).ok());
    ASSERT_TRUE(small.Prune(kNow).ok());
    ASSERT_EQ(small.Entries().size(), 1u);
    EXPECT_EQ(small.Entries()[0].Title, "within the year");
}

// A file that is no history is kept as it was, aside, and a new one serves.
void ExpectSetAsideAndNew(const std::filesystem::path& file, const std::filesystem::path& aside,
                          const std::string& bytes) {
    HistoryDatabase db(file);
    const HistoryDatabase::OpenReport report = db.Open();
    ASSERT_TRUE(report.Ready);
    EXPECT_THAT(report.Problem.toStdString(), HasSubstr(aside.string()));
    EXPECT_TRUE(TempFolder::Read(aside) == bytes) << "the file aside is not as it was";
    EXPECT_EQ(db.Count(), 0);
    ASSERT_TRUE(db.Insert({SampleEntry(1, kNow)}).ok());
    EXPECT_EQ(db.Count(), 1);
}

TEST_F(HistoryDatabaseTest, AFileThatIsNoDatabaseIsSetAside) {
    const std::string garbage = "this is not a database, just text\n";
    TempFolder::Write(File(), garbage);
    ExpectSetAsideAndNew(File(), Aside(), garbage);
}

TEST_F(HistoryDatabaseTest, ADamagedHistoryIsSetAside) {
    {
        HistoryDatabase db(File());
        ASSERT_TRUE(db.Open().Ready);
        std::vector<HistoryEntry> entries;
        for (int i = 1; i <= 3000; ++i) {
            entries.push_back(SampleEntry(i, kNow + i));
        }
        ASSERT_TRUE(db.Insert(entries).ok());
    } // closed: the log is checkpointed into the file
    std::string bytes = TempFolder::Read(File());
    ASSERT_GT(bytes.size(), 64u * 1024);
    // Pages in the middle overwritten (a disk error, a bad copy).
    std::fill(bytes.begin() + 32 * 1024, bytes.begin() + 48 * 1024, '\xA5');
    TempFolder::Write(File(), bytes);
    ExpectSetAsideAndNew(File(), Aside(), bytes);
}

TEST_F(HistoryDatabaseTest, AnotherProgramsDatabaseIsSetAside) {
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        other.setDatabaseName(QString::fromStdString(File().string()));
        ASSERT_TRUE(other.open());
        QSqlQuery(other).exec(QStringLiteral("CREATE TABLE notes (text TEXT)"));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    ExpectSetAsideAndNew(File(), Aside(), TempFolder::Read(File()));
}

TEST_F(HistoryDatabaseTest, ReadingNeitherMakesNorChangesAFile) {
    HistoryDatabase reader(File());
    EXPECT_FALSE(reader.OpenForReading().ok());
    EXPECT_FALSE(std::filesystem::exists(File()));

    HistoryDatabase writer(File());
    ASSERT_TRUE(writer.Open().Ready);
    ASSERT_TRUE(writer.Insert({SampleEntry(1, kNow)}).ok());
    // While the writer holds it open, as the running program does.
    HistoryDatabase second(File());
    ASSERT_TRUE(second.OpenForReading().ok());
    EXPECT_EQ(second.Entries().size(), 1u);
    EXPECT_FALSE(second.Insert({SampleEntry(2, kNow)}).ok());
}

} // namespace
} // namespace rimo
