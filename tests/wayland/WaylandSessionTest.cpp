// The main window on a real Wayland compositor (weston or mutter, headless),
// through Qt's Wayland platform, with a StatusNotifier watcher of the test's
// own on the session bus (this program runs under dbus-run-session).
#include "app/FormTest.h"
#include "app/AppActionHost.h"
#include "app/TrayIcon.h"
#include "platform/linux/DesktopWallpaper.h"
#include "schedule/MessageWindows.h"
#include "schedule/ScheduleRunner.h"
#include "wayland/Compositor.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QWindow>

#include <gmock/gmock.h>

#include <regex>
#include <set>

namespace rimo {
namespace {

using ::testing::HasSubstr;

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

QStringList& Warnings() {
    static QStringList warnings;
    return warnings;
}

void KeepWarnings(QtMsgType, const QMessageLogContext&, const QString& text) {
    Warnings().append(text);
}

class WaylandTest : public FormTest {
protected:
    WaylandTest() { TrayIcon::SetHostProbe(nullptr); } // the session's own signals

    void SetUp() override {
        const test::Compositor* compositor = test::Compositor::Current();
        if (!compositor || !compositor->Ready()) {
            GTEST_SKIP() << "no Wayland compositor: "
                         << (compositor ? compositor->Problem() : std::string("none"));
        }
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
    }
    void TearDown() override { StopWatcher(); }

    static bool OnMutter() { return test::Compositor::Current()->Kind() == "mutter"; }

    std::unique_ptr<TForm1> StartShown() {
        auto form = Start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get(), 20000));
        return form;
    }

    void StartWatcher() {
        watcher_ = std::make_unique<QProcess>();
        watcher_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        watcher_->start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                         QStringLiteral("--template"),
                         QStringLiteral(RIMO_TEST_DATA_DIR "/sni_watcher.py")});
        ASSERT_TRUE(QTest::qWaitFor(
            [] {
                return QDBusConnection::sessionBus()
                    .interface()
                    ->isServiceRegistered(kWatcher)
                    .value();
            },
            20000))
            << "the watcher did not start";
    }
    void StopWatcher() {
        if (watcher_) {
            watcher_->terminate();
            watcher_->waitForFinished(5000);
            watcher_.reset();
        }
    }
    // The items the watcher holds.
    static QStringList Items() {
        QDBusMessage get = QDBusMessage::createMethodCall(
            kWatcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << kWatcher << QStringLiteral("RegisteredStatusNotifierItems");
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            return {};
        }
        return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toStringList();
    }
    static QString WaitForItem() {
        QStringList items;
        (void)QTest::qWaitFor([&] { return !(items = Items()).isEmpty(); }, 20000);
        return items.value(0);
    }
    // What a tray host does on a left click: the activation token, then Activate.
    static void ClickItem(const QString& item) {
        const auto call = [&](const char* method, const QVariantList& arguments) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                item, QStringLiteral("/StatusNotifierItem"),
                QStringLiteral("org.kde.StatusNotifierItem"), QString::fromLatin1(method));
            message.setArguments(arguments);
            QDBusConnection::sessionBus().asyncCall(message);
        };
        call("ProvideXdgActivationToken", {QStringLiteral("rimo-test-token")});
        call("Activate", {0, 0});
    }

    std::unique_ptr<QProcess> watcher_;
};

// A Wayland client cannot un-minimise itself: the toggle hides and shows.
TEST_F(WaylandTest, TheTrayBringsTheWindowBackInTheTaskBarMode) {
    StartWatcher();
    auto form = StartShown();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Tray().HostAvailable(); }, 20000));
    const QString item = WaitForItem();
    ASSERT_FALSE(item.isEmpty()) << "the icon never reached the watcher";

    ClickItem(item);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 20000))
        << "the tray click did not take the window away (minimised, it could not come back)";
    ClickItem(item);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->isVisible(); }, 20000));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get(), 20000));
    EXPECT_TRUE(form->State().MainWindowShown);
}

// Qt decides once per process whether the StatusNotifier tray is there: this
// test and the next run in a process of their own (see CMakeLists.txt).
TEST_F(WaylandTest, WithoutATrayTheStartPromisesNothingAndTheWindowStays) {
    WriteSettings("[Setting]\r\nCMShowing=1\r\nTaskBar=0\r\n");
    Warnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepWarnings);
    auto form = std::make_unique<TForm1>(paths_, clock_, services_.All());
    QStringList titles;
    QObject::connect(form.get(), &QWidget::windowTitleChanged,
                     [&](const QString& title) { titles.append(title); });
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get(), 20000));
    // The notice would come a second after the first show: watched for twice as long.
    QTest::qWait(2500);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(form->isVisible());
    for (const QString& title : titles) {
        EXPECT_FALSE(title.contains(QStringLiteral("起動！"))) << title.toStdString();
    }
    for (const QString& warning : Warnings()) {
        EXPECT_FALSE(warning.contains(QStringLiteral("systemTrayWindowChanged")))
            << warning.toStdString();
    }
}

// The watcher comes after the program, goes, and comes back.
TEST_F(WaylandTest, ATrayThatComesLaterGetsTheIcon) {
    auto form = StartShown();
    EXPECT_FALSE(form->Tray().HostAvailable());
    EXPECT_TRUE(form->findChild<QLabel*>(QStringLiteral("TrayStatus"))->isVisible());

    StartWatcher();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Tray().HostAvailable(); }, 20000));
    EXPECT_FALSE(WaitForItem().isEmpty()) << "the late watcher never got the icon";
    EXPECT_FALSE(form->findChild<QLabel*>(QStringLiteral("TrayStatus"))->isVisible());

    StopWatcher();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Tray().HostAvailable(); }, 20000));
    StartWatcher();
    EXPECT_FALSE(WaitForItem().isEmpty()) << "a restarted watcher never got the icon";
}

TEST_F(WaylandTest, OptionsTheCompositorDecidesAreGreyedWithTheReasonAndKept) {
    WriteSettings("[Setting]\r\nTopMost=1\r\nFixed=1\r\n");
    auto form = StartShown();
    for (const char* name : {"CheckBoxTopMost", "CheckBoxFix"}) {
        auto* box = form->findChild<QCheckBox*>(QString::fromLatin1(name));
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isEnabled()) << name;
        EXPECT_TRUE(box->isChecked()) << name;
        EXPECT_THAT(box->toolTip().toStdString(), HasSubstr("コンポジター")) << name;
    }
    ASSERT_TRUE(form->close());
    EXPECT_THAT(StoredSettings(), HasSubstr("TopMost=1\r\nFixed=1\r\n"));
}

// A fixed size: a tiling compositor (sway) floats such a window at its size.
TEST_F(WaylandTest, TheWindowAsksForTheSizeItChoseAndSavesThatSize) {
    WriteSettings("[Position]\r\nWidth=650\r\n");
    auto form = StartShown();
    EXPECT_EQ(form->minimumSize(), QSize(650, 500));
    EXPECT_EQ(form->maximumSize(), QSize(650, 500));
    form->RollUpToggle();
    EXPECT_EQ(form->maximumSize(), QSize(650, 24));
    ASSERT_TRUE(form->close());
    const std::string stored = StoredSettings();
    EXPECT_THAT(stored, HasSubstr("Width=650\r\n"));
    EXPECT_THAT(stored, HasSubstr("Height=24\r\n"));
    EXPECT_THAT(stored, HasSubstr("ShowFlag=-1\r\n"));
}

// The window of a node of sway's layout tree whose window is this program's.
QJsonObject SwayNodeOfTheProgram(const QJsonObject& node) {
    if (node.value(QStringLiteral("pid")).toInt() == QCoreApplication::applicationPid()) {
        return node;
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
            const QJsonObject found = SwayNodeOfTheProgram(child.toObject());
            if (!found.isEmpty()) {
                return found;
            }
        }
    }
    return {};
}

TEST_F(WaylandTest, ATilingCompositorFloatsTheWindowAtItsSize) {
    if (test::Compositor::Current()->Kind() != "sway") {
        GTEST_SKIP() << "sway's layout tree tells";
    }
    auto form = StartShown();
    QJsonObject node;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const std::string tree = test::Compositor::Current()->SwayMessage("-t get_tree");
            node = SwayNodeOfTheProgram(
                QJsonDocument::fromJson(QByteArray::fromStdString(tree)).object());
            return !node.isEmpty();
        },
        20000));
    EXPECT_EQ(node.value(QStringLiteral("type")).toString(), QStringLiteral("floating_con"));
    const QJsonObject rect = node.value(QStringLiteral("window_rect")).toObject();
    EXPECT_EQ(rect.value(QStringLiteral("width")).toInt(), 700);
    EXPECT_EQ(rect.value(QStringLiteral("height")).toInt(), 500);
}

TEST_F(WaylandTest, SwayTakesTheWallpaperCommand) {
    if (test::Compositor::Current()->Kind() != "sway") {
        GTEST_SKIP() << "sway's own answer";
    }
    const QString command = DesktopWallpaper::SwayCommand(QStringLiteral("/p/my picture.png"));
    const std::string answer =
        test::Compositor::Current()->SwayMessage("-- '" + command.toStdString() + "'");
    EXPECT_THAT(answer, HasSubstr("\"success\": true")) << answer;
}

// mutter does not show a window transient for a minimised one.
TEST_F(WaylandTest, AMessageAndAReportWhileTheWindowIsMinimisedAreShown) {
    if (!OnMutter()) {
        GTEST_SKIP() << "mutter's window log tells what it shows";
    }
    auto form = StartShown();
    const std::size_t mark = test::Compositor::Current()->Log().size();
    form->showMinimized();
    // mutter has hidden the minimised window before the message is made.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return test::Compositor::Current()->Log().find("Implement showing = 0", mark) !=
                   std::string::npos;
        },
        20000));
    const std::string before = test::Compositor::Current()->Log();
    form->Scheduler()->Messages().DynamicForm("起床");
    form->ActionHostOfActions().ReportProblem("起動できません");

    // Windows mutter had not seen before, and which of them it showed.
    const std::regex window("window (W[0-9]+)");
    const std::regex shown("Implement showing = 1 for window (W[0-9]+)");
    std::set<std::string> old;
    for (std::sregex_iterator it(before.begin(), before.end(), window), end; it != end; ++it) {
        old.insert((*it)[1]);
    }
    const auto newShown = [&] {
        std::set<std::string> shownNow;
        const std::string log = test::Compositor::Current()->Log();
        for (std::sregex_iterator it(log.begin(), log.end(), shown), end; it != end; ++it) {
            if (!old.contains((*it)[1])) {
                shownNow.insert((*it)[1]);
            }
        }
        return shownNow.size();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return newShown() >= 2; }, 20000))
        << "mutter showed " << newShown() << " of the two new windows";
}

} // namespace
} // namespace rimo
