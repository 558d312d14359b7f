// The real program read over the accessibility bus, as Orca reads it: an X
// server, a session bus and an accessibility bus of the test's own
// (at-spi2-core), and atspi_walk.py (python3-pyatspi) as the screen reader.
#include "e2e/PrivateBus.h"
#include "e2e/XDesktop.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

    PrivateBus bus_;
    std::unique_ptr<QProcess> a11yBus_;
    QObject walks_;
};

TEST_F(AccessibilityRun, AScreenReaderFindsANamedFrameNamedControlsAndHearsTyping) {
    StartProgram();
    // The keyboard goes to the window, as a window manager would give it.
    std::optional<XWindow> window;
    // Generous: the accessibility bridge makes the first show slow on a loaded machine.
    ASSERT_TRUE(WaitFor([&] { return (window = MainWindow()).has_value(); }, 90000))
        << program_->readAllStandardError().toStdString();
    Tool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), window->Id});
    // Once the window has come up with the keyboard in the grid.
    const QList<QJsonArray> first =
        Walk({QStringLiteral("wait-focus"), QStringLiteral("table cell"), QStringLiteral("60"),
              QStringLiteral("tree")});
    ASSERT_EQ(first.size(), 2);
    const QJsonArray tree = first[1];
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

} // namespace
} // namespace rimo
