// The main window's modes: minimise or hide, roll-up, its size rules,
// coming forward, and its title and tray status lines.
#include "app/TForm1.h"

#include "app/FormSettings.h"
#include "app/SettingsPage.h"
#include "app/TrayIcon.h"
#include "app/WindowRules.h"

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

int TForm1::IconDisplayMode() const {
    return settingsPage_->TaskBarMode(); // "アイコン表示"
}

bool TForm1::MinimizeAfterStart() const {
    return settingsPage_->MinimizeAfterStart(); // "最小化・非表示する"
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
    const QString text =
        QStringLiteral("通知領域（トレイ）が見つかりません。ウィンドウから操作できます。"
                       "通知領域が現れるとアイコンを表示します。");
    trayStatus_->setText(text);
    trayStatus_->show();
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    // A hidden window could no longer be brought back from the tray.
    if (shownOnce_ && !closed_ && !isVisible()) {
        state_.MainWindowShown = true;
        show();
        raise();
        activateWindow();
    }
}

} // namespace rimo
