#include "app/SettingsSchema.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rimo {
namespace {

ParsedSetting Parse(const char* key, std::optional<std::string> stored) {
    return SettingsSchema::Parse(*SettingsSchema::Find(key), stored);
}

TEST(SettingsSchema, ThirtyTwoKeysInTheirWritingOrder) {
    std::vector<std::string> names;
    for (const SettingKey& key : SettingsSchema::Keys()) {
        names.push_back(std::string(key.Section) + "/" + key.Key);
    }
    EXPECT_THAT(names,
                ::testing::ElementsAre(
                    "Position/Left", "Position/Top", "Position/Width", "Position/Height",
                    "Setting/ShowFlag", "Setting/TimeOut", "Setting/Server", "Setting/Log",
                    "Setting/Msg", "Setting/Timer", "Setting/ComboTime", "Setting/Sound",
                    "Setting/SoundLoop", "Setting/WaveFileName", "Setting/Path", "Setting/AppPath",
                    "Setting/TimeCount", "Setting/Beep", "Setting/TimeLoop",
                    "Setting/LaunchTitleIndex", "Setting/CheckBoxConf", "Setting/TabIndex",
                    "Setting/TopMost", "Setting/Fixed", "Setting/AnimeIcon", "Setting/Next",
                    "Setting/Scroll", "Setting/TaskBar", "Setting/CMShowing", "Setting/ScrSaver",
                    "Setting/StartUp", "Setting/Protocol", "Setting/Missed"));
}

TEST(SettingsSchema, ReadsScrSaverBeforeCMShowing) {
    std::vector<std::string> order;
    for (const SettingKey* key : SettingsSchema::LoadOrder()) {
        order.push_back(key->Key);
    }
    ASSERT_EQ(order.size(), 33u);
    EXPECT_THAT(std::vector(order.end() - 6, order.end()),
                ::testing::ElementsAre("TaskBar", "ScrSaver", "CMShowing", "StartUp", "Protocol",
                                       "Missed"));
    EXPECT_EQ(order.front(), "Left");
}

TEST(SettingsSchema, MissingKeysTakeTheirDefaults) {
    const std::vector<std::pair<const char*, int>> numbers{
        {"Left", 100},       {"Top", 100},    {"Width", 700},   {"Height", 500},  {"ShowFlag", 1},
        {"TimeOut", 1000},   {"Log", 1},      {"Msg", 0},       {"ComboTime", 0}, {"Beep", 1},
        {"CheckBoxConf", 1}, {"TabIndex", 0}, {"AnimeIcon", 1}, {"Next", 1},      {"Scroll", 1},
        {"TaskBar", 0},      {"StartUp", 0},  {"TimeLoop", 0}};
    for (const auto& [key, value] : numbers) {
        const ParsedSetting parsed = Parse(key, std::nullopt);
        EXPECT_EQ(parsed.Value.Number, value) << key;
        EXPECT_EQ(parsed.Note, "") << key;
    }
    EXPECT_EQ(Parse("Timer", std::nullopt).Value.Time, EncodeTime(0, 0, 5));
    EXPECT_EQ(Parse("Server", std::nullopt).Value.Text, "");
}

TEST(SettingsSchema, BooleansAreIntegers) {
    EXPECT_EQ(Parse("Log", "7").Value.Number, 1);
    EXPECT_EQ(Parse("Log", "7").Note, "");
    EXPECT_EQ(Parse("Log", "0").Value.Number, 0);
    EXPECT_EQ(Parse("Log", "-1").Value.Number, 1);
    // Text that is not an integer: the default, with a note.
    const ParsedSetting logYes = Parse("Log", "yes");
    EXPECT_EQ(logYes.Value.Number, 1);
    EXPECT_EQ(logYes.Note, "Log=yes は整数ではありません。既定値 1 を使います");
    EXPECT_EQ(Parse("Msg", "yes").Value.Number, 0);
    EXPECT_EQ(Parse("Msg", "").Value.Number, 0);
}

TEST(SettingsSchema, UnsoundNumbersBecomeTheNearestSoundOne) {
    // A window pushed past the left or top edge comes back to it, silently.
    EXPECT_EQ(Parse("Left", "-20").Value.Number, 0);
    EXPECT_EQ(Parse("Top", "-5").Value.Number, 0);
    EXPECT_EQ(Parse("Left", "-20").Note, "");

    const ParsedSetting width = Parse("Width", "999999");
    EXPECT_EQ(width.Value.Number, 700);
    EXPECT_EQ(width.Note, "Width=999999 は使えない値です。700 を使います");
    EXPECT_EQ(Parse("Width", "3").Value.Number, 100);
    EXPECT_EQ(Parse("Height", "24").Value.Number, 24);
    EXPECT_EQ(Parse("Height", "0").Value.Number, 24);

    EXPECT_EQ(Parse("ShowFlag", "5").Value.Number, 1);
    EXPECT_NE(Parse("ShowFlag", "5").Note, "");
    EXPECT_EQ(Parse("ShowFlag", "-7").Value.Number, -1);
    EXPECT_EQ(Parse("ShowFlag", "0").Value.Number, 1);
    EXPECT_EQ(Parse("ShowFlag", "-1").Note, "");

    EXPECT_EQ(Parse("TaskBar", "-3").Value.Number, 0);
    EXPECT_EQ(Parse("TaskBar", "9").Value.Number, 1);
    EXPECT_EQ(Parse("TabIndex", "42").Value.Number, 4);
    EXPECT_EQ(Parse("LaunchTitleIndex", "3").Value.Number, 2);
    EXPECT_EQ(Parse("ComboTime", "7").Value.Number, 6);
    EXPECT_EQ(Parse("TimeCount", "-1").Value.Number, 0);
    // The time-out's range is its spin edit's.
    EXPECT_EQ(Parse("TimeOut", "5").Value.Number, 5);
    // Hexadecimal as the profile functions read it.
    EXPECT_EQ(Parse("TabIndex", "0x2").Value.Number, 2);
}

TEST(SettingsSchema, TimesAndTexts) {
    EXPECT_EQ(Parse("Timer", "0:03:00").Value.Time, EncodeTime(0, 3, 0));
    EXPECT_EQ(Parse("Timer", "1:30").Value.Time, EncodeTime(1, 30, 0));
    const ParsedSetting bad = Parse("Timer", "25:00:00");
    EXPECT_EQ(bad.Value.Time, EncodeTime(0, 0, 5));
    EXPECT_EQ(bad.Note, "Timer=25:00:00 は時刻ではありません。既定値 0:00:05 を使います");
    EXPECT_EQ(Parse("Server", "ntp.example.jp").Value.Text, "ntp.example.jp");
    EXPECT_EQ(Parse("WaveFileName", "\"/home/u/音.wav\"").Value.Text, "\"/home/u/音.wav\"");
}

TEST(SettingsSchema, FormatsWhatItReads) {
    for (const SettingKey& key : SettingsSchema::Keys()) {
        const SettingValue value = SettingsSchema::Default(key);
        EXPECT_EQ(SettingsSchema::Format(key, value), key.Default) << key.Key;
        EXPECT_EQ(SettingsSchema::Parse(key, SettingsSchema::Format(key, value)).Value, value);
    }
    SettingValue time;
    time.Time = EncodeTime(1, 30, 0);
    EXPECT_EQ(SettingsSchema::Format(*SettingsSchema::Find("Timer"), time), "1:30:00");
    SettingValue yes;
    yes.Number = 7;
    EXPECT_EQ(SettingsSchema::Format(*SettingsSchema::Find("Log"), yes), "1");
    EXPECT_EQ(SettingsSchema::Find("Nothing"), nullptr);
}

} // namespace
} // namespace rimo
