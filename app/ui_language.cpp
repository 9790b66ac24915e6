#include "app/ui_language.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <cstring>

namespace vantrel {

void SubstituteJapaneseFonts() {
    const QStringList gothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
}

QTranslator* InstallQtJapanese() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    return translator;
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
