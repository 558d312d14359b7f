#include "app/FormSettings.h"

#include "app/ControlValue.h"
#include "app/SettingsFile.h"

#include <QWidget>

#include <cstdio>

namespace rimo {

std::size_t FormSettings::IndexOf(const SettingKey& key) {
    return static_cast<std::size_t>(&key - SettingsSchema::Keys().data());
}

FormSettings::Entry& FormSettings::EntryOf(const SettingKey& key) {
    Entry& entry = entries_[IndexOf(key)];
    if (!loaded_) {
        entry.Parsed = SettingsSchema::Default(key);
    }
    return entry;
}

QObject* FormSettings::Control(const SettingKey& key) {
    if (*key.Control == '\0') {
        return nullptr;
    }
    Entry& entry = entries_[IndexOf(key)];
    // Searched once per load, not at every tick: the pages exist before the
    // settings are loaded, and a control that is missing then stays missing.
    if (!entry.Searched) {
        entry.Searched = true;
        entry.Control = root_.findChild<QObject*>(QString::fromLatin1(key.Control));
    }
    return entry.Control.data();
}

std::vector<std::string> FormSettings::Load(const IniFile& ini) {
    std::vector<std::string> notes;
    for (Entry& entry : entries_) {
        entry.Searched = false;
    }
    for (const SettingKey* key : SettingsSchema::LoadOrder()) {
        if (*key->Control == '\0') {
            continue;
        }
        Entry& entry = entries_[IndexOf(*key)];
        entry.Stored = SettingsFile::Stored(ini, *key);
        ParsedSetting parsed = SettingsSchema::Parse(*key, entry.Stored);
        entry.Parsed = parsed.Value;
        QObject* control = Control(*key);
        if (!control) {
            continue; // its page comes later: the stored text stays as it is
        }
        const std::optional<SettingValue> taken =
            ControlValue::Write(*control, key->Type, parsed.Value);
        if (!taken) {
            std::fprintf(stderr, "設定 %s: コントロール %s に値を入れられません\n", key->Key,
                         key->Control);
            continue;
        }
        if (*taken != parsed.Value && parsed.Note.empty()) {
            parsed.Note = std::string(key->Key) + "=" + entry.Stored.value_or(key->Default) +
                          " は使えない値です。" + SettingsSchema::Format(*key, *taken) +
                          " を使います";
        }
        if (!parsed.Note.empty()) {
            notes.push_back(parsed.Note);
        }
    }
    loaded_ = true;
    return notes;
}

void FormSettings::Save(IniFile& ini) {
    for (const SettingKey& key : SettingsSchema::Keys()) {
        if (*key.Control == '\0') {
            continue;
        }
        const Entry& entry = EntryOf(key);
        std::optional<SettingValue> current;
        if (QObject* control = Control(key)) {
            current = ControlValue::Read(*control, key.Type);
        }
        if (current) {
            SettingsFile::Put(ini, key, SettingsSchema::Format(key, *current));
        } else {
            SettingsFile::Put(ini, key, entry.Stored.value_or(key.Default));
        }
    }
}

SettingValue FormSettings::Value(std::string_view name) {
    const SettingKey* key = SettingsSchema::Find(name);
    if (!key) {
        return {};
    }
    if (QObject* control = Control(*key)) {
        if (std::optional<SettingValue> value = ControlValue::Read(*control, key->Type)) {
            return *value;
        }
    }
    return EntryOf(*key).Parsed;
}

} // namespace rimo
