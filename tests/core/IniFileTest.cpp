#include "core/IniFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace rimo {
namespace {

using ::testing::ElementsAre;
using namespace std::string_literals;

TEST(IniFileText, KeepsEverythingItDoesNotKnow) {
    // LF line ends, stray blanks, comments, a line without "=", an unknown
    // section and text before the first section, as a hand-edited file has.
    const IniFile ini = IniFile::Parse("; written by hand\n"
                                       "\n"
                                       "[Main]\n"
                                       "  Log = 1  \n"
                                       "; keep this comment\n"
                                       "garbage line\n"
                                       "\n"
                                       "\n"
                                       "[Plugin]\n"
                                       "Unknown=value=with=equals\n"
                                       "=no key\n");
    EXPECT_EQ(ini.ToText(), "; written by hand\r\n"
                            "[Main]\r\n"
                            "Log=1\r\n"
                            "; keep this comment\r\n"
                            "garbage line\r\n"
                            "\r\n"
                            "[Plugin]\r\n"
                            "Unknown=value=with=equals\r\n"
                            "=no key\r\n"
                            "\r\n");
    EXPECT_EQ(ini.ReadString("Plugin", "Unknown", ""), "value=with=equals");
}

TEST(IniFileText, AcceptsEveryLineEnd) {
    const IniFile ini = IniFile::Parse("[A]\r\nx=1\ry=2\nz=3\r\n\r\n[B]\rw=4");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
    EXPECT_EQ(ini.ReadInteger("A", "z", 0), 3);
    EXPECT_EQ(ini.ReadInteger("B", "w", 0), 4);
    EXPECT_EQ(ini.ToText(), "[A]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n[B]\r\nw=4\r\n\r\n");
}

TEST(IniFileText, WritingAgainChangesNothing) {
    const std::string text = "top\r\n[Main]\r\nLog=1\r\n;c\r\n\r\n[Other]\r\n\r\n";
    EXPECT_EQ(IniFile::Parse(text).ToText(), text);
    EXPECT_EQ(IniFile::Parse("").ToText(), "");
}

TEST(IniFileText, BinaryJunkIsKeptAsIs) {
    const std::string junk = "\x01\x02\xff\xfe\0\x7f["s;
    const IniFile ini = IniFile::Parse("[Main]\r\n" + junk + "\r\nLog=1\r\n");
    EXPECT_EQ(ini.ToText(), "[Main]\r\n" + junk + "\r\nLog=1\r\n\r\n");
    EXPECT_EQ(ini.ReadInteger("Main", "Log", 0), 1);
}

TEST(IniFileText, LeftoverByteOrderMarkDoesNotHideTheFirstSection) {
    const IniFile ini = IniFile::Parse("\xEF\xBB\xBF[Main]\r\nLog=1\r\n");
    EXPECT_EQ(ini.ReadInteger("Main", "Log", 0), 1);
    EXPECT_EQ(ini.ToText(), "[Main]\r\nLog=1\r\n\r\n");

    // Only a mark at the very start is dropped; anywhere else it is text.
    const std::string inner = "[Main]\r\n\xEF\xBB\xBF;note\r\n\r\n";
    EXPECT_EQ(IniFile::Parse(inner).ToText(), inner);
}

TEST(IniFileLookup, NamesIgnoreLetterCase) {
    const IniFile ini = IniFile::Parse("[Settings]\r\nAlarmSound=bell.wav\r\n");
    EXPECT_TRUE(ini.SectionExists("SETTINGS"));
    EXPECT_TRUE(ini.KeyExists("settings", "alarmsound"));
    EXPECT_EQ(ini.Value("sEtTiNgS", "ALARMSOUND"), "bell.wav");
    EXPECT_FALSE(ini.KeyExists("Settings", "Alarm"));
    EXPECT_FALSE(ini.SectionExists("Setting"));
}

TEST(IniFileLookup, MissingSectionOrKeyGivesTheDefault) {
    const IniFile ini = IniFile::Parse("[Main]\r\nLog=1\r\n");
    EXPECT_EQ(ini.Value("Missing", "Log"), std::nullopt);
    EXPECT_EQ(ini.Value("Main", "Missing"), std::nullopt);
    EXPECT_EQ(ini.ReadString("Missing", "Log", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadInteger("Missing", "Log", 42), 42);
    EXPECT_TRUE(ini.ReadBool("Main", "Missing", true));
    EXPECT_TRUE(ini.Keys("Missing").empty());
}

TEST(IniFileLookup, FirstOfDuplicatesWins) {
    IniFile ini = IniFile::Parse("[Main]\r\nWidth=1\r\nwidth=2\r\n"
                                 "[main]\r\nHeight=3\r\n");
    EXPECT_EQ(ini.ReadInteger("Main", "Width", 0), 1);
    // Only the first of the same-named sections is looked at.
    EXPECT_FALSE(ini.KeyExists("Main", "Height"));
    EXPECT_THAT(ini.Sections(), ElementsAre("Main"));
    EXPECT_THAT(ini.Keys("Main"), ElementsAre("Width"));

    ini.WriteInteger("MAIN", "WIDTH", 5);
    EXPECT_EQ(ini.ToText(), "[Main]\r\nWidth=5\r\nwidth=2\r\n\r\n"
                            "[main]\r\nHeight=3\r\n\r\n");
}

TEST(IniFileLookup, SectionsAndKeysKeepFileOrder) {
    const IniFile ini = IniFile::Parse("[B]\r\nz=1\r\n;c\r\na=2\r\n[A]\r\n[C]\r\n");
    EXPECT_THAT(ini.Sections(), ElementsAre("B", "A", "C"));
    EXPECT_THAT(ini.Keys("b"), ElementsAre("z", "a"));
}

TEST(IniFileTypedRead, Integers) {
    const IniFile ini = IniFile::Parse("[Main]\r\n"
                                       "Width=999999\r\n"
                                       "Left=-20\r\n"
                                       "Plus=+5\r\n"
                                       "Pascal=$1F\r\n"
                                       "C=0x1f\r\n"
                                       "Max=2147483647\r\n"
                                       "Min=-2147483648\r\n"
                                       "TooBig=2147483648\r\n"
                                       "TooSmall=-2147483649\r\n"
                                       "HexTooBig=$80000000\r\n"
                                       "Huge=99999999999999999999999\r\n"
                                       "Trailing=12abc\r\n"
                                       "Empty=\r\n"
                                       "SignOnly=-\r\n"
                                       "HexOnly=0x\r\n"
                                       "Inner=1 2\r\n"
                                       "Fraction=1.5\r\n");
    EXPECT_EQ(ini.ReadInteger("Main", "Width", 0), 999999);
    EXPECT_EQ(ini.ReadInteger("Main", "Left", 0), -20);
    EXPECT_EQ(ini.ReadInteger("Main", "Plus", 0), 5);
    EXPECT_EQ(ini.ReadInteger("Main", "Pascal", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Main", "C", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Main", "Max", 0), INT_MAX);
    EXPECT_EQ(ini.ReadInteger("Main", "Min", 0), INT_MIN);
    for (const char* key : {"TooBig", "TooSmall", "HexTooBig", "Huge", "Trailing", "Empty",
                            "SignOnly", "HexOnly", "Inner", "Fraction"}) {
        EXPECT_EQ(ini.ReadInteger("Main", key, -7), -7) << key;
    }
}

TEST(IniFileTypedRead, BooleansAreIntegers) {
    const IniFile ini = IniFile::Parse("[Main]\r\nLog=7\r\nOff=0\r\nOn=1\r\nMsg=yes\r\n"
                                       "Neg=-1\r\n");
    EXPECT_TRUE(ini.ReadBool("Main", "Log", false));
    EXPECT_TRUE(ini.ReadBool("Main", "On", false));
    EXPECT_TRUE(ini.ReadBool("Main", "Neg", false));
    EXPECT_FALSE(ini.ReadBool("Main", "Off", true));
    // Text that is not a number is not "true": it gives the default.
    EXPECT_FALSE(ini.ReadBool("Main", "Msg", false));
    EXPECT_TRUE(ini.ReadBool("Main", "Msg", true));
}

TEST(IniFileTypedRead, Times) {
    const DateTime fallback = EncodeTime(12, 0, 0);
    const IniFile ini = IniFile::Parse("[Timer]\r\nInterval=0:00:05\r\nShort=7:30\r\n"
                                       "Bad=25:00:00\r\nWord=soon\r\n");
    EXPECT_EQ(ini.ReadTime("Timer", "Interval", fallback), EncodeTime(0, 0, 5));
    EXPECT_EQ(ini.ReadTime("Timer", "Short", fallback), EncodeTime(7, 30, 0));
    EXPECT_EQ(ini.ReadTime("Timer", "Bad", fallback), fallback);
    EXPECT_EQ(ini.ReadTime("Timer", "Word", fallback), fallback);
    EXPECT_EQ(ini.ReadTime("Timer", "Missing", fallback), fallback);
}

TEST(IniFileWrite, ReplacesInPlaceOrAppendsToTheSection) {
    IniFile ini = IniFile::Parse("[Main]\r\nLog=0\r\n;note\r\n[Other]\r\nx=1\r\n");
    ini.WriteBool("main", "log", true);
    ini.WriteInteger("Main", "Width", -3);
    ini.WriteTime("Main", "Interval", EncodeTime(0, 0, 5));
    ini.WriteString("Added", "Name", "予定");
    EXPECT_EQ(ini.ToText(), "[Main]\r\n"
                            "Log=1\r\n"
                            ";note\r\n"
                            "Width=-3\r\n"
                            "Interval=0:00:05\r\n"
                            "\r\n"
                            "[Other]\r\n"
                            "x=1\r\n"
                            "\r\n"
                            "[Added]\r\n"
                            "Name=予定\r\n"
                            "\r\n");
    EXPECT_FALSE(ini.ReadBool("Main", "Missing", false));
    ini.WriteBool("Main", "Log", false);
    EXPECT_EQ(ini.Value("Main", "Log"), "0");
    // A value stays on its line.
    ini.WriteString("Other", "x", "two\r\nlines");
    EXPECT_EQ(IniFile::Parse(ini.ToText()).Value("Other", "x"), "two  lines");
}

TEST(IniFileWrite, EraseAndDeleteRemoveEveryCopy) {
    IniFile ini = IniFile::Parse("[Main]\r\nLog=1\r\nlog=2\r\nKeep=3\r\n"
                                 "[Gone]\r\na=1\r\n[GONE]\r\nb=2\r\n");
    ini.DeleteKey("Main", "LOG");
    EXPECT_FALSE(ini.KeyExists("Main", "Log"));
    ini.EraseSection("gone");
    EXPECT_FALSE(ini.SectionExists("Gone"));
    EXPECT_EQ(ini.ToText(), "[Main]\r\nKeep=3\r\n\r\n");

    ini.DeleteKey("Missing", "Log"); // nothing to do, no section created
    EXPECT_THAT(ini.Sections(), ElementsAre("Main"));
}

} // namespace
} // namespace rimo
