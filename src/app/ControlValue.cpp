#include "app/ControlValue.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMetaProperty>
#include <QSpinBox>
#include <QTabWidget>
#include <QTime>

#include <algorithm>

namespace rimo {

namespace {

QTime ToQTime(DateTime value) {
    const TimeParts t = DecodeTime(value);
    return QTime(t.Hour, t.Minute, t.Second);
}

DateTime FromQTime(const QTime& time) {
    return EncodeTime(time.hour(), time.minute(), time.second());
}

// The property a generic control offers for the type: "ItemIndex" for an
// index, else its user property when that has the right type.
QMetaProperty PropertyFor(const QObject& control, SettingType type) {
    const QMetaObject* meta = control.metaObject();
    if (type == SettingType::Integer) {
        const int index = meta->indexOfProperty("ItemIndex");
        if (index >= 0) {
            return meta->property(index);
        }
    }
    const QMetaProperty user = meta->userProperty();
    if (!user.isValid()) {
        return {};
    }
    const int wanted = type == SettingType::Boolean   ? QMetaType::Bool
                       : type == SettingType::Integer ? QMetaType::Int
                       : type == SettingType::Text    ? QMetaType::QString
                                                      : QMetaType::QTime;
    return user.metaType().id() == wanted ? user : QMetaProperty();
}

// An index within the control's items.
int FitIndex(int index, int count) {
    return count <= 0 ? -1 : std::clamp(index, 0, count - 1);
}

} // namespace

std::optional<SettingValue> ControlValue::Read(const QObject& control, SettingType type) {
    SettingValue value;
    switch (type) {
    case SettingType::Boolean:
        if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
            value.Number = button->isChecked() ? 1 : 0;
            return value;
        }
        break;
    case SettingType::Integer:
        if (const auto* list = qobject_cast<const QComboBox*>(&control)) {
            value.Number = list->currentIndex();
            return value;
        }
        if (const auto* pages = qobject_cast<const QTabWidget*>(&control)) {
            value.Number = pages->currentIndex();
            return value;
        }
        if (const auto* spin = qobject_cast<const QSpinBox*>(&control)) {
            value.Number = spin->value();
            return value;
        }
        break;
    case SettingType::Text:
        if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
            value.Text = edit->text().toStdString();
            return value;
        }
        break;
    case SettingType::Time:
        if (const auto* picker = qobject_cast<const QDateTimeEdit*>(&control)) {
            value.Time = FromQTime(picker->time());
            return value;
        }
        break;
    }
    const QMetaProperty property = PropertyFor(control, type);
    if (!property.isValid()) {
        return std::nullopt;
    }
    const QVariant stored = property.read(&control);
    switch (type) {
    case SettingType::Boolean:
        value.Number = stored.toBool() ? 1 : 0;
        break;
    case SettingType::Integer:
        value.Number = stored.toInt();
        break;
    case SettingType::Text:
        value.Text = stored.toString().toStdString();
        break;
    case SettingType::Time:
        value.Time = FromQTime(stored.toTime());
        break;
    }
    return value;
}

std::optional<SettingValue> ControlValue::Write(QObject& control, SettingType type,
                                                const SettingValue& value) {
    switch (type) {
    case SettingType::Boolean:
        if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
            button->setChecked(value.Number != 0);
            return Read(control, type);
        }
        break;
    case SettingType::Integer:
        if (auto* list = qobject_cast<QComboBox*>(&control)) {
            list->setCurrentIndex(FitIndex(value.Number, list->count()));
            return Read(control, type);
        }
        if (auto* pages = qobject_cast<QTabWidget*>(&control)) {
            pages->setCurrentIndex(FitIndex(value.Number, pages->count()));
            return Read(control, type);
        }
        if (auto* spin = qobject_cast<QSpinBox*>(&control)) {
            spin->setValue(value.Number);
            return Read(control, type);
        }
        break;
    case SettingType::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
            edit->setText(QString::fromStdString(value.Text));
            return Read(control, type);
        }
        break;
    case SettingType::Time:
        if (auto* picker = qobject_cast<QDateTimeEdit*>(&control)) {
            picker->setTime(ToQTime(value.Time));
            return Read(control, type);
        }
        break;
    }
    const QMetaProperty property = PropertyFor(control, type);
    if (!property.isValid() || !property.isWritable()) {
        return std::nullopt;
    }
    switch (type) {
    case SettingType::Boolean:
        property.write(&control, value.Number != 0);
        break;
    case SettingType::Integer:
        property.write(&control, value.Number);
        break;
    case SettingType::Text:
        property.write(&control, QString::fromStdString(value.Text));
        break;
    case SettingType::Time:
        property.write(&control, ToQTime(value.Time));
        break;
    }
    return Read(control, type);
}

} // namespace rimo
