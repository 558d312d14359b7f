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
    const auto fail = [&options](Message problem) {
        options.Action = Kind::Error;
        options.Problem = std::move(problem);
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
                return fail(Translatable("rimo::ProgramOptions",
                                         "オプション '--since' には日付 (YYYY-MM-DD) が要ります"));
            }
            const std::string day = argument == "--since" ? arguments[++i] : argument.substr(8);
            options.SinceMs = HistoryText::ParseDay(day);
            if (!options.SinceMs) {
                return fail(Translatable("rimo::ProgramOptions",
                                         "'%1' は YYYY-MM-DD の形の日付ではありません")
                                .Arg(day));
            }
            continue;
        }
        if (argument.size() < 2 || argument.front() != '-') {
            return fail(
                Translatable("rimo::ProgramOptions", "思いがけない引数 '%1'").Arg(argument));
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
                return fail(Translatable("rimo::ProgramOptions",
                                         "オプション '%1' の値は次の引数に書きます: -%2 %3")
                                .Arg(argument)
                                .Arg(std::string(name))
                                .Arg(argument.substr(argument.find('=') + 1)));
            }
            return fail(
                Translatable("rimo::ProgramOptions", "知らないオプション '%1'").Arg(argument));
        }
        if (Contains(kQtFlags, name)) {
            continue;
        }
        if (Contains(kQtOptionsWithValue, name)) {
            if (i + 1 < arguments.size()) {
                ++i;
                continue;
            }
            return fail(Translatable("rimo::ProgramOptions", "オプション '%1' には値が要ります")
                            .Arg(argument));
        }
        return fail(Translatable("rimo::ProgramOptions", "知らないオプション '%1'").Arg(argument));
    }
    if (history) {
        options.Action = Kind::History;
    } else if (options.Csv || options.SinceMs) {
        return fail(Translatable("rimo::ProgramOptions",
                                 "オプション '--since' と '--csv' は '--history' と一緒に使います"));
    }
    return options;
}

std::string ProgramOptions::Version() {
    return RIMO_VERSION;
}

Message ProgramOptions::UsageLine() {
    return Translatable("rimo::ProgramOptions", "使い方: rimotime [--help] [--version] [--history [--since YYYY-MM-DD] [--csv]]");
}

std::vector<Message> ProgramOptions::HelpText(const AppPaths& paths) {
    std::vector<Message> lines{
        UsageLine(),
        Message::Plain(""),
        Translatable("rimo::ProgramOptions",
                     "RimoTimeInformation %1: 決めた日時にいろいろなことをする常駐タイマー\n"
                     "(スケジュール、時刻合わせ、カウントダウン・タイマー、ランチャー)。")
            .Arg(Version()),
        Message::Plain(""),
        Translatable("rimo::ProgramOptions", "  -h, --help     このヘルプを表示して終わります\n"
                                             "      --version  バージョンを表示して終わります\n"
                                             "      --history  実行履歴を古い順に 1 行ずつ表示して終わります\n"
                                             "                 (プログラムの実行中でも使えます)\n"
                                             "      --since YYYY-MM-DD\n"
                                             "                 その日からの記録だけ\n"
                                             "      --csv      CSV (RFC 4180) で。見出しは\n"
                                             "                 due,started,lateness_ms,title,action,argument,outcome,detail、\n"
                                             "                 outcome は done、failed か missed\n"
                                             "Qt 自身のオプション (-platform, -style, -session "
                                             "など) は Qt に渡します。"),
        Message::Plain(""),
        Translatable("rimo::ProgramOptions",
                     "ファイル (設定、スケジュール、ログ、ランチャー・ページ、実行履歴):"),
    };
    std::error_code ignored;
    if (paths.DataDir.empty()) {
        lines.push_back(Message::Layout("  %1").Arg(paths.DataDirProblem));
    } else if (std::filesystem::is_directory(paths.DataDir, ignored)) {
        lines.push_back(Message::Plain("  " + paths.DataDir.string()));
    } else {
        lines.push_back(Translatable("rimo::ProgramOptions", "  %1 (最初の起動で作ります)")
                            .Arg(paths.DataDir.string()));
    }
    if (paths.FilesLeftBeside) {
        lines.push_back(Translatable("rimo::ProgramOptions",
                                     "  プログラムと同じフォルダー %1 のファイルは"
                                     "使いません: %2")
                            .Arg(paths.ExecutableDir.string())
                            .Arg(paths.FilesLeftBesideReason));
    }
    lines.push_back(Translatable("rimo::ProgramOptions",
                                 "%1.ini か %1.dat のあるフォルダーに置いたプログラムは、"
                                 "そのフォルダーにファイルを置きます (持ち運び用)。")
                        .Arg(paths.BaseName));
    return lines;
}

std::vector<std::string> ProgramOptions::Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::optional<int> ProgramOptions::Answer(const AppPaths& paths, const Show& show) const {
    const ProgramOptions& options = *this;
    switch (options.Action) {
    case Kind::Run:
    case Kind::History:
        return std::nullopt;
    case Kind::Help:
        for (const Message& line : HelpText(paths)) {
            std::fputs((show(line) + "\n").c_str(), stdout);
        }
        return 0;
    case Kind::Version:
        std::printf("RimoTimeInformation %s\n", Version().c_str());
        return 0;
    case Kind::Error:
        std::fprintf(stderr, "rimotime: %s\n%s\n", show(options.Problem).c_str(),
                     show(UsageLine()).c_str());
        return 2;
    }
    return 2;
}

} // namespace rimo
