#include "app/ProgramOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rimo {
namespace {

using Kind = ProgramOptions::Kind;

Kind ActionOf(const std::vector<std::string>& arguments) {
    return ProgramOptions::Parse(arguments).Action;
}

TEST(ProgramOptions, HelpAndVersionWinWhereverTheyStand) {
    EXPECT_EQ(ActionOf({}), Kind::Run);
    EXPECT_EQ(ActionOf({"--help"}), Kind::Help);
    EXPECT_EQ(ActionOf({"-h"}), Kind::Help);
    EXPECT_EQ(ActionOf({"--version"}), Kind::Version);
    EXPECT_EQ(ActionOf({"-platform", "offscreen", "--version"}), Kind::Version);
}

TEST(ProgramOptions, QtsOwnOptionsPassThrough) {
    // As a session manager restarts a program, and as users pick a platform or style.
    EXPECT_EQ(ActionOf({"-session", "10d2c1f2c0c4000170099117900000012340000"}), Kind::Run);
    EXPECT_EQ(ActionOf({"-platform", "offscreen", "-style=Fusion", "--reverse"}), Kind::Run);
    EXPECT_EQ(ActionOf({"--display", ":1", "-qwindowgeometry", "400x300+0+0"}), Kind::Run);
}

TEST(ProgramOptions, AnythingElseIsAUsageErrorThatNamesIt) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--frobnicate"}, {"-x"}, {"schedule.dat"}, {"-"}, {"--reverse=1"}}) {
        const ProgramOptions options = ProgramOptions::Parse(arguments);
        EXPECT_EQ(options.Action, Kind::Error) << arguments[0];
        EXPECT_THAT(options.Problem, ::testing::HasSubstr("'" + arguments[0] + "'"));
    }
    // Qt reads "-name=value" only for its style options; other such forms it
    // passes over (and "-platform=offscreen" left it on a platform that aborts).
    EXPECT_EQ(ActionOf({"-stylesheet=my.qss", "--style=Fusion", "-qmljsdebugger=port:1"}),
              Kind::Run);
    for (const char* argument : {"-platform=offscreen", "--platform=offscreen", "-display=:1",
                                 "-session=abc", "-frobnicate=1"}) {
        const ProgramOptions options = ProgramOptions::Parse({argument});
        EXPECT_EQ(options.Action, Kind::Error) << argument;
        EXPECT_THAT(options.Problem, ::testing::HasSubstr(std::string("'") + argument + "'"));
    }
    EXPECT_THAT(ProgramOptions::Parse({"-platform=offscreen"}).Problem,
                ::testing::HasSubstr("-platform offscreen"));
    const ProgramOptions missing = ProgramOptions::Parse({"-platform"});
    EXPECT_EQ(missing.Action, Kind::Error);
    EXPECT_THAT(missing.Problem, ::testing::HasSubstr("needs a value"));
}

TEST(ProgramOptions, HistoryWithADayAndCsv) {
    const ProgramOptions plain = ProgramOptions::Parse({"--history"});
    EXPECT_EQ(plain.Action, Kind::History);
    EXPECT_FALSE(plain.SinceMs);
    EXPECT_FALSE(plain.Csv);
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--csv", "--since", "2026-12-01", "--history"},
                                               {"--history", "--since=2026-12-01", "--csv"}}) {
        const ProgramOptions options = ProgramOptions::Parse(arguments);
        EXPECT_EQ(options.Action, Kind::History);
        EXPECT_TRUE(options.Csv);
        EXPECT_TRUE(options.SinceMs);
    }
    EXPECT_THAT(ProgramOptions::Parse({"--history", "--since", "2026-12-32"}).Problem,
                ::testing::HasSubstr("'2026-12-32' is not a day"));
    EXPECT_THAT(ProgramOptions::Parse({"--history", "--since"}).Problem,
                ::testing::HasSubstr("needs a day"));
    EXPECT_THAT(ProgramOptions::Parse({"--csv"}).Problem, ::testing::HasSubstr("'--history'"));
}

TEST(ProgramOptions, HelpNamesTheFolderInUse) {
    AppPaths paths = AppPaths::InFolder("/nowhere/RimoTimeInformation");
    paths.ExecutableDir = "/opt/rimo";
    EXPECT_THAT(ProgramOptions::HelpText(paths),
                ::testing::HasSubstr("/nowhere/RimoTimeInformation (made at the first start)"));
    paths.FilesLeftBeside = true;
    EXPECT_THAT(ProgramOptions::HelpText(paths),
                ::testing::HasSubstr("beside the program in /opt/rimo are not used"));
}

} // namespace
} // namespace rimo
