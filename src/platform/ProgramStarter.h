#pragma once

#include "core/Status.h"

#include <string>
#include <vector>

namespace rimo {

// Starts programs and opens documents, never through a shell.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // An executable file is started directly with `arguments` in `folder`
    // (the current folder when empty); a program without a folder is looked
    // up on PATH. A document or folder is opened by the desktop's default
    // application. The program runs on after this one ends. An error when
    // nothing could be started.
    virtual Status Open(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& folder) = 0;
};

} // namespace rimo
