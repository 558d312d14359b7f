#include "app/FormSettings.h"

#include "app/ControlValue.h"
#include "app/SettingsFile.h"

#include <QCoreApplication>
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

std::vector<Message> FormSettings::Load(const IniFile& ini) {
    std::vector<Message> notes;
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
            std::fprintf(stderr, "%s\n",
                         QCoreApplication::translate(
                             "rimo::FormSettings", "設定 %1: コントロール %2 に値を入れられません")
                             .arg(QLatin1String(key->Key), QLatin1String(key->Control))
                             .toLocal8Bit()
                             .constData());
            continue;
        }
        if (*taken != parsed.Value && parsed.Note.IsEmpty()) {
            parsed.Note = SettingsSchema::UnusableValue(std::string(key->Key) + "=" +
                                                            entry.Stored.value_or(key->Default),
                                                        SettingsSchema::Format(*key, *taken));
        }
        if (!parsed.Note.IsEmpty()) {
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
