// The five pages of the main window. Each page is its own class; the
// window builds it on its tab sheet and wires it to the other parts here.
#include "app/TForm1.h"

#include "app/AboutPage.h"
#include "app/AppActionHost.h"
#include "app/PageControl.h"
#include "app/SettingsPage.h"
#include "launcher/LaunchIcons.h"
#include "launcher/LauncherPage.h"
#include "net/ClockPage.h"
#include "platform/Clock.h"
#include "schedule/ScheduleRunner.h"
#include "timer/TimerPage.h"

#include <QDate>
#include <QDateTimeEdit>
#include <QDesktopServices>
#include <QTabWidget>

namespace rimo {

namespace {

// The folder the program's files are read from and written to.
QString DataFolderInUse(const AppPaths& paths) {
    return QString::fromStdString(paths.DataDir.string());
}

} // namespace

void TForm1::CreatePages() {
    pageControl1_ = new PageControl(this);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    pageControl1_->setGeometry(16, 8, 657, 217);
    const QString pageCaptions[] = {
        QStringLiteral("時刻合わせ(&H)"), QStringLiteral("RIMOタイマー(&T)"),
        QStringLiteral("RIMOランチャー(&L)"), QStringLiteral("設定(&C)..."),
        QStringLiteral("バージョン情報(&A)")};
    for (int i = 0; i < 5; ++i) {
        auto* page = new QWidget(pageControl1_);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        pageControl1_->AddPage(page, pageCaptions[i]);
    }
    CreateClockPage(*pageControl1_->widget(0));
    CreateTimerPage(*pageControl1_->widget(1));
    CreateLauncherPage(*pageControl1_->widget(2));
    CreateSettingsPage(*pageControl1_->widget(3));
    CreateAboutPage(*pageControl1_->widget(4));
    pageControl1_->ResolveMnemonics();
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
    actionHost_->OnSynchroniseClock = [this] { return clockPage_->SynchroniseForRun(); };
    // After the clock is set, the schedule editor's earliest date is today.
    connect(clockPage_, &ClockPage::ClockSet, this, [this] {
        if (auto* picker = findChild<QDateTimeEdit*>(QStringLiteral("DateTimePicker1"))) {
            const DateParts today = DecodeDate(clock_.Now());
            picker->setMinimumDate(QDate(today.Year, today.Month, today.Day));
        }
    });
}

// "RIMOタイマー(&T)": the countdown timer's page.
void TForm1::CreateTimerPage(QWidget& tabSheet2) {
    TimerPageHost host;
    // A started timer gets the main window out of the way by the taskbar
    // mode: minimised (mode 0) or hidden (mode 1), unless it is already.
    host.GetMainWindowOutOfTheWay = [this] {
        const int mode = IconDisplayMode();
        if ((mode == 0 && !isMinimized()) || (mode == 1 && state_.MainWindowShown)) {
            ToggleMainWindow();
        }
    };
    // The wave player of the scheduled actions.
    host.PlayWave = [this](const std::string& path) {
        if (scheduleRunner_) {
            scheduleRunner_->Actions().PlayWave(path);
        }
    };
    timerPage_ = new TimerPage(
        tabSheet2,
        TimerPageServices{*services_.Sound, *services_.Elapsed, clock_, *services_.Programs},
        std::move(host));
    // The scheduled "サウンド" loops as this page's "繰り返す(&R)" says.
    actionHost_->OnLoopSound = [this] { return timerPage_->SoundLoop(); };
}

// "RIMOランチャー(&L)": the launcher pages.
void TForm1::CreateLauncherPage(QWidget& tabSheet3) {
    launchIcons_ = std::make_unique<LaunchIcons>();
    launcherPage_ = new LauncherPage(tabSheet3, paths_, {*services_.Programs, *launchIcons_});
    // The scheduled action "ランチャー", the tray items and the editor's list of titles.
    actionHost_->OnLauncherPageTitles = [this] {
        std::vector<std::string> titles;
        for (const QString& title : launcherPage_->Titles()) {
            titles.push_back(title.toStdString());
        }
        return titles;
    };
    actionHost_->OnSelectLauncherPage = [this](int page) { launcherPage_->SelectPage(page); };
    actionHost_->OnStartCheckedLauncherButtons = [this] { launcherPage_->ButtonStartClick(); };
}

// "設定(&C)...": the settings page.
void TForm1::CreateSettingsPage(QWidget& tabSheet4) {
    settingsPage_ = new SettingsPage(tabSheet4, *this, state_, *services_.Startup,
                                     paths_.ExecutableDir / paths_.BaseName);
}

// "バージョン情報(&A)": the about page, whose figures are taken when it is selected.
void TForm1::CreateAboutPage(QWidget& tabSheet5) {
    aboutPage_ = new AboutPage(tabSheet5, *services_.SystemInfo, DataFolderInUse(paths_),
                               [](const QUrl& url) { return QDesktopServices::openUrl(url); });
    connect(pageControl1_, &QTabWidget::currentChanged, aboutPage_,
            [this](int index) { aboutPage_->PageControl1Change(pageControl1_->widget(index)); });
}

} // namespace rimo
