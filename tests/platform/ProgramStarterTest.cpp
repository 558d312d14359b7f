#include "TempFolder.h"
#include "fakes/FakeTools.h"
#include "platform/linux/DesktopProgramStarter.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace rimo {
namespace {

// Real child processes: a script that writes its arguments and folder.
class ProgramStarterTest : public ::testing::Test {
protected:
    ProgramStarterTest() {
        std::filesystem::create_directories(folder_ / "with space");
        TempFolder::Write(Script(), "#!/bin/sh\n"
                                    "{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '" +
                                        Output().string() +
                                        ".part'\n"
                                        "mv '" +
                                        Output().string() + ".part' '" + Output().string() + "'\n");
        std::filesystem::permissions(Script(), std::filesystem::perms::owner_all);
    }
    std::filesystem::path Script() const { return folder_ / "with space" / "write args.sh"; }
    std::filesystem::path Output() const { return folder_ / "out.txt"; }

    std::string WaitForOutput() const {
        QElapsedTimer timer;
        timer.start();
        while (!std::filesystem::exists(Output()) && timer.elapsed() < 10000) {
            QThread::msleep(20);
        }
        return TempFolder::Read(Output());
    }

    TempFolder folder_;
    DesktopProgramStarter starter_;
};

TEST_F(ProgramStarterTest, StartsTheProgramDirectlyInTheGivenFolder) {
    const Status started =
        starter_.Open(Script().string(), {"; rm -rf ~", "$(touch x)", "a b", "`id`", "*"},
                      (folder_ / "with space").string());
    ASSERT_TRUE(started.ok()) << started.message();
    EXPECT_EQ(WaitForOutput(), (folder_ / "with space").string() +
                                   "\n[; rm -rf ~]\n[$(touch x)]\n[a b]\n[`id`]\n[*]\n");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "with space" / "x"));
}

TEST_F(ProgramStarterTest, AMissingProgramIsAnErrorNamingIt) {
    const Status started = starter_.Open((folder_ / "nothing here").string(), {}, "");
    ASSERT_FALSE(started.ok());
    EXPECT_NE(started.message().find("nothing here"), std::string::npos);
    EXPECT_FALSE(starter_.Open("no-such-program-anywhere", {}, "").ok());
}

TEST_F(ProgramStarterTest, AProgramWithoutAFolderIsFoundOnPath) {
    FakeTools tools(FakeTools::OnPath::First);
    tools.Add("rimo-tool");
    ASSERT_TRUE(starter_.Open("rimo-tool", {"x y"}, "").ok());
    EXPECT_EQ(tools.WaitForCalls(1), (std::vector<std::vector<std::string>>{{"rimo-tool", "x y"}}));
}

TEST_F(ProgramStarterTest, DocumentsAndFoldersOpenWithTheDefaultApplication) {
    FakeTools tools(FakeTools::OnPath::First);
    tools.Add("xdg-open");
    TempFolder::Write(folder_ / "notes.txt", "text");
    ASSERT_TRUE(starter_.Open((folder_ / "notes.txt").string(), {}, folder_.Path().string()).ok());
    ASSERT_TRUE(starter_.Open(folder_.Path().string(), {}, "").ok());
    auto calls = tools.WaitForCalls(2);
    ASSERT_EQ(calls.size(), 2u);
    std::sort(calls.begin(), calls.end()); // two processes: either may log first
    EXPECT_EQ(calls[0], (std::vector<std::string>{"xdg-open", folder_.Path().string()}));
    EXPECT_EQ(calls[1], (std::vector<std::string>{"xdg-open", (folder_ / "notes.txt").string()}));
}

TEST_F(ProgramStarterTest, ADocumentWithParametersGoesToItsApplicationWithThem) {
    FakeTools tools(FakeTools::OnPath::First);
    tools.Add("xdg-mime", "rimo-editor.desktop\n");
    tools.Add("gio");
    tools.Add("xdg-open");
    // The application's entry, where the desktop keeps them.
    TempFolder data;
    std::filesystem::create_directories(data / "applications");
    TempFolder::Write(data / "applications" / "rimo-editor.desktop",
                      "[Desktop Entry]\nType=Application\nName=E\nExec=true %F\n");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.Path().string()));
    TempFolder::Write(folder_ / "notes.txt", "text");
    ASSERT_TRUE(starter_.Open((folder_ / "notes.txt").string(), {"-n", "; rm -rf ~"}, "").ok());
    const auto calls = tools.WaitForCalls(2);
    qputenv("XDG_DATA_HOME", oldData);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], (std::vector<std::string>{"xdg-mime", "query", "default", "text/plain"}));
    EXPECT_EQ(calls[1],
              (std::vector<std::string>{"gio", "launch",
                                        (data / "applications" / "rimo-editor.desktop").string(),
                                        (folder_ / "notes.txt").string(), "-n", "; rm -rf ~"}));
}

} // namespace
} // namespace rimo
