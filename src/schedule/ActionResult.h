#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rimo {

// What the clock synchronisation of a run came to.
struct ClockFigure {
    std::int64_t OffsetNs = 0; // the server's clock minus ours
    bool Set = false;          // the clock was set; otherwise only measured
};

// How an action step ended, for the run history. A step that cannot be
// carried out says why in the words the user was shown.
struct ActionResult {
    bool Failed = false;
    std::string Reason;
    // Failed because the row's argument does not suit its action (nothing was
    // shown: the step did not accept the row).
    bool NotAccepted = false;
    std::optional<ClockFigure> Clock;
    // The program a "起動" started, while it runs; 0 when none is watched.
    std::int64_t Child = 0;

    static ActionResult Failure(std::string reason) {
        ActionResult result;
        result.Failed = true;
        result.Reason = std::move(reason);
        return result;
    }
};

} // namespace rimo
