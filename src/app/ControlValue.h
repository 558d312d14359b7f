#pragma once

#include "app/SettingsSchema.h"

#include <optional>

class QObject;

namespace rimo {

// Reads and assigns a setting's value on the control that holds it:
// a check box (checked), a drop-down list or page control (index), a spin
// edit (value), an edit (text), a time picker (time), a radio group
// (ItemIndex), or any control with a user property of the right type.
// Assigning goes through the control's own setter, so its change signal (and
// the handler connected to it) runs as for a user's change, and only when the
// value changes.
struct ControlValue {
    // nullopt when the control cannot hold a value of that type.
    static std::optional<SettingValue> Read(const QObject& control, SettingType type);
    // Assigns the value; returns the value the control took (a list or spin
    // edit keeps it within its range), nullopt when it cannot hold it.
    static std::optional<SettingValue> Write(QObject& control, SettingType type,
                                             const SettingValue& value);
};

} // namespace rimo
