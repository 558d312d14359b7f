#pragma once

#include <QComboBox>

namespace rimo {

// The clock page's choice of protocol. Its value is the stored name ("NTP" or
// "daytime", the setting "Protocol"); the items show translatable names.
class ProtocolComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString Protocol READ Protocol WRITE SetProtocol NOTIFY ProtocolChanged USER true)
public:
    static const QString kNtp;
    static const QString kDayTime;

    explicit ProtocolComboBox(QWidget* parent = nullptr);

    QString Protocol() const;
    // A name that is neither leaves the choice as it is.
    void SetProtocol(const QString& protocol);
    bool IsNtp() const { return Protocol() == kNtp; }

Q_SIGNALS:
    void ProtocolChanged();
};

} // namespace rimo
