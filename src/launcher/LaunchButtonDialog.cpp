#include "launcher/LaunchButtonDialog.h"

#include "launcher/LaunchButton.h"
#include "launcher/LaunchIcons.h"
#include "launcher/LaunchPaths.h"
#include "launcher/LauncherMessages.h"
#include "schedule/OpenDialog1.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

#include <algorithm>

namespace rimo {

namespace {

constexpr int kWidth = 420;
constexpr int kClientHeight = 142;
const QString kCaption = QStringLiteral("RimoTimeInformation");

template <typename T>
T* Named(T* widget, const char* name, const QRect& geometry, const QString& hint = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    if (!hint.isEmpty()) {
        widget->setToolTip(hint);
    }
    return widget;
}

// The width the button's style asks for its caption and icon. Asked without
// the caption: a style's least width for captioned buttons is meant for
// dialogs laid out freely, not for this fixed one.
int CaptionWidth(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    if (button.autoDefault() || button.isDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
    const QSize contents(button.fontMetrics().horizontalAdvance(button.text()) + icon,
                         button.height());
    return button.style()
        ->sizeFromContents(QStyle::CT_PushButton, &option, contents, &button)
        .width();
}

// Widens the button to its caption; returns by how much.
int GrowToCaption(QPushButton& button) {
    const int added = std::max(0, CaptionWidth(button) - button.width());
    button.resize(button.width() + added, button.height());
    return added;
}

} // namespace

LaunchButtonDialog::LaunchButtonDialog(TLaunchButton& button, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      button_(&button) {
    setObjectName(QStringLiteral("LaunchButtonDialog"));
    if (parent) {
        setFont(parent->font()); // a window does not take its owner's font by itself
    }
    setWindowTitle(tr("アプリケーションの設定"));
    setFixedSize(kWidth, kClientHeight);
    CreateControls();
    PlaceUnderButton();
    // A page rebuilt while the dialog waits takes its buttons away.
    connect(&button, &QObject::destroyed, this, &QDialog::reject);
    FormShow();
}

LaunchButtonDialog::~LaunchButtonDialog() = default;

void LaunchButtonDialog::CreateControls() {
    const auto label = [this](const char* name, const QString& text, const QRect& geometry,
                              Qt::Alignment alignment) {
        auto* widget = Named(new QLabel(text, this), name, geometry);
        widget->setAlignment(alignment | Qt::AlignVCenter);
        return widget;
    };
    QLabel* labelTitle = label("LabelTitle", tr("タイトル："), {2, 6, 80, 14}, Qt::AlignRight);
    QLabel* labelPath = label("LabelPath", tr("パス名："), {2, 29, 80, 14}, Qt::AlignRight);
    QLabel* labelDir = label("LabelDir", tr("初期ﾃﾞｨﾚｸﾄﾘ："), {2, 52, 80, 14}, Qt::AlignRight);
    QLabel* labelState = label("LabelState", tr("起動時の状態："), {2, 75, 80, 14}, Qt::AlignRight);
    QLabel* labelOption =
        label("LabelOption", tr("起動時ｵﾌﾟｼｮﾝ："), {228, 75, 80, 14}, Qt::AlignRight);
    label("LabelIcon", tr("←表示ｱｲｺﾝの設定"), {127, 100, 100, 14}, Qt::AlignLeft);

    editTitle_ = Named(new QLineEdit(button_->ProgramTitle(), this), "EditTitle", {83, 2, 287, 22});
    editPath_ = Named(new QLineEdit(button_->ProgramPath(), this), "EditPath", {83, 25, 287, 22});
    editDir_ = Named(new QLineEdit(button_->ProgramDir(), this), "EditDir", {83, 48, 325, 22});
    comboState_ = Named(new QComboBox(this), "ComboState", {83, 71, 140, 22});
    comboState_->addItems({tr("通常の大きさ"), tr("最小化で起動"), tr("最大化で起動")});
    comboState_->setCurrentIndex(static_cast<int>(button_->ProgramState()));
    connect(comboState_, &QComboBox::activated, this, &LaunchButtonDialog::ComboStateChange);
    editOption_ =
        Named(new QLineEdit(button_->ProgramOption(), this), "EditOption", {308, 71, 100, 22});

    auto* browse = Named(new QPushButton(tr("参照"), this), "ButtonBrowse", {372, 24, 35, 22},
                         tr("登録するプログラムを検索します"));
    connect(browse, &QPushButton::clicked, this, &LaunchButtonDialog::ButtonBrowseClick);
    auto* remove = Named(new QPushButton(tr("削除"), this), "ButtonDelete", {5, 113, 40, 26},
                         tr("このアイコンの情報を削除します"));
    connect(remove, &QPushButton::clicked, this, &LaunchButtonDialog::ButtonDeleteClick);
    buttonIcon_ = Named(new QToolButton(this), "ButtonIcon", {83, 99, 40, 40},
                        tr("アイコンを別の場所から設定します"));
    buttonIcon_->setIconSize(QSize(16, 16));
    connect(buttonIcon_, &QToolButton::clicked, this, &LaunchButtonDialog::ButtonIconClick);
    scrollBarIcon_ = Named(new QScrollBar(Qt::Horizontal, this), "ScrollBarIcon",
                           {130, 118, 80, 20}, tr("アイコンを選択します"));
    scrollBarIcon_->setRange(0, 0);
    scrollBarIcon_->setPageStep(1);
    connect(scrollBarIcon_, &QScrollBar::valueChanged, this,
            &LaunchButtonDialog::ScrollBarIconChange);
    auto* standard = Named(new QPushButton(tr("標準"), this), "ButtonDefaultIcon",
                           {216, 117, 40, 22}, tr("デフォルトのアイコンに戻します"));
    connect(standard, &QPushButton::clicked, this, &LaunchButtonDialog::ButtonDefaultIconClick);
    auto* ok = Named(new QPushButton(QStringLiteral("OK"), this), "ButtonOK", {266, 112, 70, 27},
                     tr("変更点を適用します"));
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &LaunchButtonDialog::ButtonOKClick);
    auto* cancel = Named(new QPushButton(tr("ｷｬﾝｾﾙ"), this), "ButtonCancel", {337, 112, 70, 27},
                         tr("変更をすべて破棄して終了します"));
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitCaptions(*browse, *remove, *standard);
    // The labels name their fields for a screen reader; the icon's two
    // controls have no label of their own.
    labelTitle->setBuddy(editTitle_);
    labelPath->setBuddy(editPath_);
    labelDir->setBuddy(editDir_);
    labelState->setBuddy(comboState_);
    labelOption->setBuddy(editOption_);
    buttonIcon_->setAccessibleName(tr("表示ｱｲｺﾝ"));
    scrollBarIcon_->setAccessibleName(tr("表示ｱｲｺﾝの選択"));
    // Creation order is the tab order; the default button takes Enter.
    editTitle_->setFocus();
}

// Captions wider than the designed buttons (English) widen them, taking the
// room from the control beside them: the browse and default buttons keep
// their right edges.
void LaunchButtonDialog::FitCaptions(QPushButton& browse, QPushButton& remove,
                                     QPushButton& standard) {
    int added = GrowToCaption(browse);
    browse.move(browse.x() - added, browse.y());
    editPath_->resize(editPath_->width() - added, editPath_->height());
    added = GrowToCaption(standard);
    standard.move(standard.x() - added, standard.y());
    scrollBarIcon_->resize(scrollBarIcon_->width() - added, scrollBarIcon_->height());
    GrowToCaption(remove); // into the free room before the icon button
}

void LaunchButtonDialog::PlaceUnderButton() {
    const QPoint topLeft = button_->mapToGlobal(QPoint(0, 0));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : kWidth;
    const int left = topLeft.x() + kWidth >= screenWidth ? screenWidth - kWidth : topLeft.x();
    move(left, topLeft.y() + button_->height() + 1);
}

void LaunchButtonDialog::SetPreview(const QPixmap& preview) {
    preview_ = preview;
    buttonIcon_->setIcon(preview_.isNull() ? QIcon() : QIcon(preview_));
}

void LaunchButtonDialog::ClearPreview() {
    SetPreview({});
}

void LaunchButtonDialog::SetSelectorMaximum(int count) {
    if (count > 0) {
        scrollBarIcon_->setMaximum(count - 1); // a position beyond moves back (and is handled)
    }
}

void LaunchButtonDialog::MoveIconSelector(int number) {
    scrollBarIcon_->setValue(number);
}

void LaunchButtonDialog::FormShow() {
    TLaunchButton& button = *button_;
    LaunchIcons& icons = button.Services().Icons;
    if (!button.ProgramPath().isEmpty()) {
        if (!button.ProgramIconPath().isEmpty()) {
            SetSelectorMaximum(icons.IconCount(button.ProgramIconPath()));
            SetPreview(button.IconGlyph(button.ProgramIconPath(), button.ProgramIconNo()));
            button.IconSource = button.ProgramIconPath();
        } else {
            // For a document, the icons of the application that opens it.
            button.IconSource = icons.ApplicationFor(button.ProgramPath());
            SetSelectorMaximum(icons.IconCount(button.IconSource));
            SetPreview(button.DrawGlyph(button.IconSource, 0, true));
        }
    }
    MoveIconSelector(button.ProgramIconNo());
}

void LaunchButtonDialog::ScrollBarIconChange(int position) {
    if (!button_) {
        return;
    }
    ClearPreview();
    button_->SetProgramIconNo(position);
    SetPreview(button_->IconGlyph(button_->IconSource, button_->ProgramIconNo()));
    button_->SetProgramIconPath(button_->IconSource);
}

void LaunchButtonDialog::ButtonIconClick() {
    const QString file = RunOpenDialog1(this, QString());
    if (file.isEmpty() || !button_) {
        return;
    }
    button_->SetProgramIconPath(file);
    button_->IconSource = file;
    const int count = button_->Services().Icons.IconCount(file);
    if (count > 0) {
        SetSelectorMaximum(count); // a number beyond moves back (and is drawn)
        // What the button will show: the chosen file's icon of the current number.
        SetPreview(button_->IconGlyph(file, button_->ProgramIconNo()));
    } else {
        ShowNotice(this, kCaption, tr("このファイルにはアイコンがありません！！"));
        button_->SetProgramIconPath({});
    }
}

void LaunchButtonDialog::ButtonDefaultIconClick() {
    if (!button_) {
        return;
    }
    ClearPreview();
    button_->SetProgramIconPath({});
    button_->SetProgramIconNo(0);
    MoveIconSelector(0);
    button_->SetProgramIconPath({});
    SetPreview(button_->IconGlyph({}, 0));
}

void LaunchButtonDialog::ComboStateChange(int index) {
    if (button_ && index >= 0 && index <= 2) {
        button_->SetProgramState(static_cast<TProgState>(index));
    }
}

void LaunchButtonDialog::ButtonBrowseClick() {
    const QString file = RunOpenDialog1(this, QString());
    if (!file.isEmpty()) {
        editPath_->setText(file);
    }
}

void LaunchButtonDialog::ButtonDeleteClick() {
    if (!AskYes(this, tr("このアイコンを削除してよろしいですか？"), QMessageBox::No) || !button_) {
        return;
    }
    button_->SetProgramPath({});
    setResult(QDialog::Accepted);
    button_->DoUpdated();
    accept();
}

void LaunchButtonDialog::ButtonOKClick() {
    setResult(QDialog::Accepted);
    if (!button_) {
        reject();
        return;
    }
    // Notices go to the main window: this dialog is about to close.
    QWidget* owner = button_->window();
    // A folder typed as "dir/" is the folder "dir", as a dropped one is.
    const QString path =
        QString::fromStdString(LaunchPaths::WithoutTrailingSlash(editPath_->text().toStdString()));
    if (path.isEmpty()) {
        ShowNotice(owner, kCaption, tr("パス名は必ず必要です！！"));
        button_->ClearProgram();
        accept();
        return;
    }
    if (!QFileInfo::exists(path)) {
        ShowNotice(owner, kCaption, tr("ファイル（ディレクトリ）が存在しません！！"));
        accept();
        return;
    }
    button_->SetProgramTitle(editTitle_->text());
    button_->SetProgramDir(editDir_->text());
    button_->SetProgramOption(editOption_->text());
    button_->SetProgramPath(path);
    button_->DoUpdated();
    accept();
}

} // namespace rimo
