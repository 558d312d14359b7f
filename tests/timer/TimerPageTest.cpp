// The timer page and its notice dialog on their own, driven tick by tick on
// an elapsed-time clock of the test's own.
#include "timer/TimerPage.h"

#include "MessageBoxes.h"
#include "TempFolder.h"
#include "core/RadioGroup.h"
#include "fakes/FakeBootClock.h"
#include "fakes/FakeSound.h"
#include "timer/TTimeDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace rimo {
namespace {

using ::testing::ElementsAre;

class TimerPageTest : public ::testing::Test {
protected:
    TimerPageTest() : sheet_(new QWidget(&mainWindow_)) {
        TimerPageHost host;
        host.GetMainWindowOutOfTheWay = [this] { ++outOfTheWay_; };
        host.PlayWave = [this](const std::string& path) { waves_.push_back(path); };
        host.RunCommandLine = [this](const std::string& command) { runs_.push_back(command); };
        page_ = new TimerPage(*sheet_, {sound_, elapsed_}, std::move(host));
        // The tray submenu's items, as the tray menu names them.
        tray_.addAction(QStringLiteral("Loopさせる(&O)"))
            ->setObjectName(QStringLiteral("TimeLoop"));
        tray_.findChild<QAction*>(QStringLiteral("TimeLoop"))->setCheckable(true);
        for (int i = 0; i < 7; ++i) {
            tray_.addAction(QStringLiteral("%1分").arg(i))
                ->setObjectName(QStringLiteral("Quick%1").arg(i));
        }
        tray_.addAction(QStringLiteral("停止(&S)"))->setObjectName(QStringLiteral("TimeStop"));
        page_->ConnectTrayItems(tray_);
        dialog_ = std::make_unique<TTimeDlg>(*page_, mainWindow_);
        mainWindow_.show();
    }
    ~TimerPageTest() override {
        dialog_.reset();
        CloseMessageBoxes();
    }

    template <typename T> T* Control(const char* name) {
        T* control = sheet_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QAction* Item(const char* name) { return tray_.findChild<QAction*>(QString::fromLatin1(name)); }
    void Click(const char* button) { Control<QPushButton>(button)->click(); }
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            elapsed_.Advance(1000);
            page_->Timer1Step();
        }
    }
    // A start half-way between two ticks.
    void StartFromTray(const char* item) {
        Tick();
        elapsed_.Advance(500);
        Item(item)->trigger();
        elapsed_.Advance(-500);
    }

    QWidget mainWindow_;
    QWidget* sheet_;
    QMenu tray_;
    FakeSound sound_;
    FakeBootClock elapsed_;
    TimerPage* page_;
    std::unique_ptr<TTimeDlg> dialog_;
    int outOfTheWay_ = 0;
    std::vector<std::string> waves_;
    std::vector<std::string> runs_;
};

TEST_F(TimerPageTest, TheTrayItemStartsAThreeMinuteTimerWithTheStartNotice) {
    StartFromTray("Quick3");
    EXPECT_EQ(Control<QComboBox>("ComboBoxTime")->currentText(), QStringLiteral("３分"));
    EXPECT_TRUE(page_->State().CountdownRunning);
    EXPECT_EQ(outOfTheWay_, 1);

    ASSERT_TRUE(dialog_->isVisible());
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("只今より 3分 経過したらお知らせします"));
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("RimoTimeInformation タイマー起動"));
    EXPECT_FALSE(dialog_->OKButton()->isVisible());
    EXPECT_EQ(dialog_->height(), 80 - TTimeDlg::kTitleBarHeight);
    EXPECT_FALSE(dialog_->windowFlags() & Qt::WindowCloseButtonHint);
    // A close asked of the start notice is refused.
    EXPECT_FALSE(dialog_->close());
    EXPECT_TRUE(dialog_->isVisible());

    Tick(2);
    EXPECT_FALSE(dialog_->isMinimized());
    Tick();
    EXPECT_TRUE(dialog_->isMinimized());
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:02:57"));
}

TEST_F(TimerPageTest, AtExpiryTheNoticeComesBackWithBeepSoundAndProgram) {
    Control<QCheckBox>("CheckBoxSound")->setChecked(true);
    Control<QCheckBox>("CheckBoxSoundLoop")->setChecked(true);
    Control<QLineEdit>("LabeledEditWave")->setText(QStringLiteral("\"/snd/ding.wav\""));
    Control<QCheckBox>("CheckBoxPath")->setChecked(true);
    Control<QLineEdit>("LabeledEdit3")->setText(QStringLiteral("\"/bin/app\" -x"));
    StartFromTray("Quick3");
    Tick(179);
    EXPECT_TRUE(dialog_->isMinimized());
    EXPECT_EQ(sound_.Beeps, 0);
    waves_.clear();
    Tick();

    EXPECT_FALSE(page_->State().CountdownRunning);
    ASSERT_TRUE(dialog_->isVisible());
    EXPECT_FALSE(dialog_->isMinimized());
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("ご指定の 3分 が経過しました"));
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("RimoTimeInformation タイマー終了"));
    EXPECT_TRUE(dialog_->OKButton()->isVisible());
    EXPECT_EQ(dialog_->OKButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog_->height(), 100 - TTimeDlg::kTitleBarHeight);
    EXPECT_TRUE(dialog_->CloseEnabled());
    EXPECT_EQ(sound_.Beeps, 1);
    // The closing of the start notice stopped any sound before the wave started.
    EXPECT_THAT(waves_, ElementsAre("", "/snd/ding.wav"));
    EXPECT_THAT(runs_, ElementsAre("\"/bin/app\" -x"));

    // Closing the expiry notice silences the looping wave.
    EXPECT_TRUE(dialog_->close());
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(waves_.back(), "");
    Tick(5);
    EXPECT_EQ(sound_.Beeps, 1);
}

TEST_F(TimerPageTest, LoopModeRestartsAndItsStopButtonEndsTheTimer) {
    Control<QTimeEdit>("DateTimePicker3")->setTime(QTime(1, 30, 5));
    Control<QCheckBox>("CheckBoxTimeLoop")->setChecked(true);
    StartFromTray("Quick0");
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("ご指定の 1時間 30分 5秒 毎にLoopします"));
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("RimoTimeInformation タイマーLoopモード"));
    EXPECT_EQ(dialog_->OKButton()->text(), QStringLiteral("停止"));
    EXPECT_TRUE(dialog_->OKButton()->isVisible());

    Tick(5405);
    // Expired, and at once counting again under the loop notice.
    EXPECT_EQ(sound_.Beeps, 1);
    EXPECT_TRUE(page_->State().CountdownRunning);
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("ご指定の 1時間 30分 5秒 毎にLoopします"));
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り1:30:05"));
    Tick();
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り1:30:04"));

    dialog_->OKButton()->click();
    EXPECT_FALSE(page_->State().CountdownRunning);
    EXPECT_FALSE(dialog_->isVisible());
    Tick(6000);
    EXPECT_EQ(sound_.Beeps, 1);
}

TEST_F(TimerPageTest, TheTestBeepsOnceAtTheNextTickWithoutTheDialog) {
    Click("ButtonTimeTest");
    EXPECT_EQ(sound_.Beeps, 0);
    Tick();
    EXPECT_EQ(sound_.Beeps, 1);
    EXPECT_FALSE(dialog_->isVisible());
    Tick(3);
    EXPECT_EQ(sound_.Beeps, 1);
}

TEST_F(TimerPageTest, StoppingFromTheTrayHidesTheNoticeAndStopsTheSound) {
    StartFromTray("Quick1");
    Tick(10);
    Item("TimeStop")->trigger();
    EXPECT_FALSE(page_->State().CountdownRunning);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(waves_.back(), "");
    Tick(100);
    EXPECT_EQ(sound_.Beeps, 0);
    // The button on the page does the same while it runs.
    Click("ButtonTimeStart");
    EXPECT_TRUE(dialog_->isVisible());
    Click("ButtonTimeStop");
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(TimerPageTest, TheFreeDurationIsAtLeastFiveSeconds) {
    auto* picker = Control<QTimeEdit>("DateTimePicker3");
    EXPECT_EQ(picker->time(), QTime(0, 0, 5));
    picker->setTime(QTime(0, 0, 3));
    EXPECT_EQ(picker->time(), QTime(0, 0, 5));
    picker->setTime(QTime(0, 2, 3));
    EXPECT_EQ(picker->time(), QTime(0, 2, 3));
}

TEST_F(TimerPageTest, TimerLoopAndTrayItemGoTogetherAndTurnSoundLoopingOff) {
    auto* timeLoop = Control<QCheckBox>("CheckBoxTimeLoop");
    auto* soundLoop = Control<QCheckBox>("CheckBoxSoundLoop");
    soundLoop->setChecked(true);
    timeLoop->setChecked(true);
    EXPECT_FALSE(soundLoop->isChecked());
    EXPECT_TRUE(Item("TimeLoop")->isChecked());
    // Sound looping afterwards leaves timer looping alone.
    soundLoop->setChecked(true);
    EXPECT_TRUE(timeLoop->isChecked());
    // The tray item toggles the box.
    Item("TimeLoop")->trigger();
    EXPECT_FALSE(timeLoop->isChecked());
    EXPECT_FALSE(Item("TimeLoop")->isChecked());
    EXPECT_TRUE(soundLoop->isChecked());
    Item("TimeLoop")->trigger();
    EXPECT_TRUE(timeLoop->isChecked());
    EXPECT_FALSE(soundLoop->isChecked());
}

TEST_F(TimerPageTest, TheSoundBoxEnablesItsLoopBoxAndPath) {
    auto* sound = Control<QCheckBox>("CheckBoxSound");
    EXPECT_FALSE(Control<QCheckBox>("CheckBoxSoundLoop")->isEnabled());
    EXPECT_FALSE(Control<QLineEdit>("LabeledEditWave")->isEnabled());
    sound->setChecked(true);
    EXPECT_TRUE(Control<QCheckBox>("CheckBoxSoundLoop")->isEnabled());
    EXPECT_TRUE(Control<QLineEdit>("LabeledEditWave")->isEnabled());
    EXPECT_TRUE(Control<QLabel>("LabeledEditWaveLabel")->isEnabled());
}

TEST_F(TimerPageTest, BrowsingWritesTheChosenFileInQuotes) {
    TempFolder folder;
    const std::filesystem::path wave = folder / "my ding.wav";
    TempFolder::Write(wave, "RIFF");
    TempFolder::Write(folder / "tool", "#!/bin/sh\n");
    auto* edit = Control<QLineEdit>("LabeledEditWave");
    edit->setText(QString::fromStdString("\"" + (folder / "old.wav").string() + "\""));
    // The dialog, once shown, is answered by `answer`.
    const auto browse = [this](const char* button,
                               const std::function<void(QFileDialog&)>& answer) {
        QTimer::singleShot(0, [answer] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QStringLiteral("OpenDialog1") && widget->isVisible()) {
                    answer(*static_cast<QFileDialog*>(widget));
                    return;
                }
            }
            ADD_FAILURE() << "OpenDialog1 was not shown";
        });
        sheet_->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
    browse("ButtonVide", [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ファイル名の指定"));
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("WaveFile (*.wav)")});
        // Where the edit's file lies.
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), folder.Path().string());
        dialog.selectFile(QString::fromStdString(wave.string()));
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
    });
    EXPECT_EQ(edit->text().toStdString(), "\"" + wave.string() + "\"");

    browse("ButtonRefer", [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("すべてのファイル (*)")});
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_TRUE(Control<QLineEdit>("LabeledEdit3")->text().isEmpty());
}

TEST_F(TimerPageTest, AStartWithNoDurationDoesNotStartAndSaysSo) {
    Control<QComboBox>("ComboBoxTime")->setCurrentIndex(-1);
    Click("ButtonTimeStart");
    EXPECT_FALSE(page_->State().CountdownRunning);
    EXPECT_FALSE(dialog_->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(VisibleMessageBoxes().size(), 1);
}

} // namespace
} // namespace rimo
