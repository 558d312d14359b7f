#include "net/ClockPageFixture.h"

namespace rimo {
namespace {

TEST_F(ClockPageTest, HasTheDesignedControlsAndDefaults) {
    auto* setTime = Control<QGroupBox>("GroupBoxSetTime");
    EXPECT_EQ(setTime->title(), QStringLiteral("時刻設定"));
    EXPECT_EQ(setTime->toolTip(), QStringLiteral("時刻取得のための設定をします"));
    EXPECT_EQ(setTime->geometry(), QRect(24, 8, 361, 97));
    auto* server = Control<QLineEdit>("LabeledEdit1");
    EXPECT_EQ(server->parentWidget(), setTime);
    EXPECT_EQ(server->geometry(), QRect(80, 24, 169, 20)); // the protocol beside it
    EXPECT_TRUE(server->text().isEmpty());
    EXPECT_EQ(server->toolTip(), QStringLiteral("タイムサーバーを指定"));
    auto* protocol = Control<ProtocolComboBox>("ComboBoxProtocol");
    EXPECT_EQ(protocol->parentWidget(), setTime);
    EXPECT_EQ(protocol->Protocol(), QStringLiteral("NTP")); // a fresh start asks NTP
    EXPECT_EQ(protocol->count(), 2);
    EXPECT_EQ(protocol->itemText(1), QStringLiteral("daytime"));
    EXPECT_GT(protocol->x(), server->geometry().right());
    EXPECT_LE(protocol->geometry().right(), setTime->width());
    auto* serverLabel = Control<QLabel>("LabeledEdit1Label");
    EXPECT_EQ(serverLabel->text(), QStringLiteral("サーバー："));
    EXPECT_EQ(serverLabel->geometry().right() + 1 + 3, 80);
    EXPECT_EQ(Control<QLabel>("LabelTimeOut")->text(), QStringLiteral("タイムアウト："));
    EXPECT_EQ(Control<QLabel>("LabelMS")->text(), QStringLiteral("ﾐﾘ秒"));
    auto* timeOut = Control<QSpinBox>("SpinEdit1");
    EXPECT_EQ(timeOut->geometry(), QRect(96, 60, 65, 21));
    EXPECT_EQ(timeOut->minimum(), 100);
    EXPECT_EQ(timeOut->maximum(), 100000);
    EXPECT_EQ(timeOut->singleStep(), 10);
    EXPECT_EQ(timeOut->value(), 1000);
    auto* result = Control<QGroupBox>("GroupBoxResult");
    EXPECT_EQ(result->title(), QStringLiteral("結果"));
    EXPECT_EQ(result->geometry(), QRect(405, 8, 220, 169));
    auto* list = Control<QListWidget>("ListBoxResult");
    EXPECT_EQ(list->geometry(), QRect(10, 16, 201, 145));
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->toolTip(), QStringLiteral("起動時からの時刻合わせログを表示"));
    auto* button = Control<QPushButton>("GetTimeButton");
    EXPECT_EQ(button->text(), QStringLiteral("今すぐ実行"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("時刻合わせを実行します"));
    EXPECT_EQ(button->geometry(), QRect(20, 130, 75, 25));
    auto* msg = Control<QCheckBox>("MsgCheckBox");
    EXPECT_EQ(msg->text(), QStringLiteral("ﾒｯｾｰｼﾞ表示(&M)"));
    EXPECT_FALSE(msg->isChecked());
    EXPECT_EQ(msg->geometry(), QRect(100, 134, 105, 17));
    auto* logButton = Control<QPushButton>("LogButton");
    EXPECT_EQ(logButton->text(), QStringLiteral("ﾛｸﾞを見る"));
    EXPECT_EQ(logButton->toolTip(), QStringLiteral("ログ・ファイルを開きます"));
    auto* log = Control<QCheckBox>("CheckBoxLog");
    EXPECT_EQ(log->text(), QStringLiteral("ﾛｸﾞを残す(&R)"));
    EXPECT_TRUE(log->isChecked());
    EXPECT_EQ(log->geometry(), QRect(300, 134, 85, 17));
    EXPECT_EQ(page_->DayTimeClient1().objectName(), QStringLiteral("DayTimeClient1"));
    EXPECT_EQ(page_->DayTimeClient1().Port, 13);
    EXPECT_EQ(page_->DayTimeClient1().ReportLevel, 0);
}

TEST_F(ClockPageTest, AnEmptyServerBringsTheWindowForwardAndAsks) {
    page_->GetTimeButtonClick();
    EXPECT_EQ(shown_, 1);
    EXPECT_EQ(broughtForward_, 1);
    EXPECT_EQ(TakeMessage(), QStringLiteral("RimotimeInformation|ホスト名を入力して下さい。"));
    EXPECT_TRUE(clockService_.Shifts.empty());
}

TEST_F(ClockPageTest, NoNetworkStopsBeforeAnyRequest) {
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    network_.CanAttempt = false;
    page_->GetTimeButtonClick();
    EXPECT_EQ(TakeMessage(),
              QStringLiteral("RimotimeInformation|"
                             "インターネットに接続されていません。接続後もう一度お試しください。"));
    network_.CanAttempt = true;
    network_.Present = false;
    network_.Connected = false;
    page_->GetTimeButtonClick();
    EXPECT_EQ(
        TakeMessage(),
        QStringLiteral("Rimotime "
                       "Information|"
                       "時刻合わせが出来ません。インターネット又はネットワークに接続して下さい。"));
    // Either of the two is enough.
    network_.Connected = true;
    page_->GetTimeButtonClick();
    EXPECT_EQ(MessageBoxes().size(), 0);
    EXPECT_EQ(server_->Accepted(), 1);
    EXPECT_EQ(broughtForward_, 0);
}

TEST_F(ClockPageTest, ASuccessfulSynchronisationSetsTheClockAndAddsTheLine) {
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    Control<QSpinBox>("SpinEdit1")->setValue(2000);
    Control<QCheckBox>("MsgCheckBox")->setChecked(true);
    QSignalSpy clockSet(page_.get(), &ClockPage::ClockSet);
    page_->GetTimeButtonClick();
    EXPECT_EQ(TakeMessage(), QStringLiteral("Rimotime Information|時刻合わせ完了しました。"));
    // To 2024-12-31 13:59:58 UTC: 3 seconds ahead of the PC.
    EXPECT_EQ(clockService_.Shifts, std::vector<std::int64_t>{3'000'000});
    EXPECT_EQ(page_->ResultLines(),
              QStringList{QStringLiteral("2024/12/31 22:59:58 +0/00:00:03 (差 +3.000 秒)")});
    EXPECT_EQ(Control<QListWidget>("ListBoxResult")->currentRow(), 0);
    EXPECT_EQ(clockSet.count(), 1);
    EXPECT_EQ(page_->DayTimeClient1().TimeOut, 2000);
    EXPECT_EQ(page_->DayTimeClient1().Host, "127.0.0.1");
}

TEST_F(ClockPageTest, TheUnmarkedExampleIsReadAsUtcMinusFourAndAFastClockShowsMinus) {
    Serve("Tue Dec 31 09:59:58 2024\r\n");
    clock_.SetUnixMilliseconds(1735653603000); // five seconds ahead of the server
    page_->GetTimeButtonClick();
    EXPECT_EQ(MessageBoxes().size(), 0); // no message unless asked for
    EXPECT_EQ(clockService_.Shifts, std::vector<std::int64_t>{-5'000'000}); // to 13:59:58 UTC
    EXPECT_EQ(page_->ResultLines(),
              QStringList{QStringLiteral("2024/12/31 22:59:58 -0/00:00:05 (差 -5.000 秒)")});
}

TEST_F(ClockPageTest, ARefusalSaysWhyAndAddsNoLine) {
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    clockService_.Refusal = "Automatic time synchronization is enabled";
    page_->GetTimeButtonClick();
    EXPECT_EQ(TakeMessage(),
              QStringLiteral("Rimotime Information|時刻合わせ失敗しました。\nAutomatic time "
                             "synchronization is enabled"));
    EXPECT_TRUE(page_->ResultLines().isEmpty());
}

TEST_F(ClockPageTest, BadRepliesAndNetworkFailuresLeaveTheClockAlone) {
    Serve("Tue XYZ 31 13:59:58 UTC 2024\r\n");
    page_->GetTimeButtonClick();
    EXPECT_EQ(
        TakeMessage(),
        QStringLiteral("RimoTimeInformation|'2024/00/31 13:59:58' は日付または時刻ではありません"));

    Serve(std::string(65536, '\x93'));
    page_->GetTimeButtonClick();
    EXPECT_TRUE(TakeMessage().contains(QStringLiteral("は日付または時刻ではありません")));

    server_.reset();
    page_->DayTimeClient1().Port = LoopbackServer::ClosedPort();
    page_->GetTimeButtonClick();
    EXPECT_EQ(TakeMessage(), QStringLiteral("RimoTimeInformation|10061:Connection refused"));

    EXPECT_TRUE(clockService_.Shifts.empty());
    EXPECT_TRUE(page_->ResultLines().isEmpty());
}

TEST_F(ClockPageTest, RefusedRepliesSayWhyAndLeaveNoTrace) {
    const std::pair<std::string, QString> replies[] = {
        {"Tue Dec 31 13:59:58 2024\r\n", QStringLiteral("タイムゾーンがなく")}, // 9 hours away
        {"\n58484 19-01-01 00:00:00 00 0 0  50.0 UTC(NIST) * \n", QStringLiteral("作成日")},
        {"Fri Jan 01 00:00:00 UTC 2101\r\n", QStringLiteral("2100 年より後")},
        {"Tue Dec 31          2024\r\n", QStringLiteral("時刻がありません")},
        {"\n60675 24-12-31 13:59:58 00 0 2  50.0 UTC(NIST) * \n", QStringLiteral("5秒")},
    };
    for (const auto& [reply, reason] : replies) {
        Serve(reply);
        page_->GetTimeButtonClick();
        const QString message = TakeMessage();
        EXPECT_TRUE(
            message.startsWith(QStringLiteral("Rimotime Information|時刻合わせ失敗しました。\n")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(reason)) << message.toStdString();
    }
    EXPECT_TRUE(clockService_.Shifts.empty());
    EXPECT_TRUE(page_->ResultLines().isEmpty());
    EXPECT_TRUE(page_->SaveSyncLog().ok());
    EXPECT_EQ(TempFolder::Read(paths_.SyncLogFile()), "");
}

TEST_F(ClockPageTest, AnEmptyReplyIsANetworkErrorAndMarkupIsShownAsWritten) {
    server_ = std::make_unique<LoopbackServer>([](int, LoopbackServer&) {});
    Control<QLineEdit>("LabeledEdit1")->setText(QStringLiteral("127.0.0.1"));
    Control<ProtocolComboBox>("ComboBoxProtocol")->SetProtocol(ProtocolComboBox::kDayTime);
    page_->DayTimeClient1().Port = server_->Port();
    page_->GetTimeButtonClick();
    EXPECT_EQ(TakeMessage(), QStringLiteral("RimoTimeInformation|10057:Socket is not connected"));

    Serve("Tue Dec 31 09:59:58 <b>x\r\n");
    page_->GetTimeButtonClick();
    const QList<QMessageBox*> boxes = MessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.front()->textFormat(), Qt::PlainText);
    EXPECT_EQ(boxes.front()->text(),
              QStringLiteral("'<b>x/12/31 09:59:58' は日付または時刻ではありません"));
    CloseMessageBoxes();
    EXPECT_TRUE(clockService_.Shifts.empty());
}

TEST_F(ClockPageTest, RequestsMadeWhileItRunsJoinTheRunningSynchronisation) {
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    int joined = 0;
    // The button and the handler (the tray item, a scheduled row, a test run)
    // while the first synchronisation waits for the server.
    page_->DayTimeClient1().OnConnect = [&](TAsyncSocket&) {
        Control<QPushButton>("GetTimeButton")->click();
        page_->GetTimeButtonClick();
        ++joined;
    };
    page_->GetTimeButtonClick();
    EXPECT_EQ(joined, 1);
    EXPECT_EQ(MessageBoxes().size(), 0);
    EXPECT_EQ(server_->Accepted(), 1);
    EXPECT_EQ(clockService_.Shifts, std::vector<std::int64_t>{3'000'000});
    EXPECT_EQ(page_->ResultLines(),
              QStringList{QStringLiteral("2024/12/31 22:59:58 +0/00:00:03 (差 +3.000 秒)")});
    EXPECT_EQ(shown_, 3); // each request shows the clock page

    // Once it is over, the next request runs again.
    page_->DayTimeClient1().OnConnect = nullptr;
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    page_->GetTimeButtonClick();
    EXPECT_EQ(clockService_.Shifts.size(), 2U);
}

TEST_F(ClockPageTest, AnUnknownServerNameIsAskedForAgainOnce) {
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    Control<QLineEdit>("LabeledEdit1")->setText(QStringLiteral("nowhere.invalid"));
    int asked = 0;
    std::function<void()> answer = [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QInputDialog*>(widget);
            if (box && box->isVisible()) {
                ++asked;
                EXPECT_EQ(box->windowTitle(), QStringLiteral("ホスト名の再指定"));
                EXPECT_EQ(box->labelText(),
                          QStringLiteral("無効なホスト名です。ホスト名を再指定して下さい。"));
                EXPECT_TRUE(box->textValue().isEmpty());
                box->setTextValue(QStringLiteral("127.0.0.1"));
                box->accept();
                return;
            }
        }
        QTimer::singleShot(10, answer);
    };
    QTimer::singleShot(10, answer);
    page_->GetTimeButtonClick();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(clockService_.Shifts.size(), 1U);
    EXPECT_EQ(Control<QLineEdit>("LabeledEdit1")->text(), QStringLiteral("nowhere.invalid"));
}

TEST_F(ClockPageTest, TheLogGetsEachLineOnceAndNothingWhenSwitchedOff) {
    EXPECT_TRUE(page_->SaveSyncLog().ok());
    EXPECT_FALSE(std::filesystem::exists(paths_.SyncLogFile())); // nothing to log

    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    page_->GetTimeButtonClick();
    EXPECT_TRUE(page_->SaveSyncLog().ok());
    EXPECT_TRUE(page_->SaveSyncLog().ok());
    EXPECT_EQ(TempFolder::Read(paths_.SyncLogFile()),
              "2024/12/31 22:59:58 +0/00:00:03 (\x8D\xB7 +3.000 \x95\x62)\r\n"); // CP932
    page_->LogButtonClick();
    ASSERT_EQ(opened_.size(), 1);
    EXPECT_EQ(opened_[0].toLocalFile().toStdString(), paths_.SyncLogFile().string());

    std::filesystem::remove(paths_.SyncLogFile());
    Control<QCheckBox>("CheckBoxLog")->setChecked(false);
    Serve("Tue Dec 31 13:59:58 UTC 2024\r\n");
    page_->GetTimeButtonClick();
    EXPECT_TRUE(page_->SaveSyncLog().ok());
    EXPECT_FALSE(std::filesystem::exists(paths_.SyncLogFile()));
    page_->LogButtonClick(); // no file: nothing opens
    EXPECT_EQ(opened_.size(), 1);
}

} // namespace
} // namespace rimo
