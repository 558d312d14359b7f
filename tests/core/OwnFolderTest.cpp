#include "core/OwnFolder.h"

#include "AsOtherUser.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace rimo {
namespace {

using ::testing::HasSubstr;

constexpr uid_t kMe = 1000;

FolderFacts Folder(uid_t owner, mode_t mode) {
    FolderFacts facts;
    facts.IsFolder = true;
    facts.Owner = owner;
    facts.Mode = mode;
    facts.FileSystem = 0xEF53; // ext4
    return facts;
}

TEST(OwnFolder, OnlyTheUserMayWriteIntoIt) {
    EXPECT_EQ(FolderRefusal(Folder(kMe, 0700), kMe), "");
    EXPECT_EQ(FolderRefusal(Folder(kMe, 0755), kMe), ""); // others may read, not plant
    EXPECT_THAT(FolderRefusal(Folder(kMe + 1, 0700), kMe), HasSubstr("uid 1001"));
    EXPECT_THAT(FolderRefusal(Folder(kMe, 0777), kMe), HasSubstr("0777"));
    EXPECT_THAT(FolderRefusal(Folder(kMe, 01777), kMe), HasSubstr("1777"));
    EXPECT_THAT(FolderRefusal(Folder(kMe, 0775), kMe), HasSubstr("書き込めます"));
    // A group of the user's alone (umask 002 systems) writes as the user does.
    FolderFacts privateGroup = Folder(kMe, 0775);
    privateGroup.GroupIsOwners = true;
    EXPECT_EQ(FolderRefusal(privateGroup, kMe), "");
    privateGroup.Mode = 0777;
    EXPECT_NE(FolderRefusal(privateGroup, kMe), "");

    FolderFacts file = Folder(kMe, 0700);
    file.IsFolder = false;
    EXPECT_NE(FolderRefusal(file, kMe), "");
}

TEST(OwnFolder, AStickWithoutUnixModesIsItsMountOwners) {
    for (const unsigned long fileSystem : {0x4d44UL, 0x2011BAB0UL, 0x7366746eUL}) {
        FolderFacts stick = Folder(kMe, 0777);
        stick.FileSystem = fileSystem;
        EXPECT_EQ(FolderRefusal(stick, kMe), "") << std::hex << fileSystem;
        stick.Owner = kMe + 1; // mounted for someone else
        EXPECT_NE(FolderRefusal(stick, kMe), "") << std::hex << fileSystem;
    }
}

TEST(OwnFolder, RealFoldersAreJudgedByOwnerAndMode) {
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    EXPECT_TRUE(CheckOwnFolder(folder.Path()).ok());

    ASSERT_EQ(::chmod(folder.Path().c_str(), 0757), 0);
    Status status = CheckOwnFolder(folder.Path());
    EXPECT_FALSE(status.ok());
    EXPECT_THAT(status.message(), HasSubstr(folder.Path().string()));
    EXPECT_THAT(status.message(), HasSubstr("0757"));

    // Through a link the folder it names is judged.
    std::filesystem::create_symlink(folder.Path(), folder.Path().string() + "-link");
    EXPECT_FALSE(CheckOwnFolder(folder.Path().string() + "-link").ok());
    std::filesystem::remove(folder.Path().string() + "-link");

    EXPECT_FALSE(CheckOwnFolder(folder / "missing").ok());
    if (::geteuid() == 0) {
        // Group "root" is root's own (a user private group); another group is not.
        ASSERT_EQ(::chmod(folder.Path().c_str(), 0775), 0);
        ASSERT_EQ(::chown(folder.Path().c_str(), 0, 0), 0);
        EXPECT_TRUE(CheckOwnFolder(folder.Path()).ok());
        ASSERT_EQ(::chown(folder.Path().c_str(), 0, kOtherUser), 0);
        EXPECT_FALSE(CheckOwnFolder(folder.Path()).ok());

        ASSERT_EQ(::chmod(folder.Path().c_str(), 0700), 0);
        ASSERT_EQ(::chown(folder.Path().c_str(), kOtherUser, kOtherUser), 0);
        status = CheckOwnFolder(folder.Path());
        EXPECT_THAT(status.message(), HasSubstr("uid " + std::to_string(kOtherUser)));
    }
}

TEST(OwnFolder, MissingFoldersAreMadeForThisUserAlone) {
    TempFolder folder;
    const mode_t mask = ::umask(022);
    const std::filesystem::path deep = folder / "a" / "b";
    EXPECT_TRUE(MakePrivateFolders(deep).ok());
    EXPECT_TRUE(MakePrivateFolders(deep).ok()); // there already
    ::umask(mask);
    for (const std::filesystem::path& made : {folder / "a", deep}) {
        struct stat info {};
        ASSERT_EQ(::stat(made.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700U) << made;
    }
    EXPECT_TRUE(IsPrivateFolder(deep));

    TempFolder::Write(folder / "file", "");
    const Status status = MakePrivateFolders(folder / "file" / "sub");
    EXPECT_FALSE(status.ok());
    EXPECT_THAT(status.message(), HasSubstr((folder / "file" / "sub").string()));
}

} // namespace
} // namespace rimo
