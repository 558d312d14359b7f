#pragma once

#include "core/Status.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace rimo {

// The window state a start asks for. X11 and Wayland have no general way to
// make another program open its first window minimised or maximised, so the
// desktop starter passes it on nowhere; it is part of the request all the same.
enum class StartState { Normal, Minimized, Maximized };

// What a start came to: on success, the process started when it is known
// (the run history waits for its end).
struct Launched {
    // Not explicit: a failure is its Status alone.
    Launched(Status result, std::int64_t pid = 0) : Result(std::move(result)), Pid(pid) {}
    Status Result;
    std::int64_t Pid; // 0 when none is known
};

// Starts programs and opens documents, never through a shell.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // An executable file is started directly with `arguments` in `folder`
    // (the current folder when empty); a program without a folder is looked
    // up on PATH. An application entry (".desktop") is launched as the
    // desktop launches it, the arguments as its files. A document, folder or
    // URL is opened by the desktop's default application (which gets the
    // arguments after the document). The program runs on after this one
    // ends. An error when nothing could be started: a missing file, no
    // permission, a missing folder, no application for the document.
    virtual Launched Launch(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& folder, StartState state) = 0;
    Status Open(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& folder, StartState state) {
        return Launch(program, arguments, folder, state).Result;
    }
    Status Open(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& folder) {
        return Open(program, arguments, folder, StartState::Normal);
    }
};

} // namespace rimo
