#pragma once

#include <QComboBox>

namespace rimo {

// The setting "Language": 自動 (the desktop's), 日本語 or English. Its value
// is the stored word ("auto", "ja", "en"); the choice acts at the next start.
class LanguageComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString Language READ Language WRITE SetLanguage USER true)
public:
    explicit LanguageComboBox(QWidget* parent = nullptr);

    QString Language() const { return currentData().toString(); }
    // An unknown value shows 自動, as it acts.
    void SetLanguage(const QString& language);
};

} // namespace rimo
