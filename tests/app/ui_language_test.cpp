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
#include "common/messages.h"
#include "widgets/ui_tr.h"

namespace vantrel {
namespace {

TEST(UiLanguageTest, QtDialogTextsAreJapaneseWhenTheTranslationIsInstalled) {
    const QString file =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
    if (!QFileInfo::exists(file)) {
        GTEST_SKIP() << "Qt's Japanese translation is not installed: " << file.toStdString();
    }
    ASSERT_TRUE(InstallLanguage(UiLanguage::kJapanese));
    // The overwrite question of the save dialog and the buttons of the message boxes.
    const QString overwrite = QCoreApplication::translate(
        "QFileDialog", "%1 already exists.\nDo you want to replace it?");
    EXPECT_TRUE(overwrite.contains(QStringLiteral("置き換えますか"))) << overwrite.toStdString();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"),
              QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
    EXPECT_EQ(Tr(msg::k106), QString::fromUtf8(msg::k106.source));

    // English: the program's texts from the embedded translation, Qt's own as Qt writes them,
    // and the logic's texts looked up the same way; then Japanese again, whole.
    ASSERT_TRUE(InstallLanguage(UiLanguage::kEnglish));
    EXPECT_EQ(Tr(msg::k106), QStringLiteral("Exit"));
    EXPECT_EQ(Translated(msg::k106), "Exit");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    EXPECT_EQ(QLocale().language(), QLocale::English);
    ASSERT_TRUE(InstallLanguage(UiLanguage::kJapanese));
    EXPECT_EQ(Translated(msg::k106), msg::k106.source);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));
    QLocale::setDefault(QLocale::c());
}

TEST(UiLanguageTest, FollowingTheSystemIsJapaneseOnlyOnAJapaneseSystem) {
    EXPECT_EQ(EffectiveLanguage(UiLanguage::kSystem, QLocale(QLocale::Japanese, QLocale::Japan)),
              UiLanguage::kJapanese);
    EXPECT_EQ(EffectiveLanguage(UiLanguage::kSystem, QLocale(QLocale::German, QLocale::Germany)),
              UiLanguage::kEnglish);
    EXPECT_EQ(EffectiveLanguage(UiLanguage::kSystem, QLocale::c()), UiLanguage::kEnglish);
    EXPECT_EQ(EffectiveLanguage(UiLanguage::kEnglish, QLocale(QLocale::Japanese)),
              UiLanguage::kEnglish);
    EXPECT_EQ(EffectiveLanguage(UiLanguage::kJapanese, QLocale(QLocale::German)),
              UiLanguage::kJapanese);
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
