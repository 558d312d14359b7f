#include "app/TForm1.h"

#include "FormTest.h"
#include "TempFolder.h"
#include "app/AppActionHost.h"
#include "app/SecondTimer.h"
#include "fakes/FakeClock.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace rimo {
namespace {

using MainWindowTest = FormTest;

TEST_F(MainWindowTest, HasTheDesignedControls) {
    auto form = Start();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("RimoTimeInformation"));
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->geometry(), QRect(16, 8, 657, 217));
    const QStringList captions{QStringLiteral("時刻合わせ(&H)"), QStringLiteral("RIMOタイマー(&T)"),
                               QStringLiteral("RIMOランチャー(&L)"), QStringLiteral("設定(&C)..."),
                               QStringLiteral("バージョン情報(&A)")};
    ASSERT_EQ(pages->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pages->tabText(i), captions[i]);
        EXPECT_EQ(pages->widget(i)->objectName(), QStringLiteral("TabSheet%1").arg(i + 1));
    }

    ScheduleGrid* grid = form->StringGrid1();
    EXPECT_EQ(grid->objectName(), QStringLiteral("StringGrid1"));
    EXPECT_EQ(grid->geometry(), QRect(8, 232, 673, 201));
    // The designed widths, but where the fonts need more for a stored word,
    // taken from the message column.
    const int widths[] = {79, 54, 100, 64, 64, 200, 50, 32};
    int total = 0;
    for (int c = 0; c < 8; ++c) {
        EXPECT_GE(grid->columnWidth(c), c == 5 ? 100 : widths[c]);
        total += grid->columnWidth(c);
    }
    EXPECT_EQ(total, 643);
    EXPECT_EQ(grid->model()->headerData(5, Qt::Horizontal).toString(),
              QStringLiteral("メッセージ(起動パス)"));

    struct Expected {
        const char* Name;
        QString Caption;
        QString Hint;
        QRect Geometry;
    };
    const Expected buttons[] = {
        {"AddButton", QStringLiteral("追加"), QStringLiteral("最終行に行を追加します"), {10, 440, 75, 25}},
        {"OKButton", QStringLiteral("OK"),
         QStringLiteral("入力を記憶してウィンドウを最小化又は非表示にします"), {420, 440, 95, 25}},
        {"CloseButton", QStringLiteral("終了"), QStringLiteral("終了します"), {610, 440, 75, 25}},
    };
    for (const Expected& expected : buttons) {
        auto* button = form->findChild<QPushButton*>(QString::fromLatin1(expected.Name));
        ASSERT_NE(button, nullptr) << expected.Name;
        EXPECT_EQ(button->text(), expected.Caption);
        EXPECT_EQ(button->toolTip(), expected.Hint);
        EXPECT_EQ(button->geometry(), expected.Geometry);
    }
}

TEST_F(MainWindowTest, StartsWithTheDesignedTableWhenThereIsNoFile) {
    auto form = Start();
    EXPECT_EQ(form->Schedule().RowCount(), 9);
    EXPECT_EQ(form->StringGrid1()->model()->rowCount(), 8);
    EXPECT_EQ(form->State().ShowFlag, 1);
    EXPECT_TRUE(MessageBoxes().isEmpty());
}

TEST_F(MainWindowTest, LoadsTheScheduleAndCatchesUpPassedRows) {
    WriteSchedule({{"起床", "毎日", "2026/12/01/火", "07:00:00", "警告音", "", "しない", "○"},
                   {"once", "", "2026/12/01/火", "07:00:00", "警告音", "", "しない", "○"}});
    auto form = Start();
    // Caught up, then sorted: the past row first, the next event current.
    ASSERT_EQ(form->Schedule().RowCount(), 3);
    EXPECT_EQ(form->Schedule().Row(1)[ColTitle], "once");
    EXPECT_EQ(form->Schedule().Cell(ColDate, 1), "2026/12/01/火");
    EXPECT_EQ(form->Schedule().Cell(ColDate, 2), "2026/12/09/水");
    EXPECT_EQ(form->StringGrid1()->model()->index(1, ColDate).data().toString(),
              QStringLiteral("2026/12/09/水"));
    EXPECT_EQ(form->StringGrid1()->CurrentTableRow(), 2);
}

TEST_F(MainWindowTest, ReportsAnUnreadableFileOnceAndStartsAnyway) {
    TempFolder::Write(paths_.ScheduleFile(), "8\r\nlots\r\n");
    auto form = Start();
    QApplication::processEvents();
    const QList<QMessageBox*> boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("'lots' は整数ではありません")));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "rimotime.dat.broken"));
    EXPECT_EQ(form->Schedule().RowCount(), 9);
}

TEST_F(MainWindowTest, ReportsRowsTheCatchUpCannotRead) {
    WriteSchedule({{"no time", "毎日", "", "", "", "", "しない", "×"}});
    auto form = Start();
    QApplication::processEvents();
    const QList<QMessageBox*> boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().contains(QStringLiteral("1 行目: '' は時刻ではありません")));
}

TEST_F(MainWindowTest, RollsUpToTheTitleBarAndBack) {
    auto form = Start();
    ASSERT_EQ(form->height(), 500);
    form->RollUpToggle();
    EXPECT_EQ(form->height(), 24);
    EXPECT_EQ(form->State().ShowFlag, -1);
    form->RollUpToggle();
    EXPECT_EQ(form->height(), 500);
    EXPECT_EQ(form->State().ShowFlag, 1);

    // A double-click on the free background does the same.
    QTest::mouseDClick(form.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 470));
    EXPECT_EQ(form->height(), 24);
    QTest::mouseDClick(form.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(form->height(), 500);
    // A double-click on a button does not.
    QTest::mouseDClick(form->findChild<QPushButton*>(QStringLiteral("SortButton")),
                       Qt::LeftButton);
    EXPECT_EQ(form->height(), 500);
    // Nor on an empty page or a label, which pass their double-clicks on.
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    pages->setCurrentIndex(1);
    QTest::mouseDClick(pages->widget(1), Qt::LeftButton);
    EXPECT_EQ(form->height(), 500);
    pages->setCurrentIndex(0);
    QTest::mouseDClick(form->findChild<QLabel*>(QStringLiteral("LabelTimeOut")), Qt::LeftButton);
    EXPECT_EQ(form->height(), 500);
}

TEST_F(MainWindowTest, KeepsItsSizeLimits) {
    auto form = Start();
    form->resize(50, 500);
    EXPECT_EQ(form->width(), 100);
    form->resize(900, 900);
    EXPECT_EQ(form->size(), QSize(700, 500));
    // A full-height window keeps its height; only the width follows.
    form->resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(400, 500));
    // Rolled up, it keeps the rolled-up height.
    form->RollUpToggle();
    form->resize(500, 24);
    QApplication::processEvents();
    EXPECT_EQ(form->size(), QSize(500, 24));
}

TEST_F(MainWindowTest, MaximisingKeepsThePlace) {
    auto form = Start();
    form->resize(300, 500);
    form->move(40, 60);
    QApplication::processEvents();
    const QPoint place = form->pos();
    form->showMaximized();
    QTest::qWait(50);
    EXPECT_FALSE(form->isMaximized());
    EXPECT_EQ(form->size(), QSize(700, 500));
    EXPECT_EQ(form->pos(), place);
}

TEST_F(MainWindowTest, AMaximiseOfARolledUpWindowUnrollsItAndSoDoesTheStoredState) {
    auto form = Start();
    form->RollUpToggle();
    ASSERT_EQ(form->State().ShowFlag, -1);
    // The window manager's answer to a double-click on the title bar.
    form->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isMaximized(); }, 5000));
    EXPECT_EQ(form->size(), QSize(700, 500));
    EXPECT_EQ(form->State().ShowFlag, 1);
    ASSERT_TRUE(form->close());
    const std::string stored = StoredSettings();
    EXPECT_NE(stored.find("Height=500\r\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("ShowFlag=1\r\n"), std::string::npos) << stored;
}

// A box transient for a minimised window is not shown (mutter): a report the
// user did not ask for right now is a window of its own.
TEST_F(MainWindowTest, AReportStandsOverTheWindowInUseAndOnItsOwnOtherwise) {
    auto form = Start();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->ActionHostOfActions().ReportProblem("起動できません");
    QList<QMessageBox*> boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->parentWidget(), form.get());
    CloseMessageBoxes();

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    form->showMinimized();
    form->ActionHostOfActions().ReportProblem("起動できません");
    boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->parentWidget(), nullptr);
    ASSERT_NE(boxes[0]->windowHandle(), nullptr);
    EXPECT_EQ(boxes[0]->windowHandle()->transientParent(), nullptr);
    form.reset(); // the box goes with the program
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(MessageBoxes().isEmpty());
}

TEST_F(MainWindowTest, TogglesBetweenMinimisedAndNormalInTheTaskBarMode) {
    auto form = Start();
    form->ToggleMainWindow();
    EXPECT_TRUE(form->isMinimized());
    form->ToggleMainWindow();
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(MainWindowTest, OkStoresTheTableAndCancelBringsItBack) {
    auto form = Start();
    form->Schedule().SetCell(ColTitle, 1, "記憶");
    form->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    EXPECT_TRUE(form->isMinimized());
    ScheduleTable stored;
    LoadSchedule(paths_.ScheduleFile(), stored);
    EXPECT_EQ(stored.Cell(ColTitle, 1), "記憶");

    form->Schedule().SetCell(ColTitle, 1, "忘れる");
    form->Schedule().AddRow();
    form->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    EXPECT_EQ(form->Schedule().Cell(ColTitle, 1), "記憶");
    EXPECT_EQ(form->Schedule().RowCount(), 9);
    EXPECT_EQ(form->StringGrid1()->model()->index(0, 0).data().toString(), QStringLiteral("記憶"));
}

TEST_F(MainWindowTest, ClosingWritesTheScheduleAndEndsTheProgram) {
    auto form = Start();
    form->Schedule().SetCell(ColTitle, 2, "残す");
    QSignalSpy closed(form.get(), &TForm1::Closed);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(closed.count(), 1);
    ScheduleTable stored;
    LoadSchedule(paths_.ScheduleFile(), stored);
    EXPECT_EQ(stored.Cell(ColTitle, 2), "残す");
    // Nothing was synchronised: no log file.
    EXPECT_FALSE(std::filesystem::exists(paths_.SyncLogFile()));
}

TEST_F(MainWindowTest, ALogThatCannotBeWrittenIsReportedAndTheCloseGoesOn) {
    std::filesystem::create_directory(paths_.SyncLogFile()); // not writable, even as root
    auto form = Start();
    form->findChild<QListWidget*>(QStringLiteral("ListBoxResult"))
        ->addItem(QStringLiteral("2026/12/08 10:00:03 +0/00:00:03"));
    form->Schedule().SetCell(ColTitle, 1, "残す");
    QSignalSpy closed(form.get(), &TForm1::Closed);
    EXPECT_TRUE(form->close());
    ScheduleTable stored;
    LoadSchedule(paths_.ScheduleFile(), stored);
    EXPECT_EQ(stored.Cell(ColTitle, 1), "残す");
    EXPECT_TRUE(std::filesystem::exists(paths_.SettingsFile()));
    // The program ends once the report has been read.
    ASSERT_EQ(MessageBoxes().size(), 1);
    EXPECT_TRUE(MessageBoxes()[0]->text().contains(QStringLiteral("rimotime.log")));
    EXPECT_EQ(closed.count(), 0);
    CloseMessageBoxes();
    EXPECT_EQ(closed.count(), 1);
}

// A data folder that cannot be made: the close cannot save, says why and asks
// once whether to close without saving.
TEST_F(MainWindowTest, AFileThatCannotBeWrittenAsksOnceWhetherToCloseWithoutSaving) {
    TempFolder::Write(folder_ / "not-a-folder", "x");
    paths_ = AppPaths::InFolder(folder_ / "not-a-folder");
    auto form = Start();
    QApplication::processEvents();
    CloseMessageBoxes(); // the start-up's report that the schedule could not be read
    QSignalSpy closed(form.get(), &TForm1::Closed);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(MessageBoxes().size(), 1);
    QMessageBox* question = MessageBoxes()[0];
    EXPECT_TRUE(question->text().contains(QStringLiteral("rimotime.dat")));
    EXPECT_TRUE(question->text().contains(QStringLiteral("保存せずに終了しますか")));
    ASSERT_NE(question->button(QMessageBox::Yes), nullptr);
    EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));

    // No: the window stays; closing again asks the same one question.
    question->button(QMessageBox::No)->click();
    QApplication::processEvents();
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->close());
    ASSERT_EQ(MessageBoxes().size(), 1);

    // Yes: it closes without another word.
    MessageBoxes()[0]->button(QMessageBox::Yes)->click();
    QApplication::processEvents();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(MessageBoxes().isEmpty());
}

TEST_F(MainWindowTest, ASessionEndWritesTheFilesWithoutAsking) {
    auto form = Start();
    form->Schedule().SetCell(ColTitle, 1, "ログアウト");
    QSignalSpy closed(form.get(), &TForm1::Closed);
    form->CloseForSessionEnd();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(MessageBoxes().isEmpty());
    ScheduleTable stored;
    LoadSchedule(paths_.ScheduleFile(), stored);
    EXPECT_EQ(stored.Cell(ColTitle, 1), "ログアウト");
}

TEST_F(MainWindowTest, TicksEverySecond) {
    auto form = Start(); // shown: its title scrolls
    QSignalSpy ticks(form.get(), &TForm1::Ticked);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(services_.Seconds.Step(clock_));
        EXPECT_EQ(services_.Seconds.ArmedFor(), clock_.UnixMilliseconds() / 1000 + 1);
    }
    EXPECT_EQ(ticks.count(), 3);
}

} // namespace
} // namespace rimo
