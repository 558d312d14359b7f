#include "app/SettingsPage.h"

#include "app/LanguageComboBox.h"
#include "app/WindowModes.h"
#include "app/WindowSession.h"
#include "core/MainWindowState.h"
#include "core/NamedControl.h"
#include "core/RadioGroup.h"
#include "core/UserMessages.h"
#include "i18n/Translations.h"
#include "platform/StartupRegistration.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
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
    QGroupBox* window =
        Group(page, "GroupBoxWindow", tr("ウィンドウ"), tr("ウィンドウの設定"), {8, 8, 156, 66});
    checkBoxTopMost_ = Box(window, "CheckBoxTopMost", tr("常に手前に表示する"),
                           tr("ウィンドウを常に手前に表示します"), {12, 22});
    checkBoxFix_ =
        Box(window, "CheckBoxFix", tr("固定する"), tr("ウィンドウを固定します"), {12, 44});

    QGroupBox* title = Group(page, "GroupBoxTitle", tr("タイトルバー"), tr("タイトルバーの設定"),
                             {172, 8, 156, 66});
    checkBoxScroll_ = Box(title, "CheckBoxScroll", tr("スクロールさせる"),
                          tr("タイトルバーをスクロールします"), {12, 22});
    checkBoxNextHint_ = Box(title, "CheckBoxNextHint", tr("次のイベントを表示"),
                            tr("次のイベントを表示します"), {12, 44});

    QGroupBox* scrSaver = Group(page, "GroupBoxScrSaver", tr("スクリーンセーバー"),
                                tr("スクリーンセーバーの設定"), {336, 8, 130, 66});
    checkBoxScrSaver_ = Box(scrSaver, "CheckBoxScrSaver", tr("変更後起動"),
                            tr("スクリーンセーバーを変更後起動します"), {12, 22});

    QGroupBox* start =
        Group(page, "GroupBoxKidougo", tr("起動処理"), tr("起動の設定"), {474, 8, 166, 66});
    checkBoxCMShowing_ = Box(start, "CheckBoxCMShowing", tr("最小化・非表示する"),
                             tr("起動後最小化・非表示します"), {12, 22});
    checkBoxStartUp_ = Box(start, "CheckBoxStartUp", tr("スタートアップ登録"),
                           tr("スタートアップに登録します"), {12, 44});

    QGroupBox* taskTray =
        Group(page, "GroupBoxTaskTray", tr("タスクバー"), tr("タスクバーの設定"), {8, 80, 632, 100});
    checkBoxAnimeIcon_ =
        Box(taskTray, "CheckBoxAnimeIcon", tr("トレイアイコンをアニメーションさせる"),
            tr("トレイアイコンをアニメーションさせます"), {12, 18});
    radioGroupTaskBar_ = new RadioGroup(tr("アイコン表示"), taskTray);
    radioGroupTaskBar_->setObjectName(QStringLiteral("RadioGroupTaskBar"));
    radioGroupTaskBar_->SetItems({tr("タスクバーにアイコン表示（ウィンドウ最小化モード）"),
                                  tr("タスクバーにアイコン非表示（ウィンドウ非表示モード）")});
    radioGroupTaskBar_->SetItemIndex(0);
    radioGroupTaskBar_->setGeometry(252, 14, 368, 76);

    checkBoxMissed_ = Box(
        taskTray, "CheckBoxMissed", tr("見逃した予定を知らせる"),
        tr("スリープ中や終了中に実行されなかった予定を知らせ、今実行するかを選べるようにします"),
        {12, 39});

    // The language, beside the tray options: the page has no other room.
    auto* languageLabel =
        Named(new QLabel(tr("言語："), taskTray), "LabelLanguage", tr("画面に使う言語"));
    languageLabel->setGeometry(12, 60, 64, 22);
    auto* comboBoxLanguage = Named(new LanguageComboBox(taskTray), "ComboBoxLanguage",
                                   tr("画面に使う言語。自動はデスクトップの言語に従います"));
    comboBoxLanguage->setAccessibleName(tr("言語"));
    comboBoxLanguage->view()->setAccessibleName(comboBoxLanguage->accessibleName());
    comboBoxLanguage->setGeometry(78, 60, 160, 22);
    languageLabel->setBuddy(comboBoxLanguage);
    auto* restart =
        Named(new QLabel(tr("再起動後に有効になります"), taskTray), "LabelLanguageRestart");
    restart->setGeometry(12, 82, 236, 16);

    // The designed states, before the handlers are connected.
    checkBoxScroll_->setChecked(true);
    checkBoxMissed_->setChecked(true);
    checkBoxNextHint_->setChecked(true);
    checkBoxAnimeIcon_->setChecked(true);

    if (WindowSession::CompositorDecides()) {
        // Shown greyed with the reason; their stored values are kept.
        for (QCheckBox* box : {checkBoxTopMost_, checkBoxFix_}) {
            box->setEnabled(false);
            box->setToolTip(QCoreApplication::translate("rimo::WindowSession",
                                                        WindowSession::kCompositorDecidesHint));
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
    ShowErrorMessage(&mainWindow_, Translations::Text(done.text()));
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
