// The autostart entry on real files in a temporary folder, checked by the
// desktop's own validator.
#include "platform/XdgAutostart.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace rimo {
namespace {

// desktop-file-validate's verdict: empty when the file is a valid entry.
std::string Validate(const std::filesystem::path& file) {
    const std::filesystem::path report = file.string() + ".report";
    const std::string command =
        "desktop-file-validate '" + file.string() + "' > '" + report.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::string text = TempFolder::Read(report);
    std::filesystem::remove(report);
    return status == 0 ? text : "exit " + std::to_string(status) + ": " + text;
}

class XdgAutostartTest : public ::testing::Test {
protected:
    TempFolder config_;
    XdgAutostart autostart_{config_ / "autostart"};
};

TEST_F(XdgAutostartTest, CreatedKeptWhenPresentAndRemoved) {
    const std::filesystem::path executable = "/opt/rimo/rimotime";
    EXPECT_FALSE(autostart_.Registered());
    ASSERT_TRUE(autostart_.Register(executable).ok()); // the folder is made
    const std::filesystem::path entry = config_ / "autostart" / "RimoTimeInformation.desktop";
    ASSERT_EQ(autostart_.EntryFile(), entry);
    EXPECT_TRUE(autostart_.Registered());
    EXPECT_EQ(TempFolder::Read(entry), "[Desktop Entry]\n"
                                       "Type=Application\n"
                                       "Name=RimoTimeInformation\n"
                                       "Exec=/opt/rimo/rimotime\n"
                                       "Path=/opt/rimo\n"
                                       "Icon=rimotime\n"
                                       "Terminal=false\n");
    EXPECT_EQ(Validate(entry), "");

    // An entry that is there (the user's own, say) is left as it is.
    TempFolder::Write(entry, "[Desktop Entry]\nType=Application\nName=mine\nExec=mine\n");
    ASSERT_TRUE(autostart_.Register("/elsewhere/rimotime").ok());
    EXPECT_EQ(TempFolder::Read(entry), "[Desktop Entry]\nType=Application\nName=mine\nExec=mine\n");

    ASSERT_TRUE(autostart_.Unregister().ok());
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_TRUE(autostart_.Unregister().ok()); // nothing there: nothing to do
}

TEST_F(XdgAutostartTest, PathsWithReservedCharactersAreQuotedAndEscaped) {
    // Quoted for the blank; inside the quotes '$' and '\' take a backslash,
    // which the string rules double; '%' is doubled.
    ASSERT_TRUE(autostart_.Register("/tmp/a b/$x%\\y/rimotime").ok());
    const std::string text = TempFolder::Read(autostart_.EntryFile());
    EXPECT_NE(text.find("Exec=\"/tmp/a b/\\\\$x%%\\\\\\\\y/rimotime\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Path=/tmp/a b/$x%\\\\y\n"), std::string::npos) << text;
    EXPECT_EQ(Validate(autostart_.EntryFile()), "");
}

TEST_F(XdgAutostartTest, FailuresAreReportedAndWriteNothing) {
    // The autostart folder's place is taken by a file.
    TempFolder::Write(config_ / "autostart", "not a folder");
    const Status blocked = autostart_.Register("/opt/rimo/rimotime");
    EXPECT_FALSE(blocked.ok());
    EXPECT_NE(blocked.message().find("autostart"), std::string::npos) << blocked.message();
    std::filesystem::remove(config_ / "autostart");

    // A desktop entry is UTF-8 text.
    const Status notUtf8 = autostart_.Register("/opt/\xff\xfe/rimotime");
    EXPECT_FALSE(notUtf8.ok());
    EXPECT_FALSE(autostart_.Registered());
}

TEST(XdgAutostartFolder, ARelativeConfigHomeIsIgnored) {
    EXPECT_EQ(XdgAutostart::FolderFor("/cfg", "/home/u"), "/cfg/autostart");
    EXPECT_EQ(XdgAutostart::FolderFor("cfg", "/home/u"), "/home/u/.config/autostart");
    EXPECT_EQ(XdgAutostart::FolderFor("", "/home/u"), "/home/u/.config/autostart");
    // Nowhere sensible: no folder, rather than one below the current folder.
    EXPECT_EQ(XdgAutostart::FolderFor("cfg", ""), "");
    EXPECT_EQ(XdgAutostart::FolderFor("", "home"), "");
    const Status nowhere = XdgAutostart({}).Register("/opt/rimo/rimotime");
    EXPECT_FALSE(nowhere.ok());
}

TEST_F(XdgAutostartTest, AFolderThatCannotBeLookedIntoIsReportedNotTakenForAnEntry) {
    // A link to itself: every look into it fails (as a folder without
    // permission does for a user; the tests run as root, who may read any).
    std::filesystem::create_symlink("autostart", config_ / "autostart");
    EXPECT_FALSE(autostart_.Registered());
    const Status status = autostart_.Register("/opt/rimo/rimotime");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("を読めません"), std::string::npos) << status.message();
    EXPECT_NE(status.message().find((config_ / "autostart").string()), std::string::npos);
}

} // namespace
} // namespace rimo
