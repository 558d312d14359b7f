#include "TempFolder.h"
#include "fakes/FakeTools.h"
#include "platform/linux/DesktopProgramStarter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace rimo {
namespace {

using Call = std::vector<std::string>; // the working folder, then the arguments

// Real child processes: a program that logs its working folder and
// arguments, run directly and as the application of this session's own
// entries (temporary XDG folders, mimeapps.list).
class ProgramStarterTest : public ::testing::Test {
protected:
    ProgramStarterTest() {
        std::filesystem::create_directories(folder_ / "with space");
        std::filesystem::create_directories(Work());
        std::filesystem::create_directories(data_ / "applications");
        // One write per call, so that calls of programs running at once never mix.
        Script(Logger(), "entry=\"$(pwd)\n\"\nfor a in \"$@\"; do entry=\"$entry$a\n\"; done\n"
                         "printf '%s" + std::string(FakeTools::kEnd) + "\\n' \"$entry\" >> '" +
                             Log().string() + "'\n");
        const std::string exec = "\"" + Logger().string() + "\"";
        Entry("rimo-editor.desktop", "Exec=" + exec + " --editor %F\nPath=" + Work().string() +
                                         "\nMimeType=text/plain;inode/directory;\n");
        Entry("rimo-viewer.desktop", "Exec=" + exec + " --viewer %f\nMimeType=text/plain;\n");
        Entry("rimo-browser.desktop",
              "Exec=" + exec + " --browser %u\nMimeType=x-scheme-handler/https;\n");
        Entry("rimo-gone.desktop", "Exec=/nonexistent/program %f\nMimeType=image/png;\n");
        // The user's choice for text: the viewer, though the editor names it first.
        TempFolder::Write(config_ / "mimeapps.list",
                          "[Default Applications]\ntext/plain=rimo-viewer.desktop\n");
    }
    void Script(const std::filesystem::path& path, const std::string& body) {
        TempFolder::Write(path, "#!/bin/sh\n" + body);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }
    void Entry(const std::string& id, const std::string& lines) {
        TempFolder::Write(data_ / "applications" / id,
                          "[Desktop Entry]\nType=Application\nName=" + id + "\n" + lines);
    }
    std::string EntryFile(const std::string& id) const {
        return (data_ / "applications" / id).string();
    }
    std::filesystem::path Logger() const { return folder_ / "with space" / "log args.sh"; }
    std::filesystem::path Log() const { return folder_ / "calls.log"; }
    std::filesystem::path Work() const { return folder_ / "work dir"; }
    std::string File(const std::string& name, const std::string& bytes = "text\n") const {
        TempFolder::Write(folder_ / name, bytes);
        return (folder_ / name).string();
    }

    std::vector<Call> Calls() const { return FakeTools::CallsIn(Log()); }
    // Waits for `count` calls (in any order: the programs run at once), sorted.
    std::vector<Call> WaitForCalls(std::size_t count) const {
        QElapsedTimer timer;
        timer.start();
        while (Calls().size() < count && timer.elapsed() < 10000) {
            QThread::msleep(20);
        }
        std::vector<Call> calls = Calls();
        std::sort(calls.begin(), calls.end());
        return calls;
    }
    Status Open(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& folder) {
        return starter_.Open(program, arguments, folder);
    }
    ::testing::AssertionResult Opened(const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      const std::string& folder) {
        const Status started = Open(program, arguments, folder);
        if (started) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << started.message();
    }

    TempFolder folder_;
    TempFolder data_;
    TempFolder config_;
    DesktopProgramStarter starter_{XdgDirs::From(config_.Path().string(), "", data_.Path().string(),
                                                 data_.Path().string(), "", "", "/nonexistent"),
                                   nullptr};
};

TEST_F(ProgramStarterTest, StartsTheProgramDirectlyInTheGivenFolder) {
    const Status started = Open(Logger().string(), {"; rm -rf ~", "$(touch x)", "a b", "`id`", "*"},
                                (folder_ / "with space").string());
    ASSERT_TRUE(started.ok()) << started.message();
    EXPECT_EQ(WaitForCalls(1), (std::vector<Call>{{(folder_ / "with space").string(), "; rm -rf ~",
                                                   "$(touch x)", "a b", "`id`", "*"}}));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "with space" / "x"));
}

TEST_F(ProgramStarterTest, AMissingProgramIsAnErrorNamingIt) {
    const Status started = Open((folder_ / "nothing here").string(), {}, "");
    ASSERT_FALSE(started.ok());
    EXPECT_NE(started.message().find("nothing here"), std::string::npos);
    EXPECT_FALSE(Open("no-such-program-anywhere", {}, "").ok());
}

TEST_F(ProgramStarterTest, AProgramWithoutAFolderIsFoundOnPath) {
    FakeTools tools(FakeTools::OnPath::First);
    tools.Add("rimo-tool");
    ASSERT_TRUE(Opened("rimo-tool", {"x y"}, ""));
    EXPECT_EQ(tools.WaitForCalls(1), (std::vector<std::vector<std::string>>{{"rimo-tool", "x y"}}));
}

TEST_F(ProgramStarterTest, DocumentsFoldersAndUrlsOpenInTheirApplicationWithOptionsAndFolder) {
    const std::string notes = File("notes.txt");
    const std::string dashed = File("-n.txt");
    ASSERT_TRUE(Opened(notes, {"--new-window", "; rm -rf ~"}, folder_.Path().string()));
    // A relative path is the working folder's file, and reaches the application absolute.
    ASSERT_TRUE(Opened("-n.txt", {}, folder_.Path().string()));
    // No folder given: the entry's own.
    ASSERT_TRUE(Opened((folder_ / "with space").string(), {"-x"}, ""));
    ASSERT_TRUE(Opened("https://example.org/a?b=1", {"--private"}, Work().string()));
    EXPECT_EQ(WaitForCalls(4),
              (std::vector<Call>{
                  {folder_.Path().string(), "--viewer", "--new-window", "; rm -rf ~", notes},
                  {folder_.Path().string(), "--viewer", dashed},
                  {Work().string(), "--browser", "--private", "https://example.org/a?b=1"},
                  {Work().string(), "--editor", "-x", (folder_ / "with space").string()},
              }));
}

TEST_F(ProgramStarterTest, AnEntryRunsItsProgramOnceWithTheOptions) {
    ASSERT_TRUE(Opened(EntryFile("rimo-viewer.desktop"), {"word"}, folder_.Path().string()));
    ASSERT_TRUE(Opened(EntryFile("rimo-editor.desktop"), {"a b"}, ""));
    EXPECT_EQ(WaitForCalls(2), (std::vector<Call>{
                                   {folder_.Path().string(), "--viewer", "word"},
                                   {Work().string(), "--editor", "a b"},
                               }));
    QThread::msleep(300); // nothing more comes
    EXPECT_EQ(Calls().size(), 2u);
}

TEST_F(ProgramStarterTest, AnEntryForATerminalRunsInTheTerminal) {
    Entry("rimo-shell.desktop", "Exec=/bin/vi %f\nTerminal=true\n");
    FakeTools tools(FakeTools::OnPath::Only);
    const Status none = Open(EntryFile("rimo-shell.desktop"), {}, "");
    ASSERT_FALSE(none.ok());
    EXPECT_NE(none.message().find("端末"), std::string::npos) << none.message();
    tools.Add("x-terminal-emulator");
    ASSERT_TRUE(Opened(EntryFile("rimo-shell.desktop"), {"-R"}, ""));
    EXPECT_EQ(tools.WaitForCalls(1), (std::vector<std::vector<std::string>>{
                                         {"x-terminal-emulator", "-e", "/bin/vi", "-R"}}));
}

TEST_F(ProgramStarterTest, OnlyElfFilesAndScriptsRunTheRestOpensAsDocuments) {
    // Every file of an NTFS or exFAT mount may be executed.
    const std::string notes = File("notes.txt");
    std::filesystem::permissions(notes, std::filesystem::perms::owner_all);
    ASSERT_TRUE(Opened(notes, {}, folder_.Path().string()));
    EXPECT_EQ(WaitForCalls(1), (std::vector<Call>{{folder_.Path().string(), "--viewer", notes}}));
    // A script runs, as /bin/true (an ELF file) does.
    ASSERT_TRUE(Opened(Logger().string(), {"run"}, folder_.Path().string()));
    EXPECT_EQ(WaitForCalls(2).size(), 2u);
    EXPECT_TRUE(Open("/bin/true", {}, "").ok());
}

TEST_F(ProgramStarterTest, WhatCannotStartIsAnErrorAtOnce) {
    const auto fails = [&](const std::string& program, const std::string& folder,
                           const char* says) {
        const Status started = Open(program, {}, folder);
        ASSERT_FALSE(started.ok()) << program;
        EXPECT_NE(started.message().find(says), std::string::npos)
            << program << ": " << started.message();
    };
    fails(File("data.bin", std::string("\0\1\2\3", 4)), "", "開くアプリケーションがありません");
    fails("mailto:someone@example.org", "", "開くアプリケーションがありません");
    // A missing working folder, for a program and for a document alike.
    fails(Logger().string(), (folder_ / "gone").string(), "gone");
    fails(File("notes.txt"), (folder_ / "gone").string(), "gone");
    // An application whose program is not there.
    fails(File("p.png", "\x89PNG\r\n\x1a\n"), "", "/nonexistent/program");
    fails(File("bad.desktop", "[Desktop Entry]\nType=Link\nURL=https://example.org\n"), "",
          "bad.desktop");
    QThread::msleep(300);
    EXPECT_TRUE(Calls().empty());
}

} // namespace
} // namespace rimo
