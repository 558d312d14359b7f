// The timer page in the main window with its notice dialog: the settings
// keys, the tray submenu, the tick's countdown step with the real action
// runner on fake services, and the scheduled sound's loop flag.
// RIMO_SCREENSHOT_DIR, when set, receives pictures of the page and notices.
#include "AccessibleTree.h"
#include "app/FormTest.h"

#include "app/SecondTimer.h"
#include "app/TrayMenu.h"
#include "core/RadioGroup.h"
#include "timer/TTimeDlg.h"
#include "timer/TimerPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>

#include <gmock/gmock.h>

namespace rimo {
namespace {

using ::testing::HasSubstr;

class TimerInMainWindow : public FormTest {
protected:
    ~TimerInMainWindow() override { dialog_.reset(); }

    void Start() {
        form_ = FormTest::Start();
        form_->Timer1().SetEnabled(false); // the test ticks by hand
        dialog_ = std::make_unique<TTimeDlg>(form_->TimerPage1(), *form_);
    }
    // The next tick(s): a second later on both clocks.
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            clock_.Advance(1000);
            services_.Elapsed.Advance(1000);
            form_->Timer1Timer();
        }
    }
    template <typename T> T* Control(const char* name) {
        T* control = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QAction* Item(const char* name) { return form_->Popup().Item(QString::fromLatin1(name)); }
    static void Picture(QWidget& widget, const char* name) {
        const QByteArray folder = qgetenv("RIMO_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                               QString::fromLatin1(name));
        }
    }

    std::unique_ptr<TForm1> form_;
    std::unique_ptr<TTimeDlg> dialog_;
};

TEST_F(TimerInMainWindow, TheTenKeysAreBoundToThePageControls) {
    WriteSettings("[Setting]\r\nTimer=1:30:05\r\nComboTime=3\r\nSound=1\r\nSoundLoop=1\r\n"
                  "WaveFileName=\"/snd/ding.wav\"\r\nPath=1\r\nAppPath=\"/bin/app\" -x\r\n"
                  "TimeCount=1\r\nBeep=7\r\nTimeLoop=0\r\n");
    Start();
    EXPECT_EQ(Control<QTimeEdit>("DateTimePicker3")->time(), QTime(1, 30, 5));
    EXPECT_EQ(Control<QComboBox>("ComboBoxTime")->currentText(), QStringLiteral("３分"));
    EXPECT_TRUE(Control<QCheckBox>("CheckBoxSoundLoop")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>("CheckBoxSoundLoop")->isEnabled()); // by "Sound"
    EXPECT_EQ(Control<QLineEdit>("LabeledEdit3")->text(), QStringLiteral("\"/bin/app\" -x"));
    EXPECT_EQ(Control<RadioGroup>("RadioGroupTimeCount")->ItemIndex(), 1);
    EXPECT_TRUE(Control<QCheckBox>("CheckBoxBeep")->isChecked());
    EXPECT_TRUE(MessageBoxes().isEmpty());
    ASSERT_TRUE(form_->close());
    EXPECT_THAT(StoredSettings(),
                HasSubstr("Timer=1:30:05\r\nComboTime=3\r\nSound=1\r\nSoundLoop=1\r\n"
                          "WaveFileName=\"/snd/ding.wav\"\r\nPath=1\r\nAppPath=\"/bin/app\" -x\r\n"
                          "TimeCount=1\r\nBeep=1\r\nTimeLoop=0\r\n"));

    // Values the timer cannot use become sound ones.
    WriteSettings("[Setting]\r\nTimer=0:00:00\r\nComboTime=99\r\nTimeCount=5\r\n");
    Start();
    EXPECT_EQ(Control<QTimeEdit>("DateTimePicker3")->time(), QTime(0, 0, 5));
    EXPECT_EQ(Control<QComboBox>("ComboBoxTime")->currentIndex(), 6);
    EXPECT_EQ(Control<RadioGroup>("RadioGroupTimeCount")->ItemIndex(), 1);
    CloseMessageBoxes();
    WriteSettings("[Setting]\r\nTimer=soon\r\nComboTime=abc\r\n");
    Start();
    EXPECT_EQ(Control<QTimeEdit>("DateTimePicker3")->time(), QTime(0, 0, 5));
    EXPECT_EQ(Control<QComboBox>("ComboBoxTime")->currentIndex(), 0);
}

TEST_F(TimerInMainWindow, TheNoticeKeepsItsNameAndTellsTheTimeLeftAsItsDescription) {
    Start();
    Item("Quick3")->trigger();
    ASSERT_TRUE(dialog_->isVisible());
    const QString name = QStringLiteral("RimoTimeInformation タイマー起動");
    EXPECT_EQ(AccessibleName(dialog_.get()), name);
    Tick(2);
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:02:58"));
    EXPECT_EQ(AccessibleName(dialog_.get()), name);
    EXPECT_EQ(Accessible(dialog_.get())->text(QAccessible::Description),
              QStringLiteral("残り0:02:58"));
}

TEST_F(TimerInMainWindow, TheTrayItemRunsAThreeMinuteTimerToItsEnd) {
    WriteSettings("[Setting]\r\nSound=1\r\nSoundLoop=1\r\nWaveFileName=\"/snd/ding.wav\"\r\n"
                  "Path=1\r\nAppPath=\"/opt/tools/alarm\" --loud\r\n");
    Start();
    Control<QTabWidget>("PageControl1")->setCurrentIndex(1);
    Picture(*form_, "timer-page.png");
    Tick();

    Item("Quick3")->trigger();
    EXPECT_EQ(Control<QComboBox>("ComboBoxTime")->currentText(), QStringLiteral("３分"));
    EXPECT_TRUE(form_->isMinimized()); // out of the way, by the taskbar mode
    ASSERT_TRUE(dialog_->isVisible());
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("只今より 3分 経過したらお知らせします"));
    EXPECT_EQ(dialog_->height(), 80 - TTimeDlg::kTitleBarHeight);
    EXPECT_FALSE(dialog_->OKButton()->isVisible());
    EXPECT_FALSE(dialog_->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog_->close()); // refused on the start notice
    Picture(*dialog_, "timer-start-notice.png");

    Tick(2);
    EXPECT_FALSE(dialog_->isMinimized());
    Tick();
    EXPECT_TRUE(dialog_->isMinimized());
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:02:57"));
    // The clock set back an hour does not lengthen the countdown.
    clock_.Advance(-3600 * 1000);
    Tick(176);
    EXPECT_TRUE(services_.Programs.Starts.empty());
    Tick();

    EXPECT_FALSE(dialog_->isMinimized());
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("ご指定の 3分 が経過しました"));
    EXPECT_EQ(dialog_->OKButton()->text(), QStringLiteral("OK"));
    Picture(*dialog_, "timer-expiry-notice.png");
    EXPECT_EQ(services_.Sound.Beeps, 1);
    ASSERT_EQ(services_.Sound.Waves.size(), 1u);
    EXPECT_EQ(services_.Sound.Waves[0].Path, "/snd/ding.wav");
    EXPECT_TRUE(services_.Sound.Waves[0].Loop);
    ASSERT_EQ(services_.Programs.Starts.size(), 1u);
    EXPECT_EQ(services_.Programs.Starts[0].Program, "/opt/tools/alarm");
    EXPECT_THAT(services_.Programs.Starts[0].Arguments, ::testing::ElementsAre("--loud"));

    // "OK" silences the looping wave.
    const int stops = services_.Sound.Stops;
    dialog_->OKButton()->click();
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(services_.Sound.Stops, stops + 1);
}

TEST_F(TimerInMainWindow, TheLoopNoticeTheHiddenModeAndTheTrayItems) {
    WriteSettings("[Setting]\r\nTimer=1:30:05\r\nTimeLoop=1\r\nTaskBar=1\r\n");
    trayHost_ = true;
    Start();
    EXPECT_TRUE(Item("TimeLoop")->isChecked());
    Item("Quick0")->trigger();
    EXPECT_FALSE(form_->isVisible()); // hidden, by the taskbar mode
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("ご指定の 1時間 30分 5秒 毎にLoopします"));
    EXPECT_EQ(dialog_->OKButton()->text(), QStringLiteral("停止"));
    Picture(*dialog_, "timer-loop-notice.png");

    Item("TimeLoop")->trigger();
    EXPECT_FALSE(Control<QCheckBox>("CheckBoxTimeLoop")->isChecked());
    Item("TimeStop")->trigger();
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_FALSE(form_->TimerPage1().State().CountdownRunning);
}

TEST_F(TimerInMainWindow, ThePageSwitchesTestAndStart) {
    Start();
    auto* picker = Control<QTimeEdit>("DateTimePicker3");
    picker->setTime(QTime(0, 0, 3));
    EXPECT_EQ(picker->time(), QTime(0, 0, 5));

    // Timer looping turns sound looping off, in step with the tray item.
    auto* soundLoop = Control<QCheckBox>("CheckBoxSoundLoop");
    soundLoop->setChecked(true);
    Control<QCheckBox>("CheckBoxTimeLoop")->setChecked(true);
    EXPECT_FALSE(soundLoop->isChecked());
    EXPECT_TRUE(Item("TimeLoop")->isChecked());
    soundLoop->setChecked(true);
    EXPECT_TRUE(Control<QCheckBox>("CheckBoxTimeLoop")->isChecked());

    EXPECT_FALSE(Control<QLineEdit>("LabeledEditWave")->isEnabled());
    Control<QCheckBox>("CheckBoxSound")->setChecked(true);
    EXPECT_TRUE(Control<QLineEdit>("LabeledEditWave")->isEnabled());

    // The test: one beep at the next tick, no dialog.
    Control<QPushButton>("ButtonTimeTest")->click();
    Tick(3);
    EXPECT_EQ(services_.Sound.Beeps, 1);
    EXPECT_FALSE(dialog_->isVisible());

    // No quick item chosen: nothing to count, so no start.
    Control<QComboBox>("ComboBoxTime")->setCurrentIndex(-1);
    Control<QPushButton>("ButtonTimeStart")->click();
    EXPECT_FALSE(dialog_->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(MessageBoxes().size(), 1);
}

TEST_F(TimerInMainWindow, AStartCountsFromTheTickBeforeAfterATestOrALongGap) {
    Start();
    Tick();
    // テスト, 停止 and 開始 within one second: the start notice, and a normal count.
    Control<QPushButton>("ButtonTimeTest")->click();
    Control<QPushButton>("ButtonTimeStop")->click();
    Item("Quick3")->trigger();
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("只今より 3分 経過したらお知らせします"));
    Tick();
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:02:59"));
    EXPECT_EQ(services_.Sound.Beeps, 0);
    Item("TimeStop")->trigger();

    // An hour without ticks (asleep), then a click 0.8 s into a second.
    clock_.Advance(3600 * 1000 + 800);
    services_.Elapsed.Advance(3600 * 1000 + 800);
    Item("Quick3")->trigger();
    clock_.Advance(200);
    services_.Elapsed.Advance(200);
    form_->Timer1Timer();
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:02:59"));
    Tick(2);
    EXPECT_TRUE(dialog_->isMinimized());
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:02:57"));
}

TEST_F(TimerInMainWindow, FailedStartsAtExpiryShowOneReportThatCounts) {
    WriteSettings("[Setting]\r\nTimer=0:00:05\r\nTimeLoop=1\r\nBeep=0\r\nPath=1\r\n"
                  "AppPath=\"/opt/none/alarm\" -x\r\n");
    services_.Programs.Failure = "プログラムが見つかりません: /opt/none/alarm";
    Start();
    Control<QPushButton>("ButtonTimeStart")->click();
    Tick(15); // three periods
    EXPECT_EQ(services_.Programs.Starts.size(), 3u);
    QApplication::processEvents();
    QList<QMessageBox*> boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_THAT(boxes[0]->text().toStdString(), HasSubstr("/opt/none/alarm"));
    EXPECT_THAT(boxes[0]->text().toStdString(), HasSubstr("3 回"));
    Item("TimeStop")->trigger();
    CloseMessageBoxes();

    // Ticked with no path: said, not skipped in silence.
    for (const char* path : {"", "\"\""}) {
        Control<QLineEdit>("LabeledEdit3")->setText(QString::fromLatin1(path));
        Control<QPushButton>("ButtonTimeTest")->click();
        Tick();
        QApplication::processEvents();
        boxes = MessageBoxes();
        ASSERT_EQ(boxes.size(), 1) << path;
        EXPECT_THAT(boxes[0]->text().toStdString(), HasSubstr("起動パスが空")) << path;
        CloseMessageBoxes();
    }
    EXPECT_EQ(services_.Programs.Starts.size(), 3u);
}

TEST_F(TimerInMainWindow, TheScheduledSoundLoopsAsThePageSays) {
    const DateTime now = clock_.Now();
    WriteSchedule({{"snd", "", FormatScheduleDate(now), FormatScheduleTime(AddSeconds(now, 2)),
                    "サウンド", "\"/snd/ding.wav\"", "しない", "○"}});
    WriteSettings("[Setting]\r\nSoundLoop=1\r\n");
    Start();
    Tick(3);
    ASSERT_EQ(services_.Sound.Waves.size(), 1u);
    EXPECT_TRUE(services_.Sound.Waves[0].Loop);
}

} // namespace
} // namespace rimo
