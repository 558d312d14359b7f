// The main window's life: the creation sequence, the first show with the
// start-up notice, the one-second tick and the close sequence.
#include "app/TForm1.h"

#include "app/AboutPage.h"
#include "app/AppActionHost.h"
#include "app/FormSettings.h"
#include "app/PageControl.h"
#include "app/SecondTimer.h"
#include "app/SettingsPage.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "core/UserMessages.h"
#include "desktop/TvScrSaver.h"
#include "history/HistoryRecorder.h"
#include "i18n/Translations.h"
#include "launcher/LauncherPage.h"
#include "net/ClockPage.h"
#include "platform/Clock.h"
#include "schedule/CatchUp.h"
#include "schedule/CellComboBox.h"
#include "schedule/ScheduleCellEditors.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleRunner.h"
#include "timer/TimerPage.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace rimo {

namespace {

QString Text(const Message& text) {
    return Translations::Text(text);
}

} // namespace

// The creation sequence. Places that belong to parts built elsewhere are
// marked; each runs at its place in this order.
void TForm1::FormCreate() {
    // 1. Rows as high as a drop-down editor minus the grid line.
    grid_->SetDefaultRowHeight(editor_->CellEditors().ComboBox1()->height() -
                               ScheduleGrid::kGridLineWidth);

    // 2. Settings file into the controls, the window's place and size.
    LoadSettings();

    // 3. Tray icon registration.
    tray_ = new TrayIcon(this);
    connect(tray_, &TrayIcon::LeftClicked, this, &TForm1::ToggleMainWindow);
    connect(tray_, &TrayIcon::HostAvailabilityChanged, this, &TForm1::ShowTrayStatus);
    tray_->Register(trayMenu_->PopupMenu1());

    // 4. Always on top.
    settingsPage_->CheckBoxTopMostClick();

    // 5. Header row and schedule file.
    schedule_.WriteHeader();
    LoadScheduleFile();

    // 6. Timer page set-up: its sound options enabled as its box says.
    timerPage_->CheckBoxSoundClick();

    // 7. Repeating rows whose time has passed move to their next occurrence.
    // One reading: the pass tells local from real seconds from the same moment.
    const std::int64_t caughtUpAtMs = clock_.UnixMilliseconds();
    caughtUpAt_ = FromUnixMilliseconds(caughtUpAtMs);
    // The run history keeps when the program last ran: rows due since then
    // were missed. They are noted before the catch-up moves them.
    OpenHistory(caughtUpAtMs);
    for (const ScheduleRowProblem& problem : CatchUpSchedule(schedule_, caughtUpAt_)) {
        startupProblems_.append(tr("スケジュール %1 行目: %2 (この行は動かしていません)")
                                    .arg(problem.Row)
                                    .arg(Text(problem.Message)));
    }

    // 8. Sort and select the next event.
    editor_->SortButtonClick();
    // 9. Screen saver control, and the schedule pass that acts through it.
    scrSaver_ = std::make_unique<TvScrSaver>(
        *services_.ScreenSaver, paths_.DesktopSettingsFile(),
        ScreenSaverFolders::Standard(paths_.ExecutableDir,
                                     qEnvironmentVariable("HOME").toStdString()));
    scheduleRunner_ = new ScheduleRunner(*grid_, *editor_, state_, clock_, services_, *scrSaver_,
                                         *actionHost_, paths_.CompanionProgram(), *this, this);
    scheduleRunner_->Start(caughtUpAtMs);
    scheduleRunner_->SetRecorder(recorder_);
    timerPage_->SetRecorder(recorder_);
    // 10. Current launcher page.
    launcherPage_->RadioGroupLaunchTitleClick();
    // 11. Page-change step; the restored page was made current by the
    //     settings (a measurement it started is not started twice).
    aboutPage_->PageControl1Change(pageControl1_->currentWidget());
    // 12. The action list keeps all 13 actions: every power action exists on Linux.
}

void TForm1::LoadScheduleFile() {
    const ScheduleReadReport report = LoadSchedule(scheduleFile_, schedule_);
    QString text = tr("スケジュールファイル %1 に問題があります:")
                       .arg(QString::fromStdString(scheduleFile_.string()));
    scheduleFile_ = report.SaveTo;
    if (report.Problems.empty()) {
        return;
    }
    for (const Message& problem : report.Problems) {
        text += tr("\n・%1").arg(Text(problem));
    }
    startupProblems_.append(text);
    if (shownOnce_) {
        ShowStartupProblems();
    }
}

void TForm1::ShowStartupProblems() {
    if (startupProblems_.isEmpty()) {
        return;
    }
    const QString text = startupProblems_.join(QStringLiteral("\n\n"));
    startupProblems_.clear();
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    ShowErrorMessage(this, text);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (timer1_) {
        timer1_->Replan(); // the title may come into sight
    }
    FormShow();
    if (!shownOnce_) {
        shownOnce_ = true;
        // After the standard handling of the first show.
        QMetaObject::invokeMethod(this, &TForm1::ShowStartupProblems, Qt::QueuedConnection);
        QMetaObject::invokeMethod(this, &TForm1::StartupNotice, Qt::QueuedConnection);
    }
}

void TForm1::FormShow() {
    editor_->HideCellEditors();
}

void TForm1::StartupNotice() {
    if (!MinimizeAfterStart() || !isVisible()) {
        return;
    }
    // The notice says what will happen here: nothing, where the window could
    // neither be minimised nor hidden and brought back.
    switch (AwayActionNow()) {
    case AwayAction::None:
        return;
    case AwayAction::Minimise:
        state_.TitleText = tr("RimoTimeInformation 起動！１秒後に最小化します").toStdString();
        break;
    case AwayAction::Hide:
        state_.TitleText = tr("RimoTimeInformation 起動！１秒後に非表示になります").toStdString();
        break;
    }
    setWindowTitle(QString::fromStdString(state_.TitleText));
    DelayWithMessages(1000);
    if (!closed_) {
        ToggleMainWindow();
    }
}

void TForm1::DelayWithMessages(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void TForm1::Timer1Timer() {
    // 1. Next-event tray tip and, when a refresh is pending, the title text.
    // 2. Tray icon frame.
    const int row = grid_->CurrentTableRow();
    const ScheduleRow* current =
        row > 0 && row < schedule_.RowCount() ? &schedule_.Row(row) : nullptr;
    const TrayTicker::TrayOutput tray =
        ticker_.TipAndIcon(settingsPage_->NextHint(), current, settingsPage_->AnimeIcon());
    tray_->Update(QString::fromStdString(tray.Tip), tray.IconFrame);
    if (tray.TitleRefreshed) {
        ShowAccessibleTitle(state_.TitleText);
    }
    // 3. Countdown step and its expiry actions.
    // 4. Countdown caption of the notice dialog.
    timerPage_->Timer1Step();
    // 5. Title bar text and its scrolling.
    ShowTitle(ticker_.Title(settingsPage_->Scroll()));
    // 6. The schedule pass.
    if (scheduleRunner_) {
        scheduleRunner_->Timer1Step();
    }
    Q_EMIT Ticked();
}

bool TForm1::FormCloseQuery() {
    return WriteFilesAtClose(FileErrors::Shown);
}

bool TForm1::WriteFilesAtClose(FileErrors errors) {
    if (errors == FileErrors::Shown) {
        closeNotice_.clear();
    }
    QStringList problems;
    const auto written = [&](const Status& status) {
        if (!status) {
            problems.append(Text(status.text()));
        }
        return status.ok();
    };
    // 1. Synchronisation results appended to the log; only the lines not yet
    //    appended, as this may run twice. A log that cannot be written is
    //    reported, but never keeps the schedule and the settings from being
    //    written nor the window from closing.
    written(clockPage_->SaveSyncLog());
    // 2. Schedule file, 3. settings file. A shown error stops at the failing
    //    file and the window stays open; logged errors (no one to answer) let
    //    the remaining file be written.
    bool saved = written(SaveSchedule(scheduleFile_, schedule_));
    if (saved || errors == FileErrors::Logged) {
        saved = written(SaveSettings()) && saved;
    }
    if (problems.isEmpty()) {
        return true;
    }
    const QString text = problems.join(QStringLiteral("\n\n"));
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    if (errors == FileErrors::Shown) {
        if (saved) {
            // Shown once the window has closed.
            closeNotice_ = text + tr("\n\nスケジュールと設定は保存しました。");
        } else {
            AskToCloseWithoutSaving(text);
        }
    }
    return saved;
}

void TForm1::AskToCloseWithoutSaving(const QString& problems) {
    // One question at a time: closing again while it is up brings it forward.
    if (closeQuestion_) {
        closeQuestion_->raise();
        closeQuestion_->activateWindow();
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("RimoTimeInformation"),
                                problems + tr("\n\n保存せずに終了しますか？"),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes) {
            CloseWithoutSaving();
        }
    });
    closeQuestion_ = box;
    box->show();
}

void TForm1::CloseWithoutSaving() {
    if (closed_) {
        return;
    }
    closed_ = true;
    FormDestroy();
    hide();
    Q_EMIT Closed();
}

void TForm1::CloseForSessionEnd() {
    if (closed_) {
        // Closed, waiting only for the user to read the close's notice.
        delete closeNoticeBox_.data();
        return;
    }
    // Nobody may be there to answer a message: everything that can be written is.
    WriteFilesAtClose(FileErrors::Logged);
    closed_ = true;
    FormDestroy();
    hide();
    Q_EMIT Closed();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closed_ = true;
    FormDestroy();
    event->accept();
    if (!closeNotice_.isEmpty()) {
        // The program ends once the user has read what could not be written.
        closeNoticeBox_ = ShowErrorMessage(nullptr, closeNotice_);
        closeNotice_.clear();
        connect(closeNoticeBox_, &QObject::destroyed, this, &TForm1::Closed);
        return;
    }
    Q_EMIT Closed();
}

void TForm1::FormDestroy() {
    timer1_->SetEnabled(false);
    tray_->Remove();
    // The screen saver control is freed; no action may use it from now on (a
    // pass waiting inside an action may still return to its loop).
    if (scheduleRunner_) {
        scheduleRunner_->Stop();
    }
    scrSaver_.reset();
    CloseHistory();
}
} // namespace rimo
