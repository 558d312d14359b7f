#include "app/TForm1.h"

#include "app/AppActionHost.h"
#include "app/EditorChoices.h"
#include "app/FormSettings.h"
#include "app/SecondTimer.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "core/UserMessages.h"
#include "app/WindowRules.h"
#include "desktop/TvScrSaver.h"
#include "net/ClockPage.h"
#include "platform/Clock.h"
#include "platform/linux/LinuxServices.h"
#include "resources/AppResources.h"
#include "schedule/CatchUp.h"
#include "schedule/CellComboBox.h"
#include "schedule/ScheduleCellEditors.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/ScheduleRunner.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSessionManager>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace rimo {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QFont DesignedFont() {
    // The designed face does not exist on Linux; fontconfig falls back to the
    // Japanese faces listed after it.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    return font;
}

} // namespace

TForm1::TForm1(const AppPaths& paths, Clock& clock, QWidget* parent)
    : TForm1(paths, clock, PlatformServices{}, parent) {}

TForm1::TForm1(const AppPaths& paths, Clock& clock, const PlatformServices& services,
               QWidget* parent)
    : QWidget(parent), paths_(paths), clock_(clock), services_(services) {
    if (!services_.Complete()) {
        linuxServices_ = new LinuxServices(this);
        services_ = services_.FilledFrom(linuxServices_->Services());
    }
    actionHost_ = std::make_unique<AppActionHost>(*this);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("RimoTimeInformation"));
    setFont(DesignedFont());
    setWindowIcon(AppResources::MainIcon());
    setMinimumSize(WindowRules::kMinWidth, WindowRules::kRolledUpHeight);
    setMaximumSize(WindowRules::kFullWidth, WindowRules::kFullHeight);
    settings_ = std::make_unique<FormSettings>(*this);
    CreateControls();

    timer1_ = new SecondTimer(clock_, this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(timer1_, &SecondTimer::Tick, this, &TForm1::Timer1Timer);

    FormCreate();
    timer1_->SetEnabled(true);

    // The desktop session is ending: keep what changed during the run (the
    // session may still be cancelled, so the program stays).
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { WriteFilesAtClose(FileErrors::Logged); });
    }
    // The title bar belongs to the window manager: a double-click on the
    // window's free background, or Ctrl+R, rolls the window up.
    auto* rollUp = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    connect(rollUp, &QShortcut::activated, this, &TForm1::RollUpToggle);
}

TForm1::~TForm1() {
    // The parts use the table and the state held by this window: they go first.
    const QObjectList parts = children();
    qDeleteAll(parts);
}

QPushButton* TForm1::AddButton(const char* name, const QString& caption, const QString& hint,
                               const QRect& geometry) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setGeometry(geometry);
    return button;
}

void TForm1::CreateControls() {
    pageControl1_ = new QTabWidget(this);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    pageControl1_->setGeometry(16, 8, 657, 217);
    const QString pageCaptions[] = {
        QStringLiteral("時刻合わせ(&H)"), QStringLiteral("RIMOタイマー(&T)"),
        QStringLiteral("RIMOランチャー(&L)"), QStringLiteral("設定(&C)..."),
        QStringLiteral("バージョン情報(&A)")};
    for (int i = 0; i < 5; ++i) {
        auto* page = new QWidget(pageControl1_);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        pageControl1_->addTab(page, pageCaptions[i]);
    }
    CreateClockPage(*pageControl1_->widget(0));

    grid_ = new ScheduleGrid(schedule_, this);
    grid_->setGeometry(8, 232, 673, 201);

    QPushButton* add = AddButton("AddButton", QStringLiteral("追加"),
                                 QStringLiteral("最終行に行を追加します"), {10, 440, 75, 25});
    QPushButton* insert =
        AddButton("InsertButton", QStringLiteral("挿入"),
                  QStringLiteral("選択した場所に新しく行を挿入します"), {90, 440, 75, 25});
    QPushButton* remove = AddButton("DeleteButton", QStringLiteral("削除"),
                                    QStringLiteral("選択した行を削除します"), {170, 440, 75, 25});
    QPushButton* sort = AddButton("SortButton", QStringLiteral("ソート"),
                                  QStringLiteral("スケジュールをソートします"), {250, 440, 75, 25});
    QPushButton* test = AddButton("ButtonTest", QStringLiteral("テスト"),
                                  QStringLiteral("選択した行をテストします"), {340, 440, 75, 25});
    QPushButton* ok = AddButton(
        "OKButton", QStringLiteral("OK"),
        QStringLiteral("入力を記憶してウィンドウを最小化又は非表示にします"), {420, 440, 95, 25});
    QPushButton* cancel =
        AddButton("CancelButton", QStringLiteral("キャンセル"),
                  QStringLiteral("スケジュール入力をキャンセルします"), {520, 440, 75, 25});
    QPushButton* close = AddButton("CloseButton", QStringLiteral("終了"),
                                   QStringLiteral("終了します"), {610, 440, 75, 25});

    editor_ = new ScheduleEditor(*grid_, state_, clock_, this);
    editorChoices_ = std::make_unique<EditorChoices>(*actionHost_, scrSaver_);
    editor_->SetArgumentChoices(*editorChoices_);
    connect(add, &QPushButton::clicked, editor_, &ScheduleEditor::Add1Click);
    connect(insert, &QPushButton::clicked, editor_, &ScheduleEditor::Insert1Click);
    connect(remove, &QPushButton::clicked, editor_, &ScheduleEditor::Delete1Click);
    connect(sort, &QPushButton::clicked, editor_, &ScheduleEditor::SortButtonClick);
    connect(test, &QPushButton::clicked, editor_, &ScheduleEditor::Test1Click);
    // Leaving the grid makes sure the tick runs.
    connect(editor_, &ScheduleEditor::TimerEnableRequested, this, [this] {
        if (timer1_) {
            timer1_->SetEnabled(true);
        }
    });
    connect(ok, &QPushButton::clicked, this, &TForm1::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &TForm1::CancelButtonClick);
    connect(close, &QPushButton::clicked, this, &TForm1::CloseButtonClick);

    // Shown only while no tray host is there.
    trayStatus_ = new QLabel(this);
    trayStatus_->setObjectName(QStringLiteral("TrayStatus"));
    trayStatus_->setGeometry(10, 470, 680, 22);
    trayStatus_->hide();

    trayMenu_ = new TrayMenu(*this, paths_, this);
    TrayMenu::Hooks& popup = trayMenu_->Handlers();
    popup.Test = [this] { editor_->Test1Click(); };
    popup.Exit = [this] { CloseButtonClick(); };
    popup.SynchroniseClock = [this] { GetTimeButtonClick(); };
    // The launcher side of the action host: open the page, start its checked buttons.
    popup.StartLauncherPage = [this](int page) {
        actionHost_->SelectLauncherPage(page);
        actionHost_->StartCheckedLauncherButtons();
    };

    // Tab order: grid, test, OK, cancel, pages, add, insert, delete, sort, close.
    QWidget* order[] = {grid_, test, ok, cancel, pageControl1_, add, insert, remove, sort, close};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void TForm1::CreateClockPage(QWidget& tabSheet1) {
    ClockPageHost host;
    host.ShowClockPage = [this] { pageControl1_->setCurrentIndex(0); };
    host.BringMainWindowForward = [this] { BringForward(); };
    host.OpenDocument = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    clockPage_ = new ClockPage(
        tabSheet1, paths_,
        ClockPageServices{clock_, *services_.Zone, *services_.ClockSetting, *services_.Network},
        std::move(host));
    // The scheduled action "時刻合わせ" does what "今すぐ実行" does.
    actionHost_->OnSynchroniseClock = [this] { GetTimeButtonClick(); };
    // After the clock is set, the schedule editor's earliest date is today.
    connect(clockPage_, &ClockPage::ClockSet, this, [this] {
        if (auto* picker = findChild<QDateTimeEdit*>(QStringLiteral("DateTimePicker1"))) {
            const DateParts today = DecodeDate(clock_.Now());
            picker->setMinimumDate(QDate(today.Year, today.Month, today.Day));
        }
    });
}

void TForm1::GetTimeButtonClick() {
    clockPage_->GetTimeButtonClick();
}

// The main window comes forward for a message that needs the user.
void TForm1::BringForward() {
    switch (IconDisplayMode()) {
    case 0:
        if (isMinimized()) {
            showNormal();
            raise();
            activateWindow();
        }
        break;
    case 1:
        if (!state_.MainWindowShown) {
            show();
            state_.MainWindowShown = true;
            raise();
            activateWindow();
        }
        break;
    default:
        break;
    }
}

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

    // 4. Always on top (settings page).

    // 5. Header row and schedule file.
    schedule_.WriteHeader();
    LoadScheduleFile();

    // 6. Timer page set-up (countdown timer).

    // 7. Repeating rows whose time has passed move to their next occurrence.
    caughtUpAt_ = clock_.Now();
    for (const ScheduleRowProblem& problem : CatchUpSchedule(schedule_, caughtUpAt_)) {
        startupProblems_.append(
            QStringLiteral("スケジュール %1 行目: %2 (この行は動かしていません)")
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
    scheduleRunner_->Start(caughtUpAt_);
    // 10. Current launcher page (launcher).
    // 11. Page-change step, then the restored page (settings page, settings file).
    // 12. The action list keeps all 13 actions: every power action exists on Linux.
}

void TForm1::LoadScheduleFile() {
    const ScheduleReadReport report = LoadSchedule(scheduleFile_, schedule_);
    QString text = QStringLiteral("スケジュールファイル %1 に問題があります:")
                       .arg(QString::fromStdString(scheduleFile_.string()));
    scheduleFile_ = report.SaveTo;
    if (report.Problems.empty()) {
        return;
    }
    for (const std::string& problem : report.Problems) {
        text += QStringLiteral("\n・") + Text(problem);
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
    const int mode = IconDisplayMode();
    if (mode == 0) {
        state_.TitleText = "RimoTimeInformation 起動！１秒後に最小化します";
    } else if (mode == 1) {
        state_.TitleText = "RimoTimeInformation 起動！１秒後に非表示になります";
    }
    setWindowTitle(Text(state_.TitleText));
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

int TForm1::IconDisplayMode() const {
    return settings_->Integer("TaskBar"); // "アイコン表示"
}

bool TForm1::MinimizeAfterStart() const {
    return settings_->Checked("CMShowing"); // "最小化・非表示する"
}

void TForm1::ToggleMainWindow() {
    int mode = IconDisplayMode();
    if (mode == 1 && !(tray_ && tray_->HostAvailable()) && state_.MainWindowShown) {
        // Hidden without a tray icon, the window could not be brought back:
        // it is minimised instead.
        mode = 0;
    }
    switch (mode) {
    case 0:
        if (isMinimized()) {
            showNormal();
            raise();
            activateWindow();
        } else {
            showMinimized();
        }
        break;
    case 1:
        state_.MainWindowShown = !state_.MainWindowShown;
        if (state_.MainWindowShown) {
            show();
            raise();
            activateWindow();
        } else {
            hide();
        }
        break;
    default:
        break;
    }
}

void TForm1::RollUpToggle() {
    const WindowRules::RollState next = WindowRules::ToggleRollUp(state_.ShowFlag, height());
    if (next.ShowFlag == -1 && next.Height == WindowRules::kRolledUpHeight) {
        state_.ShowFlag = next.ShowFlag; // before the resize, which would otherwise grow it back
        resize(width(), next.Height);
    } else {
        resize(width(), next.Height);
        state_.ShowFlag = next.ShowFlag;
    }
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int corrected = WindowRules::CorrectedHeight(state_.ShowFlag, height());
    if (corrected != height()) {
        resize(width(), corrected);
    }
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        // Maximising never moves the window: it takes the largest size where it
        // stands (move() places the frame, normalGeometry() is the client area).
        const QPoint place =
            normalGeometry().topLeft() - (geometry().topLeft() - frameGeometry().topLeft());
        QTimer::singleShot(0, this, [this, place] {
            setWindowState(windowState() & ~Qt::WindowMaximized);
            move(place);
            resize(WindowRules::kFullWidth, WindowRules::kFullHeight);
        });
    }
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        RollUpToggle();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TForm1::OKButtonClick() {
    const Status saved = SaveSchedule(scheduleFile_, schedule_);
    if (!saved) {
        ShowErrorMessage(this, Text(saved.message()));
        return;
    }
    editor_->SortButtonClick();
    timer1_->SetEnabled(true);
    ToggleMainWindow();
}

void TForm1::CancelButtonClick() {
    LoadScheduleFile();
}

void TForm1::CloseButtonClick() {
    close();
}

void TForm1::Timer1Timer() {
    // 1. Next-event tray tip and, when a refresh is pending, the title text.
    // 2. Tray icon frame.
    const int row = grid_->CurrentTableRow();
    const ScheduleRow* current =
        row > 0 && row < schedule_.RowCount() ? &schedule_.Row(row) : nullptr;
    const TrayTicker::TrayOutput tray =
        ticker_.TipAndIcon(settings_->Checked("Next"), current, settings_->Checked("AnimeIcon"));
    tray_->Update(Text(tray.Tip), tray.IconFrame);
    // 3. Countdown step and its expiry actions (countdown timer).
    // 4. Countdown caption of the notice dialog (countdown timer).
    // 5. Title bar text and its scrolling.
    ShowTitle(ticker_.Title(settings_->Checked("Scroll")));
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
    bool allWritten = true;
    // False when the sequence has to stop at this step.
    const auto written = [&](const Status& status) {
        if (status) {
            return true;
        }
        allWritten = false;
        if (errors == FileErrors::Shown) {
            ShowErrorMessage(this, Text(status.message()));
            return false;
        }
        std::fprintf(stderr, "%s\n", status.message().c_str());
        return true;
    };
    // 1. Synchronisation results appended to the log; only the lines not yet
    //    appended, as this may run twice.
    if (!written(clockPage_->SaveSyncLog())) {
        return false;
    }
    // 2. Schedule file.
    if (!written(SaveSchedule(scheduleFile_, schedule_))) {
        return false;
    }
    // 3. Settings file.
    if (!written(SaveSettings())) {
        return false;
    }
    return allWritten;
}

void TForm1::CloseForSessionEnd() {
    if (closed_) {
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
}

void TForm1::ShowTitle(const std::string& title) {
    // "[*]" in a title is Qt's placeholder for the modified mark; doubled it shows as itself.
    QString text = Text(title);
    text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    if (text != windowTitle()) {
        setWindowTitle(text);
    }
}

void TForm1::ShowTrayStatus(bool hostAvailable) {
    if (hostAvailable) {
        trayStatus_->hide();
        return;
    }
    const QString text =
        QStringLiteral("通知領域（トレイ）が見つかりません。ウィンドウから操作できます。"
                       "通知領域が現れるとアイコンを表示します。");
    trayStatus_->setText(text);
    trayStatus_->show();
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace rimo
