#pragma once

#include "platform/NetworkState.h"

namespace rimo {

// Reachability from Qt's network information backend where the system has
// one (NetworkManager, GLib); the interfaces themselves otherwise.
class LinuxNetworkState final : public NetworkState {
public:
    bool AttemptConnect() override;
    bool NetworkPresent() override;
    bool InternetConnected() override;
};

} // namespace rimo
