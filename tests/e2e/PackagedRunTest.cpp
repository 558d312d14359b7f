// The program as its Debian package ships it, unpacked into a temporary root
// (never installed on this machine) and started through its link in usr/bin
// with a HOME of its own. RIMO_PACKAGE_DIR names the folder holding the
// package (ctest makes it first); without it the test is skipped.

#include "core/DateTime.h"
#include "e2e/ProgramTest.h"
#include "schedule/ScheduleFile.h"

#include <QDir>

#include <chrono>
#include <thread>

namespace rimo {
namespace {

using namespace std::chrono_literals;

class PackagedRun : public ProgramTest {
protected:
    void SetUp() override {
        const QString folder = qEnvironmentVariable("RIMO_PACKAGE_DIR");
        if (folder.isEmpty()) {
            GTEST_SKIP() << "RIMO_PACKAGE_DIR is not set (ctest's package test sets it)";
        }
        const QStringList packages = QDir(folder).entryList({QStringLiteral("*.deb")});
        ASSERT_EQ(packages.size(), 1) << packages.join(QLatin1Char(' ')).toStdString();
        package_ = QDir(folder).filePath(packages.front());
        const Finished unpacked = RunToEnd(QStringLiteral("dpkg-deb"),
                                           {QStringLiteral("-x"), package_, Text(root_.Path())});
        ASSERT_EQ(unpacked.ExitCode, 0) << unpacked.Errors;
    }

    // Started as the menu starts it: through the link.
    std::filesystem::path Executable() const override { return root_ / "usr/bin/rimotime"; }
    std::filesystem::path Private() const { return root_ / "usr/lib/rimotime"; }

    QProcessEnvironment Environment() const override {
        QProcessEnvironment environment = ProgramTest::Environment();
        // The default folder, under HOME; and no system folder where a
        // "shutdown" could be found by name.
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        return environment;
    }

    TempFolder root_;
    QString package_;
};

TEST_F(PackagedRun, StartsWritesItsFilesUnderHomeFindsItsCompanionAndEnds) {
    // The version the package carries.
    const Finished version = RunToEnd(Text(Executable()), {QStringLiteral("--version")});
    const Finished packaged = RunToEnd(QStringLiteral("dpkg-deb"),
                                       {QStringLiteral("-f"), package_, QStringLiteral("Version")});
    EXPECT_EQ(version.Output, "RimoTimeInformation " + packaged.Output);

    // The packaged companion runs (its libraries are there); then a stand-in
    // that only writes down its switch takes its place.
    const Finished usage = RunToEnd(Text(Private() / "shutdown"), {});
    EXPECT_EQ(usage.ExitCode, 2);
    EXPECT_NE(usage.Errors.find("usage: shutdown"), std::string::npos) << usage.Errors;
    const std::filesystem::path switches = home_ / "switches.txt";
    std::filesystem::remove(Private() / "shutdown");
    TempFolder::Write(Private() / "shutdown",
                      "#!/bin/sh\necho \"$*\" >> '" + switches.string() + "'\n");
    std::filesystem::permissions(Private() / "shutdown", std::filesystem::perms::owner_all);

    // A shutdown due a few seconds after the start, deleted after its run.
    const auto nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    const DateTime due = FromUnixMilliseconds((nowMs / 1000 + 5) * 1000);
    ScheduleTable table;
    table.ReplaceScheduleRows({{"off", "", FormatScheduleDate(due), FormatScheduleTime(due),
                                "ｼｬｯﾄﾀﾞｳﾝ", "", "する", "○"}});
    std::filesystem::create_directories(ConfigFolder());
    ASSERT_TRUE(SaveSchedule(ConfigFolder() / "rimotime.dat", table).ok());

    auto program = Start();
    for (int i = 0; i < 150 && !std::filesystem::exists(switches); ++i) {
        std::this_thread::sleep_for(100ms);
    }
    Terminate(*program);

    EXPECT_EQ(TempFolder::Read(switches), "/s\n");
    EXPECT_TRUE(std::filesystem::exists(ConfigFolder() / "rimotime.ini"));
    ScheduleTable after;
    ASSERT_TRUE(LoadSchedule(ConfigFolder() / "rimotime.dat", after).Problems.empty());
    for (int r = 1; r < after.RowCount(); ++r) {
        EXPECT_NE(after.Cell(ColTitle, r), "off"); // it ran and was deleted
    }
    // Nothing was written into the installed folders.
    std::vector<std::string> installed;
    for (const auto& entry : std::filesystem::directory_iterator(Private())) {
        installed.push_back(entry.path().filename().string());
    }
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(installed, (std::vector<std::string>{"rimotime", "shutdown"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ / "usr/bin"), {}), 1);
}

} // namespace
} // namespace rimo
