// Real children started and reaped through the event loop; a QProcess
// beside them keeps its own.
#include "platform/linux/ChildProcesses.h"
#include "TempFolder.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <csignal>
#include <fstream>
#include <map>

namespace rimo {
namespace {

struct Exits {
    explicit Exits(ChildProcesses& children) {
        QObject::connect(&children, &ChildProcesses::Exited,
                         [this](const ChildExit& exit) { ByPid[exit.Pid] = exit; });
    }
    bool Wait(std::size_t count) {
        return QTest::qWaitFor([&] { return ByPid.size() >= count; }, 10000);
    }
    std::map<pid_t, ChildExit> ByPid;
};

TEST(ChildProcesses, ReportsEachChildsPidAndHowItEndedAndLeavesOthersAlone) {
    TempFolder folder;
    ChildProcesses children;
    Exits exits(children);
    std::vector<qint64> spawned;
    QObject::connect(&children, &ChildProcesses::Spawned,
                     [&](qint64 pid, const QString&) { spawned.push_back(pid); });
    QProcess other; // Qt's own child: its end is Qt's to see
    other.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 7")});
    const auto code = children.Start(
        "/bin/sh", {"-c", "pwd > where; cut -d' ' -f6 /proc/$$/stat > session; exit 3"},
        folder.Path().string());
    const auto killed = children.Start("/bin/sh", {"-c", "kill -TERM $$"}, "");
    ASSERT_GT(code.Pid, 0) << code.Error;
    ASSERT_GT(killed.Pid, 0) << killed.Error;
    EXPECT_EQ(spawned, (std::vector<qint64>{code.Pid, killed.Pid}));
    ASSERT_TRUE(exits.Wait(2));
    EXPECT_EQ(exits.ByPid[code.Pid].ExitCode, 3);
    EXPECT_EQ(exits.ByPid[code.Pid].Signal, 0);
    EXPECT_EQ(exits.ByPid[killed.Pid].Signal, SIGTERM);
    EXPECT_EQ(children.Running(), 0U);
    std::string where;
    std::ifstream written(folder.Path() / "where");
    std::getline(written, where);
    EXPECT_EQ(std::filesystem::path(where), std::filesystem::canonical(folder.Path()));
    // A session of its own: a hang-up or Ctrl+C meant for this program does not end it.
    qint64 session = 0;
    std::ifstream(folder.Path() / "session") >> session;
    EXPECT_EQ(session, code.Pid);
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(other.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(other.exitCode(), 7);
}

TEST(ChildProcesses, AChildReapedElsewhereEndsWithoutAStatus) {
    ChildProcesses children;
    Exits exits(children);
    const auto started = children.Start("/bin/sh", {"-c", "exit 5"}, "");
    ASSERT_GT(started.Pid, 0) << started.Error;
    int status = 0;
    ASSERT_EQ(::waitpid(static_cast<pid_t>(started.Pid), &status, 0), started.Pid);
    ASSERT_TRUE(exits.Wait(1));
    EXPECT_FALSE(exits.ByPid[started.Pid].Known); // not "signal 1" nor "exit -1"
    EXPECT_EQ(children.Running(), 0U);
}

TEST(ChildProcesses, AStartThatCannotRunSaysWhy) {
    TempFolder folder;
    const std::string plain = (folder.Path() / "plain").string();
    std::ofstream(plain) << "not a program\n";
    ChildProcesses children;
    for (const auto& [path, where] :
         {std::pair<std::string, std::string>("/nonexistent/program", ""),
          {plain, ""},
          {"/bin/true", (folder.Path() / "no such folder").string()}}) {
        const auto started = children.Start(path, {}, where);
        EXPECT_EQ(started.Pid, 0) << path;
        EXPECT_FALSE(started.Error.empty()) << path;
    }
    EXPECT_EQ(children.Running(), 0U);
}

} // namespace
} // namespace rimo
