#include "app/SettingsPage.h"

#include "app/WindowModes.h"
#include "app/WindowSession.h"
#include "core/MainWindowState.h"
#include "core/NamedControl.h"
#include "core/RadioGroup.h"
#include "core/UserMessages.h"
#include "platform/StartupRegistration.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSignalBlocker>

namespace rimo {

namespace {

QGroupBox* Group(QWidget& page, const char* name, const QString& caption, const QString& hint,
                 const QRect& geometry) {
    auto* group = Named(new QGroupBox(caption, &page), name, hint);
    group->setGeometry(geometry);
    return group;
}

QCheckBox* Box(QWidget* group, const char* name, const QString& caption, const QString& hint,
               const QPoint& place) {
    auto* box = Named(new QCheckBox(caption, group), name, hint);
    box->adjustSize();
    box->move(place);
    return box;
}

} // namespace

SettingsPage::SettingsPage(QWidget& tabSheet, QWidget& mainWindow, MainWindowState& state,
                           StartupRegistration& startup, std::filesystem::path executable)
    : QObject(&tabSheet), mainWindow_(mainWindow), state_(state), startup_(startup),
      executable_(std::move(executable)), positionLock_(new PositionLock(mainWindow)) {
    setObjectName(QStringLiteral("SettingsPage"));
    CreateControls(tabSheet);
}

void SettingsPage::CreateControls(QWidget& page) {
    QGroupBox* window = Group(page, "GroupBoxWindow", QStringLiteral("ウィンドウ"),
                              QStringLiteral("ウィンドウの設定"), {8, 8, 156, 70});
    checkBoxTopMost_ = Box(window, "CheckBoxTopMost", QStringLiteral("常に手前に表示する"),
                           QStringLiteral("ウィンドウを常に手前に表示します"), {12, 22});
    checkBoxFix_ = Box(window, "CheckBoxFix", QStringLiteral("固定する"),
                       QStringLiteral("ウィンドウを固定します"), {12, 44});

    QGroupBox* title = Group(page, "GroupBoxTitle", QStringLiteral("タイトルバー"),
                             QStringLiteral("タイトルバーの設定"), {172, 8, 156, 70});
    checkBoxScroll_ = Box(title, "CheckBoxScroll", QStringLiteral("スクロールさせる"),
                          QStringLiteral("タイトルバーをスクロールします"), {12, 22});
    checkBoxNextHint_ = Box(title, "CheckBoxNextHint", QStringLiteral("次のイベントを表示"),
                            QStringLiteral("次のイベントを表示します"), {12, 44});

    QGroupBox* scrSaver = Group(page, "GroupBoxScrSaver", QStringLiteral("スクリーンセーバー"),
                                QStringLiteral("スクリーンセーバーの設定"), {336, 8, 130, 70});
    checkBoxScrSaver_ = Box(scrSaver, "CheckBoxScrSaver", QStringLiteral("変更後起動"),
                            QStringLiteral("スクリーンセーバーを変更後起動します"), {12, 22});

    QGroupBox* start = Group(page, "GroupBoxKidougo", QStringLiteral("起動処理"),
                             QStringLiteral("起動の設定"), {474, 8, 166, 70});
    checkBoxCMShowing_ = Box(start, "CheckBoxCMShowing", QStringLiteral("最小化・非表示する"),
                             QStringLiteral("起動後最小化・非表示します"), {12, 22});
    checkBoxStartUp_ = Box(start, "CheckBoxStartUp", QStringLiteral("スタートアップ登録"),
                           QStringLiteral("スタートアップに登録します"), {12, 44});

    QGroupBox* taskTray = Group(page, "GroupBoxTaskTray", QStringLiteral("タスクバー"),
                                QStringLiteral("タスクバーの設定"), {8, 86, 632, 94});
    checkBoxAnimeIcon_ =
        Box(taskTray, "CheckBoxAnimeIcon", QStringLiteral("トレイアイコンをアニメーションさせる"),
            QStringLiteral("トレイアイコンをアニメーションさせます"), {12, 40});
    radioGroupTaskBar_ = new RadioGroup(QStringLiteral("アイコン表示"), taskTray);
    radioGroupTaskBar_->setObjectName(QStringLiteral("RadioGroupTaskBar"));
    radioGroupTaskBar_->SetItems(
        {QStringLiteral("タスクバーにアイコン表示（ウィンドウ最小化モード）"),
         QStringLiteral("タスクバーにアイコン非表示（ウィンドウ非表示モード）")});
    radioGroupTaskBar_->SetItemIndex(0);
    radioGroupTaskBar_->setGeometry(252, 14, 368, 70);

    checkBoxMissed_ = Box(
        taskTray, "CheckBoxMissed", tr("見逃した予定を知らせる"),
        tr("スリープ中や終了中に実行されなかった予定を知らせ、今実行するかを選べるようにします"),
        {12, 64});

    // The designed states, before the handlers are connected.
    checkBoxScroll_->setChecked(true);
    checkBoxMissed_->setChecked(true);
    checkBoxNextHint_->setChecked(true);
    checkBoxAnimeIcon_->setChecked(true);

    if (WindowSession::CompositorDecides()) {
        // Shown greyed with the reason; their stored values are kept.
        for (QCheckBox* box : {checkBoxTopMost_, checkBoxFix_}) {
            box->setEnabled(false);
            box->setToolTip(QString::fromUtf8(WindowSession::kCompositorDecidesHint));
            box->setAccessibleDescription(box->toolTip());
        }
    }

    connect(checkBoxTopMost_, &QCheckBox::toggled, this, &SettingsPage::CheckBoxTopMostClick);
    connect(checkBoxFix_, &QCheckBox::toggled, this, &SettingsPage::CheckBoxFixClick);
    connect(checkBoxNextHint_, &QCheckBox::toggled, this, &SettingsPage::CheckBoxNextHintClick);
    connect(radioGroupTaskBar_, &RadioGroup::ItemIndexChanged, this,
            &SettingsPage::RadioGroupTaskBarClick);
    connect(checkBoxStartUp_, &QCheckBox::toggled, this, &SettingsPage::CheckBoxStartUpClick);
    for (QCheckBox* box : {checkBoxScroll_, checkBoxNextHint_, checkBoxAnimeIcon_}) {
        connect(box, &QCheckBox::toggled, this, &SettingsPage::TickOptionsChanged);
    }
    connect(radioGroupTaskBar_, &RadioGroup::ItemIndexChanged, this,
            &SettingsPage::TickOptionsChanged);
}

void SettingsPage::CheckBoxTopMostClick() {
    if (!WindowSession::CompositorDecides()) {
        WindowModes::SetStaysOnTop(mainWindow_, checkBoxTopMost_->isChecked());
    }
}

void SettingsPage::CheckBoxFixClick() {
    if (!WindowSession::CompositorDecides()) {
        positionLock_->SetLocked(checkBoxFix_->isChecked());
    }
}

void SettingsPage::CheckBoxNextHintClick() {
    state_.TitleRefreshPending = true;
}

void SettingsPage::RadioGroupTaskBarClick() {
    SetTaskBarMode(radioGroupTaskBar_->ItemIndex());
}

void SettingsPage::SetTaskBarMode(int mode) {
    WindowModes::SetTaskBarMode(mainWindow_, mode);
}

void SettingsPage::CheckBoxStartUpClick() {
    const bool wanted = checkBoxStartUp_->isChecked();
    const Status done = wanted ? startup_.Register(executable_) : startup_.Unregister();
    if (done) {
        return;
    }
    // The box keeps saying what is there: ticked while an entry exists.
    {
        const QSignalBlocker quiet(checkBoxStartUp_);
        checkBoxStartUp_->setChecked(startup_.Registered() || wanted);
    }
    ShowErrorMessage(&mainWindow_, QString::fromStdString(done.message()));
}

bool SettingsPage::WindowFixed() const {
    return positionLock_->Locked();
}

int SettingsPage::TaskBarMode() const {
    return radioGroupTaskBar_->ItemIndex();
}

bool SettingsPage::Scroll() const {
    return checkBoxScroll_->isChecked();
}

bool SettingsPage::NextHint() const {
    return checkBoxNextHint_->isChecked();
}

bool SettingsPage::AnimeIcon() const {
    return checkBoxAnimeIcon_->isChecked();
}

bool SettingsPage::ScreenSaverAfterChange() const {
    return checkBoxScrSaver_->isChecked();
}

bool SettingsPage::MinimizeAfterStart() const {
    return checkBoxCMShowing_->isChecked();
}

bool SettingsPage::MissedNotice() const {
    return checkBoxMissed_->isChecked();
}

} // namespace rimo
