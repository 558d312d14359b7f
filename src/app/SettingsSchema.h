#pragma once

#include "core/DateTime.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rimo {

enum class SettingType { Integer, Boolean, Text, Time };

// What a value outside the sound values becomes.
enum class SettingRule {
    Any,         // every value of the type is used as read
    Range,       // clamped into [Min, Max], with a note
    NonNegative, // a negative place is 0 (a window pushed past the edge), no note
    RollState,   // 1 full height or -1 rolled up; anything else the nearest, with a note
};

// One entry of the settings file.
struct SettingKey {
    const char* Section;
    const char* Key;
    SettingType Type;
    const char* Default; // as stored
    const char* Control; // object name of the control holding it; "" for the window's own state
    SettingRule Rule = SettingRule::Any;
    int Min = 0;
    int Max = 0;
};

// A typed value: Number for integers and booleans (0/1), Text, or Time.
struct SettingValue {
    int Number = 0;
    std::string Text;
    DateTime Time = 0;

    bool operator==(const SettingValue&) const = default;
};

struct ParsedSetting {
    SettingValue Value;
    std::string Note; // what was not used as stored, and why; empty when all was well
};

// The keys of rimotime.ini, their types, defaults and reading rules.
struct SettingsSchema {
    static constexpr std::size_t kKeyCount = 33;

    // In the order they are written (a new file has this order).
    static const std::array<SettingKey, kKeyCount>& Keys();
    // In the order they are read: as written, except "ScrSaver" before "CMShowing".
    static const std::array<const SettingKey*, kKeyCount>& LoadOrder();
    // The entry of a key name (as in the table); nullptr when unknown.
    static const SettingKey* Find(std::string_view key);

    // The value of a stored text (nullopt: missing), by the type's rule:
    // booleans are integers (any non-zero is true), text that is not of the
    // type gives the default, and the key's rule keeps integers sound.
    static ParsedSetting Parse(const SettingKey& key, const std::optional<std::string>& stored);
    static SettingValue Default(const SettingKey& key);
    // The stored text of a value: decimal, "1"/"0", the text, or "h:nn:ss".
    static std::string Format(const SettingKey& key, const SettingValue& value);
};

} // namespace rimo
