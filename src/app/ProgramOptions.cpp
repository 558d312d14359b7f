#include "app/ProgramOptions.h"

#include "history/HistoryText.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace rimo {

namespace {

// Qt's own command-line options (QGuiApplication, QApplication, the xcb
// platform): QApplication reads and removes them.
constexpr std::string_view kQtOptionsWithValue[] = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "qwindowicon",
                                                    "qwindowtitle",
                                                    "session",
                                                    "display",
                                                    "geometry",
                                                    "title",
                                                    "icon",
                                                    "name",
                                                    "visual",
                                                    "style",
                                                    "stylesheet"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb",
                                         "dograb",  "sync",        "testability"};
// The only ones Qt also reads as "-name=value"; it passes over any other
// "=" form, and "-platform=offscreen" would leave Qt on its default platform.
constexpr std::string_view kQtOptionsWithEquals[] = {"style", "stylesheet", "qmljsdebugger"};

template <typename List> bool Contains(const List& list, std::string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

} // namespace

ProgramOptions ProgramOptions::Parse(const std::vector<std::string>& arguments) {
    ProgramOptions options;
    const auto fail = [&options](const std::string& problem) {
        options.Action = Kind::Error;
        options.Problem = problem;
        return options;
    };
    bool history = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.Action = Kind::Help;
            return options;
        }
        if (argument == "--version") {
            options.Action = Kind::Version;
            return options;
        }
        if (argument == "--history") {
            history = true;
            continue;
        }
        if (argument == "--csv") {
            options.Csv = true;
            continue;
        }
        if (argument == "--since" || argument.starts_with("--since=")) {
            if (argument == "--since" && i + 1 == arguments.size()) {
                return fail("option '--since' needs a day (YYYY-MM-DD)");
            }
            const std::string day = argument == "--since" ? arguments[++i] : argument.substr(8);
            options.SinceMs = HistoryText::ParseDay(day);
            if (!options.SinceMs) {
                return fail("'" + day + "' is not a day of the form YYYY-MM-DD");
            }
            continue;
        }
        if (argument.size() < 2 || argument.front() != '-') {
            return fail("unexpected argument '" + argument + "'");
        }
        // Qt takes its options with one dash or two, and "-style=fusion" forms.
        std::string_view name(argument);
        name.remove_prefix(name.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool hasValue = equals != std::string_view::npos;
        name = name.substr(0, equals);
        if (hasValue) {
            if (Contains(kQtOptionsWithEquals, name)) {
                continue;
            }
            if (Contains(kQtOptionsWithValue, name)) {
                return fail("option '" + argument + "' takes its value as the next argument: -" +
                            std::string(name) + " " + argument.substr(argument.find('=') + 1));
            }
            return fail("unknown option '" + argument + "'");
        }
        if (Contains(kQtFlags, name)) {
            continue;
        }
        if (Contains(kQtOptionsWithValue, name)) {
            if (i + 1 < arguments.size()) {
                ++i;
                continue;
            }
            return fail("option '" + argument + "' needs a value");
        }
        return fail("unknown option '" + argument + "'");
    }
    if (history) {
        options.Action = Kind::History;
    } else if (options.Csv || options.SinceMs) {
        return fail("options '--since' and '--csv' go with '--history'");
    }
    return options;
}

std::string ProgramOptions::Version() {
    return RIMO_VERSION;
}

std::string ProgramOptions::UsageLine() {
    return "Usage: rimotime [--help] [--version] [--history [--since YYYY-MM-DD] [--csv]]";
}

std::string ProgramOptions::HelpText(const AppPaths& paths) {
    std::string text = UsageLine() + "\n\n";
    text += "RimoTimeInformation " + Version() +
            ": a tray timer that does things at chosen dates and times\n"
            "(schedule, clock synchronisation, countdown timer, launcher).\n\n";
    text += "  -h, --help     show this help and end\n"
            "      --version  show the version and end\n"
            "      --history  print the run history, oldest first, one entry a line,\n"
            "                 and end (also while the program runs)\n"
            "      --since YYYY-MM-DD\n"
            "                 only the entries from that day on\n"
            "      --csv      as CSV (RFC 4180) with the header\n"
            "                 due,started,lateness_ms,title,action,argument,outcome,detail;\n"
            "                 outcome is done, failed or missed\n"
            "Qt's own options (-platform, -style, -session, ...) are passed on to Qt.\n\n";
    std::error_code ignored;
    const bool exists = std::filesystem::is_directory(paths.DataDir, ignored);
    text += "Files (settings, schedule, log, launcher pages, run history):\n  ";
    if (paths.DataDir.empty()) {
        text += paths.DataDirProblem + "\n";
    } else {
        text += paths.DataDir.string() + (exists ? "" : " (made at the first start)") + "\n";
    }
    if (paths.FilesLeftBeside) {
        text += "  Files beside the program in " + paths.ExecutableDir.string() +
                " are not used: " + paths.FilesLeftBesideReason + "\n";
    }
    text += "A copy of the program whose folder holds " + paths.BaseName + ".ini or " +
            paths.BaseName + ".dat keeps its files there (portable use).\n";
    return text;
}

std::vector<std::string> ProgramOptions::Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::optional<int> ProgramOptions::Answer(const AppPaths& paths) const {
    const ProgramOptions& options = *this;
    switch (options.Action) {
    case Kind::Run:
    case Kind::History:
        return std::nullopt;
    case Kind::Help:
        std::fputs(HelpText(paths).c_str(), stdout);
        return 0;
    case Kind::Version:
        std::printf("RimoTimeInformation %s\n", Version().c_str());
        return 0;
    case Kind::Error:
        std::fprintf(stderr, "rimotime: %s\n%s\n", options.Problem.c_str(), UsageLine().c_str());
        return 2;
    }
    return 2;
}

} // namespace rimo
