#include "platform/DesktopExec.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

using Words = std::vector<std::string>;

Words Expand(const std::string& exec, const Words& options, const Words& files) {
    DesktopEntry entry;
    entry.File = "/apps/ed.desktop";
    entry.Name = "Ed";
    entry.Icon = "ed-icon";
    entry.Exec = exec;
    const DesktopCommand command = ExpandExec(entry, options, files);
    EXPECT_TRUE(command.Problem.ok()) << exec;
    return command.Words;
}

TEST(DesktopExec, TheOptionsGoBeforeTheFilesWhereTheExecPutsThem) {
    EXPECT_EQ(Expand("\"/opt/my ed/ed\" --new %F", {"-a", "b c"}, {"/x/1.txt", "/x/2.txt"}),
              (Words{"/opt/my ed/ed", "--new", "-a", "b c", "/x/1.txt", "/x/2.txt"}));
    EXPECT_EQ(Expand("ed %f --late", {"-a"}, {"/x/1.txt"}),
              (Words{"ed", "-a", "/x/1.txt", "--late"}));
    // No files: the code stands for nothing; the options stay where files would go.
    EXPECT_EQ(Expand("ed %U --late", {"word"}, {}), (Words{"ed", "word", "--late"}));
    // An Exec that names no files: options, then the files, at the end.
    EXPECT_EQ(Expand("ed -w", {"-o"}, {"/x/1.txt"}), (Words{"ed", "-w", "-o", "/x/1.txt"}));
    // Forwarded files stay between their marks.
    EXPECT_EQ(Expand("flatpak run --file-forwarding org.Ed @@u %U @@", {"-o"}, {"/x"}),
              (Words{"flatpak", "run", "--file-forwarding", "org.Ed", "-o", "@@u", "/x", "@@"}));
}

TEST(DesktopExec, FieldCodesAndQuoting) {
    EXPECT_EQ(Expand("ed --name=%c %i %k 100%% %d %m --file=%u", {}, {"https://e.org/?a=1"}),
              (Words{"ed", "--name=Ed", "--icon", "ed-icon", "/apps/ed.desktop", "100%",
                     "--file=https://e.org/?a=1"}));
    // In quotes blanks are kept and a backslash takes the next character as it is.
    EXPECT_EQ(Expand("\"a \\\"q\\\" \\\\ \\$HOME\" \"\" \"50%%\"", {}, {}),
              (Words{"a \"q\" \\ $HOME", "", "50%"}));
    DesktopEntry entry;
    for (const char* exec : {"", "   ", "\"ed --unclosed"}) {
        entry.Exec = exec;
        EXPECT_FALSE(ExpandExec(entry, {}, {}).Problem.ok()) << exec;
    }
}

} // namespace
} // namespace rimo
