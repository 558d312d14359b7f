#pragma once

#include "app/SettingsSchema.h"
#include "core/IniFile.h"

#include <QPointer>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace rimo {

// The options of rimotime.ini held by the main window's controls, found by
// their object names. Between loading and saving the controls are the
// settings. A key whose control does not exist (yet) keeps its stored text,
// which is written back unchanged, and its value is still read from it.
// The window's own keys (place, size, ShowFlag) are the main window's.
class FormSettings {
public:
    explicit FormSettings(QWidget& root) : root_(root) {}

    // Assigns the stored values (or defaults) to the controls in the reading
    // order; each assignment runs the control's change handler. Returns notes
    // on values that could not be used as stored.
    std::vector<Message> Load(const IniFile& ini);
    // Writes every key that has a control name, in the table's order.
    void Save(IniFile& ini);

    // The current value of a key: its control's, else the stored one.
    SettingValue Value(std::string_view key);
    bool Checked(std::string_view key) { return Value(key).Number != 0; }
    int Integer(std::string_view key) { return Value(key).Number; }

    // The control of a key; nullptr when there is none.
    QObject* Control(const SettingKey& key);

private:
    struct Entry {
        std::optional<std::string> Stored; // as read, for writing back
        SettingValue Parsed;               // its value, for reading without a control
        QPointer<QObject> Control;         // found once
        bool Searched = false;             // looked for since the last load
    };
    Entry& EntryOf(const SettingKey& key);
    static std::size_t IndexOf(const SettingKey& key);

    QWidget& root_;
    std::array<Entry, SettingsSchema::kKeyCount> entries_;
    bool loaded_ = false;
};

} // namespace rimo
