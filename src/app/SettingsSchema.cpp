#include "app/SettingsSchema.h"

#include "app/WindowRules.h"
#include "core/IniFile.h"

#include <algorithm>

namespace rimo {

namespace {

using enum SettingType;
using enum SettingRule;

constexpr const char* kPosition = "Position";
constexpr const char* kSetting = "Setting";

const std::array<SettingKey, SettingsSchema::kKeyCount> kKeys{{
    {kPosition, "Left", Integer, "100", "", NonNegative},
    {kPosition, "Top", Integer, "100", "", NonNegative},
    {kPosition, "Width", Integer, "700", "", Range, WindowRules::kMinWidth,
     WindowRules::kFullWidth},
    {kPosition, "Height", Integer, "500", "", Range, WindowRules::kRolledUpHeight,
     WindowRules::kFullHeight},
    {kSetting, "ShowFlag", Integer, "1", "", RollState},
    {kSetting, "TimeOut", Integer, "1000", "SpinEdit1"},
    {kSetting, "Server", Text, "", "LabeledEdit1"},
    {kSetting, "Log", Boolean, "1", "CheckBoxLog"},
    {kSetting, "Msg", Boolean, "0", "MsgCheckBox"},
    {kSetting, "Timer", Time, "0:00:05", "DateTimePicker3"},
    {kSetting, "ComboTime", Integer, "0", "ComboBoxTime", Range, 0, 6},
    {kSetting, "Sound", Boolean, "0", "CheckBoxSound"},
    {kSetting, "SoundLoop", Boolean, "0", "CheckBoxSoundLoop"},
    {kSetting, "WaveFileName", Text, "", "LabeledEditWave"},
    {kSetting, "Path", Boolean, "0", "CheckBoxPath"},
    {kSetting, "AppPath", Text, "", "LabeledEdit3"},
    {kSetting, "TimeCount", Integer, "0", "RadioGroupTimeCount", Range, 0, 1},
    {kSetting, "Beep", Boolean, "1", "CheckBoxBeep"},
    {kSetting, "TimeLoop", Boolean, "0", "CheckBoxTimeLoop"},
    {kSetting, "LaunchTitleIndex", Integer, "0", "RadioGroupLaunchTitle", Range, 0, 2},
    {kSetting, "CheckBoxConf", Boolean, "1", "CheckBoxConf"},
    {kSetting, "TabIndex", Integer, "0", "PageControl1", Range, 0, 4},
    {kSetting, "TopMost", Boolean, "0", "CheckBoxTopMost"},
    {kSetting, "Fixed", Boolean, "0", "CheckBoxFix"},
    {kSetting, "AnimeIcon", Boolean, "1", "CheckBoxAnimeIcon"},
    {kSetting, "Next", Boolean, "1", "CheckBoxNextHint"},
    {kSetting, "Scroll", Boolean, "1", "CheckBoxScroll"},
    {kSetting, "TaskBar", Integer, "0", "RadioGroupTaskBar", Range, 0, 1},
    {kSetting, "CMShowing", Boolean, "0", "CheckBoxCMShowing"},
    {kSetting, "ScrSaver", Boolean, "0", "CheckBoxScrSaver"},
    {kSetting, "StartUp", Boolean, "0", "CheckBoxStartUp"},
    // Keys of our own follow those of the Windows program.
    {kSetting, "Protocol", Text, "NTP", "ComboBoxProtocol"},
    {kSetting, "Missed", Boolean, "1", "CheckBoxMissed"},
}};

std::array<const SettingKey*, SettingsSchema::kKeyCount> MakeLoadOrder() {
    std::array<const SettingKey*, SettingsSchema::kKeyCount> order{};
    std::size_t n = 0;
    for (const SettingKey& key : kKeys) {
        const std::string_view name = key.Key;
        if (name == "ScrSaver") {
            continue;
        }
        if (name == "CMShowing") {
            order[n++] = SettingsSchema::Find("ScrSaver");
        }
        order[n++] = &key;
    }
    return order;
}

std::string Entry(const SettingKey& key, const std::string& stored) {
    return std::string(key.Key) + "=" + stored;
}

} // namespace

const std::array<SettingKey, SettingsSchema::kKeyCount>& SettingsSchema::Keys() {
    return kKeys;
}

const std::array<const SettingKey*, SettingsSchema::kKeyCount>& SettingsSchema::LoadOrder() {
    static const auto order = MakeLoadOrder();
    return order;
}

const SettingKey* SettingsSchema::Find(std::string_view key) {
    const auto found =
        std::find_if(kKeys.begin(), kKeys.end(), [&](const SettingKey& k) { return k.Key == key; });
    return found == kKeys.end() ? nullptr : &*found;
}

SettingValue SettingsSchema::Default(const SettingKey& key) {
    return Parse(key, std::nullopt).Value;
}

ParsedSetting SettingsSchema::Parse(const SettingKey& key,
                                    const std::optional<std::string>& stored) {
    ParsedSetting parsed;
    SettingValue& value = parsed.Value;
    const std::string text = stored.value_or(key.Default);
    switch (key.Type) {
    case SettingType::Text:
        value.Text = text;
        return parsed;
    case SettingType::Time: {
        const std::optional<DateTime> time = ReadTime(text);
        if (!time) {
            value.Time = *ReadTime(key.Default);
            parsed.Note =
                Entry(key, text) + " は時刻ではありません。既定値 " + key.Default + " を使います";
            return parsed;
        }
        value.Time = *time;
        return parsed;
    }
    case SettingType::Boolean:
    case SettingType::Integer:
        break;
    }

    std::optional<int> number = IniFile::ParseInteger(text);
    if (!number) {
        number = IniFile::ParseInteger(key.Default);
        parsed.Note =
            Entry(key, text) + " は整数ではありません。既定値 " + key.Default + " を使います";
    }
    if (key.Type == SettingType::Boolean) {
        value.Number = *number != 0 ? 1 : 0;
        return parsed;
    }
    int sound = *number;
    switch (key.Rule) {
    case SettingRule::Any:
        break;
    case SettingRule::NonNegative:
        sound = std::max(sound, 0);
        break;
    case SettingRule::Range:
        sound = std::clamp(sound, key.Min, key.Max);
        break;
    case SettingRule::RollState:
        sound = sound < 0 ? -1 : 1;
        break;
    }
    if (sound != *number && key.Rule != SettingRule::NonNegative) {
        parsed.Note =
            Entry(key, text) + " は使えない値です。" + std::to_string(sound) + " を使います";
    }
    value.Number = sound;
    return parsed;
}

std::string SettingsSchema::Format(const SettingKey& key, const SettingValue& value) {
    switch (key.Type) {
    case SettingType::Integer:
        return std::to_string(value.Number);
    case SettingType::Boolean:
        return value.Number != 0 ? "1" : "0";
    case SettingType::Text:
        return value.Text;
    case SettingType::Time:
        return FormatLongTime(value.Time);
    }
    return {};
}

} // namespace rimo
