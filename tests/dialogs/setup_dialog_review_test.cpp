// The review-mark settings in the options dialog: shown from the file, kept by an OK that did
// not touch them, stored and put in force by OK, and an inverted time window refused with the
// dialog open and nothing written or applied.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "setup_dialog_fixture.h"
#include "widgets/up_down.h"

namespace vantrel::test {
namespace {

bool Has(const std::string& ini, const std::string& line) {
    return ini.find(line + "\r\n") != std::string::npos;
}

TEST_F(SetupDialogTest, ReviewLimitsAreShownKeptStoredAndApplied) {
    WriteSetup("ShortLapPercent=0\r\nPlausibleMinMs=20000\r\n");
    Open();
    ASSERT_NE(form->findChild<QLabel*>("ShortLapLabel"), nullptr);
    ASSERT_NE(form->findChild<UpDown*>("ShortLapUpDown"), nullptr);
    EXPECT_EQ(form->findChild<QLineEdit*>("ShortLapBox")->text(), "0");
    EXPECT_EQ(form->findChild<QLineEdit*>("PlausibleMinBox")->text(), "20.000");
    EXPECT_EQ(form->findChild<QLineEdit*>("PlausibleMaxBox")->text(), "0.000");
    EXPECT_EQ(applied.back().shortLapPercent, 0);
    EXPECT_EQ(applied.back().plausibleMinMs, 20000);

    // An OK that edits something else keeps what is stored for the marks.
    form->Memo3->setText("5");
    form->BitBtn1Click();
    EXPECT_TRUE(Has(IniBytes(), "ShortLapPercent=0"));
    EXPECT_TRUE(Has(IniBytes(), "PlausibleMinMs=20000"));
    EXPECT_FALSE(Has(IniBytes(), "PlausibleMaxMs=0")) << "a key never set stays out of the file";

    const int result = RunModal([this] {
        form->ShortLapBox->setText("45");
        form->PlausibleMinBox->setText("25.5");
        form->PlausibleMaxBox->setText("90");
        form->BitBtn1->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(Has(IniBytes(), "ShortLapPercent=45"));
    EXPECT_TRUE(Has(IniBytes(), "PlausibleMinMs=25500"));
    EXPECT_TRUE(Has(IniBytes(), "PlausibleMaxMs=90000"));
    EXPECT_EQ(form->PlausibleMinBox->text(), "25.500");
    const SetupSettings& inForce = applied.back();
    EXPECT_EQ(inForce.shortLapPercent, 45);
    EXPECT_EQ(inForce.plausibleMinMs, 25500);
    EXPECT_EQ(inForce.plausibleMaxMs, 90000);
}

TEST_F(SetupDialogTest, AMinimumAboveTheMaximumIsRefusedWithTheDialogOpen) {
    WriteSetup("PlausibleMaxMs=60000\r\n");
    Open();
    const std::string before = IniBytes();
    const size_t appliedBefore = applied.size();
    const int result = RunModal([this, &before] {
        form->PlausibleMinBox->setText("61");
        form->ShortLapBox->setText("70");
        form->BitBtn1->click();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(IniBytes(), before);
        EXPECT_EQ(form->PlausibleMinBox->text(), "61");  // left as typed, to correct
        EXPECT_EQ(form->focusWidget(), form->PlausibleMinBox);
        // No maximum means no upper limit: the same minimum is then accepted.
        form->PlausibleMaxBox->setText("0");
        form->BitBtn1->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const auto errors = prompter.CallsOf(PromptCall::kError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].caption, QStringLiteral("オプション設定"));
    EXPECT_FALSE(errors[0].text.isEmpty());
    EXPECT_TRUE(Has(IniBytes(), "PlausibleMinMs=61000"));
    EXPECT_TRUE(Has(IniBytes(), "PlausibleMaxMs=0"));
    for (size_t i = appliedBefore; i + 1 < applied.size(); ++i) {
        EXPECT_EQ(applied[i].shortLapPercent, 60) << "nothing refused was put in force";
    }
    EXPECT_EQ(applied.back().plausibleMinMs, 61000);
    EXPECT_EQ(applied.back().shortLapPercent, 70);
}

}  // namespace
}  // namespace vantrel::test
