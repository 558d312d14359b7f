// Settings files as found on disk: any bytes, any encoding, hand-edited.
#include "IniSections.h"
#include "app/SettingsFile.h"
#include "app/SettingsSchema.h"
#include "core/IniFile.h"
#include "core/TextCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void CheckTypedReads(const rimo::IniFile& ini, const std::string& section, const std::string& key) {
    Check(ini.KeyExists(section, key));
    const std::optional<std::string> value = ini.Value(section, key);
    Check(value.has_value());
    Check(ini.ReadString(section, key, "default") == *value);

    const int number = ini.ReadInteger(section, key, 0);
    const int other = ini.ReadInteger(section, key, 1);
    const bool isNumber = number == other;
    // A value is a number for every default or for none.
    Check(isNumber || (number == 0 && other == 1));
    Check(ini.ReadBool(section, key, false) == (isNumber ? number != 0 : false));
    Check(ini.ReadBool(section, key, true) == (isNumber ? number != 0 : true));
    if (isNumber) {
        Check(ini.ReadInteger(section, key, -12345) == number);
    }
    ini.ReadTime(section, key, 0.5);
}

// A copy with a few writes, which must read back and keep the text stable.
void CheckWrites(rimo::IniFile ini, const std::string& section, int number) {
    ini.WriteInteger(section, "FuzzNumber", number);
    Check(ini.ReadInteger(section, "fuzznumber", number ^ 1) == number);
    ini.WriteBool("Fuzz Section", "Flag", number & 1);
    Check(ini.ReadBool("FUZZ SECTION", "flag", !(number & 1)) == static_cast<bool>(number & 1));
    ini.WriteString(section, "FuzzText", "予定 ｶﾀｶﾅ");
    Check(ini.ReadString(section, "FuzzText", "") == "予定 ｶﾀｶﾅ");
    const std::string text = ini.ToText();
    Check(rimo::IniFile::Parse(text).ToText() == text);
    ini.DeleteKey(section, "FuzzNumber");
    Check(!ini.KeyExists(section, "FuzzNumber"));
    ini.EraseSection(section);
    Check(!ini.SectionExists(section));
}

// Every key of rimotime.ini read from the file: a sound value, stable when
// written and read again; writing it leaves one entry.
void CheckSettings(rimo::IniFile ini) {
    using rimo::SettingRule;
    for (const rimo::SettingKey& key : rimo::SettingsSchema::Keys()) {
        const std::optional<std::string> stored = rimo::SettingsFile::Stored(ini, key);
        const rimo::ParsedSetting parsed = rimo::SettingsSchema::Parse(key, stored);
        const int number = parsed.Value.Number;
        switch (key.Rule) {
        case SettingRule::Range:
            Check(number >= key.Min && number <= key.Max);
            break;
        case SettingRule::NonNegative:
            Check(number >= 0);
            break;
        case SettingRule::RollState:
            Check(number == 1 || number == -1);
            break;
        case SettingRule::Any:
            break;
        }
        if (key.Type == rimo::SettingType::Boolean) {
            Check(number == 0 || number == 1);
        }
        const std::string text = rimo::SettingsSchema::Format(key, parsed.Value);
        const rimo::ParsedSetting again = rimo::SettingsSchema::Parse(key, text);
        Check(again.Note.IsEmpty());
        Check(again.Value == parsed.Value || key.Type == rimo::SettingType::Text);
        rimo::SettingsFile::Put(ini, key, text);
        Check(ini.EntryCount(key.Section, key.Key) == 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (rimo::fuzz::TooManySections(bytes)) {
        return -1; // not added to the corpus
    }
    const rimo::DecodedText decoded = rimo::DecodeFileText(bytes);
    Check(rimo::IsValidUtf8(decoded.Utf8));

    const rimo::IniFile ini = rimo::IniFile::Parse(decoded.Utf8);
    const std::string text = ini.ToText();
    const rimo::IniFile again = rimo::IniFile::Parse(text);
    Check(again.ToText() == text);

    // What is written is read back unchanged, whichever encoding is chosen.
    Check(rimo::DecodeFileText(rimo::EncodeFileText(text)).Utf8 == text);

    const std::vector<std::string> sections = ini.Sections();
    Check(again.Sections() == sections);
    int sectionsChecked = 0;
    for (const std::string& section : sections) {
        Check(ini.SectionExists(section));
        const std::vector<std::string> keys = ini.Keys(section);
        Check(again.Keys(section) == keys);
        int keysChecked = 0;
        for (const std::string& key : keys) {
            CheckTypedReads(ini, section, key);
            if (++keysChecked == 8) {
                break;
            }
        }
        if (++sectionsChecked == 4) {
            break;
        }
    }
    if (!sections.empty()) {
        CheckWrites(ini, sections.front(), static_cast<int>(size * 2654435761U));
    }
    CheckSettings(ini);
    return 0;
}
