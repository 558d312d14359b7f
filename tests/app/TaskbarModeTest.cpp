// The real executable under a window manager (openbox) on an X server of its
// own: in the mode without a taskbar entry the window manager is asked to
// keep the window off the taskbar and the pager (libwnck's task lists go by
// these states, not by the window's type), as xprop shows.

#include "e2e/XDesktop.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

class TaskbarMode : public XDesktopTest {
protected:
    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
            << "openbox is missing: run scripts/setup.sh";
        XDesktopTest::SetUp();
        windowManager_ = std::make_unique<QProcess>();
        windowManager_->setProcessEnvironment(Environment());
        windowManager_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(windowManager_->waitForStarted(5000));
        // Running once it names itself on the root window.
        ASSERT_TRUE(WaitFor([&] {
            return Xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QStringLiteral("window id"));
        }));
    }
    void TearDown() override {
        if (program_ && program_->state() != QProcess::NotRunning) {
            StopProgram();
        }
        windowManager_->terminate();
        windowManager_->waitForFinished(10000);
        XDesktopTest::TearDown();
    }

    QString Xprop(const QStringList& arguments) const {
        return Tool(QStringLiteral("xprop"), arguments);
    }

    // The main window's _NET_WM_STATE, once the program has shown it.
    QString MainWindowStates(int taskBarMode) {
        TempFolder::Write(folder_ / "rimotime.ini",
                          "[Setting]\r\nTaskBar=" + std::to_string(taskBarMode) + "\r\n");
        StartProgram();
        std::optional<XWindow> main;
        EXPECT_TRUE(WaitFor([&] { return (main = MainWindow()).has_value(); }));
        if (!main) {
            return {};
        }
        // The window manager has taken the window once it has set its own state.
        QString states;
        WaitFor([&] {
            states = Xprop({QStringLiteral("-id"), main->Id, QStringLiteral("_NET_WM_STATE")});
            return Xprop({QStringLiteral("-id"), main->Id, QStringLiteral("_NET_FRAME_EXTENTS")})
                .contains(QLatin1Char('='));
        });
        return states;
    }

    std::unique_ptr<QProcess> windowManager_;
};

TEST_F(TaskbarMode, WithoutATaskbarEntryTheWindowSkipsTaskbarAndPager) {
    const QString states = MainWindowStates(1);
    EXPECT_TRUE(states.contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")))
        << states.toStdString();
    EXPECT_TRUE(states.contains(QStringLiteral("_NET_WM_STATE_SKIP_PAGER")))
        << states.toStdString();
}

TEST_F(TaskbarMode, WithATaskbarEntryTheWindowKeepsIt) {
    const QString states = MainWindowStates(0);
    EXPECT_FALSE(states.contains(QStringLiteral("SKIP_TASKBAR"))) << states.toStdString();
    EXPECT_FALSE(states.contains(QStringLiteral("SKIP_PAGER"))) << states.toStdString();
}

} // namespace
} // namespace rimo
