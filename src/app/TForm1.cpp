// The main window as the composition root: its controls, the parts they
// drive, and the buttons of the bottom row.
#include "app/TForm1.h"

#include "app/AppActionHost.h"
#include "app/EditorChoices.h"
#include "app/FormSettings.h"
#include "app/PageControl.h"
#include "app/SecondTimer.h"
#include "app/TrayMenu.h"
#include "app/WindowRules.h"
#include "core/UserMessages.h"
#include "i18n/Translations.h"
#include "launcher/LaunchIcons.h"
#include "net/ClockPage.h"
#include "platform/linux/LinuxServices.h"
#include "resources/AppResources.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/SchedulePopupMenu.h"
#include "timer/TimerPage.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSessionManager>
#include <QShortcut>
#include <QTabWidget>

namespace rimo {

namespace {

QFont DesignedFont() {
    // The designed face does not exist on Linux; fontconfig falls back to the
    // Japanese faces listed after it.
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), // stored
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
    ticker_.SetRender([](const Message& text) { return Translations::Text(text).toStdString(); });
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("RimoTimeInformation"));
    InstallAccessibleWindow();
    ShowAccessibleTitle(state_.TitleText);
    setFont(DesignedFont());
    setWindowIcon(AppResources::MainIcon());
    setMinimumSize(WindowRules::kMinWidth, WindowRules::kRolledUpHeight);
    setMaximumSize(WindowRules::kFullWidth, WindowRules::kFullHeight);
    settings_ = std::make_unique<FormSettings>(*this);
    CreateControls();

    CreateTimer1();
    FormCreate();
    WireTickDemand();
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
    // The tick lets go of its source before the services go.
    delete timer1_;
    timer1_ = nullptr;
    // The history's windows stand on their own (they show while this one is
    // hidden in the tray) but go with it.
    CloseHistoryWindows();
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
    CreatePages();

    grid_ = new ScheduleGrid(schedule_, this);
    grid_->setGeometry(8, 232, 673, 201);

    QPushButton* add =
        AddButton("AddButton", tr("追加"), tr("最終行に行を追加します"), {10, 440, 75, 25});
    QPushButton* insert = AddButton("InsertButton", tr("挿入"),
                                    tr("選択した場所に新しく行を挿入します"), {90, 440, 75, 25});
    QPushButton* remove =
        AddButton("DeleteButton", tr("削除"), tr("選択した行を削除します"), {170, 440, 75, 25});
    QPushButton* sort =
        AddButton("SortButton", tr("ソート"), tr("スケジュールをソートします"), {250, 440, 75, 25});
    QPushButton* test =
        AddButton("ButtonTest", tr("テスト"), tr("選択した行をテストします"), {340, 440, 75, 25});
    QPushButton* ok =
        AddButton("OKButton", QStringLiteral("OK"),
                  tr("入力を記憶してウィンドウを最小化又は非表示にします"), {420, 440, 95, 25});
    QPushButton* cancel = AddButton("CancelButton", tr("キャンセル"),
                                    tr("スケジュール入力をキャンセルします"), {520, 440, 75, 25});
    QPushButton* close = AddButton("CloseButton", tr("終了"), tr("終了します"), {610, 440, 75, 25});

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
    popup.History = [this] { ShowHistoryWindow(); };
    // The row menu's history shows the entries of the row it was opened for.
    connect(editor_->PopupMenu().History1(), &QAction::triggered, this, [this] {
        const int row = editor_->PopupMenu().SelectRowOpenedFor() ? grid_->CurrentTableRow() : 0;
        ShowHistoryWindow(row > 0 ? QString::fromStdString(schedule_.Cell(ColTitle, row))
                                  : QString());
    });
    // The launcher side of the action host: open the page, start its checked buttons.
    popup.StartLauncherPage = [this](int page) {
        actionHost_->SelectLauncherPage(page);
        actionHost_->StartCheckedLauncherButtons();
    };
    // The countdown timer's submenu.
    timerPage_->ConnectTrayItems(*trayMenu_->PopupMenu1());

    // Tab order: grid, test, OK, cancel, pages, add, insert, delete, sort, close.
    QWidget* order[] = {grid_, test, ok, cancel, pageControl1_, add, insert, remove, sort, close};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void TForm1::GetTimeButtonClick() {
    clockPage_->GetTimeButtonClick();
}

void TForm1::OKButtonClick() {
    const Status saved = SaveSchedule(scheduleFile_, schedule_);
    if (!saved) {
        ShowErrorMessage(this, Translations::Text(saved.text()));
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

} // namespace rimo
