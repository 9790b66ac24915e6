// The language chosen in the settings file, put in force as the program's start does: the
// main window, the options dialog and the message boxes speak it, and a window made after
// Japanese is put back speaks Japanese again.
#include <QAction>
#include <QComboBox>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "app/ui_language.h"
#include "common/ini_file.h"
#include "common/messages.h"
#include "dialogs/setup_dialog.h"
#include "support/main_window_fixture.h"
#include "support/ui_language_param.h"
#include "widgets/ui_tr.h"

namespace vantrel::test {
namespace {

// Kana, kanji, Japanese punctuation and the half- and full-width forms.
bool HasJapanese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
    });
}

class LanguageSwitchTest : public MainWindowTest {
protected:
    void TearDown() override {
        MainWindowTest::TearDown();
        InstallLanguage(UiLanguage::kJapanese);
        QLocale::setDefault(locale_);
    }
    void CloseWindow() {
        window->State().entryModified = false;
        window->State().resultModified = false;
        window.reset();
    }
    QStringList MenuTitles() const {
        QStringList titles;
        for (const QAction* action : window->menuBar()->actions()) {
            titles << action->text();
        }
        return titles;
    }
    QStringList TabCaptions() const {
        QStringList captions;
        for (int i = 0; i < window->PageControl1->count(); ++i) {
            captions << window->PageControl1->tabText(i);
        }
        return captions;
    }
    QString StartCaption() const { return Find<QPushButton>("SpeedButton1")->text(); }

    QLocale locale_;
};

TEST_F(LanguageSwitchTest, TheSettingsFilesLanguageIsSpokenUntilJapaneseIsPutBack) {
    WriteBytes(IniPath(), "[Setup]\r\nLanguage=en\r\n");
    ASSERT_TRUE(InstallLanguage(SetupSettings::Load(IniFile(IniPath())).language));
    OpenWindow();
    ASSERT_EQ(MenuTitles().size(), 3);
    for (const QString& text : MenuTitles() + TabCaptions() + QStringList{StartCaption()}) {
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
    }

    TSetupForm& options = window->SetupForm();
    EXPECT_EQ(options.windowTitle(), QStringLiteral("Options"));
    // The language row reads the same in every language.
    QStringList left = JapaneseLeftIn(&options);
    left.removeAll(QStringLiteral("LanguageLabel: 言語 / Language"));
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(options.LanguageLabel->text(), QStringLiteral("言語 / Language"));
    EXPECT_EQ(options.LanguageBox->itemText(0), QStringLiteral("日本語"));
    EXPECT_EQ(options.LanguageBox->currentIndex(), 1);

    // A question of the entry list, through the operator dialogs.
    window->State().entryModified = true;
    Find<QAction>("FileNewEntry")->trigger();
    const auto questions = prompter.CallsOf(PromptCall::kAskYesNo);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, Tr(msg::k101));
    EXPECT_FALSE(questions[0].text.isEmpty());
    EXPECT_FALSE(HasJapanese(questions[0].text)) << questions[0].text.toStdString();
    EXPECT_FALSE(HasJapanese(questions[0].caption)) << questions[0].caption.toStdString();
    CloseWindow();

    ASSERT_TRUE(InstallLanguage(UiLanguage::kJapanese) ||
                Translated(msg::k101) == msg::k101.source);
    OpenWindow();
    EXPECT_EQ(MenuTitles().value(0), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(StartCaption(), QString::fromUtf8(msg::kStartCaption.source));
    EXPECT_EQ(window->SetupForm().windowTitle(), QStringLiteral("オプション設定"));
    prompter.ClearCalls();
    window->State().entryModified = true;
    Find<QAction>("FileNewEntry")->trigger();
    ASSERT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo)[0].text, QString::fromUtf8(msg::k101.source));
}

}  // namespace
}  // namespace vantrel::test
