// The run history of the real executable under faketime: a run, a row the
// clock jumped over, and the history read as CSV while the program runs
// (no lock taken), parsed back by Python's csv module.

#include "e2e/ScheduledRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace rimo {
namespace {

class HistoryRun : public FakeTimeRun {
protected:
    Finished History(const QStringList& options) const {
        return RunToEnd(Text(Executable()), QStringList{QStringLiteral("--history")} + options,
                        Environment());
    }
    // The records of a CSV text, as Python's csv module reads them.
    QJsonArray ReadCsv(const std::string& csv) const {
        const std::filesystem::path file = folder_ / "history.csv";
        TempFolder::Write(file, csv);
        const Finished read =
            RunToEnd(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import csv, json, sys\n"
                                     "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                     "    reader = csv.reader(f, strict=True)\n"
                                     "    print(json.dumps(list(reader)))\n"),
                      Text(file)});
        EXPECT_EQ(read.ExitCode, 0) << read.Errors;
        return QJsonDocument::fromJson(QByteArray::fromStdString(read.Output)).array();
    }
};

TEST_F(HistoryRun, ARowTheClockJumpedOverIsMissedAndTheCsvReadsBack) {
    // Monday 2026-03-02 12:00:00 EST.
    const std::int64_t start = 1772470800000;
    auto program = StartAt(start, {Row("soon, first", "", "2026/03/02/月", "12:00:03"),
                                   Row("in gap", "毎日", "2026/03/02/月", "12:02:00")});
    WaitUntil(start + 3000, start, realAtStart_);
    ASSERT_EQ(RunCount("soon, first"), 1) << TempFolder::Read(Runs());
    // Ten minutes forward at once: 12:02:00 is never ticked.
    SetClock(start + 600'000);
    const std::int64_t realJump = UnixMsNow();
    WaitUntil(start + 602'000, start + 600'000, realJump);

    const Finished csv = History({QStringLiteral("--csv")});
    const Finished plain = History({QStringLiteral("--since"), QStringLiteral("2026-03-02")});
    Terminate(*program);
    ASSERT_EQ(csv.ExitCode, 0) << csv.Errors;
    ASSERT_EQ(plain.ExitCode, 0) << plain.Errors;
    EXPECT_EQ(RunCount("in gap"), 0);

    const QJsonArray records = ReadCsv(csv.Output);
    ASSERT_EQ(records.size(), 3) << csv.Output;
    const auto field = [&](int record, int column) {
        return records[record].toArray()[column].toString().toStdString();
    };
    EXPECT_EQ(records[0].toArray().size(), 8);
    EXPECT_EQ(field(0, 0), "due");
    EXPECT_EQ(field(0, 7), "detail");
    // Oldest first: the run, then the miss.
    EXPECT_EQ(field(1, 0), "2026-03-02T12:00:03-05:00");
    EXPECT_EQ(field(1, 1).substr(0, 20), "2026-03-02T12:00:03.");
    EXPECT_GE(std::stoi(field(1, 2)), 0);
    EXPECT_EQ(field(1, 3), "soon, first");
    EXPECT_EQ(field(1, 4), "起動");
    EXPECT_EQ(field(1, 5), "\"" + Script().string() + "\" soon, first");
    EXPECT_EQ(field(1, 6), "done");
    EXPECT_EQ(field(2, 0), "2026-03-02T12:02:00-05:00");
    EXPECT_EQ(field(2, 1), "");
    EXPECT_EQ(field(2, 3), "in gap");
    EXPECT_EQ(field(2, 6), "missed");
    EXPECT_EQ(field(2, 7), "the clock was set forward");

    // One entry a line for people, the same two.
    std::istringstream lines(plain.Output);
    std::vector<std::string> entries;
    for (std::string line; std::getline(lines, line);) {
        entries.push_back(line);
    }
    ASSERT_EQ(entries.size(), 2u) << plain.Output;
    EXPECT_EQ(entries[1].substr(0, 22), "2026/03/02 12:02:00\t-\t");
}

} // namespace
} // namespace rimo
