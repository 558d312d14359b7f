#include "app/TrayIcon.h"

#include "app/TrayTexts.h"
#include "resources/AppResources.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace rimo {

namespace {

// How often the program asks whether a tray host is there (one may come or go).
constexpr int kHostWatchMs = 2000;

std::function<bool()>& HostProbe() {
    static std::function<bool()> probe;
    return probe;
}

bool HostThere() {
    return HostProbe() ? HostProbe()() : QSystemTrayIcon::isSystemTrayAvailable();
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
    hostWatch_.setInterval(kHostWatchMs);
    connect(&hostWatch_, &QTimer::timeout, this, &TrayIcon::CheckHost);
}

TrayIcon::~TrayIcon() {
    Remove();
}

void TrayIcon::Register(QMenu* menu) {
    if (icon_) {
        return;
    }
    tip_ = QString::fromUtf8(TrayTexts::kIdleTip);
    frame_ = kMainIcon;
    icon_ = new QSystemTrayIcon(mainIcon_, this);
    icon_->setToolTip(tip_);
    icon_->setContextMenu(menu);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                // A left button press; the right button opens the menu itself.
                if (why == QSystemTrayIcon::Trigger) {
                    Q_EMIT LeftClicked();
                }
            });
    // Shown even without a host: Qt adds the icon when one appears. A platform
    // without any windowing (offscreen) never has one.
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        icon_->show();
    }
    hostAvailable_ = HostThere();
    hostWatch_.start();
    if (!hostAvailable_) {
        Q_EMIT HostAvailabilityChanged(false);
    }
}

void TrayIcon::Remove() {
    hostWatch_.stop();
    if (!icon_) {
        return;
    }
    icon_->hide();
    delete icon_;
    icon_ = nullptr;
}

void TrayIcon::Update(const QString& tip, int frame) {
    if (!icon_) {
        return;
    }
    if (tip != tip_) {
        tip_ = tip;
        icon_->setToolTip(tip_);
    }
    if (frame != frame_) {
        frame_ = frame;
        icon_->setIcon(frame_ >= 0 && frame_ < AppResources::kFrameCount ? frames_[frame_]
                                                                         : mainIcon_);
    }
}

QString TrayIcon::IconName() const {
    return frame_ == kMainIcon ? QStringLiteral("MAINICON") : AppResources::FrameName(frame_);
}

void TrayIcon::CheckHost() {
    const bool there = HostThere();
    if (there == hostAvailable_) {
        return;
    }
    hostAvailable_ = there;
    Q_EMIT HostAvailabilityChanged(there);
}

} // namespace rimo
