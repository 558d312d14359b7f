#include "timer/TimerPage.h"

#include "core/RadioGroup.h"
#include "core/UserMessages.h"
#include "i18n/Translations.h"
#include "platform/BootClock.h"
#include "platform/Clock.h"
#include "platform/ProgramStarter.h"
#include "platform/SoundService.h"
#include "schedule/CommandLine.h"
#include "schedule/OpenDialog1.h"
#include "schedule/ScheduleEditRules.h"
#include "timer/TTimeDlg.h"
#include "timer/TimerTexts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeEdit>

#include <cstdio>

namespace rimo {

namespace {

template <typename T> T* Named(T* widget, const char* name, const QString& hint = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        widget->setToolTip(hint);
    }
    return widget;
}

QTime ToQTime(DateTime value) {
    const TimeParts t = DecodeTime(value);
    return QTime(t.Hour, t.Minute, t.Second);
}

} // namespace

TimerPage::TimerPage(QWidget& tabSheet, TimerPageServices services, TimerPageHost host)
    : QObject(&tabSheet), services_(services), host_(std::move(host)), page_(tabSheet) {
    setObjectName(QStringLiteral("TimerPage"));
    CreateControls(tabSheet);
}

TimerPage::~TimerPage() = default;

QLineEdit* TimerPage::AddLabeledEdit(QWidget* parent, const char* name, const QString& label,
                                     const QString& hint, const QRect& geometry,
                                     QLabel** labelOut) {
    auto* edit = Named(new QLineEdit(parent), name, hint);
    edit->setGeometry(geometry);
    // The edit's label stands on its left, 3 pixels away.
    auto* caption = new QLabel(label, parent);
    caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    caption->setBuddy(edit);
    caption->adjustSize();
    caption->move(geometry.left() - 3 - caption->width(),
                  geometry.top() + (geometry.height() - caption->height()) / 2);
    if (labelOut) {
        *labelOut = caption;
    }
    return edit;
}

void TimerPage::AddButton(QWidget* parent, const char* name, const QString& caption,
                          const QString& hint, const QRect& geometry,
                          void (TimerPage::*handler)()) {
    auto* button = Named(new QPushButton(caption, parent), name, hint);
    button->setGeometry(geometry);
    connect(button, &QPushButton::clicked, this, handler);
}

void TimerPage::CreateControls(QWidget& page) {
    auto* time = Named(new QGroupBox(tr("タイム設定"), &page), "GroupBox1", tr("タイムの設定"));
    time->setGeometry(8, 4, 241, 84);
    auto* quick = Named(new QLabel(tr("ｸｨｯｸ設定 ："), time), "LabelQuick",
                        tr("ラーメン・タイマーに最適です"));
    quick->adjustSize();
    quick->move(16, 26);
    comboBoxTime_ = Named(new QComboBox(time), "ComboBoxTime",
                          tr("任意・１分・２分・３分・４分・５分・１０分から選択"));
    comboBoxTime_->addItems(
        {tr("任意"), tr("１分"), tr("２分"), tr("３分"), tr("４分"), tr("５分"), tr("１０分")});
    comboBoxTime_->setCurrentIndex(0);
    comboBoxTime_->setGeometry(100, 22, 121, 22);
    // A screen reader would call a list by its value, a control without a
    // buddy by its frame ("タイム設定").
    quick->setBuddy(comboBoxTime_);
    comboBoxTime_->setAccessibleName(tr("ｸｨｯｸ設定"));
    comboBoxTime_->view()->setAccessibleName(comboBoxTime_->accessibleName()); // its drop-down list
    auto* option =
        Named(new QLabel(tr("任意設定 ："), time), "LabelOption", tr("23:59:59まで任意に設定"));
    option->adjustSize();
    option->move(16, 55);
    dateTimePicker3_ = Named(new QTimeEdit(time), "DateTimePicker3", tr("選択してアップダウン"));
    dateTimePicker3_->setDisplayFormat(QStringLiteral("H:mm:ss"));
    dateTimePicker3_->setTimeRange(QTime(0, 0, 0), QTime(23, 59, 59));
    dateTimePicker3_->setTime(QTime(0, 0, TimerTexts::kMinimumSeconds));
    dateTimePicker3_->setGeometry(100, 51, 121, 22);
    option->setBuddy(dateTimePicker3_);
    connect(dateTimePicker3_, &QTimeEdit::timeChanged, this, &TimerPage::DateTimePicker3Change);

    radioGroupTimeCount_ = Named(new RadioGroup(tr("カウント設定"), &page), "RadioGroupTimeCount",
                                 tr("カウントを指定"));
    radioGroupTimeCount_->SetItems({tr("カウントダウン(&D)"), tr("カウントアップ(&U)")});
    radioGroupTimeCount_->SetItemIndex(0);
    radioGroupTimeCount_->setGeometry(8, 94, 153, 62);

    checkBoxTimeLoop_ = Named(new QCheckBox(tr("Loopさせる(&O)"), &page), "CheckBoxTimeLoop",
                              tr("タイマーをループさせます"));
    checkBoxTimeLoop_->setGeometry(16, 160, 130, 19);
    connect(checkBoxTimeLoop_, &QCheckBox::toggled, this, &TimerPage::CheckBoxTimeLoopClick);

    auto* after =
        Named(new QGroupBox(tr("経過後動作"), &page), "GroupBox2", tr("時間経過後の動作を設定"));
    after->setGeometry(264, 4, 377, 140);
    checkBoxBeep_ = Named(new QCheckBox(tr("警告音を鳴らす(&B)"), after), "CheckBoxBeep",
                          tr("警告音を鳴らします"));
    checkBoxBeep_->setGeometry(12, 18, 150, 19);
    checkBoxBeep_->setChecked(true);
    checkBoxSound_ = Named(new QCheckBox(tr("サウンドを鳴らす(&S)"), after), "CheckBoxSound",
                           tr("WAVEファイルを鳴らします"));
    checkBoxSound_->setGeometry(12, 40, 150, 19);
    connect(checkBoxSound_, &QCheckBox::toggled, this, &TimerPage::CheckBoxSoundClick);
    checkBoxSoundLoop_ =
        Named(new QCheckBox(tr("繰り返す(&R)"), after), "CheckBoxSoundLoop", tr("ループさせます"));
    checkBoxSoundLoop_->setGeometry(176, 40, 110, 19);
    labeledEditWave_ =
        AddLabeledEdit(after, "LabeledEditWave", tr("WAVEパス ： "), tr("WAVEファイルのパスを入力"),
                       {84, 62, 233, 22}, &waveLabel_);
    AddButton(after, "ButtonVide", tr("参照"), tr("参照します"), {322, 60, 45, 25},
              &TimerPage::ButtonVideClick);
    checkBoxPath_ =
        Named(new QCheckBox(tr("アプリ起動(&C)"), after), "CheckBoxPath", tr("アプリを起動します"));
    checkBoxPath_->setGeometry(12, 90, 150, 19);
    labeledEdit3_ = AddLabeledEdit(after, "LabeledEdit3", tr("起動パス ： "), tr("起動パスを入力"),
                                   {84, 111, 233, 22});
    AddButton(after, "ButtonRefer", tr("参照"), tr("参照します"), {322, 109, 45, 25},
              &TimerPage::ButtonReferClick);

    AddButton(&page, "ButtonTimeTest", tr("テスト"), tr("動作テストします"), {400, 152, 75, 25},
              &TimerPage::ButtonTimeTestClick);
    AddButton(&page, "ButtonTimeStart", tr("開始"), tr("タイマーを開始します"), {483, 152, 75, 25},
              &TimerPage::ButtonTimeStartClick);
    AddButton(&page, "ButtonTimeStop", tr("停止"), tr("タイマー動作を停止します"),
              {566, 152, 75, 25}, &TimerPage::ButtonTimeStopClick);

    CheckBoxSoundClick();
}

void TimerPage::ConnectTrayItems(const QObject& popupMenu) {
    timeLoopItem_ = popupMenu.findChild<QAction*>(QStringLiteral("TimeLoop"));
    if (timeLoopItem_) {
        timeLoopItem_->setChecked(checkBoxTimeLoop_->isChecked());
        connect(timeLoopItem_, &QAction::triggered, this, &TimerPage::TimeLoopClick);
    }
    for (int i = 0; i < TimerTexts::kQuickCount; ++i) {
        if (auto* item = popupMenu.findChild<QAction*>(QStringLiteral("Quick%1").arg(i))) {
            connect(item, &QAction::triggered, this, [this, item] { Quick0Click(*item); });
        }
    }
    if (auto* stop = popupMenu.findChild<QAction*>(QStringLiteral("TimeStop"))) {
        connect(stop, &QAction::triggered, this, &TimerPage::ButtonTimeStopClick);
    }
}

void TimerPage::AttachNoticeDialog(TTimeDlg* dialog) {
    dialog_ = dialog;
}

bool TimerPage::LoopMode() const {
    return checkBoxTimeLoop_->isChecked();
}

bool TimerPage::SoundLoop() const {
    return checkBoxSoundLoop_->isChecked();
}

std::optional<DateTime> TimerPage::QuickChoiceDuration() const {
    const QTime free = dateTimePicker3_->time();
    return TimerTexts::QuickDuration(comboBoxTime_->currentIndex(),
                                     EncodeTime(free.hour(), free.minute(), free.second()));
}

DateTime TimerPage::ChosenDuration() const {
    return QuickChoiceDuration().value_or(0);
}

void TimerPage::ButtonTimeStartClick() {
    const std::int64_t wallMs = services_.Wall.UnixMilliseconds();
    const int msIntoSecond = static_cast<int>(((wallMs % 1000) + 1000) % 1000);
    if (!countdown_.Start(QuickChoiceDuration(), services_.Elapsed.Milliseconds(), msIntoSecond)) {
        // Only a stored quick choice outside the list gets here: a countdown
        // of no time could never end.
        ShowInformation(page_.window(), QStringLiteral("RimoTimeInformation"),
                        tr("タイマーの時間が決まっていません。"
                           "ｸｨｯｸ設定か任意設定で時間を選んで下さい。"));
        return;
    }
    Q_EMIT CountdownChanged();
    if (dialog_) {
        dialog_->ShowNotice();
    }
    if (host_.GetMainWindowOutOfTheWay) {
        host_.GetMainWindowOutOfTheWay();
    }
}

void TimerPage::Quick0Click(const QObject& item) {
    bool ok = false;
    const int index = item.objectName().mid(5, 2).toInt(&ok);
    if (!ok) {
        return;
    }
    comboBoxTime_->setCurrentIndex(index < comboBoxTime_->count() ? index : -1);
    ButtonTimeStartClick();
}

void TimerPage::ButtonTimeStopClick() {
    countdown_.Stop();
    Q_EMIT CountdownChanged();
    PlayWave({}); // stops any sound playing
    if (dialog_ && dialog_->isVisible()) {
        dialog_->showNormal();
        dialog_->OKButtonClick(); // its closing comes back here and finds it hidden
    }
}

void TimerPage::NoticeClosed() {
    State().NoticeTicks = 0;
    State().CountdownRunning = false;
    ButtonTimeStopClick();
}

void TimerPage::ButtonTimeTestClick() {
    countdown_.Test();
    Q_EMIT CountdownChanged();
}

void TimerPage::DateTimePicker3Change() {
    const QTime time = dateTimePicker3_->time();
    const DateTime free = EncodeTime(time.hour(), time.minute(), time.second());
    const DateTime sound = TimerTexts::FreeDurationAtLeastMinimum(free);
    if (sound != free) {
        dateTimePicker3_->setTime(ToQTime(sound));
    }
}

void TimerPage::CheckBoxTimeLoopClick() {
    // Timer looping turns sound looping off; not the other way round.
    if (checkBoxTimeLoop_->isChecked()) {
        checkBoxSoundLoop_->setChecked(false);
    }
    if (timeLoopItem_) {
        timeLoopItem_->setChecked(checkBoxTimeLoop_->isChecked());
    }
}

void TimerPage::TimeLoopClick() {
    // The checkable item has toggled its mark already.
    checkBoxTimeLoop_->setChecked(timeLoopItem_ && timeLoopItem_->isChecked());
}

void TimerPage::CheckBoxSoundClick() {
    const bool on = checkBoxSound_->isChecked();
    checkBoxSoundLoop_->setEnabled(on);
    labeledEditWave_->setEnabled(on);
    waveLabel_->setEnabled(on); // a labelled edit's label goes with it
}

void TimerPage::Browse(QLineEdit* edit, const QString& filter) {
    // Start where the edit's file lies, if it names one in quotes.
    const std::string current = edit->text().toStdString();
    const QString startIn = current.starts_with('"')
                                ? QString::fromStdString(SplitCommandLine(current).Folder)
                                : QString();
    const QString chosen = RunOpenDialog1(page_.window(), filter, startIn);
    if (!chosen.isEmpty()) {
        edit->setText(QString::fromStdString(QuotedPath(chosen.toStdString())));
    }
}

void TimerPage::ButtonVideClick() {
    Browse(labeledEditWave_, QStringLiteral("WaveFile (*.wav)"));
}

void TimerPage::ButtonReferClick() {
    Browse(labeledEdit3_, tr("すべてのファイル (*)"));
}

void TimerPage::Timer1Step() {
    countdown_.Step(services_.Elapsed.Milliseconds(), *this);
}

CountdownOptions TimerPage::Options() {
    CountdownOptions options;
    options.Loop = checkBoxTimeLoop_->isChecked();
    options.Beep = checkBoxBeep_->isChecked();
    options.Sound = checkBoxSound_->isChecked();
    options.Path = checkBoxPath_->isChecked();
    options.TimeCount = radioGroupTimeCount_->ItemIndex();
    options.WavePath = labeledEditWave_->text().toStdString();
    options.Command = labeledEdit3_->text().toStdString();
    return options;
}

void TimerPage::MinimiseNotice() {
    if (dialog_) {
        dialog_->showMinimized();
    }
}

void TimerPage::CloseNotice() {
    // The closing's effects; the window stays for the notice that follows at
    // once (a window hidden and shown again at once can lose its stacking).
    State().NoticeTicks = 0;
    countdown_.Stop();
    PlayWave({});
}

void TimerPage::ShowNoticeInFront() {
    if (dialog_) {
        dialog_->ShowNotice();
        dialog_->BringToFront();
    }
}

void TimerPage::StartAgain() {
    ButtonTimeStartClick();
}

RunId TimerPage::BeginRun(const char* action, const std::string& argument) {
    if (!recorder_) {
        return 0;
    }
    const RunOrigin origin =
        countdown_.State().CountdownTestMode ? RunOrigin::Test : RunOrigin::Timer;
    return recorder_->Begin({std::string(kTimerRunTitle), action, argument, origin, std::nullopt});
}

void TimerPage::EndRun(RunId run, const ActionResult& result) {
    if (run != 0 && recorder_) { // the history may have closed while the action waited
        recorder_->End(run, result);
    }
}

void TimerPage::Beep() {
    const RunId run = BeginRun("警告音", {}); // stored
    services_.Sound.Beep();
    EndRun(run, {});
}

void TimerPage::PlayWave(const std::string& path) {
    // An empty path stops the sound (at a stop): no run of its own.
    const RunId run = path.empty() ? 0 : BeginRun("サウンド", path); // stored
    if (host_.PlayWave) {
        host_.PlayWave(path);
    }
    EndRun(run, {});
}

void TimerPage::RunCommandLine(const std::string& command) {
    const RunId run = BeginRun("起動", command); // stored
    const auto fail = [&](const QString& text) {
        ReportStartFailure(text);
        EndRun(run, ActionResult::Failure(text.toStdString()));
    };
    const CommandLine line = SplitCommandLine(command);
    if (line.Program.empty()) {
        fail(tr("起動パスが空のため、何も起動しませんでした"));
        return;
    }
    const Launched started =
        services_.Programs.Launch(line.Program, line.Arguments, line.Folder, StartState::Normal);
    if (!started.Result) {
        fail(Translations::Text(started.Result.text()));
        return;
    }
    ActionResult result;
    result.Child = started.Pid; // the history waits for its end
    EndRun(run, result);
}

void TimerPage::ReportStartFailure(const QString& text) {
    std::fprintf(stderr, "RimoTimeInformation: %s\n", text.toLocal8Bit().constData());
    QString message = tr("タイマーの「アプリ起動」: %1").arg(text);
    if (!startReport_) {
        failedStarts_ = 0;
    }
    if (++failedStarts_ > 1) {
        message += QLatin1Char('\n') + tr("(%1 回続けて失敗しました)").arg(failedStarts_);
    }
    if (startReport_) {
        startReport_->setText(message);
    } else {
        startReport_ = ShowErrorMessage(page_.window(), message);
    }
}

void TimerPage::SetNoticeCaption(const Message& caption) {
    if (dialog_) {
        dialog_->setWindowTitle(Translations::Text(caption));
    }
}

} // namespace rimo
