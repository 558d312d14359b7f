#include "net/ClockPage.h"

#include "core/UserMessages.h"
#include "net/DayTimeClient.h"
#include "net/NtpClient.h"
#include "net/ProtocolComboBox.h"
#include "platform/NetworkState.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>

#include <exception>
#include <filesystem>

namespace rimo {

namespace {

const QString kCaptionNoBlank = QStringLiteral("RimotimeInformation");
const QString kCaptionBlank = QStringLiteral("Rimotime Information");

template <typename T> T* Named(T* widget, const char* name, const QString& hint = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        widget->setToolTip(hint);
    }
    return widget;
}

} // namespace

ClockPage::ClockPage(QWidget& tabSheet, const AppPaths& paths, ClockPageServices services,
                     ClockPageHost host)
    : QObject(&tabSheet), paths_(paths), services_(services), host_(std::move(host)),
      page_(tabSheet), client_(new TDayTimeClient(this)), ntpClient_(new TNtpClient(this)),
      log_(paths.SyncLogFile()) {
    setObjectName(QStringLiteral("ClockPage"));
    client_->setObjectName(QStringLiteral("DayTimeClient1"));
    ntpClient_->setObjectName(QStringLiteral("NtpClient1"));
    ntpClient_->NotBefore = services_.NotBefore;
    for (TAsyncSocket* client :
         {static_cast<TAsyncSocket*>(client_), static_cast<TAsyncSocket*>(ntpClient_)}) {
        client->ReportLevel = 0;
        client->OnInvalidHost = [this](bool& handled) { DayTimeClient1InvalidHost(handled); };
    }
    CreateControls(tabSheet);
}

ClockPage::~ClockPage() = default;

void ClockPage::CreateControls(QWidget& page) {
    auto* setTime = Named(new QGroupBox(tr("時刻設定"), &page), "GroupBoxSetTime",
                          tr("時刻取得のための設定をします"));
    setTime->setGeometry(24, 8, 361, 97);

    labeledEdit1_ = Named(new QLineEdit(setTime), "LabeledEdit1", tr("タイムサーバーを指定"));
    // Narrower than designed: the protocol stands beside the server.
    labeledEdit1_->setGeometry(80, 24, 169, 20);
    comboBoxProtocol_ = Named(new ProtocolComboBox(setTime), "ComboBoxProtocol",
                              tr("時刻を問い合わせるプロトコルを指定"));
    comboBoxProtocol_->setGeometry(255, 23, 90, 22);
    comboBoxProtocol_->setAccessibleName(tr("プロトコル"));
    comboBoxProtocol_->view()->setAccessibleName(
        comboBoxProtocol_->accessibleName()); // its drop-down list
    // The edit's label stands on its left, 3 pixels away.
    auto* serverLabel = Named(new QLabel(tr("サーバー："), setTime), "LabeledEdit1Label");
    serverLabel->setBuddy(labeledEdit1_);
    serverLabel->adjustSize();
    serverLabel->move(80 - 3 - serverLabel->width(), 24 + (20 - serverLabel->height()) / 2);

    auto* timeOutLabel = Named(new QLabel(tr("タイムアウト："), setTime), "LabelTimeOut");
    timeOutLabel->adjustSize();
    timeOutLabel->move(24, 64);

    spinEdit1_ = Named(new QSpinBox(setTime), "SpinEdit1", tr("タイムアウトを指定"));
    spinEdit1_->setGeometry(96, 60, 65, 21);
    spinEdit1_->setRange(100, 100000);
    spinEdit1_->setSingleStep(10);
    spinEdit1_->setValue(1000);
    timeOutLabel->setBuddy(spinEdit1_); // its name for a screen reader

    auto* ms = Named(new QLabel(tr("ﾐﾘ秒"), setTime), "LabelMS");
    ms->adjustSize();
    ms->move(168, 65);

    auto* result = Named(new QGroupBox(tr("結果"), &page), "GroupBoxResult");
    result->setGeometry(405, 8, 220, 169);
    listBoxResult_ =
        Named(new QListWidget(result), "ListBoxResult", tr("起動時からの時刻合わせログを表示"));
    listBoxResult_->setGeometry(10, 16, 201, 145);
    listBoxResult_->setAccessibleName(tr("結果"));

    getTimeButton_ = Named(new QPushButton(tr("今すぐ実行"), &page), "GetTimeButton",
                           tr("時刻合わせを実行します"));
    getTimeButton_->setGeometry(20, 130, 75, 25);
    connect(getTimeButton_, &QPushButton::clicked, this, &ClockPage::GetTimeButtonClick);

    msgCheckBox_ = Named(new QCheckBox(tr("ﾒｯｾｰｼﾞ表示(&M)"), &page), "MsgCheckBox",
                         tr("チェックを入れると時刻合わせ完了後メッセージを表示"));
    msgCheckBox_->setGeometry(100, 134, 105, 17);

    logButton_ =
        Named(new QPushButton(tr("ﾛｸﾞを見る"), &page), "LogButton", tr("ログ・ファイルを開きます"));
    logButton_->setGeometry(220, 130, 75, 25);
    connect(logButton_, &QPushButton::clicked, this, &ClockPage::LogButtonClick);

    checkBoxLog_ = Named(new QCheckBox(tr("ﾛｸﾞを残す(&R)"), &page), "CheckBoxLog",
                         tr("チェックを入れるとログを残します"));
    checkBoxLog_->setGeometry(300, 134, 85, 17);
    checkBoxLog_->setChecked(true);
}

void ClockPage::ShowInformation(const QString& caption, const QString& text) {
    // Until the synchronisation succeeds, a message says why it did not.
    if (result_.Failed && result_.Reason.empty()) {
        result_.Reason = text.toStdString();
    }
    rimo::ShowInformation(page_.window(), caption, text);
}

void ClockPage::ShowError(const QString& text) {
    if (result_.Failed && result_.Reason.empty()) {
        result_.Reason = text.toStdString();
    }
    ShowErrorMessage(page_.window(), text);
}

void ClockPage::ShowFailure(const QString& why) {
    QString text = tr("時刻合わせ失敗しました。");
    if (!why.isEmpty()) {
        text += QLatin1Char('\n') + why;
    }
    ShowInformation(kCaptionBlank, text);
}

void ClockPage::ShowNotice(const QString& text) {
    ShowInformation(kCaptionBlank, text);
}

void ClockPage::GetTimeButtonClick() {
    if (host_.ShowClockPage) {
        host_.ShowClockPage();
    }
    // The exchange waits with the event loop running: a request made
    // meanwhile joins it instead of starting another on the same socket.
    if (synchronising_) {
        return;
    }
    {
        const QScopedValueRollback<bool> running(synchronising_, true);
        Q_EMIT SynchronisingChanged();
        result_ = ActionResult::Failure({});
        Synchronise();
        activeClient_ = nullptr;
    }
    Q_EMIT SynchronisingChanged();
}

ActionResult ClockPage::SynchroniseForRun() {
    // Joining a synchronisation under way: its result is that run's.
    const bool joining = synchronising_;
    GetTimeButtonClick();
    return joining ? ActionResult{} : result_;
}

void ClockPage::Synchronise() {
    if (labeledEdit1_->text().isEmpty()) {
        if (host_.BringMainWindowForward) {
            host_.BringMainWindowForward();
        }
        ShowInformation(kCaptionNoBlank, tr("ホスト名を入力して下さい。"));
        labeledEdit1_->setFocus();
        return;
    }
    activeClient_ = comboBoxProtocol_->IsNtp() ? static_cast<TAsyncSocket*>(ntpClient_)
                                               : static_cast<TAsyncSocket*>(client_);
    activeClient_->Host = labeledEdit1_->text().toStdString();
    if (spinEdit1_->value() == 0) {
        ShowInformation(kCaptionNoBlank, tr("タイムアウトを入力して下さい。"));
        spinEdit1_->setFocus();
        return;
    }
    activeClient_->TimeOut = spinEdit1_->value();
    if (!services_.Network.AttemptConnect()) {
        ShowInformation(kCaptionNoBlank,
                        tr("インターネットに接続されていません。接続後もう一度お試しください。"));
        return;
    }
    if (!services_.Network.NetworkPresent() && !services_.Network.InternetConnected()) {
        ShowInformation(
            kCaptionBlank,
            tr("時刻合わせが出来ません。インターネット又はネットワークに接続して下さい。"));
        return;
    }
    const std::optional<Measurement> measurement =
        activeClient_ == ntpClient_ ? MeasureNtp() : MeasureDayTime();
    if (measurement) {
        Apply(*measurement);
    }
}

void ClockPage::DayTimeClient1InvalidHost(bool& handled) {
    QInputDialog box(page_.window());
    box.setObjectName(QStringLiteral("InvalidHostInputBox"));
    box.setWindowTitle(tr("ホスト名の再指定"));
    box.setLabelText(tr("無効なホスト名です。ホスト名を再指定して下さい。"));
    box.setTextValue(QString());
    if (box.exec() == QDialog::Accepted) {
        TAsyncSocket* client = activeClient_ ? activeClient_ : client_;
        client->Host = box.textValue().toStdString();
        handled = true;
    }
}

void ClockPage::LogButtonClick() {
    std::error_code error;
    if (!std::filesystem::exists(log_.File(), error) || !host_.OpenDocument) {
        return;
    }
    host_.OpenDocument(QUrl::fromLocalFile(QString::fromStdString(log_.File().string())));
}

QStringList ClockPage::ResultLines() const {
    QStringList lines;
    for (int i = 0; i < listBoxResult_->count(); ++i) {
        lines.append(listBoxResult_->item(i)->text());
    }
    return lines;
}

void ClockPage::AddResultLine(const QString& shown, const QString& logged) {
    auto* item = new QListWidgetItem(shown, listBoxResult_);
    item->setData(Qt::UserRole, logged);
    item->setToolTip(shown); // the figures make lines wider than the list
    listBoxResult_->setCurrentRow(listBoxResult_->count() - 1);
}

Status ClockPage::SaveSyncLog() {
    std::vector<std::string> lines;
    for (int i = 0; i < listBoxResult_->count(); ++i) {
        // The log keeps the untranslated text, whatever the language shown.
        const QListWidgetItem* item = listBoxResult_->item(i);
        const QVariant logged = item->data(Qt::UserRole);
        lines.push_back((logged.isValid() ? logged.toString() : item->text()).toStdString());
    }
    return log_.AppendNew(lines, checkBoxLog_->isChecked());
}

} // namespace rimo
