#include "launcher/LauncherFile.h"
#include "TempFolder.h"
#include "launcher/LaunchClipboard.h"
#include "launcher/LaunchPaths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace rimo {
namespace {

using namespace std::string_literals;

// "タイトル" in CP932.
const std::string kTitleCp932 = "\x83\x5e\x83\x43\x83\x67\x83\x8b";

class LauncherFileTest : public ::testing::Test {
protected:
    std::filesystem::path Path() const { return folder_ / "Launcher1.dat"; }
    std::string Bytes() const { return TempFolder::Read(Path()); }
    ino_t Inode() const {
        struct stat info {};
        ::stat(Path().c_str(), &info);
        return info.st_ino;
    }

    TempFolder folder_;
    LauncherFile file_{Path(), 1};
};

TEST_F(LauncherFileTest, AMissingFileIsAnEmptyPageOfSixRows) {
    EXPECT_EQ(file_.LaunchTitle(), "タイトル1");
    EXPECT_EQ(file_.LBtnNo(), 6);
    EXPECT_EQ(LauncherFile::ButtonOf(file_.Read(), 3), LaunchItem());
    EXPECT_FALSE(LauncherFile::StoredTitle(file_.Read(), 3));
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(LauncherFileTest, AButtonIsWrittenInItsKeyOrderAndReadBack) {
    LaunchItem item{"メモ帳",
                    "/usr/bin/editor",
                    "/home/u",
                    "-n \"a b\"",
                    TProgState::psMaximized,
                    "/icons/set.ico",
                    3};
    ASSERT_TRUE(file_.SaveButton(2, item).ok());
    EXPECT_EQ(Bytes(), "[Button2]\r\n"
                       "ProgPath=/usr/bin/editor\r\n"
                       "ProgTitle=\x83\x81\x83\x82\x92\xa0\r\n"
                       "ProgDir=/home/u\r\n"
                       "ProgState=1\r\n"
                       "ProgOption=-n \"a b\"\r\n"
                       "IconPath=/icons/set.ico\r\n"
                       "IconNo=3\r\n"
                       "\r\n");
    EXPECT_EQ(LauncherFile::ButtonOf(file_.Read(), 2), item);

    // Minimised is 2 in the file; empty texts, psNormal and 0 delete their keys.
    item.State = TProgState::psMinimized;
    ASSERT_TRUE(file_.SaveButton(2, item).ok());
    EXPECT_NE(Bytes().find("ProgState=2\r\n"), std::string::npos);
    ASSERT_TRUE(file_.SaveButton(2, LaunchItem()).ok());
    EXPECT_EQ(Bytes(), "[Button2]\r\nProgPath=\r\n\r\n");
}

TEST_F(LauncherFileTest, ChangesKeepEveryOtherKeyAndSection) {
    TempFolder::Write(Path(), "; mine\r\n[Setting]\r\nLBtnNo=3\r\nOwnKey=x\r\n\r\n"
                              "[Button7]\r\nProgPath=/bin/true\r\nCheckBox=1\r\n\r\n");
    ASSERT_TRUE(file_.WriteLaunchTitle("仕事").ok());
    ASSERT_TRUE(file_.SaveChecks({true, false}).ok());
    EXPECT_EQ(Bytes(),
              "; mine\r\n[Setting]\r\nLBtnNo=3\r\nOwnKey=x\r\nLaunchTitle=\x8e\x64\x8e\x96\r\n"
              "\r\n[Button7]\r\nProgPath=/bin/true\r\nCheckBox=1\r\n\r\n"
              "[Button1]\r\nCheckBox=1\r\n\r\n[Button2]\r\nCheckBox=0\r\n\r\n");
    EXPECT_EQ(LauncherFile::ChecksOf(file_.Read(), 3), (std::vector<bool>{true, false, false}));
}

TEST_F(LauncherFileTest, AnUnchangedFileIsNotRewritten) {
    ASSERT_TRUE(file_.WriteLBtnNo(8).ok());
    const ino_t before = Inode();
    ASSERT_TRUE(file_.WriteLBtnNo(8).ok());
    EXPECT_EQ(Inode(), before);
    ASSERT_TRUE(file_.WriteLBtnNo(9).ok());
    EXPECT_NE(Inode(), before); // replaced atomically

    // A byte-order mark after blank lines still opens the first section.
    const std::string made = "\n\n\xEF\xBB\xBF[Setting]\nLBtnNo=3\n"s;
    TempFolder::Write(Path(), made);
    ASSERT_TRUE(file_.WriteLBtnNo(3).ok());
    EXPECT_EQ(Bytes(), made);
    ASSERT_TRUE(file_.WriteLBtnNo(4).ok());
    EXPECT_EQ(Bytes(), "\n\n\xEF\xBB\xBF[Setting]\nLBtnNo=4\n"s);
}

TEST_F(LauncherFileTest, AHandMadeLayoutIsWrittenOnlyForAChangedValueAndThenKept) {
    // LF line ends, blanks around "=", no blank line at the end, and a
    // character CP932 has twice (ED 40 and FA 5C read as the same one).
    const std::string made = "[Setting]\nLaunchTitle=\xED\x40\nLBtnNo = 1\n"
                             "[Button1]\nProgPath=/bin/true\nCheckBox=0"s;
    TempFolder::Write(Path(), made);
    const ino_t before = Inode();
    LaunchItem item;
    item.Path = "/bin/true";
    ASSERT_TRUE(file_.WriteLaunchTitle(file_.LaunchTitle()).ok());
    ASSERT_TRUE(file_.WriteLBtnNo(1).ok());
    ASSERT_TRUE(file_.SaveChecks({false}).ok());
    ASSERT_TRUE(file_.SaveButton(1, item).ok());
    EXPECT_EQ(Bytes(), made);
    EXPECT_EQ(Inode(), before);

    // Changed, added and removed values: those lines alone, in the file's way.
    item.Title = "T";
    ASSERT_TRUE(file_.SaveButton(1, item).ok());
    ASSERT_TRUE(file_.SaveChecks({true, false}).ok());
    EXPECT_EQ(Bytes(), "[Setting]\nLaunchTitle=\xED\x40\nLBtnNo = 1\n"
                       "[Button1]\nProgPath=/bin/true\nCheckBox=1\nProgTitle=T\n"
                       "\n[Button2]\nCheckBox=0\n"s);
    item.Title.clear();
    ASSERT_TRUE(file_.SaveButton(1, item).ok());
    ASSERT_TRUE(file_.WriteLBtnNo(2).ok());
    EXPECT_EQ(Bytes(), "[Setting]\nLaunchTitle=\xED\x40\nLBtnNo=2\n"
                       "[Button1]\nProgPath=/bin/true\nCheckBox=1\n"
                       "\n[Button2]\nCheckBox=0\n"s);
    // A text CP932 cannot hold: the whole file becomes UTF-8, as the program writes it.
    ASSERT_TRUE(file_.WriteLaunchTitle("Ω☃").ok());
    EXPECT_EQ(Bytes().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(file_.LaunchTitle(), "Ω☃");
    EXPECT_EQ(LauncherFile::ChecksOf(file_.Read(), 2), (std::vector<bool>{true, false}));
}

TEST_F(LauncherFileTest, GarbageGivesDefaultsWithoutLosingTheRest) {
    TempFolder::Write(Path(),
                      "\x01\x02 junk\r\n[Setting]\r\nLBtnNo=abc\r\nLaunchTitle=" + kTitleCp932 +
                          "X\r\n[Button1]\r\nProgState=7\r\nIconNo=z\r\n"
                          "ProgPath=/no/such/file\r\n");
    EXPECT_EQ(file_.LBtnNo(), 6);
    EXPECT_EQ(file_.LaunchTitle(), "タイトルX");
    const LaunchItem item = LauncherFile::ButtonOf(file_.Read(), 1);
    EXPECT_EQ(item.State, TProgState::psNormal);
    EXPECT_EQ(item.IconNo, 0);
    EXPECT_EQ(item.Path, "/no/such/file");
    EXPECT_TRUE(file_.TakeProblems().empty()); // all of it is text
}

TEST_F(LauncherFileTest, BytesThatAreNoTextAreKeptAsideAndTheRestGoesOn) {
    const std::string stored = "[Setting]\r\nLBtnNo=4\r\nLaunchTitle=\x81\x7f\xff\r\n"s;
    TempFolder::Write(Path(), stored);
    EXPECT_EQ(file_.LBtnNo(), 4);
    const std::vector<Message> problems = file_.TakeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].Text().find("Launcher1.dat.broken"), std::string::npos);
    EXPECT_EQ(TempFolder::Read(folder_ / "Launcher1.dat.broken"), stored);
    // What could be read is the file now; a change keeps it.
    ASSERT_TRUE(file_.SaveChecks({true}).ok());
    EXPECT_EQ(file_.LBtnNo(), 4);
    EXPECT_TRUE(file_.TakeProblems().empty());
}

TEST_F(LauncherFileTest, AnUnreadableFileIsMovedAsideBeforeAWrite) {
    std::filesystem::create_directory(Path()); // reading fails
    LauncherFile file(Path(), 1);
    EXPECT_EQ(file.LBtnNo(), 6);
    EXPECT_EQ(file.TakeProblems().size(), 1u);
    ASSERT_TRUE(file.WriteLBtnNo(5).ok()); // moved aside: the new file is written
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "Launcher1.dat.broken"));
    EXPECT_EQ(file.LBtnNo(), 5);
}

TEST(LaunchPaths, NamesFoldersAndRowNumbers) {
    EXPECT_EQ(LaunchPaths::TitleOf("/opt/My App/run.sh"), "run");
    EXPECT_EQ(LaunchPaths::TitleOf("/home/u/.bashrc"), ".bashrc");
    EXPECT_EQ(LaunchPaths::TitleOf("/home/u/archive.tar.gz"), "archive.tar");
    EXPECT_EQ(LaunchPaths::TitleOf("/home/u/Docs"), "Docs");
    EXPECT_EQ(LaunchPaths::FolderOf("/opt/My App/run.sh"), "/opt/My App");
    EXPECT_EQ(LaunchPaths::FolderOf("/vmlinuz"), "/");
    EXPECT_EQ(LaunchPaths::FolderOf("firefox"), "");
    EXPECT_EQ(LaunchPaths::WithoutTrailingSlash("/home/u/Docs//"), "/home/u/Docs");
    EXPECT_EQ(LaunchPaths::WithoutTrailingSlash("/"), "/");
    EXPECT_EQ(LaunchPaths::RowNumberOf("Label12", 5), 12);
    EXPECT_EQ(LaunchPaths::RowNumberOf("Button99", 6), 99);
    EXPECT_EQ(LaunchPaths::RowNumberOf("Label", 5), 0);
    EXPECT_EQ(LaunchPaths::RowNumberOf("Labelx", 5), 0);
}

TEST(LaunchClipboard, EnablingAndQuestions) {
    LaunchClipboard clipboard;
    const LaunchItem empty;
    const LaunchItem editor{"Ed", "/usr/bin/ed", "", "", TProgState::psNormal, "", 0};
    EXPECT_FALSE(clipboard.MenuFor(editor).Paste); // nothing copied yet
    EXPECT_TRUE(clipboard.MenuFor(editor).Cut && clipboard.MenuFor(editor).Delete);
    const LaunchClipboard::MenuState onEmpty = clipboard.MenuFor(empty);
    EXPECT_FALSE(onEmpty.Cut || onEmpty.Copy || onEmpty.Delete);
    clipboard.Copy(editor);
    EXPECT_TRUE(clipboard.MenuFor(empty).Paste);
    EXPECT_EQ(clipboard.PasteQuestion("Old"), "Old のｱｲｺﾝを Ed に上書きして宜しいですか?");
    EXPECT_EQ(LaunchClipboard::DeleteQuestion(""),
              " のｱｲｺﾝを削除します。\r\n\r\n復旧は出来ませんが宜しいですか?");
}

} // namespace
} // namespace rimo
