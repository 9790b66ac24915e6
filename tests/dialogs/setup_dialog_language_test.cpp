// The language choice of the options dialog: written on OK, told once in both languages, kept
// by every later OK, and its texts readable whatever language is in force.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "setup_dialog_fixture.h"

namespace vantrel::test {
namespace {

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

TEST_F(SetupDialogTest, ChangingTheLanguageIsWrittenAndToldOnceInBothLanguages) {
    WriteSetup("TimeOut=30\r\n");
    Open();
    EXPECT_EQ(form->LanguageLabel->text(), QStringLiteral("言語 / Language"));
    EXPECT_EQ(Items(form->LanguageBox),
              QStringList({"日本語", "English", "システムに従う / Follow the system"}));
    EXPECT_EQ(form->LanguageBox->currentIndex(), 0);
    auto chooseAndPress = [this](int item, QPushButton* button) {
        return RunModal([this, item, button] {
            form->LanguageBox->setCurrentIndex(item);
            button->click();
        });
    };

    EXPECT_EQ(chooseAndPress(1, form->BitBtn1), QDialog::Accepted);
    EXPECT_NE(IniBytes().find("Language=en\r\n"), std::string::npos) << IniBytes();
    EXPECT_NE(IniBytes().find("TimeOut=30\r\n"), std::string::npos) << IniBytes();
    EXPECT_EQ(form->InForce().language, UiLanguage::kEnglish);
    auto notes = prompter.CallsOf(PromptCall::kInform);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_TRUE(notes[0].text.contains(QStringLiteral("次回の起動から有効になります")))
        << notes[0].text.toStdString();
    EXPECT_TRUE(notes[0].text.contains(QStringLiteral("The language changes when the program")))
        << notes[0].text.toStdString();

    // Reopened, the dialog shows the stored choice; an OK that leaves it keeps it, silently.
    EXPECT_EQ(RunModal([this] {
                  EXPECT_EQ(form->LanguageBox->currentIndex(), 1);
                  form->BitBtn1->click();
              }),
              QDialog::Accepted);
    EXPECT_NE(IniBytes().find("Language=en\r\n"), std::string::npos) << IniBytes();
    EXPECT_EQ(prompter.CallsOf(PromptCall::kInform).size(), 1u);

    // Cancel drops the choice; OK with "follow the system" writes it and tells again.
    EXPECT_EQ(chooseAndPress(2, form->BitBtn2), QDialog::Rejected);
    EXPECT_NE(IniBytes().find("Language=en\r\n"), std::string::npos) << IniBytes();
    EXPECT_EQ(form->LanguageBox->currentIndex(), 1);
    EXPECT_EQ(prompter.CallsOf(PromptCall::kInform).size(), 1u);
    EXPECT_EQ(chooseAndPress(2, form->BitBtn1), QDialog::Accepted);
    EXPECT_NE(IniBytes().find("Language=system\r\n"), std::string::npos) << IniBytes();
    EXPECT_EQ(prompter.CallsOf(PromptCall::kInform).size(), 2u);
    EXPECT_EQ(applied.back().language, UiLanguage::kSystem);
}

TEST_F(SetupDialogTest, AnOkThatKeepsJapaneseWritesNoLanguageAndSaysNothing) {
    WriteSetup("TimeOut=30\r\n");
    Open();
    EXPECT_EQ(RunModal([this] { form->BitBtn1->click(); }), QDialog::Accepted);
    EXPECT_EQ(IniBytes().find("Language="), std::string::npos) << IniBytes();
    EXPECT_TRUE(prompter.CallsOf(PromptCall::kInform).empty());
}

}  // namespace
}  // namespace vantrel::test
