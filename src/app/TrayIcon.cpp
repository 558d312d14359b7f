#include "app/TrayIcon.h"

#include "app/TrayHostWatch.h"
#include "app/TrayTexts.h"
#include "resources/AppResources.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace rimo {

namespace {

std::function<bool()>& HostProbe() {
    static std::function<bool()> probe;
    return probe;
}

bool Offscreen() {
    return QGuiApplication::platformName() == QStringLiteral("offscreen");
}

} // namespace

void TrayIcon::SetHostProbe(std::function<bool()> probe) {
    HostProbe() = std::move(probe);
}

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("TrayIcon1"));
    mainIcon_ = AppResources::MainIcon();
    for (int i = 0; i < AppResources::kFrameCount; ++i) {
        frames_[i] = AppResources::FrameIcon(i);
    }
}

TrayIcon::~TrayIcon() {
    Remove();
}

bool TrayIcon::HostThere() const {
    return HostProbe() ? HostProbe()() : watch_->Available();
}

void TrayIcon::Register(QMenu* menu) {
    if (registered_) {
        return;
    }
    registered_ = true;
    menu_ = menu;
    tip_ = QString::fromUtf8(TrayTexts::kIdleTip);
    frame_ = kMainIcon;
    if (!watch_) {
        watch_ = new TrayHostWatch(QDBusConnection::sessionBus(), this);
        connect(watch_, &TrayHostWatch::Changed, this, &TrayIcon::CheckHost);
    }
    hostAvailable_ = HostThere();
    // Qt decides once per process whether the StatusNotifier tray is there
    // (when the first icon is made), and otherwise falls back to an XEmbed
    // tray, which cannot work on Wayland (and warns there). So the icon is
    // made once a host is there; without a platform window system
    // (offscreen) nothing can be missed.
    if (hostAvailable_ || Offscreen()) {
        CreateIcon();
    }
    if (!hostAvailable_) {
        Q_EMIT HostAvailabilityChanged(false);
    }
}

void TrayIcon::CreateIcon() {
    icon_ = new QSystemTrayIcon(Picture(), this);
    icon_->setToolTip(tip_);
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                // A left button press; the right button opens the menu itself.
                if (why == QSystemTrayIcon::Trigger) {
                    Q_EMIT LeftClicked();
                }
            });
    // An XEmbed icon made before its tray is added by Qt when the tray appears.
    if (!Offscreen()) {
        icon_->show();
    }
}

void TrayIcon::Remove() {
    registered_ = false;
    if (!icon_) {
        return;
    }
    icon_->hide();
    delete icon_;
    icon_ = nullptr;
}

void TrayIcon::Update(const QString& tip, int frame) {
    if (!registered_) {
        return;
    }
    if (tip != tip_) {
        tip_ = tip;
        if (icon_) {
            icon_->setToolTip(tip_);
        }
    }
    if (frame != frame_) {
        frame_ = frame;
        if (icon_) {
            icon_->setIcon(Picture());
        }
    }
}

const QIcon& TrayIcon::Picture() const {
    return frame_ >= 0 && frame_ < AppResources::kFrameCount ? frames_[frame_] : mainIcon_;
}

QString TrayIcon::IconName() const {
    return frame_ == kMainIcon ? QStringLiteral("MAINICON") : AppResources::FrameName(frame_);
}

void TrayIcon::CheckHost() {
    if (!registered_) {
        return;
    }
    const bool there = HostThere();
    if (there && !icon_) {
        CreateIcon();
    }
    if (there == hostAvailable_) {
        return;
    }
    hostAvailable_ = there;
    Q_EMIT HostAvailabilityChanged(there);
}

} // namespace rimo
