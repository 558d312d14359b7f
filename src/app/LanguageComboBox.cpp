#include "app/LanguageComboBox.h"

#include "i18n/LanguageChoice.h"

namespace rimo {

LanguageComboBox::LanguageComboBox(QWidget* parent) : QComboBox(parent) {
    addItem(tr("自動"), QString::fromLatin1(LanguageChoice::kAuto));
    // Each language by its own name, so that it is found in either.
    addItem(QStringLiteral("日本語"), QString::fromLatin1(LanguageChoice::kJapanese)); // as is
    addItem(QStringLiteral("English"), QString::fromLatin1(LanguageChoice::kEnglish));
}

void LanguageComboBox::SetLanguage(const QString& language) {
    setCurrentIndex(std::max(0, findData(language)));
}

} // namespace rimo
