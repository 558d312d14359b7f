#include "platform/linux/DesktopSound.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSoundEffect>
#include <QUrl>

#include <canberra.h>
#include <xcb/xcb.h>

#include <cstdio>

namespace rimo {

DesktopSound::DesktopSound(QObject* parent) : QObject(parent) {}

DesktopSound::~DesktopSound() {
    if (canberra_) {
        ca_context_destroy(canberra_);
    }
}

void DesktopSound::Beep() {
    if (!CanberraBeep()) {
        BellBeep();
    }
}

bool DesktopSound::CanberraBeep() {
    if (!canberraTried_) {
        canberraTried_ = true;
        if (ca_context_create(&canberra_) != CA_SUCCESS) {
            canberra_ = nullptr;
        } else {
            ca_context_change_props(canberra_, CA_PROP_APPLICATION_NAME, "RimoTimeInformation",
                                    nullptr);
        }
    }
    if (!canberra_) {
        return false;
    }
    const int result = ca_context_play(canberra_, 0, CA_PROP_EVENT_ID, "dialog-warning",
                                       CA_PROP_EVENT_DESCRIPTION, "RimoTimeInformation", nullptr);
    if (result != CA_SUCCESS && !reported_) {
        reported_ = true;
        std::fprintf(stderr, "RimoTimeInformation: the warning sound cannot be played (%s)\n",
                     ca_strerror(result));
    }
    return result == CA_SUCCESS;
}

void DesktopSound::BellBeep() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection()) {
        xcb_bell(x11->connection(), 0);
        xcb_flush(x11->connection());
    }
}

void DesktopSound::PlayWave(const std::string& path, bool loop) {
    StopWave();
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        return; // silence, as for any file that cannot be played
    }
    effect_ = new QSoundEffect(this);
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->setLoopCount(loop ? QSoundEffect::Infinite : 1);
    effect_->play();
}

void DesktopSound::StopWave() {
    if (effect_) {
        effect_->stop();
        effect_->deleteLater();
        effect_ = nullptr;
    }
}

} // namespace rimo
