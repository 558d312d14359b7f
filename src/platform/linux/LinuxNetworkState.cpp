#include "platform/linux/LinuxNetworkState.h"

#include <QNetworkInformation>

#include <ifaddrs.h>
#include <net/if.h>

namespace rimo {

namespace {

// Unknown when no backend could be loaded.
QNetworkInformation::Reachability Reachability() {
    static const bool loaded =
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    QNetworkInformation* information = QNetworkInformation::instance();
    if (!loaded || !information) {
        return QNetworkInformation::Reachability::Unknown;
    }
    return information->reachability();
}

} // namespace

bool LinuxNetworkState::AttemptConnect() {
    return Reachability() != QNetworkInformation::Reachability::Disconnected;
}

bool LinuxNetworkState::NetworkPresent() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return true;
    }
    bool present = false;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        const unsigned flags = entry->ifa_flags;
        if ((flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK)) {
            present = true;
            break;
        }
    }
    ::freeifaddrs(list);
    return present;
}

bool LinuxNetworkState::InternetConnected() {
    const QNetworkInformation::Reachability reachability = Reachability();
    return reachability == QNetworkInformation::Reachability::Unknown ||
           reachability == QNetworkInformation::Reachability::Site ||
           reachability == QNetworkInformation::Reachability::Online;
}

} // namespace rimo
