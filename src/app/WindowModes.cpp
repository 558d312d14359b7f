#include "app/WindowModes.h"

#include "platform/linux/X11SkipTaskbar.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace rimo {

void WindowModes::SetStaysOnTop(QWidget& window, bool on) {
    Qt::WindowFlags flags = window.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (flags == window.windowFlags()) {
        return;
    }
    if (QWindow* handle = window.windowHandle()) {
        // Changed in place on the native window (no unmapping, no flicker).
        window.overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        window.setWindowFlags(flags);
    }
}

Qt::WindowFlags WindowModes::TaskBarFlags(Qt::WindowFlags flags, int mode) {
    flags &= ~Qt::WindowType_Mask;
    if (mode == 1) {
        flags |= Qt::Tool;
        flags.setFlag(Qt::WindowMinimizeButtonHint, false);
    } else {
        flags |= Qt::Window;
        flags.setFlag(Qt::WindowMinimizeButtonHint, true);
    }
    return flags;
}

// Mode 1 also asks the window manager to keep the window off the taskbar
// and the pager, at every show (the native window's states are renewed
// whenever it is mapped).
class SkipTaskbarOnShow final : public QObject {
public:
    static constexpr const char* kName = "SkipTaskbarOnShow";
    explicit SkipTaskbarOnShow(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(QLatin1String(kName));
        window_.installEventFilter(this);
    }
    void SetSkip(bool skip) {
        skip_ = skip;
        if (window_.isVisible() && window_.windowHandle()) {
            X11SkipTaskbar::Apply(*window_.windowHandle(), skip_);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Sent before the native window is mapped.
        if (watched == &window_ && event->type() == QEvent::Show && window_.windowHandle()) {
            X11SkipTaskbar::Apply(*window_.windowHandle(), skip_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
    bool skip_ = false;
};

void WindowModes::SetTaskBarMode(QWidget& window, int mode) {
    if (mode != 0 && mode != 1) {
        return;
    }
    auto* hint = static_cast<SkipTaskbarOnShow*>(window.findChild<QObject*>(
        QLatin1String(SkipTaskbarOnShow::kName), Qt::FindDirectChildrenOnly));
    if (!hint && mode == 1) {
        hint = new SkipTaskbarOnShow(window);
    }
    if (hint) {
        hint->SetSkip(mode == 1);
    }
    const Qt::WindowFlags flags = TaskBarFlags(window.windowFlags(), mode);
    if (flags == window.windowFlags()) {
        return;
    }
    // The window type cannot change on a mapped window: Qt hides it, makes
    // the change and it is shown again.
    const bool shown = window.isVisible();
    window.setWindowFlags(flags);
    if (shown) {
        window.showNormal();
        window.raise();
        window.activateWindow();
    }
}

PositionLock::PositionLock(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

void PositionLock::SetLocked(bool locked) {
    if (locked) {
        place_ = window_.pos();
    } else {
        place_.reset();
    }
}

bool PositionLock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Move && place_ &&
        window_.pos() != *place_ && !putBackPending_) {
        // After the move has been handled: the window manager's configure
        // is complete by then.
        putBackPending_ = true;
        QTimer::singleShot(0, this, &PositionLock::PutBack);
    }
    return QObject::eventFilter(watched, event);
}

void PositionLock::PutBack() {
    putBackPending_ = false;
    if (place_ && window_.pos() != *place_) {
        window_.move(*place_);
    }
}

} // namespace rimo
