// The real program with a real tray host: an X server of its own (Xvfb) with
// Debian's XEmbed tray "trayer", the program clicked with xdotool.
// RIMO_SCREENSHOT_DIR, when set, receives pictures of the tray and its menu.

#include "e2e/ProgramTest.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

namespace rimo {
namespace {

using namespace std::chrono_literals;

struct Window {
    QString Id;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 20000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return condition();
}

class TrayHost : public ProgramTest {
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
            tray_->start(QStringLiteral("trayer"),
                         {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                          QStringLiteral("right"), QStringLiteral("--widthtype"),
                          QStringLiteral("request"), QStringLiteral("--height"),
                          QStringLiteral("32"), QStringLiteral("--SetDockType"),
                          QStringLiteral("false"), QStringLiteral("--transparent"),
                          QStringLiteral("false"), QStringLiteral("--tint"),
                          QStringLiteral("0xd0d0d0")});
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
    std::vector<Window> Windows(const QString& windowClass = QStringLiteral("rimotime"),
                                bool onlyVisible = true) const {
        std::vector<Window> windows;
        QStringList search{QStringLiteral("search"), QStringLiteral("--class"), windowClass};
        if (onlyVisible) {
            search.insert(1, QStringLiteral("--onlyvisible"));
        }
        const QStringList ids =
            Tool(QStringLiteral("xdotool"), search).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& id : ids) {
            Window window{id};
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
    std::optional<Window> TrayIconWindow() const {
        for (const Window& window : Windows()) {
            if (window.Width <= 64 && window.Height <= 64) {
                return window;
            }
        }
        return std::nullopt;
    }
    std::optional<Window> MainWindow() const {
        for (const Window& window : Windows()) {
            if (window.Width == 700) {
                return window;
            }
        }
        return std::nullopt;
    }
    // Any other window of the program: the open menu.
    std::optional<Window> MenuWindow() const {
        for (const Window& window : Windows()) {
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
    void ClickIcon(const Window& icon, int button) {
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

TEST_F(TrayHost, TheIconAnswersLeftAndRightClicks) {
    // A place on this X server, and the hidden mode stored by the settings
    // page that is not built yet.
    TempFolder::Write(folder_ / "rimotime.ini",
                      "[Position]\r\nLeft=150\r\nTop=120\r\n\r\n[Setting]\r\nTaskBar=1\r\n");
    StartTray();
    StartProgram();
    std::optional<Window> icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIconWindow()).has_value(); })) << "no tray icon";
    std::optional<Window> main;
    ASSERT_TRUE(WaitFor([&] { return (main = MainWindow()).has_value(); }));
    // No window manager here: the window stands exactly where it was stored.
    EXPECT_EQ(main->X, 150);
    EXPECT_EQ(main->Y, 120);
    Screenshot("tray-start.png");

    // Left click: the hidden mode hides the window, a second click shows it.
    ClickIcon(*icon, 1);
    EXPECT_TRUE(WaitFor([&] { return !MainWindow(); })) << "the window stayed";
    // Not so soon that the two clicks make a double click, which toggles nothing.
    std::this_thread::sleep_for(1s);
    ClickIcon(*icon, 1);
    EXPECT_TRUE(WaitFor([&] { return MainWindow().has_value(); }))
        << "the window did not come back";

    // Right click: the menu at the pointer; a click elsewhere closes it.
    ClickIcon(*icon, 3);
    std::optional<Window> menu;
    ASSERT_TRUE(WaitFor([&] { return (menu = MenuWindow()).has_value(); })) << "no menu";
    EXPECT_LT(std::abs(menu->X + menu->Width - (icon->X + icon->Width)), 200);
    Screenshot("tray-menu.png");
    Click(20, 740, 1);
    EXPECT_TRUE(WaitFor([&] { return !MenuWindow(); })) << "the menu stayed open";

    StopProgram();
    const std::string settings = TempFolder::Read(folder_ / "rimotime.ini");
    EXPECT_NE(settings.find("TaskBar=1\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Left=150\r\nTop=120\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("StartUp=0\r\n"), std::string::npos) << settings;
}

TEST_F(TrayHost, TheIconAppearsWhenAHostComesLater) {
    program_ = nullptr;
    StartProgram();
    ASSERT_TRUE(WaitFor([&] { return MainWindow().has_value(); }));
    EXPECT_FALSE(TrayIconWindow().has_value());

    StartTray();
    EXPECT_TRUE(WaitFor([&] { return TrayIconWindow().has_value(); })) << "no tray icon";
    // The title scrolls meanwhile: the window's name moves on.
    const QString before =
        Tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), MainWindow()->Id});
    EXPECT_TRUE(WaitFor([&] {
        return Tool(QStringLiteral("xdotool"),
                    {QStringLiteral("getwindowname"), MainWindow()->Id}) != before;
    }));
    StopProgram();
    const QString said = QString::fromUtf8(program_->readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("通知領域（トレイ）が見つかりません")))
        << said.toStdString();
}

} // namespace
} // namespace rimo
