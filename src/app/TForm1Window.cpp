// The main window's modes: minimise or hide, roll-up, its size rules,
// coming forward, and its title and tray status lines.
#include "app/TForm1.h"

#include "app/FormSettings.h"
#include "app/SecondTimer.h"
#include "app/SettingsPage.h"
#include "app/TrayIcon.h"
#include "app/WindowRules.h"
#include "app/WindowSession.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

namespace rimo {

namespace {

// The main window is a plain widget, which a screen reader would take for a
// filler inside some other window: it is a window (an AT-SPI frame).
QAccessibleInterface* MainWindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("rimo::TForm1") && object && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void TForm1::InstallAccessibleWindow() {
    QAccessible::installFactory(MainWindowAccessible); // once: the same factory is kept once
}

void TForm1::ShowAccessibleTitle(const std::string& refreshedTitle) {
    const QString product = QStringLiteral("RimoTimeInformation");
    const QString title = QString::fromStdString(refreshedTitle).trimmed();
    const QString name =
        title.isEmpty() || title == product ? product : tr("RimoTimeInformation %1").arg(title);
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
}

// The main window comes forward for a message that needs the user.
void TForm1::BringForward() {
    switch (IconDisplayMode()) {
    case 0:
        if (WindowSession::CompositorDecides() ? !isVisible() : isMinimized()) {
            state_.MainWindowShown = true;
            ShowAndActivate();
        }
        break;
    case 1:
        if (!state_.MainWindowShown || !isVisible()) {
            state_.MainWindowShown = true;
            ShowAndActivate();
        }
        break;
    default:
        break;
    }
}

void TForm1::ShowAndActivate() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    // On Wayland the compositor raises a window only with an activation
    // token: Qt keeps the one a StatusNotifier host hands over before its
    // Activate (ProvideXdgActivationToken) and passes it on here.
    activateWindow();
}

int TForm1::IconDisplayMode() const {
    return settingsPage_->TaskBarMode(); // "アイコン表示"
}

bool TForm1::MinimizeAfterStart() const {
    return settingsPage_->MinimizeAfterStart(); // "最小化・非表示する"
}

TForm1::AwayAction TForm1::AwayActionNow() const {
    const int mode = IconDisplayMode();
    if (mode != 0 && mode != 1) {
        return AwayAction::None;
    }
    const bool trayThere = tray_ && tray_->HostAvailable();
    if (WindowSession::CompositorDecides()) {
        // A Wayland client cannot bring back a window it minimised: the
        // window is hidden instead, and only while the tray can show it again.
        return trayThere ? AwayAction::Hide : AwayAction::None;
    }
    // Hidden without a tray icon, the window could not be brought back: it
    // is minimised instead.
    return mode == 1 && trayThere ? AwayAction::Hide : AwayAction::Minimise;
}

void TForm1::ToggleMainWindow() {
    const int mode = IconDisplayMode();
    if (mode != 0 && mode != 1) {
        return;
    }
    const bool away = WindowSession::CompositorDecides() ? !isVisible()
                      : mode == 0                        ? isMinimized()
                                                         : !state_.MainWindowShown || isMinimized();
    if (away) {
        state_.MainWindowShown = true;
        ShowAndActivate();
        return;
    }
    switch (AwayActionNow()) {
    case AwayAction::Hide:
        state_.MainWindowShown = false;
        hide();
        break;
    case AwayAction::Minimise:
        if (mode == 1) {
            // Shown, as the hidden mode counts it: only minimised.
            state_.MainWindowShown = true;
        }
        showMinimized();
        break;
    case AwayAction::None:
        break;
    }
}

void TForm1::RollUpToggle() {
    const WindowRules::RollState next = WindowRules::ToggleRollUp(state_.ShowFlag, height());
    if (next.ShowFlag == -1 && next.Height == WindowRules::kRolledUpHeight) {
        state_.ShowFlag = next.ShowFlag; // before the resize, which would otherwise grow it back
        ChooseSize({width(), next.Height});
    } else {
        ChooseSize({width(), next.Height});
        state_.ShowFlag = next.ShowFlag;
    }
}

void TForm1::ChooseSize(QSize size) {
    size = size.expandedTo({WindowRules::kMinWidth, WindowRules::kRolledUpHeight})
               .boundedTo({WindowRules::kFullWidth, WindowRules::kFullHeight});
    chosenSize_ = size;
    if (WindowSession::CompositorDecides()) {
        // A fixed size: tiling compositors (sway) then float the window at
        // its designed size instead of stretching it into a tile.
        setMinimumSize(size);
        setMaximumSize(size);
    }
    resize(size);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The window manager may give a rolled-up window its height back (a
    // maximise, a tiling layout): the roll state follows the window.
    state_.ShowFlag = WindowRules::ShowFlagAfterResize(state_.ShowFlag, height());
    const int corrected = WindowRules::CorrectedHeight(state_.ShowFlag, height());
    if (corrected != height()) {
        resize(width(), corrected);
    }
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && timer1_) {
        timer1_->Replan(); // a minimised window's title may be out of sight
    }
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        // Maximising never moves the window: it takes the largest size where it
        // stands (move() places the frame, normalGeometry() is the client area).
        const QPoint place =
            normalGeometry().topLeft() - (geometry().topLeft() - frameGeometry().topLeft());
        QTimer::singleShot(0, this, [this, place] {
            setWindowState(windowState() & ~Qt::WindowMaximized);
            move(place);
            ChooseSize({WindowRules::kFullWidth, WindowRules::kFullHeight});
        });
    }
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* event) {
    // The window's own free background only: a page or a label passes its
    // double-clicks on to the window, and those do not roll it up.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        RollUpToggle();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TForm1::ShowTitle(const std::string& title) {
    // "[*]" in a title is Qt's placeholder for the modified mark; doubled it shows as itself.
    QString text = QString::fromStdString(title);
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
    const QString text = tr("通知領域（トレイ）が見つかりません。ウィンドウから操作できます。"
                            "通知領域が現れるとアイコンを表示します。");
    trayStatus_->setText(text);
    trayStatus_->show();
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    // A hidden window could no longer be brought back from the tray.
    if (shownOnce_ && !closed_ && !isVisible()) {
        state_.MainWindowShown = true;
        ShowAndActivate();
    }
}

} // namespace rimo
