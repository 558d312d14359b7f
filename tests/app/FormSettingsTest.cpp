// The settings file through the main window: rimotime.ini into the controls
// and back, with the controls of later pages stood in for by plain widgets
// carrying the designed names.
#include "FormTest.h"

#include "app/FormSettings.h"
#include "core/RadioGroup.h"
#include "app/TrayMenu.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>

#include <gmock/gmock.h>

namespace rimo {
namespace {

using ::testing::HasSubstr;

std::vector<std::string> KeysOf(const std::string& text) {
    std::vector<std::string> keys;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(pos, end - pos);
        if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            keys.push_back(line.substr(0, equals));
        }
        pos = end + 2;
    }
    return keys;
}

class FormSettingsTest : public FormTest {
protected:
    QTabWidget* Pages(TForm1& form) {
        return form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    }
    QWidget* Page(TForm1& form, int index) { return Pages(form)->widget(index); }
};

TEST_F(FormSettingsTest, WithoutAFileEverythingTakesItsDefault) {
    auto form = Start();
    EXPECT_EQ(form->pos(), QPoint(100, 100));
    EXPECT_EQ(form->size(), QSize(700, 500));
    EXPECT_EQ(form->State().ShowFlag, 1);
    EXPECT_EQ(Pages(*form)->currentIndex(), 0);
    EXPECT_EQ(Pages(*form)->tabText(0), QStringLiteral("時刻合わせ(&H)"));
    FormSettings& settings = form->Settings();
    for (const char* on : {"AnimeIcon", "Next", "Scroll", "Beep", "Log", "CheckBoxConf"}) {
        EXPECT_TRUE(settings.Checked(on)) << on;
    }
    for (const char* off : {"Msg", "Sound", "SoundLoop", "Path", "TimeLoop", "TopMost", "Fixed",
                            "CMShowing", "ScrSaver", "StartUp"}) {
        EXPECT_FALSE(settings.Checked(off)) << off;
    }
    EXPECT_EQ(settings.Value("Timer").Time, EncodeTime(0, 0, 5));
    EXPECT_EQ(form->IconDisplayMode(), 0);
    EXPECT_FALSE(form->MinimizeAfterStart());
    EXPECT_TRUE(MessageBoxes().isEmpty());
}

TEST_F(FormSettingsTest, PlaceSizeAndPageComeBack) {
    WriteSettings("[Position]\r\nLeft=40\r\nTop=30\r\nWidth=300\r\nHeight=500\r\n\r\n"
                  "[Setting]\r\nTabIndex=3\r\n");
    auto form = Start();
    EXPECT_EQ(form->pos(), QPoint(40, 30));
    EXPECT_EQ(form->size(), QSize(300, 500));
    EXPECT_EQ(Pages(*form)->currentIndex(), 3);
}

TEST_F(FormSettingsTest, APlaceLeftOfOrAboveTheScreenBecomesItsEdge) {
    WriteSettings("[Position]\r\nLeft=-20\r\nTop=-5\r\n");
    auto form = Start();
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    EXPECT_TRUE(MessageBoxes().isEmpty());
}

TEST_F(FormSettingsTest, BooleansReadAsIntegers) {
    WriteSettings("[Setting]\r\nLog=7\r\nMsg=yes\r\nBeep=0\r\n");
    auto form = Start();
    EXPECT_TRUE(form->Settings().Checked("Log"));
    EXPECT_FALSE(form->Settings().Checked("Msg"));
    EXPECT_FALSE(form->Settings().Checked("Beep"));

    WriteSettings("[Setting]\r\nLog=yes\r\n");
    form.reset();
    form = Start();
    EXPECT_TRUE(form->Settings().Checked("Log"));
}

TEST_F(FormSettingsTest, AssignmentsRunTheControlsHandlersInReadingOrder) {
    auto form = Start();
    // The timer page's controls, and a stand-in for the settings page's.
    auto* soundLoop = form->findChild<QCheckBox*>(QStringLiteral("CheckBoxSoundLoop"));
    auto* timeLoop = form->findChild<QCheckBox*>(QStringLiteral("CheckBoxTimeLoop"));
    auto* picker = form->findChild<QTimeEdit*>(QStringLiteral("DateTimePicker3"));
    auto* quick = form->findChild<QComboBox*>(QStringLiteral("ComboBoxTime"));
    ASSERT_TRUE(soundLoop && timeLoop && picker && quick);
    // The clock page's own controls.
    auto* timeOut = form->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"));
    auto* server = form->findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"));
    ASSERT_NE(timeOut, nullptr);
    ASSERT_NE(server, nullptr);
    // The settings page's own.
    auto* taskBar = form->findChild<RadioGroup*>(QStringLiteral("RadioGroupTaskBar"));
    ASSERT_NE(taskBar, nullptr);
    QSignalSpy taskBarChanges(taskBar, &RadioGroup::ItemIndexChanged);

    WriteSettings("[Setting]\r\nTimeOut=5\r\nServer=ntp.example.jp\r\nTimer=0:03:00\r\n"
                  "ComboTime=9\r\nSoundLoop=1\r\nTimeLoop=1\r\nTaskBar=1\r\n");
    ::testing::internal::CaptureStderr();
    form->LoadSettings();
    const std::string notes = ::testing::internal::GetCapturedStderr();
    // Ticking "Loopさせる(&O)" unticks "繰り返す(&R)", which was read before it.
    EXPECT_TRUE(timeLoop->isChecked());
    EXPECT_FALSE(soundLoop->isChecked());
    EXPECT_TRUE(form->Popup().Item(QStringLiteral("TimeLoop"))->isChecked());
    EXPECT_EQ(picker->time(), QTime(0, 3, 0));
    EXPECT_EQ(server->text(), QStringLiteral("ntp.example.jp"));
    // Within each control's own range.
    EXPECT_EQ(timeOut->value(), 100);
    EXPECT_EQ(quick->currentIndex(), 6);
    ASSERT_EQ(taskBarChanges.count(), 1);
    EXPECT_EQ(taskBar->ItemIndex(), 1);
    EXPECT_EQ(form->IconDisplayMode(), 1);

    // Quietly: a line each on standard error, no message box.
    QApplication::processEvents();
    EXPECT_TRUE(MessageBoxes().isEmpty());
    EXPECT_THAT(notes, HasSubstr("TimeOut=5 は使えない値です。100 を使います"));
    EXPECT_THAT(notes, HasSubstr("ComboTime=9 は使えない値です。6 を使います"));

    // The controls are the settings: what they hold is written at close.
    server->setText(QStringLiteral("時刻.example"));
    picker->setTime(QTime(1, 30, 0));
    taskBar->SetItemIndex(0);
    ASSERT_TRUE(form->close());
    const std::string stored = StoredSettings();
    EXPECT_THAT(stored, HasSubstr("TimeOut=100\r\nServer=\x8E\x9E\x8D\x8F.example\r\n"));
    EXPECT_THAT(stored, HasSubstr("Timer=1:30:00\r\nComboTime=6\r\n"));
    EXPECT_THAT(stored, HasSubstr("SoundLoop=0\r\n"));
    EXPECT_THAT(stored, HasSubstr("TimeLoop=1\r\n"));
    EXPECT_THAT(stored, HasSubstr("TaskBar=0\r\n"));
}

TEST_F(FormSettingsTest, AfterARunTheFileHoldsAllKeysAndEverythingElse) {
    WriteSettings("; kept\r\n[Setting]\r\nUnknown=1\r\nBeep=0\r\n\r\n[Plugin]\r\nx=y\r\n");
    auto form = Start();
    ASSERT_TRUE(form->close());
    const std::string stored = StoredSettings();
    EXPECT_THAT(KeysOf(stored),
                ::testing::ElementsAre("Unknown", "Beep", "ShowFlag", "TimeOut", "Server", "Log",
                                       "Msg", "Timer", "ComboTime", "Sound", "SoundLoop",
                                       "WaveFileName", "Path", "AppPath", "TimeCount", "TimeLoop",
                                       "LaunchTitleIndex", "CheckBoxConf", "TabIndex", "TopMost",
                                       "Fixed", "AnimeIcon", "Next", "Scroll", "TaskBar",
                                       "CMShowing", "ScrSaver", "StartUp", "Protocol", "Missed",
                                       "x", "Left", "Top", "Width", "Height"));
    EXPECT_EQ(stored.substr(0, 8), "; kept\r\n");
    EXPECT_THAT(stored, HasSubstr("[Setting]\r\nUnknown=1\r\nBeep=0\r\nShowFlag=1\r\n"));
    EXPECT_THAT(
        stored,
        HasSubstr(
            "StartUp=0\r\nProtocol=NTP\r\nMissed=1\r\n\r\n[Plugin]\r\nx=y\r\n\r\n[Position]\r\n"
            "Left=100\r\nTop=100\r\nWidth=700\r\nHeight=500\r\n\r\n"));

    // A new file has the table's order, "Position" first.
    std::filesystem::remove(paths_.SettingsFile());
    form = Start();
    ASSERT_TRUE(form->close());
    const std::vector<std::string> keys = KeysOf(StoredSettings());
    ASSERT_EQ(keys.size(), 33u);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i], SettingsSchema::Keys()[i].Key);
    }
    EXPECT_EQ(StoredSettings().substr(0, 22), "[Position]\r\nLeft=100\r\n");
}

TEST_F(FormSettingsTest, ARolledUpWindowIsStoredAndRestoredRolledUp) {
    auto form = Start();
    form->RollUpToggle();
    ASSERT_TRUE(form->close());
    EXPECT_THAT(StoredSettings(), HasSubstr("Height=24\r\n"));
    EXPECT_THAT(StoredSettings(), HasSubstr("ShowFlag=-1\r\n"));

    form = Start();
    EXPECT_EQ(form->State().ShowFlag, -1);
    EXPECT_EQ(form->height(), 24);
    form->RollUpToggle();
    EXPECT_EQ(form->height(), 500);
    EXPECT_EQ(form->State().ShowFlag, 1);
}

TEST_F(FormSettingsTest, KeysWithoutTheirControlAreWrittenBackUnchanged) {
    WriteSettings("[Setting]\r\nUnknownKey=abc\r\nLaunchTitleIndex=2\r\n");
    auto form = Start();
    // Read all the same where the window needs them.
    EXPECT_EQ(form->Settings().Integer("LaunchTitleIndex"), 2);
    EXPECT_TRUE(MessageBoxes().isEmpty());
    ASSERT_TRUE(form->close());
    const std::string stored = StoredSettings();
    EXPECT_THAT(stored, HasSubstr("[Setting]\r\nUnknownKey=abc\r\n"));
    EXPECT_THAT(stored, HasSubstr("LaunchTitleIndex=2\r\n"));
}

TEST_F(FormSettingsTest, BadValuesBecomeSoundOnesQuietly) {
    WriteSettings("[Position]\r\nWidth=999999\r\n@@@ garbage ###\r\nLeft=10\r\nLeft=500\r\n\r\n"
                  "[Setting]\r\nShowFlag=5\r\nTaskBar=-3\r\nTabIndex=42\r\nAnimeIcon=on\r\n"
                  "Log=yes\r\n");
    ::testing::internal::CaptureStderr();
    auto form = Start();
    const std::string notes = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(form->width(), 700);
    EXPECT_EQ(form->x(), 10);
    EXPECT_EQ(form->State().ShowFlag, 1);
    EXPECT_EQ(form->IconDisplayMode(), 0);
    EXPECT_EQ(Pages(*form)->currentIndex(), 4);
    EXPECT_TRUE(form->Settings().Checked("AnimeIcon"));

    EXPECT_TRUE(form->Settings().Checked("Log"));
    EXPECT_THAT(notes, HasSubstr("rimotime.ini: Width=999999 は使えない値です。700 を使います\n"));
    EXPECT_THAT(notes, HasSubstr("ShowFlag=5 は使えない値です。1 を使います"));
    EXPECT_THAT(notes, HasSubstr("TabIndex=42 は使えない値です。4 を使います"));
    EXPECT_THAT(notes, HasSubstr("Log=yes は整数ではありません。既定値 1 を使います"));
    EXPECT_THAT(notes, HasSubstr("TaskBar=-3 は使えない値です。0 を使います"));
    EXPECT_THAT(notes, HasSubstr("AnimeIcon=on は整数ではありません。既定値 1 を使います"));
    // Only what is wrong with the file itself is shown.
    QApplication::processEvents();
    const QList<QMessageBox*> boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    const std::string text = boxes[0]->text().toStdString();
    EXPECT_THAT(text, HasSubstr("rimotime.ini について"));
    EXPECT_THAT(text, HasSubstr("[Position] Left が 2 回あります"));
    EXPECT_THAT(text, ::testing::Not(HasSubstr("Width")));
    CloseMessageBoxes();

    ASSERT_TRUE(form->close());
    const std::string stored = StoredSettings();
    // Sound values written, the unknown line kept, the repeat dropped.
    EXPECT_THAT(stored, HasSubstr("[Position]\r\nWidth=700\r\n@@@ garbage ###\r\nLeft=10\r\n"
                                  "Top=100\r\nHeight=500\r\n\r\n"));
    EXPECT_THAT(stored, HasSubstr("ShowFlag=1\r\nTaskBar=0\r\nTabIndex=4\r\nAnimeIcon=1\r\n"));
}

TEST_F(FormSettingsTest, AFileWithoutItsSectionsOrWithBinaryBytes) {
    WriteSettings("[Other]\r\nLeft=-999\r\n");
    auto form = Start();
    EXPECT_EQ(form->pos(), QPoint(100, 100));
    form.reset();

    const std::string bytes = "[Position]\r\nLeft=30\r\n\x81\x7f\xff\xfe\x01\r\nTop=20\r\n";
    WriteSettings(bytes);
    form = Start();
    EXPECT_EQ(form->pos(), QPoint(30, 20));
    QApplication::processEvents();
    ASSERT_EQ(MessageBoxes().size(), 1);
    EXPECT_THAT(MessageBoxes()[0]->text().toStdString(), HasSubstr("rimotime.ini.broken"));
    EXPECT_EQ(TempFolder::Read(folder_ / "rimotime.ini.broken"), bytes);
    ASSERT_TRUE(form->close());
    EXPECT_THAT(StoredSettings(), HasSubstr("[Position]\r\nLeft=30\r\nTop=20\r\n"));
    EXPECT_EQ(TempFolder::Read(folder_ / "rimotime.ini.broken"), bytes);
}

TEST_F(FormSettingsTest, TheHiddenModeHidesOnlyWhileATrayIconCanBringItBack) {
    WriteSettings("[Setting]\r\nTaskBar=1\r\n");
    trayHost_ = true;
    auto form = Start();
    ASSERT_EQ(form->IconDisplayMode(), 1);
    form->ToggleMainWindow();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->State().MainWindowShown);
    form->ToggleMainWindow();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->State().MainWindowShown);
    form.reset();

    trayHost_ = false;
    form = Start();
    form->ToggleMainWindow();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    form->ToggleMainWindow();
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(FormSettingsTest, MinimisesOneSecondAfterStartWhenAsked) {
    WriteSettings("[Setting]\r\nCMShowing=1\r\n");
    auto form = Start();
    EXPECT_TRUE(form->MinimizeAfterStart());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->isMinimized(); }, 5000));
}

TEST(RadioGroup, AnAssignmentActsOnlyWhenTheIndexChanges) {
    RadioGroup group(QStringLiteral("カウント設定"));
    group.setObjectName(QStringLiteral("RadioGroupTimeCount"));
    QSignalSpy changes(&group, &RadioGroup::ItemIndexChanged);
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItems({QStringLiteral("カウントダウン(&D)"), QStringLiteral("カウントアップ(&U)")});
    EXPECT_EQ(changes.count(), 0);
    group.SetItemIndex(1);
    group.SetItemIndex(1);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 1);
    // A click is a change like any other.
    auto* first = group.findChild<QAbstractButton*>(QStringLiteral("RadioGroupTimeCountItem0"));
    ASSERT_NE(first, nullptr);
    first->click();
    EXPECT_EQ(group.ItemIndex(), 0);
    EXPECT_EQ(changes.count(), 2);
    // Outside the items: none chosen, no button checked.
    group.SetItemIndex(5);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_FALSE(first->isChecked());
    EXPECT_EQ(group.property("ItemIndex").toInt(), -1);
    group.SetItemText(1, QStringLiteral("up"));
    EXPECT_EQ(group.Items()[1], QStringLiteral("up"));
}

} // namespace
} // namespace rimo
