#pragma once

#include "platform/NetworkState.h"

namespace rimo {

class FakeNetworkState final : public NetworkState {
public:
    bool AttemptConnect() override { return CanAttempt; }
    bool NetworkPresent() override { return Present; }
    bool InternetConnected() override { return Connected; }

    bool CanAttempt = true;
    bool Present = true;
    bool Connected = true;
};

} // namespace rimo
