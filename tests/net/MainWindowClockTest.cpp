// The clock page inside the main window: its place, the handler the tray and
// the schedule call, and the log at close.
#include "app/TForm1.h"

#include "app/AppActionHost.h"
#include "app/FormTest.h"
#include "app/TrayMenu.h"
#include "net/ClockPage.h"
#include "net/ProtocolComboBox.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace rimo {
namespace {

class MainWindowClockTest : public FormTest {
protected:
    MainWindowClockTest() : form_(Start()) {}
    ~MainWindowClockTest() override {
        CloseMessageBoxes();
        form_->CloseForSessionEnd();
        QApplication::processEvents();
    }
    static QStringList Messages() {
        QStringList texts;
        for (QMessageBox* box : VisibleMessageBoxes()) {
            texts.append(box->text());
        }
        return texts;
    }

    std::unique_ptr<TForm1> form_;
};

TEST_F(MainWindowClockTest, TheClockPageLivesOnTheFirstPage) {
    auto* pages = form_->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QWidget* sheet = pages->widget(0);
    EXPECT_EQ(sheet->objectName(), QStringLiteral("TabSheet1"));
    for (const char* name : {"GroupBoxSetTime", "GroupBoxResult", "GetTimeButton", "MsgCheckBox",
                             "LogButton", "CheckBoxLog"}) {
        auto* control = sheet->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->parentWidget(), sheet) << name;
    }
    EXPECT_NE(form_->findChild<QObject*>(QStringLiteral("DayTimeClient1")), nullptr);
}

TEST_F(MainWindowClockTest, TheHandlerShowsTheClockPageAndAsksForAServer) {
    auto* pages = form_->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    pages->setCurrentIndex(3);
    form_->showMinimized();
    QApplication::processEvents();
    form_->GetTimeButtonClick();
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(form_->isMinimized());
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("ホスト名を入力して下さい。")});
}

TEST_F(MainWindowClockTest, TheTrayItemAndTheScheduledActionSynchroniseAsTheButtonDoes) {
    const std::function<void()> ways[] = {
        [this] { form_->Popup().Item(QStringLiteral("PopupHour"))->trigger(); },
        [this] { form_->ActionHostOfActions().SynchroniseClock(); },
    };
    for (const auto& synchronise : ways) {
        synchronise();
        EXPECT_EQ(Messages(), QStringList{QStringLiteral("ホスト名を入力して下さい。")});
        CloseMessageBoxes();
    }
    EXPECT_TRUE(services_.ClockSetting.Shifts.empty());
}

TEST_F(MainWindowClockTest, TheLogGetsTheResultLinesOnceThoughTheCloseStepsRunTwice) {
    auto* list = form_->findChild<QListWidget*>(QStringLiteral("ListBoxResult"));
    list->addItem(QStringLiteral("2026/12/08 10:00:03 +0/00:00:03"));
    ASSERT_TRUE(form_->FormCloseQuery()); // the desktop session's save
    list->addItem(QStringLiteral("2026/12/08 10:30:00 -0/00:00:01"));
    ASSERT_TRUE(form_->FormCloseQuery()); // the close
    EXPECT_EQ(TempFolder::Read(paths_.SyncLogFile()),
              "2026/12/08 10:00:03 +0/00:00:03\r\n2026/12/08 10:30:00 -0/00:00:01\r\n");
}

// "Protocol" in rimotime.ini: a file that names a server but no protocol
// (the Windows program's) keeps daytime; a fresh start asks NTP.
using ProtocolSettingTest = FormTest;

TEST_F(ProtocolSettingTest, IsReadAndWrittenLikeEveryOtherKey) {
    const std::pair<std::optional<std::string>, QString> files[] = {
        {std::nullopt, QStringLiteral("NTP")},
        {"[Setting]\r\nServer=ntp.example.jp\r\n", QStringLiteral("daytime")},
        {"[Setting]\r\nServer=\r\n", QStringLiteral("NTP")},
        {"[Setting]\r\nServer=ntp.example.jp\r\nprotocol=NTP\r\n", QStringLiteral("NTP")},
        {"[Setting]\r\nProtocol=daytime\r\n", QStringLiteral("daytime")},
        {"[Setting]\r\nProtocol=sntp\r\n", QStringLiteral("NTP")}, // unknown: the default
    };
    for (const auto& [file, protocol] : files) {
        std::filesystem::remove(paths_.SettingsFile());
        if (file) {
            WriteSettings(*file);
        }
        auto form = Start();
        auto* choice = form->findChild<ProtocolComboBox*>(QStringLiteral("ComboBoxProtocol"));
        ASSERT_NE(choice, nullptr);
        EXPECT_EQ(choice->Protocol(), protocol) << file.value_or("no file");
        ASSERT_TRUE(form->close());
        const std::string stored = StoredSettings();
        EXPECT_NE(stored.find("rotocol=" + protocol.toStdString() + "\r\n"), std::string::npos)
            << stored;
    }
    // The user's choice is what is kept.
    auto form = Start();
    form->findChild<ProtocolComboBox*>(QStringLiteral("ComboBoxProtocol"))
        ->SetProtocol(ProtocolComboBox::kDayTime);
    ASSERT_TRUE(form->close());
    EXPECT_NE(StoredSettings().find("Protocol=daytime\r\n"), std::string::npos);
}

} // namespace
} // namespace rimo
