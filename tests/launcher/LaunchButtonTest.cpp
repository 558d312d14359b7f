#include "AccessibleTree.h"
#include "LauncherFixture.h"
#include "launcher/LaunchButtonDialog.h"
#include "platform/linux/DesktopProgramStarter.h"

#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUrl>

namespace rimo {
namespace {

const QString kUnregistered = QStringLiteral("未登録");

class LaunchButtonTest : public LauncherFixture {
protected:
    LaunchButtonTest() : button_(Services(), &window_) {
        TempFolder::Write(folder_ / "run.sh", "#!/bin/sh\n");
        script_ = QString::fromStdString((folder_ / "run.sh").string());
    }
    void Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        // The drop goes to the widget that took the drag's entry.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&button_, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&button_, &drop);
    }
    QColor Face() const { return button_.palette().color(QPalette::Button); }

    TLaunchButton button_;
    QString script_;
};

TEST_F(LaunchButtonTest, GlyphOnlyButtonsShowTheTitleOnlyAsTheHint) {
    button_.SetProgramPath(script_);
    EXPECT_EQ(button_.toolTip(), QStringLiteral("run.sh"));
    EXPECT_FALSE(button_.Glyph().isNull());
    button_.SetProgramTitle(QStringLiteral("走る"));
    EXPECT_EQ(button_.toolTip(), QStringLiteral("走る"));
    // A title cleared on a registered button leaves it without a hint until
    // its path changes; the same path again does not bring one.
    button_.SetProgramTitle({});
    button_.SetProgramPath(script_);
    EXPECT_EQ(button_.toolTip(), QString());

    button_.SetItem({"t", script_.toStdString(), "/d", "-x", TProgState::psMaximized, "/i", 2});
    button_.SetProgramPath({});
    EXPECT_EQ(button_.Item(), LaunchItem());
    EXPECT_EQ(button_.toolTip(), kUnregistered);
    EXPECT_TRUE(button_.Glyph().isNull());
    EXPECT_TRUE(button_.text().isEmpty());
}

TEST_F(LaunchButtonTest, AScreenReaderCallsItByItsTitleElseFileElseUnregistered) {
    EXPECT_EQ(AccessibleName(&button_), kUnregistered);
    button_.SetProgramPath(script_);
    EXPECT_EQ(AccessibleName(&button_), QStringLiteral("run.sh"));
    button_.SetProgramTitle(QStringLiteral("走る"));
    EXPECT_EQ(AccessibleName(&button_), QStringLiteral("走る"));
    // The hint goes with a cleared title; the name never does.
    button_.SetProgramTitle({});
    EXPECT_EQ(button_.toolTip(), QString());
    EXPECT_EQ(AccessibleName(&button_), QStringLiteral("run.sh"));
    button_.SetProgramPath({});
    EXPECT_EQ(AccessibleName(&button_), kUnregistered);
}

TEST_F(LaunchButtonTest, EnterStartsAFocusedButtonTheMenuKeysOpenItsDialog) {
    button_.SetProgramPath(script_);
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    button_.setFocus();
    QTest::keyClick(&button_, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return programs_.Starts.size() == 1; }, 5000));
    QTest::keyClick(&button_, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return programs_.Starts.size() == 2; }, 5000));

    int shown = 0;
    const auto closeDialog = [&] {
        Repeat([&] {
            LaunchButtonDialog* dialog = button_.Dialog();
            if (!dialog || !dialog->isVisible()) {
                return false;
            }
            ++shown;
            dialog->reject();
            return true;
        });
    };
    closeDialog();
    QTest::keyClick(&button_, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(shown, 1);
    closeDialog();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              button_.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&button_, &request);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(programs_.Starts.size(), 2U);
}

TEST_F(LaunchButtonTest, InCaptionedModeTheCaptionFollowsTheTitle) {
    button_.setText(QStringLiteral("x"));
    button_.SetProgramPath(QStringLiteral("/opt/app/tool.bin"));
    EXPECT_EQ(button_.text(), QStringLiteral("tool.bin"));
    button_.SetProgramTitle(QStringLiteral("Tool"));
    EXPECT_EQ(button_.text(), QStringLiteral("Tool"));
    button_.SetProgramTitle({});
    EXPECT_EQ(button_.text(), QStringLiteral("tool.bin"));
    EXPECT_EQ(button_.toolTip(), QStringLiteral("tool.bin"));
    button_.SetProgramTitle(QStringLiteral("Tool"));
    button_.ClearProgram();
    EXPECT_EQ(button_.text(), QString(QChar(0x3000)));
    EXPECT_EQ(button_.toolTip(), kUnregistered);
    button_.SetProgramTitle(QStringLiteral("a"));
    button_.SetProgramTitle({});
    EXPECT_EQ(button_.text(), QStringLiteral(" "));
}

TEST_F(LaunchButtonTest, TheGlyphIsRebuiltOnlyByThePath) {
    const QString set = QString::fromStdString(IconSet("set.ico", {Qt::red, Qt::blue}));
    button_.SetProgramIconPath(set);
    button_.SetProgramIconNo(1);
    button_.SetProgramPath(script_);
    EXPECT_EQ(Middle(button_.Glyph()), QColor(Qt::blue));
    button_.SetProgramIconNo(0);
    EXPECT_EQ(Middle(button_.Glyph()), QColor(Qt::blue)); // not redrawn by the number
    // The same path again redraws; a number beyond the file's icons gives a blank glyph.
    button_.SetProgramIconNo(2);
    button_.SetProgramPath(script_);
    EXPECT_EQ(button_.Glyph().toImage().pixelColor(0, 15), Face());
    EXPECT_EQ(Middle(button_.Glyph()), Face());
    EXPECT_EQ(button_.toolTip(), QStringLiteral("run.sh"));
}

TEST_F(LaunchButtonTest, AClickStartsTheItemWithItsOptionsFolderAndState) {
    button_.Click();
    EXPECT_TRUE(programs_.Starts.empty()); // unregistered
    button_.SetItem({"", script_.toStdString(), "/work dir", "-a \"b c\" ; $HOME",
                     TProgState::psMaximized, "", 0});
    button_.click(); // as the user's click
    button_.SetProgramState(TProgState::psMinimized);
    button_.Click();
    ASSERT_EQ(programs_.Starts.size(), 2u);
    EXPECT_EQ(programs_.Starts[0].Program, script_.toStdString());
    EXPECT_EQ(programs_.Starts[0].Arguments, (std::vector<std::string>{"-a", "b c", ";", "$HOME"}));
    EXPECT_EQ(programs_.Starts[0].Folder, "/work dir");
    EXPECT_EQ(programs_.Starts[0].State, StartState::Maximized);
    EXPECT_EQ(programs_.Starts[1].State, StartState::Minimized);
    EXPECT_TRUE(VisibleMessageBoxes().isEmpty());

    // A start that fails is said in a message that does not wait.
    programs_.Failure = "プログラムが見つかりません: /gone";
    button_.Click();
    EXPECT_EQ(Notices(), QStringList{QStringLiteral("プログラムが見つかりません: /gone")});
}

TEST_F(LaunchButtonTest, DroppedFilesRegisterOrAreOpenedWithTheItem) {
    QSignalSpy updated(&button_, &TLaunchButton::Updated);
    button_.SetAcceptDragFile(true);
    // Ten at once are refused; a URL that is no local file does not count.
    QList<QUrl> ten;
    for (int i = 0; i < 10; ++i) {
        ten.append(QUrl::fromLocalFile(QStringLiteral("/tmp/f%1").arg(i)));
    }
    Drop(ten);
    EXPECT_EQ(Notices(),
              QStringList{QStringLiteral(
                  "同時に２個以上のファイルのドラッグ＆ドロップはサポートしていません。")});
    EXPECT_TRUE(button_.ProgramPath().isEmpty());
    EXPECT_EQ(updated.count(), 0);

    Drop({QUrl::fromLocalFile(QStringLiteral("/srv/My Docs/")),
          QUrl(QStringLiteral("https://x.org/"))});
    EXPECT_EQ(button_.ProgramPath(), QStringLiteral("/srv/My Docs"));
    EXPECT_EQ(updated.count(), 1);
    EXPECT_TRUE(programs_.Starts.empty());

    // On a registered button: opened with it, normal-sized, the button unchanged.
    button_.SetProgramState(TProgState::psMinimized);
    button_.SetProgramOption(QStringLiteral("-unused"));
    button_.SetProgramDir(QStringLiteral("/srv"));
    Drop({QUrl::fromLocalFile(QStringLiteral("/tmp/a b.txt"))});
    ASSERT_EQ(programs_.Starts.size(), 1u);
    EXPECT_EQ(programs_.Starts[0].Program, "/srv/My Docs");
    EXPECT_EQ(programs_.Starts[0].Arguments, std::vector<std::string>{"/tmp/a b.txt"});
    EXPECT_EQ(programs_.Starts[0].Folder, "/srv");
    EXPECT_EQ(programs_.Starts[0].State, StartState::Normal);
    EXPECT_EQ(button_.ProgramPath(), QStringLiteral("/srv/My Docs"));
    EXPECT_EQ(updated.count(), 1);
}

TEST_F(LaunchButtonTest, RealProgramsGetTheirOptionsFolderAndDroppedFile) {
    // A script that writes its folder and arguments.
    const auto out = folder_ / "out.txt";
    TempFolder::Write(folder_ / "args.sh",
                      "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '" +
                          out.string() + ".part'; mv '" + out.string() + ".part' '" + out.string() +
                          "'\n");
    std::filesystem::permissions(folder_ / "args.sh", std::filesystem::perms::owner_all);
    std::filesystem::create_directories(folder_ / "work dir");
    const auto wait = [&] {
        QElapsedTimer timer;
        timer.start();
        while (!std::filesystem::exists(out) && timer.elapsed() < 10000) {
            QThread::msleep(20);
        }
        const std::string text = TempFolder::Read(out);
        std::filesystem::remove(out);
        return text;
    };
    DesktopProgramStarter starter;
    TLaunchButton button({starter, icons_}, &window_);
    button.SetItem({"", (folder_ / "args.sh").string(), (folder_ / "work dir").string(),
                    "-a \"b c\" $(id)", TProgState::psMaximized, "", 0});
    button.Click();
    EXPECT_EQ(wait(), (folder_ / "work dir").string() + "\n[-a]\n[b c]\n[$(id)]\n");
    button.DropFiles({QString::fromStdString((folder_ / "a b.txt").string())});
    EXPECT_EQ(wait(),
              (folder_ / "work dir").string() + "\n[" + (folder_ / "a b.txt").string() + "]\n");
}

} // namespace
} // namespace rimo
