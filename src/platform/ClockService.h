#pragma once

#include <cstdint>
#include <string>

namespace rimo {

// Whether the system keeps its clock itself (systemd-timedated's NTP,
// NTPSynchronized and CanNTP).
struct AutomaticSync {
    bool Known = false;        // the system could say
    bool Enabled = false;      // a time service keeps the clock
    bool Synchronized = false; // and it is synchronised now
    bool Available = false;    // such a service exists
};

enum class ClockSetOutcome {
    Set,
    KeptBySystem, // refused because a time service keeps the clock
    Refused,
};

struct ClockSetResult {
    ClockSetOutcome Outcome = ClockSetOutcome::Set;
    std::string Reason; // why, for the user
};

// The system clock. The running program asks systemd-timedated (which may ask
// the user for a password) and, where that service is missing, sets the
// clock itself (needs CAP_SYS_TIME). Tests use a recording fake.
class ClockService {
public:
    virtual ~ClockService() = default;
    // Asks whether a time service keeps the clock; nothing known where no one answers.
    virtual AutomaticSync AutomaticSyncState() = 0;
    // Sets the clock to now + `offsetMicroseconds`, now being read as the
    // clock is set (after any password prompt), so that no time spent
    // waiting ends up in the clock.
    virtual ClockSetResult ShiftSystemTime(std::int64_t offsetMicroseconds) = 0;
};

} // namespace rimo
