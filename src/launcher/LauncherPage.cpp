// The launcher page: its controls, opening a page, the rows and the page file.
#include "launcher/LauncherPage.h"

#include "core/RadioGroup.h"
#include "core/UserMessages.h"
#include "launcher/LaunchPaths.h"
#include "launcher/RowCountBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

#include <algorithm>
#include <cstdio>

namespace rimo {

namespace {

constexpr int kPages = 3;
constexpr int kMaxRows = 99;
constexpr int kRowStep = 22;
constexpr int kRowHeight = 20;
constexpr int kTitleLength = 20; // what the title edit takes
const QString kNoTitle = QString(4, QChar(0x3000)); // a label whose row has no stored title

template <typename T>
T* Named(T* widget, const QString& name, const QRect& geometry, const QString& hint = {}) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    if (!hint.isEmpty()) {
        widget->setToolTip(hint);
    }
    return widget;
}

} // namespace

LauncherPage::LauncherPage(QWidget& tabSheet, const AppPaths& paths, LaunchButtonServices services)
    : QObject(&tabSheet), services_(services), page_(tabSheet) {
    setObjectName(QStringLiteral("LauncherPage"));
    for (int page = 0; page < kPages; ++page) {
        files_.emplace_back(paths.LauncherFile(page), page);
    }
    CreateControls(tabSheet);
    CreatePopupMenu3();
}

LauncherPage::~LauncherPage() = default;

void LauncherPage::CreateControls(QWidget& page) {
    radioGroupLaunchTitle_ = Named(new RadioGroup(QStringLiteral("ランチャー・タイトル"), &page),
                                   QStringLiteral("RadioGroupLaunchTitle"), {10, 8, 169, 81},
                                   QStringLiteral("ランチャー・ページを選択します"));
    radioGroupLaunchTitle_->SetItems(
        {QStringLiteral("タイトル１"), QStringLiteral("タイトル２"), QStringLiteral("タイトル３")});
    connect(radioGroupLaunchTitle_, &RadioGroup::ItemIndexChanged, this,
            &LauncherPage::RadioGroupLaunchTitleClick);

    checkBoxConf_ =
        Named(new QCheckBox(QStringLiteral("確認要(&C)"), &page), QStringLiteral("CheckBoxConf"),
              {8, 104, 73, 17}, QStringLiteral("削除時の確認をします"));
    checkBoxConf_->setChecked(true);
    auto* labelBtn =
        Named(new QLabel(QStringLiteral("ﾎﾞﾀﾝ数："), &page), QStringLiteral("LabelBtn"),
              {95, 104, 42, 12}, QStringLiteral("ランチ・ボタンの数を指定"));
    spinEdit2_ = Named(new RowCountBox(&page), QStringLiteral("SpinEdit2"), {138, 96, 40, 21});
    labelBtn->setBuddy(spinEdit2_); // its name for a screen reader
    // At most 99 rows (100, the old top, gives 99); a typed number counts
    // when the field is left or Enter is pressed.
    spinEdit2_->setRange(1, kMaxRows);
    spinEdit2_->setValue(kMaxRows);
    spinEdit2_->setKeyboardTracking(false);
    connect(spinEdit2_, &QSpinBox::valueChanged, this, &LauncherPage::SpinEdit2Change);

    const auto button = [&](const char* name, const QString& caption, const QRect& geometry,
                            const QString& hint, void (LauncherPage::*handler)()) {
        auto* widget =
            Named(new QPushButton(caption, &page), QString::fromLatin1(name), geometry, hint);
        connect(widget, &QPushButton::clicked, this, handler);
        return widget;
    };
    buttonIconDelete_ =
        button("ButtonIconDelete", QStringLiteral("選択して削除"), {8, 128, 75, 25},
               QStringLiteral("選択したボタンを削除します"), &LauncherPage::ButtonIconDeleteClick);
    buttonStart_ =
        button("ButtonStart", QStringLiteral("選択して起動"), {100, 128, 75, 25},
               QStringLiteral("選択したボタンを起動します"), &LauncherPage::ButtonStartClick);
    buttonSelectAll_ = button("ButtonSelectAll", QStringLiteral("全て選択"), {8, 160, 75, 25}, {},
                              &LauncherPage::ButtonSelectAllClick);
    button("ButtonReverse", QStringLiteral("反転"), {100, 160, 75, 25},
           QStringLiteral("ﾁｪｯｸを反転します"), &LauncherPage::ButtonReverseClick);

    scrollBox1_ = Named(new QScrollArea(&page), QStringLiteral("ScrollBox1"), {190, 8, 180, 177});
    // Tab goes through the title and the rows, which the box scrolls into
    // view; the box itself is no stop of its own.
    scrollBox1_->setFocusPolicy(Qt::NoFocus);
    rowsHost_ = new QWidget;
    rowsHost_->setObjectName(QStringLiteral("ScrollBox1Rows"));
    rowsHost_->setAutoFillBackground(true);
    QPalette white = rowsHost_->palette();
    white.setColor(QPalette::Window, Qt::white);
    rowsHost_->setPalette(white);
    scrollBox1_->setWidget(rowsHost_);

    editLaunchTitle_ = Named(new QLineEdit(rowsHost_), QStringLiteral("EditLaunchTitle"),
                             {15, 1, 140, 20}, QStringLiteral("ランチャー・タイトルを入力"));
    editLaunchTitle_->setMaxLength(kTitleLength);
    editLaunchTitle_->setAccessibleName(tr("ランチャー・タイトル"));
    // Blue on aqua, in the window's font.
    editLaunchTitle_->setStyleSheet(
        QStringLiteral("QLineEdit { background-color: aqua; color: blue; }"));
    connect(editLaunchTitle_, &QLineEdit::textChanged, this, &LauncherPage::EditLaunchTitleChange);
    FitRowsHost();
}

int LauncherPage::CurrentPage() const {
    return radioGroupLaunchTitle_->ItemIndex();
}

void LauncherPage::SelectPage(int page) {
    radioGroupLaunchTitle_->SetItemIndex(page);
}

QStringList LauncherPage::Titles() const {
    return radioGroupLaunchTitle_->Items();
}

QPoint LauncherPage::MessagePosition() const {
    return scrollBox1_->mapToGlobal(QPoint(0, 0));
}

std::filesystem::path LauncherPage::LauncherFileName() const {
    return files_[static_cast<std::size_t>(std::max(CurrentPage(), 0))].Path();
}

LauncherFile& LauncherPage::File() {
    return files_[static_cast<std::size_t>(std::max(CurrentPage(), 0))];
}

void LauncherPage::Report(const Status& status) {
    ReportFileProblems();
    if (status) {
        lastError_.clear();
        return;
    }
    // A folder that cannot be written fails every change: said once.
    if (status.message() != lastError_) {
        lastError_ = status.message();
        std::fprintf(stderr, "RimoTimeInformation: %s\n", lastError_.c_str());
        ShowErrorMessage(page_.window(), QString::fromStdString(lastError_));
    }
}

void LauncherPage::ReportFileProblems() {
    for (LauncherFile& file : files_) {
        for (const std::string& problem : file.TakeProblems()) {
            std::fprintf(stderr, "RimoTimeInformation: %s\n", problem.c_str());
            ShowErrorMessage(page_.window(), QString::fromStdString(problem));
        }
    }
}

void LauncherPage::RadioGroupLaunchTitleClick() {
    if (CurrentPage() < 0) {
        SelectPage(0); // no page chosen: the first one
        return;
    }
    FreeLauncherRows();
    const int shown = spinEdit2_->value();
    launchButtonCount_ = File().LBtnNo();
    spinEdit2_->setValue(launchButtonCount_); // kept within 1 to 99; a change builds the rows
    if (spinEdit2_->value() == shown) {
        SpinEdit2Change(); // the value did not change, so nothing was built
    }
    for (int page = 0; page < kPages; ++page) {
        LoadLaunchTitle(page);
    }
    LauncherCheckClick();
    ReportFileProblems();
}

void LauncherPage::SpinEdit2Change() {
    if (CurrentPage() < 0) {
        return;
    }
    FreeLauncherRows();
    launchButtonCount_ = spinEdit2_->value();
    BuildLauncherRows(launchButtonCount_);
    LoadLaunchButtons();
    LoadLauncherLabels();
    LoadLauncherChecks();
    Report(File().WriteLBtnNo(spinEdit2_->value()));
}

void LauncherPage::BuildLauncherRows(int count) {
    rows_.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int n = 1; n <= count; ++n) {
        const int top = n * kRowStep;
        auto* check = Named(new QCheckBox(rowsHost_), QStringLiteral("CheckBox%1").arg(n),
                            {4, top, 17, kRowHeight}, QStringLiteral("ﾁｪｯｸして選択"));
        connect(check, &QCheckBox::toggled, this, &LauncherPage::LauncherCheckClick);
        check->installEventFilter(this);
        auto* button = Named(new TLaunchButton(services_, rowsHost_),
                             QStringLiteral("Button%1").arg(n), {19, top, 20, kRowHeight});
        button->SetAcceptDragFile(true);
        connect(button, &TLaunchButton::Updated, this, &LauncherPage::LaunchButtonUpdated);
        auto* label = Named(new QLabel(rowsHost_), QStringLiteral("Label%1").arg(n),
                            {42, top, 0, kRowHeight}, QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸで起動"));
        label->setTextFormat(Qt::PlainText); // titles are file names and typed text
        label->setText(QString(3, QChar(0x3000)));
        label->setWordWrap(false);
        label->adjustSize();
        label->setFixedHeight(kRowHeight);
        label->installEventFilter(this);
        for (QWidget* widget : {static_cast<QWidget*>(check), static_cast<QWidget*>(button),
                                static_cast<QWidget*>(label)}) {
            widget->show();
        }
        rows_.push_back({check, button, label});
    }
    ChainRowsAfterTitle();
    FitRowsHost();
}

void LauncherPage::FreeLauncherRows() {
    ++generation_;
    for (const Row& row : rows_) {
        delete row.Check;
        delete row.Label;
        delete row.Button; // a dialog open for it closes (the button's release handler checks)
    }
    rows_.clear();
}

void LauncherPage::FitRowsHost() {
    int width = editLaunchTitle_->geometry().right() + 1;
    for (const Row& row : rows_) {
        width = std::max(width, row.Label->geometry().right() + 1);
    }
    rowsHost_->resize(width + 4, (static_cast<int>(rows_.size()) + 1) * kRowStep + 2);
}

void LauncherPage::LoadLaunchTitle(int page) {
    const QString title =
        QString::fromStdString(files_[static_cast<std::size_t>(page)].LaunchTitle());
    radioGroupLaunchTitle_->SetItemText(page, title);
    if (page == CurrentPage() && editLaunchTitle_->text() != title) {
        // A longer stored title (edited by hand) is shown whole, not cut and stored cut.
        editLaunchTitle_->setMaxLength(std::max(kTitleLength, static_cast<int>(title.size())));
        editLaunchTitle_->setText(title); // its change handler stores the title
    }
}

void LauncherPage::EditLaunchTitleChange() {
    if (CurrentPage() < 0) {
        return;
    }
    Report(File().WriteLaunchTitle(editLaunchTitle_->text().toStdString()));
    LoadLaunchTitle(CurrentPage());
}

void LauncherPage::LoadLaunchButtons() {
    const IniFile ini = File().Read();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].Button->SetItem(LauncherFile::ButtonOf(ini, static_cast<int>(i) + 1));
    }
}

void LauncherPage::SaveLaunchButton(TLaunchButton& button) {
    const int n = LaunchPaths::RowNumberOf(button.objectName().toStdString(), 6); // "Button"
    if (n >= 1) {
        Report(File().SaveButton(n, button.Item()));
    }
}

void LauncherPage::LaunchButtonUpdated(TLaunchButton* button) {
    const int n = LaunchPaths::RowNumberOf(button->objectName().toStdString(), 6);
    if (n < 1) {
        return;
    }
    if (LauncherFile::ButtonOf(File().Read(), n).Path.empty()) {
        // Registered into an empty slot: the file's name and folder, whatever was typed.
        const std::string path = button->ProgramPath().toStdString();
        button->SetProgramTitle(QString::fromStdString(LaunchPaths::TitleOf(path)));
        button->SetProgramDir(QString::fromStdString(LaunchPaths::FolderOf(path)));
    }
    SaveLaunchButton(*button);
    LoadLauncherLabels();
}

void LauncherPage::LoadLauncherLabels() {
    const IniFile ini = File().Read();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const std::optional<std::string> title =
            LauncherFile::StoredTitle(ini, static_cast<int>(i) + 1);
        QLabel* label = rows_[i].Label;
        label->setText(title ? QString::fromStdString(*title) : kNoTitle);
        label->adjustSize();
        label->setFixedHeight(kRowHeight);
    }
    NameRowChecks();
    FitRowsHost();
}

void LauncherPage::LoadLauncherChecks() {
    const std::vector<bool> checks =
        LauncherFile::ChecksOf(File().Read(), static_cast<int>(rows_.size()));
    ChangeChecks([&] {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            rows_[i].Check->setChecked(checks[i]);
        }
    });
}

void LauncherPage::SaveLauncherChecks() {
    std::vector<bool> checks;
    for (const Row& row : rows_) {
        checks.push_back(row.Check->isChecked());
    }
    Report(File().SaveChecks(checks));
}

template <typename Change> void LauncherPage::ChangeChecks(Change change) {
    // Each box's change would store the file; once at the end gives the same file.
    checksHeld_ = true;
    change();
    checksHeld_ = false;
    LauncherCheckClick();
}

void LauncherPage::LauncherCheckClick() {
    if (checksHeld_ || CurrentPage() < 0) {
        return;
    }
    const auto checked = static_cast<int>(std::count_if(
        rows_.begin(), rows_.end(), [](const Row& row) { return row.Check->isChecked(); }));
    allChecked_ = checked == launchButtonCount_;
    buttonStart_->setEnabled(checked > 0);
    buttonIconDelete_->setEnabled(checked > 0);
    if (checked > 0) {
        buttonStart_->setToolTip(QStringLiteral("選択したﾗﾝﾁﾎﾞﾀﾝを起動します"));
        buttonIconDelete_->setToolTip(QStringLiteral("選択したﾗﾝﾁﾎﾞﾀﾝのｱｲｺﾝを削除します"));
    }
    if (allChecked_) {
        buttonSelectAll_->setText(QStringLiteral("全て解除"));
        buttonSelectAll_->setToolTip(QStringLiteral("全てのﾗﾝﾁﾎﾞﾀﾝを解除します"));
    } else {
        buttonSelectAll_->setText(QStringLiteral("全て選択"));
        buttonSelectAll_->setToolTip(QStringLiteral("全てのﾗﾝﾁﾎﾞﾀﾝを選択します"));
    }
    SaveLauncherChecks();
}

void LauncherPage::ButtonSelectAllClick() {
    const bool check = !allChecked_;
    ChangeChecks([&] {
        for (const Row& row : rows_) {
            row.Check->setChecked(check);
        }
    });
}

void LauncherPage::ButtonReverseClick() {
    ChangeChecks([&] {
        for (const Row& row : rows_) {
            row.Check->toggle();
        }
    });
}

bool LauncherPage::eventFilter(QObject* watched, QEvent* event) {
    if (auto* check = qobject_cast<QCheckBox*>(watched)) {
        return RowCheckKey(*check, *event) || QObject::eventFilter(watched, event);
    }
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            LauncherLabelDblClick(*label);
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        LauncherLabelMouseDown(*label, static_cast<QMouseEvent*>(event)->buttons());
        break;
    case QEvent::ContextMenu:
        OpenRowMenu(0, static_cast<QContextMenuEvent*>(event)->globalPos()); // row of the press
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rimo
