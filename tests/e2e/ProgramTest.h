#pragma once

// The real executable, copied into a temporary folder of its own (its files
// go to the configuration folder of its own HOME unless a test puts them
// beside it) and run in an environment of its own: offscreen, its
// own runtime folder, HOME and XDG_CONFIG_HOME, no system bus and no
// CAP_SYS_TIME, so it can never set this machine's clock.

#include "TempFolder.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>
#include <thread>

namespace rimo {

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        std::filesystem::permissions(runtime_.Path(), std::filesystem::perms::owner_all);
        std::filesystem::copy_file(RIMO_EXECUTABLE, Executable());
    }

    virtual std::filesystem::path Executable() const { return folder_ / "rimotime"; }
    std::filesystem::path LockFile() const { return runtime_ / "RimoTimeOneCopyMutex.lock"; }
    // The user's files when none lie beside the program.
    std::filesystem::path ConfigFolder() const { return home_ / ".config" / "RimoTimeInformation"; }

    virtual QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("DISPLAY"));
        // The Japanese interface (the source texts), whatever this machine's locale;
        // a test of the English one says so.
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "RIMO_LANGUAGE"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Text(runtime_.Path()));
        environment.insert(QStringLiteral("HOME"), Text(home_.Path()));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Text(home_ / ".config"));
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                           QStringLiteral("unix:path=") + Text(runtime_ / "no-system-bus"));
        return environment;
    }

    // Its error output goes to the test's, unless the test wants to read it.
    std::unique_ptr<QProcess>
    Start(QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel) const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(Environment());
        process->setWorkingDirectory(Text(folder_.Path()));
        process->setProcessChannelMode(channels);
        process->start(QStringLiteral("setpriv"),
                       privileges_ + QStringList{QStringLiteral("--"), Text(Executable())});
        EXPECT_TRUE(process->waitForStarted(5000));
        return process;
    }

    // The lock exists once the program has caught its termination signals.
    bool WaitForLock() const {
        for (int i = 0; i < 200; ++i) {
            if (std::filesystem::exists(LockFile())) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    // Never kill(0, …): that would signal the whole process group, test runner included.
    static void Signal(const QProcess& process, int signalNumber) {
        const qint64 pid = process.processId();
        ASSERT_GT(pid, 0) << "the program is not running";
        ::kill(static_cast<pid_t>(pid), signalNumber);
    }

    // SIGTERM, as at log-out: the program writes its files and ends normally.
    static void Terminate(QProcess& process) {
        Signal(process, SIGTERM);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }

    struct Finished {
        int ExitCode = -1; // -1: crashed or did not end
        std::string Output;
        std::string Errors;
    };
    // Runs a program to its end (a minute at most).
    static Finished
    RunToEnd(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    static std::int64_t UnixMsNow() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }

    static QString Text(const std::filesystem::path& path) {
        return QString::fromStdString(path.string());
    }

    TempFolder folder_;
    TempFolder runtime_;
    TempFolder home_;
    // setpriv's options for the program.
    QStringList privileges_{QStringLiteral("--bounding-set=-sys_time")};
};

} // namespace rimo
