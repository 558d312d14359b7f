// The real program read over the accessibility bus, as Orca reads it: an X
// server, a session bus and an accessibility bus of the test's own
// (at-spi2-core), and atspi_walk.py (python3-pyatspi) as the screen reader.
#include "e2e/PrivateBus.h"
#include "e2e/XDesktop.h"
#include "schedule/ScheduleFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace rimo {
namespace {

const QString kBusLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
const QString kPython = QStringLiteral("/usr/bin/python3");

class AccessibilityRun : public XDesktopTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo(kBusLauncher).isExecutable())
            << "at-spi2-core is missing: run scripts/setup.sh";
        ASSERT_EQ(
            RunToEnd(kPython, {QStringLiteral("-c"),
                               QStringLiteral("import gi; gi.require_version('Atspi', '2.0')")})
                .ExitCode,
            0)
            << "python3-pyatspi is missing: run scripts/setup.sh";
        XDesktopTest::SetUp();
        ASSERT_TRUE(bus_.Ready());
        a11yBus_ = std::make_unique<QProcess>();
        a11yBus_->setProcessEnvironment(Environment());
        a11yBus_->start(kBusLauncher, {QStringLiteral("--launch-immediately")});
        ASSERT_TRUE(a11yBus_->waitForStarted(5000));
        ASSERT_TRUE(WaitFor([&] {
            return bus_.Connection().interface()->isServiceRegistered(
                QStringLiteral("org.a11y.Bus"));
        }));
        // The registry answers before the program starts: Qt's bridge asks it
        // with blocking calls at start, and on a loaded machine a registry
        // still coming up held the window back for minutes.
        QProcess registry;
        registry.setProcessEnvironment(Environment());
        registry.start(kPython, {QStringLiteral("-c"), QStringLiteral(R"(
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi
Atspi.get_desktop(0).get_child_count()
)")});
        ASSERT_TRUE(registry.waitForFinished(120000));
        ASSERT_EQ(registry.exitCode(), 0) << registry.readAllStandardError().toStdString();
    }
    void TearDown() override {
        XDesktopTest::TearDown(); // the program first
        if (a11yBus_ && a11yBus_->state() != QProcess::NotRunning) {
            a11yBus_->terminate(); // its bus and registry go with it
            a11yBus_->waitForFinished(10000);
        }
    }

    QProcessEnvironment Environment() const override {
        QProcessEnvironment environment = XDesktopTest::Environment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_.Address());
        // As when a screen reader runs: Qt exposes its widgets on the bus.
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        environment.insert(QStringLiteral("LANG"), locale_);
        return environment;
    }

    // The screen reader's side: one JSON document per command.
    QProcess* StartWalk(const QStringList& commands) {
        auto* walk = new QProcess(&walks_);
        walk->setProcessEnvironment(Environment());
        walk->start(kPython,
                    QStringList{QStringLiteral(RIMO_ATSPI_WALK), QStringLiteral("rimotime")} +
                        commands);
        EXPECT_TRUE(walk->waitForStarted(5000));
        return walk;
    }
    static QList<QJsonArray> Results(QProcess& walk) {
        EXPECT_TRUE(walk.waitForFinished(120000));
        EXPECT_EQ(walk.exitCode(), 0) << walk.readAllStandardError().toStdString();
        QList<QJsonArray> results;
        for (const QByteArray& line : walk.readAllStandardOutput().split('\n')) {
            if (!line.trimmed().isEmpty()) {
                results.append(QJsonDocument::fromJson(line).array());
            }
        }
        return results;
    }
    QList<QJsonArray> Walk(const QStringList& commands) { return Results(*StartWalk(commands)); }

    static QString Path(const QJsonObject& node) {
        QStringList steps;
        for (const QJsonValue step : node[QStringLiteral("path")].toArray()) {
            steps.append(QString::number(step.toInt()));
        }
        return steps.join(QLatin1Char('/'));
    }
    static bool Has(const QJsonObject& node, const char* state) {
        return node[QStringLiteral("states")].toArray().contains(QString::fromLatin1(state));
    }
    static std::string Show(const QJsonObject& node) {
        return (Path(node) + QLatin1Char(' ') + node[QStringLiteral("role")].toString() +
                QStringLiteral(" \"") + node[QStringLiteral("name")].toString() + QLatin1Char('"'))
            .toStdString();
    }

    // The window's tree once it has come up with the keyboard in the grid.
    QJsonArray TreeOfTheShownWindow() {
        std::optional<XWindow> window;
        // Generous: the accessibility bridge makes the first show slow on a loaded machine.
        EXPECT_TRUE(WaitFor([&] { return (window = MainWindow()).has_value(); }, 90000))
            << program_->readAllStandardError().toStdString() << "\nits windows:\n"
            << Tool(QStringLiteral("xdotool"),
                    {QStringLiteral("search"), QStringLiteral("--class"),
                     QStringLiteral("rimotime"), QStringLiteral("getwindowname"),
                     QStringLiteral("%@")})
                   .toStdString();
        if (!window) {
            return {};
        }
        Tool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), window->Id});
        const QList<QJsonArray> walked =
            Walk({QStringLiteral("wait-focus"), QStringLiteral("table cell"), QStringLiteral("60"),
                  QStringLiteral("tree")});
        EXPECT_EQ(walked.size(), 2);
        return walked.size() == 2 ? walked[1] : QJsonArray();
    }

    PrivateBus bus_;
    std::unique_ptr<QProcess> a11yBus_;
    QObject walks_;
    QString locale_ = QStringLiteral("ja_JP.UTF-8");
};

TEST_F(AccessibilityRun, AScreenReaderFindsANamedFrameNamedControlsAndHearsTyping) {
    StartProgram();
    const QJsonArray tree = TreeOfTheShownWindow();
    ASSERT_FALSE(tree.isEmpty());

    // The main window: a frame with the product's name while its title scrolls.
    const QJsonObject frame = tree[0].toObject();
    EXPECT_EQ(frame[QStringLiteral("role")].toString(), QStringLiteral("frame"));
    EXPECT_EQ(frame[QStringLiteral("name")].toString(), QStringLiteral("RimoTimeInformation"));
    const QString title = Tool(QStringLiteral("xdotool"),
                               {QStringLiteral("search"), QStringLiteral("--class"),
                                QStringLiteral("rimotime"), QStringLiteral("getwindowname")});
    ASSERT_TRUE(WaitFor([&] {
        return Tool(QStringLiteral("xdotool"),
                    {QStringLiteral("search"), QStringLiteral("--class"),
                     QStringLiteral("rimotime"), QStringLiteral("getwindowname")}) != title;
    }));
    EXPECT_EQ(Walk({QStringLiteral("tree")})[0][0].toObject()[QStringLiteral("name")].toString(),
              QStringLiteral("RimoTimeInformation"));

    // Every control that takes the focus has a name (a cell's name is its
    // text; an empty one is read as blank). What reports the focus lies on
    // one line of parents: the grid and its current cell.
    QJsonObject deepest;
    for (const QJsonValue value : tree) {
        const QJsonObject node = value.toObject();
        if (Has(node, "focusable") &&
            node[QStringLiteral("role")] != QStringLiteral("table cell")) {
            EXPECT_FALSE(node[QStringLiteral("name")].toString().trimmed().isEmpty()) << Show(node);
        }
        if (Has(node, "focused") && Path(node).size() > Path(deepest).size()) {
            deepest = node;
        }
    }
    EXPECT_EQ(deepest[QStringLiteral("role")].toString(), QStringLiteral("table cell"));
    for (const QJsonValue value : tree) {
        const QJsonObject node = value.toObject();
        if (Has(node, "focused")) {
            EXPECT_TRUE(Path(deepest).startsWith(Path(node)))
                << Show(node) << " and " << Show(deepest);
        }
    }

    // Typing into the current cell (a title) is echoed by an editable text
    // that its cell holds as its child.
    QProcess* echo =
        StartWalk({QStringLiteral("echo"), QStringLiteral("ab"), QStringLiteral("60")});
    QByteArray said;
    ASSERT_TRUE(WaitFor(
        [&] {
            echo->waitForReadyRead(100);
            said += echo->readAllStandardError();
            return said.contains("listening");
        },
        60000))
        << said.toStdString();
    Tool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"),
                                     QStringLiteral("100"), QStringLiteral("ab")});
    const QList<QJsonArray> heard = Results(*echo);
    ASSERT_EQ(heard.size(), 1);
    bool echoed = false;
    for (const QJsonValue value : heard[0]) {
        const QJsonObject event = value.toObject();
        if (event[QStringLiteral("type")] == QStringLiteral("object:text-changed:insert") &&
            event[QStringLiteral("text")] == QStringLiteral("ab")) {
            echoed = true;
            EXPECT_EQ(event[QStringLiteral("role")].toString(), QStringLiteral("text"));
            EXPECT_EQ(event[QStringLiteral("name")].toString(), QStringLiteral("タイトル"));
            const QJsonObject parent = event[QStringLiteral("parent")].toObject();
            EXPECT_EQ(parent[QStringLiteral("role")].toString(), QStringLiteral("table cell"));
            EXPECT_TRUE(parent[QStringLiteral("lists_it")].toBool());
        }
    }
    EXPECT_TRUE(echoed) << QJsonDocument(heard[0]).toJson().toStdString();
    StopProgram();
}

// Under an English desktop a screen reader hears English: every name,
// description and text of every page, hidden ones included, but the user's
// own data.
TEST_F(AccessibilityRun, AnEnglishDesktopHearsNoJapaneseButTheUsersData) {
    locale_ = QStringLiteral("en_US.UTF-8");
    ScheduleTable table;
    table.ReplaceScheduleRows(
        {{"目覚まし", "毎日", "2030/01/07/月", "07:00:00", "メッセージ", "wake", "しない", "○"}});
    std::filesystem::create_directories(ConfigFolder());
    ASSERT_TRUE(SaveSchedule(ConfigFolder() / "rimotime.dat", table).ok());
    StartProgram();
    const QJsonArray tree = TreeOfTheShownWindow();
    ASSERT_GT(tree.size(), 50);
    // The title the user typed ("目覚まし"), the name 日本語 of its choice, and
    // the launcher files' own default page titles (data, as the file has them);
    // an ideographic space is blank.
    const QStringList data{QStringLiteral("目覚まし"), QStringLiteral("日本語"),
                           QStringLiteral("タイトル0"), QStringLiteral("タイトル1"),
                           QStringLiteral("タイトル2")};
    const QRegularExpression japanese(
        QStringLiteral("[\\x{3001}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    bool sawDaily = false;
    for (const QJsonValue value : tree) {
        const QJsonObject node = value.toObject();
        for (const char* field : {"name", "description", "text"}) {
            QString text = node[QString::fromLatin1(field)].toString();
            sawDaily = sawDaily || text == QStringLiteral("Daily");
            for (const QString& typed : data) {
                text.remove(typed);
            }
            EXPECT_FALSE(text.contains(japanese))
                << Show(node) << " " << field << ": " << text.toStdString();
        }
    }
    EXPECT_TRUE(sawDaily); // the stored "毎日", as the grid shows it
    StopProgram();
    // Nothing of the run changed the stored words.
    EXPECT_NE(TempFolder::Read(ConfigFolder() / "rimotime.dat").find("\x96\x88\x93\xfa"),
              std::string::npos);
}

} // namespace
} // namespace rimo
