#pragma once

// The real executable in a temporary folder with rows that start a small
// script, which notes each start; and the same under faketime, with a clock
// the test sets while the program runs.

#include "core/DateTime.h"
#include "e2e/ProgramTest.h"
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
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
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

// The program under faketime in a zone with daylight saving: its clock is
// this machine's shifted by the whole seconds in a file, which the test may
// rewrite while it runs (a later part of the day comes at once).
class FakeTimeRun : public ScheduledRun {
protected:
    void SetUp() override {
        for (const char* library : {"/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                                    "/usr/lib/aarch64-linux-gnu/faketime/libfaketime.so.1"}) {
            if (std::filesystem::exists(library)) {
                library_ = QString::fromLatin1(library);
            }
        }
        ASSERT_FALSE(library_.isEmpty()) << "libfaketime is missing: run scripts/setup.sh";
    }

    QProcessEnvironment Environment() const override {
        QProcessEnvironment environment = ScheduledRun::Environment();
        environment.insert(QStringLiteral("TZ"), QStringLiteral("America/New_York"));
        environment.insert(QStringLiteral("LD_PRELOAD"), library_);
        environment.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), Text(ClockFile()));
        environment.insert(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
        // Qt's timers keep the machine's own steady clock.
        environment.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        // Under AddressSanitizer the preloaded library comes before its runtime.
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) +
                               QStringLiteral(":verify_asan_link_order=0"));
        return environment;
    }

    std::filesystem::path ClockFile() const { return folder_ / "faketime"; }
    // The program's clock reads `unixMs` now (to the second) and runs on from there.
    void SetClock(std::int64_t unixMs) const {
        const std::int64_t shift = unixMs / 1000 - UnixMsNow() / 1000;
        TempFolder::Write(ClockFile(), (shift < 0 ? "" : "+") + std::to_string(shift) + "\n");
    }
    // Waits until the program's clock has passed `unixMs`, with a second to spare.
    void WaitUntil(std::int64_t unixMs, std::int64_t clockAtStart, std::int64_t realAtStart) const {
        while (UnixMsNow() - realAtStart < unixMs - clockAtStart + 1500) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ScheduleRow Row(const std::string& tag, const std::string& repeat, const std::string& date,
                    const std::string& time) const {
        ScheduleRow row = StartRow(tag, 0, repeat);
        row[ColDate] = date;
        row[ColTime] = time;
        return row;
    }
    std::map<std::string, ScheduleRow> SavedRows() const {
        ScheduleTable after;
        EXPECT_TRUE(LoadSchedule(ScheduleFile(), after).Problems.empty());
        std::map<std::string, ScheduleRow> rows;
        for (int r = 1; r < after.RowCount(); ++r) {
            rows[after.Cell(ColTitle, r)] = after.Row(r);
        }
        return rows;
    }
    // Starts the program on `rows`, its clock reading `unixMs`.
    std::unique_ptr<QProcess> StartAt(std::int64_t unixMs, std::vector<ScheduleRow> rows) {
        ScheduleTable table;
        table.ReplaceScheduleRows(std::move(rows));
        EXPECT_TRUE(SaveSchedule(ScheduleFile(), table).ok());
        SetClock(unixMs);
        realAtStart_ = UnixMsNow();
        return Start();
    }
    int RunCount(const std::string& tag) const {
        const auto runs = RunsByTag();
        return runs.count(tag) ? static_cast<int>(runs.at(tag).size()) : 0;
    }

    QString library_;
    std::int64_t realAtStart_ = 0;
};

} // namespace rimo
