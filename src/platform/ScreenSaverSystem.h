#pragma once

#include <functional>
#include <optional>
#include <string>

namespace rimo {

// The system side of the screen saver: its time-out and enabled state, and
// starting and ending it. The program's choice of screen saver is kept by
// TvScrSaver itself.
class ScreenSaverSystem {
public:
    virtual ~ScreenSaverSystem() = default;
    // Seconds of idle time before the screen saver starts; nullopt when unknown.
    virtual std::optional<int> TimeOut() = 0;
    // Whether screen saving is enabled; nullopt when unknown.
    virtual std::optional<bool> Active() = 0;
    virtual void SetTimeOut(int seconds) = 0;
    virtual void SetActive(bool active) = 0;
    // Hears, maybe later, what could not be done.
    using Report = std::function<void(const std::string& problem)>;
    // Starts the screen saver now; a session that offers no way is reported.
    // Starts and wakes are carried out in the order they were asked for.
    virtual void Activate(Report report) = 0;
    // Ends a running screen saver and restarts the idle count.
    virtual void Wake() = 0;
    // A screen saver daemon that keeps its own choice of program is told the
    // chosen one (full path; empty for none).
    virtual void SelectProgram(const std::string& path) = 0;
};

} // namespace rimo
