#include "app/SettingsFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace rimo {
namespace {

using namespace std::string_literals;

const SettingKey& Key(const char* name) {
    return *SettingsSchema::Find(name);
}

TEST(SettingsFile, AMissingFileReadsAsEmpty) {
    TempFolder folder;
    const SettingsFile::ReadReport report = SettingsFile::Read(folder / "rimotime.ini");
    EXPECT_FALSE(report.FileExists);
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(SettingsFile::Stored(report.Ini, Key("Left")), std::nullopt);
}

TEST(SettingsFile, ReadsCp932AndHandEditedText) {
    TempFolder folder;
    // "サーバー" in CP932, LF line ends, lower-case names, a comment and garbage.
    TempFolder::Write(
        folder / "rimotime.ini",
        "; mine\n[setting]\nserver=\x83T\x81[\x83o\x81[\nGARBAGE\n[position]\nleft=5\n");
    const SettingsFile::ReadReport report = SettingsFile::Read(folder / "rimotime.ini");
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(SettingsFile::Stored(report.Ini, Key("Server")), "サーバー");
    EXPECT_EQ(SettingsFile::Stored(report.Ini, Key("Left")), "5");
}

TEST(SettingsFile, RepeatedKeysAreReportedAndDroppedAtTheNextWrite) {
    TempFolder folder;
    const auto path = folder / "rimotime.ini";
    TempFolder::Write(path, "[Position]\r\nLeft=1\r\nTop=2\r\nleft=3\r\n\r\n"
                            "[Other]\r\nx=1\r\nx=2\r\n\r\n");
    SettingsFile::ReadReport report = SettingsFile::Read(path);
    ASSERT_EQ(report.Problems.size(), 1u);
    EXPECT_EQ(report.Problems[0],
              "[Position] Left が 2 回あります。最初の値を使い、残りは次の保存で除きます");
    EXPECT_EQ(report.Ini.EntryCount("Position", "LEFT"), 2);
    EXPECT_EQ(SettingsFile::Stored(report.Ini, Key("Left")), "1");

    SettingsFile::Put(report.Ini, Key("Left"), "40");
    SettingsFile::Put(report.Ini, Key("Width"), "300");
    ASSERT_TRUE(SettingsFile::Write(path, report.Ini).ok());
    // The key keeps its place, its repeat goes, a new key follows, and keys
    // of other sections stay as they were (repeats included).
    EXPECT_EQ(TempFolder::Read(path), "[Position]\r\nLeft=40\r\nTop=2\r\nWidth=300\r\n\r\n"
                                      "[Other]\r\nx=1\r\nx=2\r\n\r\n");
}

TEST(SettingsFile, BytesThatAreNoTextAreKeptAsideAndTheRestIsRead) {
    TempFolder folder;
    const auto path = folder / "rimotime.ini";
    const std::string bytes = "[Setting]\r\nLog=0\r\n\x80\xff\xfe\x01\0junk\r\nMsg=1\r\n"s;
    TempFolder::Write(path, bytes);
    const SettingsFile::ReadReport report = SettingsFile::Read(path);
    ASSERT_EQ(report.Problems.size(), 2u);
    EXPECT_EQ(report.Problems[0], "文字として読めないバイトがあります (読めた設定は使います)");
    EXPECT_NE(report.Problems[1].Text().find("rimotime.ini.broken"), std::string::npos);
    EXPECT_EQ(SettingsFile::Stored(report.Ini, Key("Log")), "0");
    EXPECT_EQ(SettingsFile::Stored(report.Ini, Key("Msg")), "1");
    // The user's bytes are kept, exactly; the next save starts a new file.
    EXPECT_EQ(TempFolder::Read(folder / "rimotime.ini.broken"), bytes);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SettingsFile, AFileThatCannotBeReadIsReported) {
    TempFolder folder;
    const auto path = folder / "rimotime.ini";
    std::filesystem::create_directory(path);
    const SettingsFile::ReadReport report = SettingsFile::Read(path);
    EXPECT_TRUE(report.FileExists);
    ASSERT_FALSE(report.Problems.empty());
    EXPECT_NE(report.Problems[0].Text().find("rimotime.ini"), std::string::npos);
}

TEST(SettingsFile, WritesCp932WithCrLfOrUtf8WhenItMust) {
    TempFolder folder;
    const auto path = folder / "rimotime.ini";
    IniFile ini;
    SettingsFile::Put(ini, Key("Server"), "サーバー");
    ASSERT_TRUE(SettingsFile::Write(path, ini).ok());
    EXPECT_EQ(TempFolder::Read(path), "[Setting]\r\nServer=\x83T\x81[\x83o\x81[\r\n\r\n");
    // A path CP932 cannot hold: the whole file becomes UTF-8 with a mark.
    SettingsFile::Put(ini, Key("WaveFileName"), "\"/home/u/♫.wav\"");
    ASSERT_TRUE(SettingsFile::Write(path, ini).ok());
    const SettingsFile::ReadReport back = SettingsFile::Read(path);
    EXPECT_EQ(TempFolder::Read(path).substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(SettingsFile::Stored(back.Ini, Key("WaveFileName")), "\"/home/u/♫.wav\"");
    EXPECT_EQ(SettingsFile::Stored(back.Ini, Key("Server")), "サーバー");
}

TEST(SettingsFile, AFailedWriteSaysWhichFile) {
    TempFolder folder;
    const Status written = SettingsFile::Write(folder / "missing" / "rimotime.ini", IniFile());
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.message().find("rimotime.ini"), std::string::npos);
}

TEST(SettingsFile, IntegersAsTheReaderTakesThem) {
    EXPECT_EQ(IniFile::ParseInteger("42"), 42);
    EXPECT_EQ(IniFile::ParseInteger(" -7 "), -7);
    EXPECT_EQ(IniFile::ParseInteger("$10"), 16);
    EXPECT_EQ(IniFile::ParseInteger("yes"), std::nullopt);
    EXPECT_EQ(IniFile::ParseInteger("99999999999"), std::nullopt);
    EXPECT_EQ(IniFile::ParseInteger(""), std::nullopt);
}

} // namespace
} // namespace rimo
