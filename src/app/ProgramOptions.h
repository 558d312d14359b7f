#pragma once

#include "core/AppPaths.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rimo {

// The command line: --help and --version answer and end; --history prints
// the run history and ends; Qt's own options (-platform, -style, -session,
// ...) pass through to the application object; anything else is a usage
// error.
struct ProgramOptions {
    enum class Kind { Run, Help, Version, History, Error };
    Kind Action = Kind::Run;
    std::string Problem; // for Error: the argument that was wrong and why
    // --history: from this local day on (--since YYYY-MM-DD), as CSV (--csv).
    std::optional<std::int64_t> SinceMs;
    bool Csv = false;

    // `arguments` without the program's name.
    static ProgramOptions Parse(const std::vector<std::string>& arguments);

    static std::string Version(); // the project's version, as the package carries it
    static std::string UsageLine();
    // The help text, naming the folder of the user's files.
    static std::string HelpText(const AppPaths& paths);

    // The arguments of a program's command line, without its name.
    static std::vector<std::string> Arguments(int argc, char* argv[]);

    // Answers --help and --version on standard output and a wrong argument on
    // standard error, before anything touches the display or the lock.
    // Returns the exit status, or nullopt when the program is to run (or to
    // print its history).
    std::optional<int> Answer(const AppPaths& paths) const;
};

} // namespace rimo
