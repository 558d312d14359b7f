#pragma once

// The real program on an X server of its own (Xvfb), optionally with Debian's
// XEmbed tray "trayer", driven with xdotool. RIMO_SCREENSHOT_DIR, when set,
// receives the pictures the tests take.

#include "e2e/ProgramTest.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

namespace rimo {

struct XWindow {
    QString Id;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 20000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

class XDesktopTest : public ProgramTest {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "trayer", "xdotool"}) {
            ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                << tool << " is missing: run scripts/setup.sh";
        }
        StartXServer();
    }

    void TearDown() override {
        for (QProcess* process : {program_.get(), tray_.get(), xServer_.get()}) {
            if (process && process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(10000)) {
                    process->kill();
                    process->waitForFinished(5000);
                }
            }
        }
    }

    void StartXServer() {
        xServer_ = std::make_unique<QProcess>();
        // -displayfd: the server picks a free display and writes its number.
        xServer_->start(QStringLiteral("Xvfb"),
                        {QStringLiteral("-displayfd"), QStringLiteral("1"),
                         QStringLiteral("-screen"), QStringLiteral("0"),
                         QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                         QStringLiteral("tcp")});
        ASSERT_TRUE(xServer_->waitForStarted(5000));
        ASSERT_TRUE(WaitFor([&] {
            xServer_->waitForReadyRead(100);
            display_ += QString::fromLatin1(xServer_->readAllStandardOutput());
            return display_.endsWith(QLatin1Char('\n'));
        }));
        display_ = QStringLiteral(":") + display_.trimmed();
    }

    QProcessEnvironment Environment() const override {
        QProcessEnvironment environment = ProgramTest::Environment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // No session bus: the icon goes to the X tray, whatever this machine runs.
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QStringLiteral("unix:path=") + Text(runtime_ / "no-bus"));
        return environment;
    }

    void StartTray() {
        // On a loaded machine trayer has been seen to give up at its start;
        // it is tried again before the test gives up.
        QString errors;
        for (int attempt = 0; attempt < 3; ++attempt) {
            tray_ = std::make_unique<QProcess>();
            tray_->setProcessEnvironment(Environment());
            tray_->start(
                QStringLiteral("trayer"),
                {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                 QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                 QStringLiteral("--height"), QStringLiteral("32"), QStringLiteral("--SetDockType"),
                 QStringLiteral("false"), QStringLiteral("--transparent"), QStringLiteral("false"),
                 QStringLiteral("--tint"), QStringLiteral("0xd0d0d0")});
            ASSERT_TRUE(tray_->waitForStarted(5000));
            // An empty tray is not mapped yet: its window exists all the same.
            if (WaitFor([&] {
                    return tray_->state() != QProcess::Running ||
                           !Windows(QStringLiteral("trayer"), false).empty();
                }) &&
                tray_->state() == QProcess::Running) {
                return;
            }
            tray_->kill();
            tray_->waitForFinished(5000);
            errors += QString::fromLocal8Bit(tray_->readAllStandardError());
        }
        FAIL() << "trayer did not come up: " << errors.toStdString();
    }

    void StartProgram() { program_ = Start(QProcess::SeparateChannels); }
    void StopProgram() { Terminate(*program_); }

    QString Tool(const QString& program, const QStringList& arguments) const {
        QProcess tool;
        tool.setProcessEnvironment(Environment());
        tool.start(program, arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    // The program's visible windows (or another program's, by its class).
    std::vector<XWindow> Windows(const QString& windowClass = QStringLiteral("rimotime"),
                                 bool onlyVisible = true) const {
        std::vector<XWindow> windows;
        QStringList search{QStringLiteral("search"), QStringLiteral("--class"), windowClass};
        if (onlyVisible) {
            search.insert(1, QStringLiteral("--onlyvisible"));
        }
        const QStringList ids =
            Tool(QStringLiteral("xdotool"), search).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& id : ids) {
            XWindow window{id};
            const QStringList lines =
                Tool(QStringLiteral("xdotool"),
                     {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id})
                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            for (const QString& line : lines) {
                const int value = line.section(QLatin1Char('='), 1).toInt();
                if (line.startsWith(QStringLiteral("X="))) {
                    window.X = value;
                } else if (line.startsWith(QStringLiteral("Y="))) {
                    window.Y = value;
                } else if (line.startsWith(QStringLiteral("WIDTH="))) {
                    window.Width = value;
                } else if (line.startsWith(QStringLiteral("HEIGHT="))) {
                    window.Height = value;
                }
            }
            windows.push_back(window);
        }
        return windows;
    }

    // The tray icon is the program's small window; the main window is 700 wide.
    std::optional<XWindow> TrayIconWindow() const {
        for (const XWindow& window : Windows()) {
            if (window.Width <= 64 && window.Height <= 64) {
                return window;
            }
        }
        return std::nullopt;
    }
    std::optional<XWindow> MainWindow() const {
        for (const XWindow& window : Windows()) {
            if (window.Width == 700) {
                return window;
            }
        }
        return std::nullopt;
    }
    // Any other window of the program: the open menu.
    std::optional<XWindow> MenuWindow() const {
        for (const XWindow& window : Windows()) {
            if (window.Width > 64 && window.Width != 700) {
                return window;
            }
        }
        return std::nullopt;
    }

    void Click(int x, int y, int button) {
        Tool(QStringLiteral("xdotool"),
             {QStringLiteral("mousemove"), QString::number(x), QString::number(y),
              QStringLiteral("click"), QString::number(button)});
    }
    void ClickIcon(const XWindow& icon, int button) {
        Click(icon.X + icon.Width / 2, icon.Y + icon.Height / 2, button);
    }

    void Screenshot(const char* name) {
        const QByteArray folder = qgetenv("RIMO_SCREENSHOT_DIR");
        if (folder.isEmpty()) {
            return;
        }
        Tool(QStringLiteral("import"),
             {QStringLiteral("-window"), QStringLiteral("root"),
              QString::fromLocal8Bit(folder) + QLatin1Char('/') + QString::fromLatin1(name)});
    }

    QString display_;
    std::unique_ptr<QProcess> xServer_;
    std::unique_ptr<QProcess> tray_;
    std::unique_ptr<QProcess> program_;
};

} // namespace rimo
