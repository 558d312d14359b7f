// The timer page in the main window: its settings keys, the tray submenu,
// the tick's countdown step with the real action runner on fake services,
// and the scheduled sound's loop flag. RIMO_SCREENSHOT_DIR, when set,
// receives pictures of the page and of each notice.
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
    std::unique_ptr<TForm1> Start() {
        auto form = FormTest::Start();
        form->Timer1().SetEnabled(false); // the test ticks by hand
        dialog_ = std::make_unique<TTimeDlg>(form->TimerPage1(), *form);
        return form;
    }
    ~TimerInMainWindow() override { dialog_.reset(); }

    // The next tick: a second later on both clocks.
    void Tick(TForm1& form, int count = 1) {
        for (int i = 0; i < count; ++i) {
            clock_.Advance(1000);
            services_.Elapsed.Advance(1000);
            form.Timer1Timer();
        }
    }
    template <typename T> static T* Control(TForm1& form, const char* name) {
        T* control = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    static void Picture(QWidget& widget, const char* name) {
        const QByteArray folder = qgetenv("RIMO_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                               QString::fromLatin1(name));
        }
    }

    std::unique_ptr<TTimeDlg> dialog_;
};

TEST_F(TimerInMainWindow, TheTenKeysAreBoundToThePageControls) {
    WriteSettings("[Setting]\r\nTimer=1:30:05\r\nComboTime=3\r\nSound=1\r\nSoundLoop=1\r\n"
                  "WaveFileName=\"/snd/ding.wav\"\r\nPath=1\r\nAppPath=\"/bin/app\" -x\r\n"
                  "TimeCount=1\r\nBeep=7\r\nTimeLoop=0\r\n");
    auto form = Start();
    EXPECT_EQ(Control<QTimeEdit>(*form, "DateTimePicker3")->time(), QTime(1, 30, 5));
    EXPECT_EQ(Control<QComboBox>(*form, "ComboBoxTime")->currentText(), QStringLiteral("３分"));
    EXPECT_TRUE(Control<QCheckBox>(*form, "CheckBoxSound")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(*form, "CheckBoxSoundLoop")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(*form, "CheckBoxSoundLoop")->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(*form, "LabeledEditWave")->text(),
              QStringLiteral("\"/snd/ding.wav\""));
    EXPECT_TRUE(Control<QCheckBox>(*form, "CheckBoxPath")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(*form, "LabeledEdit3")->text(), QStringLiteral("\"/bin/app\" -x"));
    EXPECT_EQ(Control<RadioGroup>(*form, "RadioGroupTimeCount")->ItemIndex(), 1);
    EXPECT_TRUE(Control<QCheckBox>(*form, "CheckBoxBeep")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(*form, "CheckBoxTimeLoop")->isChecked());
    EXPECT_TRUE(MessageBoxes().isEmpty());

    ASSERT_TRUE(form->close());
    EXPECT_THAT(StoredSettings(),
                HasSubstr("Timer=1:30:05\r\nComboTime=3\r\nSound=1\r\nSoundLoop=1\r\n"
                          "WaveFileName=\"/snd/ding.wav\"\r\nPath=1\r\nAppPath=\"/bin/app\" -x\r\n"
                          "TimeCount=1\r\nBeep=1\r\nTimeLoop=0\r\n"));
}

TEST_F(TimerInMainWindow, StoredValuesTheTimerCannotUseBecomeSoundOnes) {
    WriteSettings("[Setting]\r\nTimer=0:00:00\r\nComboTime=abc\r\nTimeCount=5\r\n");
    auto form = Start();
    EXPECT_EQ(Control<QTimeEdit>(*form, "DateTimePicker3")->time(), QTime(0, 0, 5));
    EXPECT_EQ(Control<QComboBox>(*form, "ComboBoxTime")->currentIndex(), 0);
    EXPECT_EQ(Control<RadioGroup>(*form, "RadioGroupTimeCount")->ItemIndex(), 1);
    QApplication::processEvents();
    ASSERT_EQ(MessageBoxes().size(), 1);
    const std::string text = MessageBoxes()[0]->text().toStdString();
    EXPECT_THAT(text, HasSubstr("Timer=0:00:00 は使えない値です。0:00:05 を使います"));
    EXPECT_THAT(text, HasSubstr("ComboTime=abc は整数ではありません。既定値 0 を使います"));
    EXPECT_THAT(text, HasSubstr("TimeCount=5 は使えない値です。1 を使います"));
    CloseMessageBoxes();
    form.reset();

    WriteSettings("[Setting]\r\nTimer=soon\r\nComboTime=99\r\n");
    form = Start();
    EXPECT_EQ(Control<QTimeEdit>(*form, "DateTimePicker3")->time(), QTime(0, 0, 5));
    EXPECT_EQ(Control<QComboBox>(*form, "ComboBoxTime")->currentIndex(), 6);
}

TEST_F(TimerInMainWindow, TheTrayItemRunsAThreeMinuteTimerToItsEnd) {
    WriteSettings("[Setting]\r\nSound=1\r\nSoundLoop=1\r\nWaveFileName=\"/snd/ding.wav\"\r\n"
                  "Path=1\r\nAppPath=\"/opt/tools/alarm\" --loud\r\n");
    auto form = Start();
    Control<QTabWidget>(*form, "PageControl1")->setCurrentIndex(1);
    Picture(*form, "timer-page.png");
    Tick(*form);

    form->Popup().Item(QStringLiteral("Quick3"))->trigger();
    EXPECT_EQ(Control<QComboBox>(*form, "ComboBoxTime")->currentText(), QStringLiteral("３分"));
    EXPECT_TRUE(form->isMinimized()); // out of the way, by the taskbar mode
    ASSERT_TRUE(dialog_->isVisible());
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("只今より 3分 経過したらお知らせします"));
    Picture(*dialog_, "timer-start-notice.png");

    Tick(*form, 3);
    EXPECT_TRUE(dialog_->isMinimized());
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:02:57"));
    // The clock set back an hour does not lengthen the countdown.
    clock_.Advance(-3600 * 1000);
    Tick(*form, 176);
    EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("残り0:00:01"));
    EXPECT_TRUE(services_.Programs.Starts.empty());
    Tick(*form);

    ASSERT_TRUE(dialog_->isVisible());
    EXPECT_FALSE(dialog_->isMinimized());
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("ご指定の 3分 が経過しました"));
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

TEST_F(TimerInMainWindow, TheLoopNoticeAndTheHiddenMode) {
    WriteSettings("[Setting]\r\nTimer=1:30:05\r\nTimeLoop=1\r\nTaskBar=1\r\n");
    trayHost_ = true;
    auto form = Start();
    EXPECT_TRUE(form->Popup().Item(QStringLiteral("TimeLoop"))->isChecked());
    form->Popup().Item(QStringLiteral("Quick0"))->trigger();
    EXPECT_FALSE(form->isVisible()); // hidden, by the taskbar mode
    EXPECT_FALSE(form->State().MainWindowShown);
    EXPECT_EQ(dialog_->Label1()->text(), QStringLiteral("ご指定の 1時間 30分 5秒 毎にLoopします"));
    EXPECT_EQ(dialog_->OKButton()->text(), QStringLiteral("停止"));
    Picture(*dialog_, "timer-loop-notice.png");
    // The tray item turns looping off on the page.
    form->Popup().Item(QStringLiteral("TimeLoop"))->trigger();
    EXPECT_FALSE(Control<QCheckBox>(*form, "CheckBoxTimeLoop")->isChecked());
    form->Popup().Item(QStringLiteral("TimeStop"))->trigger();
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(TimerInMainWindow, TheScheduledSoundLoopsAsThePageSays) {
    const DateTime now = clock_.Now();
    WriteSchedule({{"snd", "", FormatScheduleDate(now), FormatScheduleTime(AddSeconds(now, 2)),
                    "サウンド", "\"/snd/ding.wav\"", "しない", "○"}});
    WriteSettings("[Setting]\r\nSoundLoop=1\r\n");
    auto form = Start();
    Tick(*form, 3);
    ASSERT_EQ(services_.Sound.Waves.size(), 1u);
    EXPECT_TRUE(services_.Sound.Waves[0].Loop);
}

} // namespace
} // namespace rimo
