#include "app/ui_language.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <clocale>
#include <cstring>
#include <vector>

#include "widgets/ui_tr.h"

// Outside any namespace, as Qt's resource macro requires.
static void InitTranslationResource() {
    Q_INIT_RESOURCE(i18n);
}

namespace vantrel {

namespace {

std::vector<QPointer<QTranslator>>& Installed() {
    static std::vector<QPointer<QTranslator>> translators;
    return translators;
}

bool Install(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    Installed().emplace_back(translator);
    return true;
}

}  // namespace

void SubstituteJapaneseFonts() {
    const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
}

UiLanguage EffectiveLanguage(UiLanguage choice, const QLocale& system) {
    if (choice != UiLanguage::kSystem) {
        return choice;
    }
    return system.language() == QLocale::Japanese ? UiLanguage::kJapanese : UiLanguage::kEnglish;
}

bool InstallLanguage(UiLanguage language) {
    InitTranslationResource();
    for (const QPointer<QTranslator>& translator : Installed()) {
        if (translator != nullptr) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    Installed().clear();
    InstallTextLookup();
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (EffectiveLanguage(language) == UiLanguage::kEnglish) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return Install(QStringLiteral("vantrel_en"), QStringLiteral(":/i18n"));
    }
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    return Install(QStringLiteral("qtbase_ja"), qtFolder);
}

bool UseJapaneseSystemMessages() {
    // QCoreApplication has already taken every category from the environment; only the
    // messages are moved to Japanese, so numbers and character handling stay the user's.
    const char* current = std::setlocale(LC_MESSAGES, nullptr);
    if (current != nullptr && std::strncmp(current, "ja", 2) == 0) {
        return true;
    }
    for (const char* name : {"ja_JP.UTF-8", "ja_JP.utf8"}) {
        if (std::setlocale(LC_MESSAGES, name) != nullptr) {
            return true;
        }
    }
    return false;
}

}  // namespace vantrel
