// The real executable in a temporary folder, with rows due a few seconds
// after its start that start a small script: each must run exactly once, in
// its own second's pass, and the rows must be moved on in the saved file.

#include "e2e/ProgramTest.h"
#include "core/DateTime.h"
#include "schedule/ScheduleFile.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

namespace rimo {
namespace {

using namespace std::chrono_literals;

class ScheduledRun : public ProgramTest {
protected:
    ScheduledRun() {
        std::filesystem::create_directories(Scripts());
        std::filesystem::create_directories(home_ / "keep");
        TempFolder::Write(home_ / "keep" / "canary", "still here");
        // Writes its arguments, its working folder and the time it started.
        TempFolder::Write(Script(),
                          "#!/bin/sh\n"
                          "printf '%s|%s|%s\\n' \"$*\" \"$(pwd)\" \"$(date +%s%3N)\" >> \"" +
                              Runs().string() + "\"\n");
        std::filesystem::permissions(Script(), std::filesystem::perms::owner_all);
    }

    std::filesystem::path Scripts() const { return folder_ / "my scripts"; }
    std::filesystem::path Script() const { return Scripts() / "record it.sh"; }
    std::filesystem::path Runs() const { return folder_ / "runs.txt"; }
    std::filesystem::path ScheduleFile() const { return folder_ / "rimotime.dat"; }

    ScheduleRow StartRow(const std::string& tag, DateTime when, const std::string& repeat,
                         const std::string& remove = "しない") const {
        return {tag,
                repeat,
                FormatScheduleDate(when),
                FormatScheduleTime(when),
                "起動",
                "\"" + Script().string() + "\" " + tag,
                remove,
                "○"};
    }

    // Tag -> the lines the script wrote for it.
    std::map<std::string, std::vector<std::string>> RunsByTag() const {
        std::map<std::string, std::vector<std::string>> runs;
        std::istringstream lines(TempFolder::Read(Runs()));
        for (std::string line; std::getline(lines, line);) {
            runs[line.substr(0, line.find('|'))].push_back(line);
        }
        return runs;
    }

    // Runs the schedule: rows due 5, 6 (two of them) and 7 seconds after now.
    void RunScheduleAndCheck() {
        const std::int64_t startMs = (UnixMsNow() / 1000 + 5) * 1000;
        const DateTime first = FromUnixMilliseconds(startMs);
        ScheduleTable table;
        table.ReplaceScheduleRows({
            StartRow("daily-5", first, "毎日"),
            StartRow("weekly-6", AddSeconds(first, 1), "毎週"),
            StartRow("once-6", AddSeconds(first, 1), "", "する"),
            StartRow("\"; rm -rf ~\"", AddSeconds(first, 2), "毎時"),
        });
        ASSERT_TRUE(SaveSchedule(ScheduleFile(), table).ok());

        auto program = Start();
        // Past the last due second, with room for a slow start of the script.
        while (UnixMsNow() < startMs + 2000 + 2500) {
            std::this_thread::sleep_for(100ms);
        }
        Terminate(*program);

        const auto runs = RunsByTag();
        ASSERT_EQ(runs.size(), 4u) << TempFolder::Read(Runs());
        for (const char* tag : {"daily-5", "weekly-6", "once-6", "; rm -rf ~"}) {
            ASSERT_EQ(runs.count(tag), 1u) << tag << "\n" << TempFolder::Read(Runs());
            ASSERT_EQ(runs.at(tag).size(), 1u) << tag << " ran more than once";
            // Started directly, in the script's own folder.
            EXPECT_NE(runs.at(tag)[0].find("|" + Scripts().string() + "|"), std::string::npos);
        }
        // The shell's characters were one argument, never a command.
        EXPECT_EQ(TempFolder::Read(home_ / "keep" / "canary"), "still here");

        ScheduleTable after;
        ASSERT_TRUE(LoadSchedule(ScheduleFile(), after).Problems.empty());
        std::map<std::string, ScheduleRow> rows;
        for (int r = 1; r < after.RowCount(); ++r) {
            rows[after.Cell(ColTitle, r)] = after.Row(r);
        }
        EXPECT_EQ(rows.count("once-6"), 0u); // deleted after its run
        EXPECT_EQ(rows.at("daily-5")[ColDate], FormatScheduleDate(AddDays(first, 1)));
        EXPECT_EQ(rows.at("weekly-6")[ColDate], FormatScheduleDate(AddDays(first, 7)));
        const DateTime hourLater = AddSeconds(first, 2 + 3600);
        EXPECT_EQ(rows.at("\"; rm -rf ~\"")[ColTime], FormatScheduleTime(hourLater));
        EXPECT_EQ(rows.at("\"; rm -rf ~\"")[ColDate], FormatScheduleDate(hourLater));
    }
};

TEST_F(ScheduledRun, DueRowsStartTheirProgramOnceAndMoveOn) {
    RunScheduleAndCheck();
}

TEST_F(ScheduledRun, NoRowIsMissedWhileBothCoresAreBusy) {
    // One busy process per core, for the whole run.
    std::vector<std::unique_ptr<QProcess>> busy;
    for (int i = 0; i < 2; ++i) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        ASSERT_TRUE(process->waitForStarted(5000));
        busy.push_back(std::move(process));
    }
    RunScheduleAndCheck();
    for (auto& process : busy) {
        const qint64 pid = process->processId();
        if (pid > 0) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
        process->waitForFinished(5000);
    }
}

} // namespace
} // namespace rimo
