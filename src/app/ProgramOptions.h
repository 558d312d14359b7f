#pragma once

#include "core/AppPaths.h"
#include "core/Message.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rimo {

// The command line: --help and --version answer and end; Qt's own options
// (-platform, -style, -session, ...) pass through to the application object;
// anything else is a usage error.
struct ProgramOptions {
    enum class Kind { Run, Help, Version, Error };
    Kind Action = Kind::Run;
    Message Problem; // for Error: the argument that was wrong and why

    // `arguments` without the program's name.
    static ProgramOptions Parse(const std::vector<std::string>& arguments);

    static std::string Version(); // the project's version, as the package carries it
    static Message UsageLine();
    // The help text's lines, naming the folder of the user's files.
    static std::vector<Message> HelpText(const AppPaths& paths);

    // A message as the user reads it (in the interface's language).
    using Show = std::function<std::string(const Message&)>;

    // Answers --help and --version on standard output and a wrong argument on
    // standard error, before anything touches the display or the lock.
    // Returns the exit status, or nullopt when the program is to run.
    static std::optional<int> Answer(int argc, char* argv[], const AppPaths& paths,
                                     const Show& show);
};

} // namespace rimo
