#include "platform/DesktopEntries.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

// Application entries and mimeapps.list files in temporary XDG folders.
class DesktopEntriesTest : public ::testing::Test {
protected:
    DesktopEntriesTest() {
        dirs_ = XdgDirs::From((folder_ / "config").string(), "", (folder_ / "home").string(),
                              (folder_ / "local").string() + ":" + (folder_ / "system").string(),
                              "XFCE", (folder_ / "bin").string(), "/nonexistent");
        std::filesystem::create_directories(folder_ / "bin");
        std::filesystem::create_directories(folder_ / "config");
    }
    void Entry(const std::string& data, const std::string& id, const std::string& lines) {
        const auto file = folder_ / data / "applications" / id;
        std::filesystem::create_directories(file.parent_path());
        TempFolder::Write(file, "[Desktop Entry]\nType=Application\nName=x\n" + lines);
    }
    std::string DefaultFor(const std::vector<std::string>& types) {
        DesktopEntries entries(dirs_);
        const DesktopEntry* entry = entries.DefaultFor(types);
        return entry ? entry->Id : "none";
    }

    TempFolder folder_;
    XdgDirs dirs_;
};

TEST_F(DesktopEntriesTest, TheDefaultApplicationFollowsMimeappsList) {
    Entry("system", "viewer.desktop", "Exec=viewer %f\nMimeType=text/plain;image/png;\n");
    Entry("system", "editor.desktop", "Exec=editor %F\nMimeType=text/plain;\n");
    Entry("local", "gone.desktop", "Exec=gone\nHidden=true\n");
    Entry("system", "gone.desktop", "Exec=gone\nMimeType=text/html;\n"); // hidden by the one above
    EXPECT_EQ(DefaultFor({"text/plain"}), "editor.desktop");             // the first that names it
    EXPECT_EQ(DefaultFor({"text/x-csrc", "image/png"}), "viewer.desktop"); // a broader type
    EXPECT_EQ(DefaultFor({"text/html"}), "none");
    EXPECT_EQ(DefaultFor({"application/x-nothing"}), "none");

    TempFolder::Write(folder_ / "system/applications/mimeapps.list",
                      "[Added Associations]\nimage/png=editor.desktop;\n");
    EXPECT_EQ(DefaultFor({"image/png"}), "editor.desktop");
    // The user's list before the system's, an entry that is not installed skipped,
    // the desktop's own list before the plain one.
    TempFolder::Write(folder_ / "config/mimeapps.list",
                      "[Default Applications]\ntext/plain=missing.desktop;viewer.desktop;\n");
    EXPECT_EQ(DefaultFor({"text/plain"}), "viewer.desktop");
    TempFolder::Write(folder_ / "config/xfce-mimeapps.list",
                      "[Default Applications]\ntext/plain=editor.desktop\n");
    EXPECT_EQ(DefaultFor({"text/plain"}), "editor.desktop");
}

TEST_F(DesktopEntriesTest, AnExecutableIsMatchedToTheEntryThatRunsIt) {
    TempFolder::Write(folder_ / "bin" / "tool", "#!/bin/sh\n");
    TempFolder::Write(folder_ / "bin" / "my prog", "#!/bin/sh\n");
    Entry("system", "tool.desktop", "Exec=tool --new-window %U\nIcon=tool-icon\n");
    Entry("system", "kde/quoted.desktop",
          "Exec=\"" + (folder_ / "bin" / "my prog").string() + "\" %f\nIcon=/x.png\n");
    Entry("local", "tried.desktop", "TryExec=/opt/real\nExec=wrapper\n");
    DesktopEntries entries(dirs_);
    const DesktopEntry* tool = entries.EntryRunning(folder_ / "bin" / "tool");
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->Icon, "tool-icon");
    const DesktopEntry* quoted = entries.EntryRunning(folder_ / "bin" / "my prog");
    ASSERT_NE(quoted, nullptr);
    EXPECT_EQ(quoted->Id, "kde-quoted.desktop");
    EXPECT_NE(entries.EntryRunning("/opt/real"), nullptr);
    EXPECT_EQ(entries.EntryRunning("/elsewhere/tool"), nullptr); // not the one on PATH
    EXPECT_EQ(entries.Find("kde-quoted.desktop"), quoted);
}

} // namespace
} // namespace rimo
