#include "i18n/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace rimo {

namespace {

struct State {
    UiLanguage Language = UiLanguage::Japanese;
    std::unique_ptr<QTranslator> Own; // English
    std::unique_ptr<QTranslator> Qt;  // Qt's own, Japanese
    bool Loaded = false;
};

State& Shared() {
    static State state;
    return state;
}

std::unique_ptr<QTranslator> Load(const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder)) {
        return nullptr;
    }
    return translator;
}

} // namespace

void Translations::Use(UiLanguage language) {
    State& state = Shared();
    const bool running = QCoreApplication::instance() != nullptr;
    for (const std::unique_ptr<QTranslator>& translator :
         {std::cref(state.Own), std::cref(state.Qt)}) {
        if (translator && running) {
            QCoreApplication::removeTranslator(translator.get());
        }
    }
    // Chosen before the application object exists, then installed in it:
    // the same files are not read twice.
    if (!state.Loaded || language != state.Language) {
        state.Own.reset();
        state.Qt.reset();
        state.Language = language;
        state.Loaded = true;
        if (language == UiLanguage::English) {
            state.Own = Load(QStringLiteral("rimotime_en"), QStringLiteral(":/i18n"));
        } else {
            state.Qt = Load(QStringLiteral("qtbase_ja"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        }
    }
    if (running) {
        for (QTranslator* translator : {state.Own.get(), state.Qt.get()}) {
            if (translator) {
                QCoreApplication::installTranslator(translator);
            }
        }
    }
}

UiLanguage Translations::Current() {
    return Shared().Language;
}

UiLanguage Translations::Wanted(std::string_view setting) {
    const QString desktop = QLocale::system().uiLanguages().value(0);
    return LanguageChoice::Choose(setting, desktop.toStdString());
}

QString Translations::Translate(const char* context, const char* source) {
    if (const QTranslator* own = Shared().Own.get()) {
        const QString translated = own->translate(context, source);
        if (!translated.isEmpty()) {
            return translated;
        }
    }
    return QString::fromUtf8(source);
}

QString Translations::Text(const Message& message) {
    return QString::fromStdString(message.Render([](const char* context, const char* source) {
        return Translate(context, source).toStdString();
    }));
}

QLocale Translations::Locale() {
    return Current() == UiLanguage::Japanese ? QLocale(QLocale::Japanese, QLocale::Japan)
                                             : QLocale(QLocale::English, QLocale::UnitedStates);
}

bool Translations::HasQtTranslation() {
    return Shared().Qt != nullptr;
}

} // namespace rimo
