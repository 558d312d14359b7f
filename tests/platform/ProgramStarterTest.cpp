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
        // The applications this session knows: a text viewer that also opens folders and web pages.
        std::filesystem::create_directories(data_ / "applications");
        TempFolder::Write(data_ / "applications" / "rimo-editor.desktop",
                          "[Desktop Entry]\nType=Application\nName=E\nExec=true %F\n"
                          "MimeType=text/plain;inode/directory;x-scheme-handler/https;\n");
    }
    std::string Entry() const { return (data_ / "applications" / "rimo-editor.desktop").string(); }
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
    TempFolder data_;
    DesktopProgramStarter starter_{
        XdgDirs::From("", "", data_.Path().string(), data_.Path().string(), "", "", "/nonexistent"),
        nullptr};
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
    tools.Add("gio");
    tools.Add("xdg-open");
    TempFolder::Write(folder_ / "notes.txt", "text");
    ASSERT_TRUE(starter_.Open((folder_ / "notes.txt").string(), {"-n", "; rm -rf ~"}, "").ok());
    EXPECT_EQ(tools.WaitForCalls(1), (std::vector<std::vector<std::string>>{
                                         {"gio", "launch", Entry(),
                                          (folder_ / "notes.txt").string(), "-n", "; rm -rf ~"}}));
}

TEST_F(ProgramStarterTest, EntriesAndUrlsGoToTheirApplications) {
    FakeTools tools(FakeTools::OnPath::First);
    tools.Add("gio");
    tools.Add("xdg-open");
    ASSERT_TRUE(starter_.Open(Entry(), {"/tmp/a b"}, "").ok());
    EXPECT_EQ(tools.WaitForCalls(1),
              (std::vector<std::vector<std::string>>{{"gio", "launch", Entry(), "/tmp/a b"}}));
    ASSERT_TRUE(starter_.Open("https://example.org/a?b=1", {}, "").ok());
    EXPECT_EQ(tools.WaitForCalls(2).back(),
              (std::vector<std::string>{"xdg-open", "https://example.org/a?b=1"}));
}

TEST_F(ProgramStarterTest, WhatCannotStartIsAnErrorAtOnce) {
    FakeTools tools(FakeTools::OnPath::First);
    tools.Add("gio");
    tools.Add("xdg-open");
    TempFolder::Write(folder_ / "data.bin", std::string("\0\1\2\3", 4));
    const Status document = starter_.Open((folder_ / "data.bin").string(), {}, "");
    ASSERT_FALSE(document.ok());
    EXPECT_NE(document.message().find("開くアプリケーションがありません"), std::string::npos);
    EXPECT_FALSE(starter_.Open("mailto:someone@example.org", {}, "").ok());
    const Status folder = starter_.Open(Script().string(), {}, (folder_ / "gone").string());
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.message().find("gone"), std::string::npos);
    EXPECT_TRUE(tools.Calls().empty());
}

} // namespace
} // namespace rimo
