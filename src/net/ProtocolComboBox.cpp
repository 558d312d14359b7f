#include "net/ProtocolComboBox.h"

namespace rimo {

const QString ProtocolComboBox::kNtp = QStringLiteral("NTP");
const QString ProtocolComboBox::kDayTime = QStringLiteral("daytime");

ProtocolComboBox::ProtocolComboBox(QWidget* parent) : QComboBox(parent) {
    addItem(tr("NTP"), kNtp);
    addItem(tr("daytime"), kDayTime);
    setCurrentIndex(0);
    connect(this, &QComboBox::currentIndexChanged, this, &ProtocolComboBox::ProtocolChanged);
}

QString ProtocolComboBox::Protocol() const {
    return currentData().toString();
}

void ProtocolComboBox::SetProtocol(const QString& protocol) {
    const int index = findData(protocol);
    if (index >= 0) {
        setCurrentIndex(index);
    }
}

} // namespace rimo
