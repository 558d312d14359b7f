#include "desktop/TvScrSaver.h"
#include "TempFolder.h"
#include "fakes/FakeScreenSaverSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rimo {
namespace {

class ScreenSaverTest : public ::testing::Test {
protected:
    ScreenSaverTest() : control_(system_, File(), Folders()) {}

    std::filesystem::path File() const { return folder_ / "rimotime-desktop.ini"; }
    ScreenSaverFolders Folders() const {
        return {folder_ / "hacks",
                {folder_ / "windows", folder_ / "system", folder_ / "system32"},
                folder_ / "config"};
    }
    void Touch(const std::filesystem::path& file) {
        std::filesystem::create_directories(file.parent_path());
        TempFolder::Write(file, "");
    }

    TempFolder folder_;
    FakeScreenSaverSystem system_;
    TvScrSaver control_;
};

TEST_F(ScreenSaverTest, ReadsNameTimeOutAndStateInThatOrder) {
    TempFolder::Write(File(), "[boot]\r\nSCRNSAVE.EXE=/usr/libexec/xscreensaver/glmatrix\r\n");
    system_.TimeOutSeconds = 300;
    control_.ReadSettings();
    EXPECT_EQ(control_.StoredName(), "/usr/libexec/xscreensaver/glmatrix");
    EXPECT_EQ(control_.StoredTimeOut(), 300);
    EXPECT_TRUE(control_.StoredActive());
    EXPECT_EQ(system_.Calls, (std::vector<std::string>{"TimeOut", "Active"}));
}

TEST_F(ScreenSaverTest, WithoutItsFileTheNameStaysAndWithoutASystemItReadsOffAndZero) {
    control_.SetScreenSaverName("/kept.scr");
    system_.Known = false;
    control_.ReadSettings();
    EXPECT_EQ(control_.StoredName(), "/kept.scr");
    EXPECT_EQ(control_.StoredTimeOut(), 0);
    EXPECT_FALSE(control_.StoredActive());
}

TEST_F(ScreenSaverTest, WritesInOrderAndTwiceIsOnce) {
    TempFolder::Write(File(), "; mine\r\n[other]\r\nkey=1\r\n");
    control_.SetScreenSaverName("/s/a.scr");
    control_.SetScreenSaveTimeOut(120);
    control_.SetScreenSaveActive(true);
    control_.WriteSettings();
    const std::string once = TempFolder::Read(File());
    const std::vector<std::string> calls = system_.Calls;
    EXPECT_EQ(calls, (std::vector<std::string>{"SelectProgram /s/a.scr", "SetTimeOut 120",
                                               "SetActive 1"}));
    control_.WriteSettings();
    EXPECT_EQ(TempFolder::Read(File()), once);
    EXPECT_NE(once.find("[other]\r\nkey=1"), std::string::npos); // other lines are kept
    EXPECT_NE(once.find("SCRNSAVE.EXE=/s/a.scr"), std::string::npos);

    TvScrSaver again(system_, File(), Folders());
    EXPECT_EQ(again.ScreenSaverName(), "/s/a.scr");
}

TEST_F(ScreenSaverTest, AFreshControlWritesNothingChosenAndScreenSavingOff) {
    control_.WriteSettings();
    EXPECT_EQ(control_.ScreenSaverName(), "");
    EXPECT_EQ(system_.TimeOutSeconds, 0);
    EXPECT_FALSE(system_.IsActive);
}

TEST_F(ScreenSaverTest, StartsAndWakes) {
    control_.StartScreenSaver();
    control_.WakeFromScreenSaver();
    EXPECT_EQ(system_.Calls, (std::vector<std::string>{"Activate", "Wake"}));
}

TEST_F(ScreenSaverTest, ListsHacksThenScrFilesOfEachFolderAppendingToTheList) {
    Touch(folder_ / "hacks" / "glmatrix");
    // Helpers beside the hacks, and a hack whose package is half removed.
    Touch(folder_ / "hacks" / "xscreensaver-getimage");
    Touch(folder_ / "hacks" / "webcollage-helper");
    Touch(folder_ / "config" / "glmatrix.xml");
    Touch(folder_ / "config" / "README");
    Touch(folder_ / "config" / "gone.xml");
    Touch(folder_ / "windows" / "a.scr");
    Touch(folder_ / "windows" / "notes.txt");
    Touch(folder_ / "windows" / "upper.SCR");
    Touch(folder_ / "system" / "same.scr");
    Touch(folder_ / "system32" / "same.scr");
    Touch(folder_ / "system32" / ".hidden.scr");
    std::filesystem::create_directories(folder_ / "system32" / "folder.scr");

    std::vector<std::string> list{"already there"};
    control_.GetScreenSaverList(list);
    const std::string w = (folder_ / "windows").string();
    const std::string s = (folder_ / "system").string();
    const std::string s32 = (folder_ / "system32").string();
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0], "already there");
    EXPECT_EQ(list[1], (folder_ / "hacks" / "glmatrix").string());
    EXPECT_EQ(list[2], w + "/a.scr");
    EXPECT_EQ(list[3], s + "/same.scr");
    std::sort(list.begin() + 4, list.end());
    EXPECT_EQ(list[4], s32 + "/.hidden.scr");
    EXPECT_EQ(list[5], s32 + "/same.scr");

    control_.GetScreenSaverList(list); // not cleared: everything again
    EXPECT_EQ(list.size(), 11u);
}

TEST_F(ScreenSaverTest, MissingFoldersGiveNothing) {
    std::vector<std::string> list;
    control_.GetScreenSaverList(list);
    EXPECT_TRUE(list.empty());
}

TEST_F(ScreenSaverTest, AScreenSaverIsAScrFileOrAHack) {
    EXPECT_TRUE(control_.IsScreenSaverProgram("/x/a.scr"));
    EXPECT_FALSE(control_.IsScreenSaverProgram("/x/a.SCR"));
    EXPECT_TRUE(control_.IsScreenSaverProgram((folder_ / "hacks" / "glmatrix").string()));
    EXPECT_TRUE(control_.IsScreenSaverProgram((folder_ / "hacks/./glmatrix").string()));
    EXPECT_FALSE(control_.IsScreenSaverProgram((folder_ / "hacks").string()));
    EXPECT_FALSE(control_.IsScreenSaverProgram("/usr/bin/xeyes"));
    EXPECT_FALSE(control_.IsScreenSaverProgram(""));
}

} // namespace
} // namespace rimo
