// The logic's texts: looked up through the installed translator, their %1.. filled in one
// pass, and the language setting read and written like the other [Setup] keys.
#include <gtest/gtest.h>

#include <string>

#include "common/ini_file.h"
#include "common/setup_settings.h"
#include "common/ui_text.h"
#include "support/temp_dir.h"

namespace vantrel {
namespace {

constexpr UiText kTwo = VANTREL_TEXT("test", "%2 の %1 行目 (%1)");

TEST(UiTextTest, TextsAreFilledInOnePassAndLookedUpThroughTheTranslator) {
    EXPECT_EQ(Translated(kTwo), "%2 の %1 行目 (%1)");
    EXPECT_EQ(Translated(kTwo, {"5", "a.txt"}), "a.txt の 5 行目 (5)");
    // A value holding a marker is not filled again; a marker without a value stays.
    EXPECT_EQ(Translated(kTwo, {"%2", "x"}), "x の %2 行目 (%2)");
    EXPECT_EQ(Translated(kTwo, {"7"}), "%2 の 7 行目 (7)");
    EXPECT_EQ(Translated(VANTREL_TEXT("test", "100%"), {"x"}), "100%");

    SetTextTranslator([](const UiText& text) {
        return std::string(text.context) + ":" +
               (std::string(text.source) == "%2 の %1 行目 (%1)" ? "line %1 of %2" : text.source);
    });
    EXPECT_EQ(Translated(kTwo, {"5", "a.txt"}), "test:line 5 of a.txt");
    SetTextTranslator(nullptr);
    EXPECT_EQ(Translated(kTwo, {"5", "a.txt"}), "a.txt の 5 行目 (5)");
}

TEST(UiTextTest, TheLanguageSettingReadsGarbageAsJapaneseAndIsWrittenOnlyWhenChosen) {
    test::TempDir dir;
    const auto path = dir / "Vantrel.ini";
    for (const auto& [value, language] :
         {std::pair<std::string, UiLanguage>{"en", UiLanguage::kEnglish},
          {"system", UiLanguage::kSystem},
          {"ja", UiLanguage::kJapanese},
          {"EN", UiLanguage::kJapanese},
          {"", UiLanguage::kJapanese},
          {"français", UiLanguage::kJapanese}}) {
        test::WriteBytes(path, "[Setup]\r\nLanguage=" + value + "\r\n");
        EXPECT_EQ(SetupSettings::Load(IniFile(path)).language, language) << value;
    }
    const auto saved = [&](UiLanguage language, const std::string& before) {
        test::WriteBytes(path, before);
        SetupSettings settings = SetupSettings::Load(IniFile(path));
        settings.language = language;
        IniFile ini(path);
        settings.Save(ini);
        EXPECT_TRUE(ini.Save());
        EXPECT_EQ(SetupSettings::Load(IniFile(path)).language, language);
        return test::ReadBytes(path);
    };
    // An older file keeps its keys: no Language until one is chosen; back to Japanese, the
    // key that exists says so.
    EXPECT_EQ(saved(UiLanguage::kJapanese, "[Setup]\r\n").find("Language"), std::string::npos);
    EXPECT_NE(saved(UiLanguage::kEnglish, "[Setup]\r\n").find("Language=en\r\n"),
              std::string::npos);
    EXPECT_NE(saved(UiLanguage::kSystem, "[Setup]\r\n").find("Language=system\r\n"),
              std::string::npos);
    EXPECT_NE(saved(UiLanguage::kJapanese, "[Setup]\r\nLanguage=en\r\n").find("Language=ja\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace vantrel
