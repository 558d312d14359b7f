#pragma once

namespace rimo {

// Whether a network is there before a synchronisation is tried. Where the
// state cannot be known, these answer true: the request itself then decides.
class NetworkState {
public:
    virtual ~NetworkState() = default;
    // The system would let a connection to the Internet be made.
    virtual bool AttemptConnect() = 0;
    // A network interface other than the loopback is up.
    virtual bool NetworkPresent() = 0;
    // The system reports a connection to a network beyond this machine.
    virtual bool InternetConnected() = 0;
};

} // namespace rimo
