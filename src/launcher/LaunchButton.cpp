#include "launcher/LaunchButton.h"

#include "core/KeyboardAccess.h"
#include "core/UserMessages.h"
#include "launcher/LaunchButtonDialog.h"
#include "launcher/LaunchIcons.h"
#include "launcher/LaunchPaths.h"
#include "schedule/CommandLine.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

namespace rimo {

namespace {

const QString kUnregistered = QStringLiteral("未登録");

QString FileNamePart(const QString& path) {
    return QString::fromStdString(LaunchPaths::FileNamePart(path.toStdString()));
}

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

StartState StartStateOf(TProgState state) {
    switch (state) {
    case TProgState::psMinimized:
        return StartState::Minimized;
    case TProgState::psMaximized:
        return StartState::Maximized;
    case TProgState::psNormal:
        break;
    }
    return StartState::Normal;
}

} // namespace

TLaunchButton::TLaunchButton(LaunchButtonServices services, QWidget* parent)
    : QToolButton(parent), services_(services) {
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(16, 16));
    connect(this, &QToolButton::clicked, this, &TLaunchButton::Click);
    UpdateAccessibleName();
}

TLaunchButton::~TLaunchButton() = default;

LaunchButtonDialog* TLaunchButton::Dialog() const {
    return dialog_;
}

void TLaunchButton::SetHint(const QString& hint) {
    // A file name or title is never markup: a tip that would be taken for
    // rich text is given as escaped text, which shows it as written.
    setToolTip(Qt::mightBeRichText(hint) ? QStringLiteral("<p style=\"white-space:pre\">") +
                                               hint.toHtmlEscaped() + QStringLiteral("</p>")
                                         : hint);
}

void TLaunchButton::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    setIcon(glyph_.isNull() ? QIcon() : QIcon(glyph_));
}

void TLaunchButton::SetProgramTitle(const QString& title) {
    if (title == programTitle_) {
        return;
    }
    programTitle_ = title;
    if (Captioned() && title.isEmpty()) {
        if (programPath_.isEmpty()) {
            setText(QStringLiteral(" "));
            SetHint(kUnregistered);
        } else {
            setText(FileNamePart(programPath_));
            SetHint(text());
        }
    } else {
        if (Captioned()) {
            setText(title);
        }
        SetHint(title);
    }
    UpdateAccessibleName();
    update();
}

void TLaunchButton::SetProgramPath(const QString& path) {
    if (path.isEmpty()) {
        ClearProgram();
        return;
    }
    if (path != programPath_) {
        programPath_ = path;
        const QString hint = programTitle_.isEmpty() ? FileNamePart(path) : programTitle_;
        SetHint(hint);
        if (Captioned()) {
            setText(hint);
        }
        UpdateAccessibleName();
        update();
    }
    SetGlyph({});
    SetGlyph(IconGlyph(programIconPath_, programIconNo_));
}

void TLaunchButton::SetProgramDir(const QString& dir) {
    if (dir != programDir_) {
        programDir_ = dir;
        update();
    }
}

void TLaunchButton::SetProgramOption(const QString& option) {
    if (option != programOption_) {
        programOption_ = option;
        update();
    }
}

void TLaunchButton::SetProgramState(TProgState state) {
    if (state != programState_) {
        programState_ = state;
        update();
    }
}

void TLaunchButton::SetProgramIconPath(const QString& path) {
    if (path != programIconPath_) {
        programIconPath_ = path;
        update();
    }
}

void TLaunchButton::SetProgramIconNo(int number) {
    if (number == programIconNo_) {
        return;
    }
    programIconNo_ = number;
    update();
    if (dialog_) {
        dialog_->MoveIconSelector(number);
    }
}

void TLaunchButton::SetIsIconSmall(bool small) {
    if (small != isIconSmall_) {
        isIconSmall_ = small;
        update();
    }
}

void TLaunchButton::SetAcceptDragFile(bool accept) {
    if (accept != acceptDragFile_) {
        acceptDragFile_ = accept;
        setAcceptDrops(accept);
    }
}

LaunchItem TLaunchButton::Item() const {
    LaunchItem item;
    item.Title = programTitle_.toStdString();
    item.Path = programPath_.toStdString();
    item.Dir = programDir_.toStdString();
    item.Option = programOption_.toStdString();
    item.State = programState_;
    item.IconPath = programIconPath_.toStdString();
    item.IconNo = programIconNo_;
    return item;
}

void TLaunchButton::SetItem(const LaunchItem& item) {
    SetProgramTitle(QString::fromStdString(item.Title));
    SetProgramDir(QString::fromStdString(item.Dir));
    SetProgramState(item.State);
    SetProgramOption(QString::fromStdString(item.Option));
    SetProgramIconPath(QString::fromStdString(item.IconPath));
    SetProgramIconNo(item.IconNo);
    SetProgramPath(QString::fromStdString(item.Path));
}

QPixmap TLaunchButton::DrawGlyph(const QString& source, int number, bool useShellIcon) const {
    return services_.Icons.DrawIconGlyph(source, number, useShellIcon, isIconSmall_,
                                         palette().color(QPalette::Button));
}

QPixmap TLaunchButton::IconGlyph(const QString& iconPath, int number) const {
    const QString& source = iconPath.isEmpty() ? programPath_ : iconPath;
    const bool image = !iconPath.isEmpty() && services_.Icons.IsImageFile(iconPath);
    return DrawGlyph(source, number, number == 0 && !image);
}

void TLaunchButton::ReportFailure(const QString& text) {
    std::fprintf(stderr, "RimoTimeInformation: %s\n", text.toLocal8Bit().constData());
    ShowErrorMessage(window(), text);
}

void TLaunchButton::StartWith(const QStringList& arguments, StartState state) {
    std::vector<std::string> words;
    for (const QString& argument : arguments) {
        words.push_back(argument.toStdString());
    }
    const Status started = services_.Programs.Open(programPath_.toStdString(), words,
                                                   programDir_.toStdString(), state);
    if (!started) {
        ReportFailure(QString::fromStdString(started.message()));
    }
}

void TLaunchButton::Click() {
    showCommand_ = static_cast<int>(programState_) + 1; // SW_SHOWNORMAL, MINIMIZED, MAXIMIZED
    if (programPath_.isEmpty()) {
        return;
    }
    QStringList arguments;
    for (const std::string& word : SplitParameters(programOption_.toStdString())) {
        arguments.append(QString::fromStdString(word));
    }
    StartWith(arguments, StartStateOf(programState_));
}

void TLaunchButton::ClearProgram() {
    const QString blank(QChar(0x3000));
    if (Captioned()) {
        setText(blank);
    }
    SetProgramTitle({});
    SetProgramDir({});
    SetProgramOption({});
    SetProgramState(TProgState::psNormal);
    SetProgramIconPath({});
    SetProgramIconNo(0);
    if (Captioned()) {
        setText(blank); // not the old file name that the title's rule put there
    }
    SetHint(kUnregistered);
    if (dialog_) {
        dialog_->ClearPreview();
        dialog_->MoveIconSelector(0);
    }
    programPath_.clear();
    SetGlyph({});
    UpdateAccessibleName();
}

void TLaunchButton::DoUpdated() {
    Q_EMIT Updated(this);
}

void TLaunchButton::DropFiles(const QStringList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    if (paths.size() >= 2) {
        ShowInformation(window(), QStringLiteral("RimoTimeInformation"),
                        QStringLiteral("同時に２個以上のファイルのドラッグ＆ドロップは"
                                       "サポートしていません。"));
        return;
    }
    const QString path =
        QString::fromStdString(LaunchPaths::WithoutTrailingSlash(paths.front().toStdString()));
    if (!programPath_.isEmpty()) {
        // Opened with the item, normal-sized; the button does not change.
        StartWith({path}, StartState::Normal);
        return;
    }
    SetProgramPath(path);
    DoUpdated();
}

void TLaunchButton::OpenPropertyDialog() {
    if (dialog_) {
        return;
    }
    const QPointer<LaunchButtonDialog> dialog = new LaunchButtonDialog(*this, window());
    dialog_ = dialog;
    dialog->exec();
    delete dialog.data(); // also clears dialog_ (when the button is still there)
}

void TLaunchButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint())) {
        const QPointer<TLaunchButton> self(this);
        OpenPropertyDialog();
        if (!self) {
            return; // removed while the dialog was open
        }
    }
    QToolButton::mouseReleaseEvent(event);
}

void TLaunchButton::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptDragFile_ && !LocalFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void TLaunchButton::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (!acceptDragFile_ || files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    DropFiles(files);
}

void TLaunchButton::UpdateAccessibleName() {
    QString name = programTitle_;
    if (name.isEmpty()) {
        name = programPath_.isEmpty() ? tr("未登録") : FileNamePart(programPath_);
    }
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
}

void TLaunchButton::OpenPropertyDialogFromKeyboard() {
    const QPointer<TLaunchButton> self(this);
    OpenPropertyDialog();
    if (self) {
        setFocus(Qt::OtherFocusReason);
    }
}

void TLaunchButton::keyPressEvent(QKeyEvent* event) {
    if (IsEnterKey(*event) && !event->isAutoRepeat()) {
        animateClick();
        event->accept();
        return;
    }
    if (IsShiftF10(*event)) {
        event->accept();
        OpenPropertyDialogFromKeyboard();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void TLaunchButton::contextMenuEvent(QContextMenuEvent* event) {
    // A right click opens the dialog on the button's release instead.
    if (event->reason() == QContextMenuEvent::Mouse) {
        QToolButton::contextMenuEvent(event);
        return;
    }
    event->accept();
    OpenPropertyDialogFromKeyboard();
}

} // namespace rimo
