#include "timer/TTimeDlg.h"

#include "resources/AppResources.h"
#include "timer/TimerPage.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace rimo {

namespace {

constexpr int kLabelLeft = 48;
constexpr int kLabelTop = 16;
constexpr int kMargin = 16; // right of the label when the notice is wider than designed

constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;

} // namespace

TTimeDlg::TTimeDlg(TimerPage& page, const QWidget& mainWindow)
    : QDialog(nullptr, kFrame | Qt::WindowCloseButtonHint), page_(&page), mainWindow_(&mainWindow),
      programIcon_(new QLabel(this)), label1_(new QLabel(this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TimeDlg"));
    setWindowTitle(QStringLiteral("RimoTimeInformation"));
    setFont(mainWindow.font());
    setWindowIcon(mainWindow.windowIcon());
    setFixedSize(kClientWidth, 73);

    programIcon_->setObjectName(QStringLiteral("ProgramIcon"));
    programIcon_->setGeometry(0, 0, 32, 32);
    programIcon_->setScaledContents(true);
    programIcon_->setPixmap(AppResources::MainIcon().pixmap(32, 32));

    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setTextFormat(Qt::PlainText);
    label1_->move(kLabelLeft, kLabelTop);

    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setGeometry(135, 40, 75, 25);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &TTimeDlg::OKButtonClick);

    // A screen reader calls the window by its notice, which changes only with
    // the notice; the time left, which the caption shows every second, is
    // its description, read when asked for rather than at every tick.
    setAccessibleName(windowTitle());
    connect(this, &QWidget::windowTitleChanged, this, [this](const QString& caption) {
        if (caption != accessibleDescription()) {
            setAccessibleDescription(caption);
        }
    });

    page.AttachNoticeDialog(this);
}

TTimeDlg::~TTimeDlg() {
    if (page_) {
        page_->AttachNoticeDialog(nullptr);
    }
}

void TTimeDlg::FormShow() {
    if (!page_) {
        return;
    }
    CountdownState& state = page_->State();
    const Notice notice =
        TimerTexts::ComposeNotice(state.CountdownFired, page_->LoopMode(), page_->ChosenDuration());
    kind_ = notice.Kind;
    okButton_->setVisible(notice.OkVisible);
    if (!notice.OkCaption.empty()) {
        okButton_->setText(QString::fromStdString(notice.OkCaption));
    }
    label1_->setText(QString::fromStdString(notice.Label));
    label1_->adjustSize();
    setWindowTitle(QString::fromStdString(notice.Caption));
    setAccessibleName(windowTitle());
    if (notice.Kind == NoticeKind::Start) {
        state.NoticeTicks = 0; // minimised after its third tick
    }

    // The close box and the stacking: the window manager draws and keeps
    // them, so the flags change before showing.
    closeEnabled_ = notice.CloseEnabled;
    Qt::WindowFlags flags = kFrame;
    flags.setFlag(Qt::WindowCloseButtonHint, closeEnabled_);
    flags.setFlag(Qt::WindowStaysOnTopHint,
                  mainWindow_ && mainWindow_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    if (windowFlags() != flags) {
        if (QWindow* handle = isVisible() ? windowHandle() : nullptr) {
            // Changed on the shown window itself: hidden and shown again at
            // once, it could be mapped before the window manager has seen it
            // go, which then forgets its stacking.
            overrideWindowFlags(flags);
            handle->setFlags(flags);
        } else {
            setWindowFlags(flags);
        }
    }
    // Wider than designed only when a long duration text needs it.
    const int width = std::max(kClientWidth, kLabelLeft + label1_->width() + kMargin);
    okButton_->move((width - okButton_->width()) / 2, okButton_->y());
    setFixedSize(width, notice.WindowHeight - kTitleBarHeight);
}

void TTimeDlg::ShowNotice() {
    const bool wasVisible = isVisible();
    FormShow();
    if (!wasVisible || !isVisible()) {
        // Shown anew at its normal size: a notice minimised while it counted
        // would otherwise be mapped minimised, and a restore that follows at
        // once can reach the window manager first.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        // Centred on the screen at each showing.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    show();
}

void TTimeDlg::BringToFront() {
    showNormal();
    raise();
    activateWindow();
}

void TTimeDlg::FormClose() {
    hide();
    if (page_) {
        page_->NoticeClosed();
    }
}

void TTimeDlg::OKButtonClick() {
    FormClose();
}

void TTimeDlg::closeEvent(QCloseEvent* event) {
    if (!closeEnabled_) {
        event->ignore(); // the start notice ends only with the timer
        return;
    }
    event->accept();
    FormClose();
}

void TTimeDlg::reject() {
    if (closeEnabled_) {
        FormClose();
    }
}

} // namespace rimo
