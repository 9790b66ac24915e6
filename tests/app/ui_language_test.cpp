// Qt's standard dialogs and the system's error texts speak Japanese where the system can.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>

#include "app/ui_language.h"

namespace vantrel {
namespace {

TEST(UiLanguageTest, QtDialogTextsAreJapaneseWhenTheTranslationIsInstalled) {
    const QString file =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
    if (!QFileInfo::exists(file)) {
        GTEST_SKIP() << "Qt's Japanese translation is not installed: " << file.toStdString();
    }
    QTranslator* translator = InstallQtJapanese();
    ASSERT_NE(translator, nullptr);
    EXPECT_TRUE(translator->language().startsWith(QStringLiteral("ja")));
    // The overwrite question of the save dialog and the buttons of the message boxes.
    const QString overwrite = QCoreApplication::translate(
        "QFileDialog", "%1 already exists.\nDo you want to replace it?");
    EXPECT_TRUE(overwrite.contains(QStringLiteral("置き換えますか"))) << overwrite.toStdString();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"),
              QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(QLocale::c());
}

TEST(UiLanguageTest, SystemErrorTextsAreJapaneseWhereTheSystemHasIt) {
    const std::string saved = std::setlocale(LC_MESSAGES, nullptr);
    const bool systemHasJapanese = std::setlocale(LC_MESSAGES, "ja_JP.UTF-8") != nullptr ||
                                   std::setlocale(LC_MESSAGES, "ja_JP.utf8") != nullptr;
    std::setlocale(LC_MESSAGES, "C");
    const std::string english = std::strerror(ENOENT);

    EXPECT_EQ(UseJapaneseSystemMessages(), systemHasJapanese);
    const std::string shown = std::strerror(ENOENT);
    std::setlocale(LC_MESSAGES, saved.c_str());
    if (!systemHasJapanese) {
        EXPECT_EQ(shown, english);
        GTEST_SKIP() << "no Japanese locale on this system (locale -a)";
    }
    // "そのようなファイルやディレクトリはありません" in glibc's catalogue.
    EXPECT_NE(shown, english);
    EXPECT_NE(shown.find("ファイル"), std::string::npos) << shown;
}

}  // namespace
}  // namespace vantrel
