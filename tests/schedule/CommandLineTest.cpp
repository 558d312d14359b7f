#include "schedule/CommandLine.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, SplitsProgramParametersAndFolder) {
    CommandLine line = SplitCommandLine("\"/opt/app/x\"");
    EXPECT_EQ(line.Program, "/opt/app/x");
    EXPECT_EQ(line.Parameters, "");
    EXPECT_TRUE(line.Arguments.empty());
    EXPECT_EQ(line.Folder, "/opt/app");

    line = SplitCommandLine("\"/opt/app/x\" -a b");
    EXPECT_EQ(line.Program, "/opt/app/x");
    EXPECT_EQ(line.Parameters, "-a b");
    EXPECT_EQ(line.Arguments, (Words{"-a", "b"}));

    line = SplitCommandLine("\"/x\"");
    EXPECT_EQ(line.Folder, "/"); // the root keeps its slash
    line = SplitCommandLine("\"x\"");
    EXPECT_EQ(line.Folder, "");
}

TEST(SplitCommandLine, EveryParameterAfterTheProgramIsPassed) {
    CommandLine line = SplitCommandLine("\"/usr/bin/vlc\" \"/music/a b.mp3\" --loop");
    EXPECT_EQ(line.Program, "/usr/bin/vlc");
    EXPECT_EQ(line.Arguments, (Words{"/music/a b.mp3", "--loop"}));
    line = SplitCommandLine("\"/opt/a b/x\" \"one two\" \"three\" ");
    EXPECT_EQ(line.Program, "/opt/a b/x");
    EXPECT_EQ(line.Arguments, (Words{"one two", "three"}));
}

TEST(SplitCommandLine, KeepsJapaneseTextWhole) {
    const CommandLine line = SplitCommandLine("\"/home/利用者/表示.sh\" 予定 です");
    EXPECT_EQ(line.Program, "/home/利用者/表示.sh");
    EXPECT_EQ(line.Folder, "/home/利用者");
    EXPECT_EQ(line.Arguments, (Words{"予定", "です"}));
    // A command that does not open with a quote loses its first character whole.
    EXPECT_EQ(SplitCommandLine("あ/x\"").Program, "/x");
    EXPECT_EQ(SplitCommandLine("\"/表").Program, "/");
}

TEST(SplitCommandLine, OddCommandsGiveNoProgram) {
    EXPECT_EQ(SplitCommandLine("").Program, "");
    EXPECT_EQ(SplitCommandLine("\"").Program, "");
    EXPECT_EQ(SplitCommandLine("\"\"").Program, "");
    EXPECT_EQ(SplitCommandLine("\"\" -x").Program, "");
}

TEST(SplitParameters, ShellCharactersArePlainText) {
    EXPECT_EQ(SplitParameters("; rm -rf ~"), (Words{";", "rm", "-rf", "~"}));
    EXPECT_EQ(SplitParameters("\"; rm -rf ~\""), Words{"; rm -rf ~"});
    EXPECT_EQ(SplitParameters("$(reboot) `id` a|b a&&b >out <in"),
              (Words{"$(reboot)", "`id`", "a|b", "a&&b", ">out", "<in"}));
}

TEST(SplitParameters, QuotesGroupAndTripleQuotesStandForOne) {
    EXPECT_EQ(SplitParameters("  a   \"b c\"d  "), (Words{"a", "b cd"}));
    EXPECT_EQ(SplitParameters("\"\"\"quoted\"\"\""), Words{"\"quoted\""});
    EXPECT_EQ(SplitParameters("\"\" x"), Words{"x"});
    EXPECT_EQ(SplitParameters("\"open"), Words{"open"});
    EXPECT_TRUE(SplitParameters("").empty());
}

} // namespace
} // namespace rimo
