// The entry and result panels and the three mode pages in English: every caption, menu item
// and heading they show is English, each fits its control at the minimum and a large window
// size, and what the lists hold and write stays as written whatever the language.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>

#include "app/ui_language.h"
#include "list_window_support.h"
#include "lists/entry_file.h"
#include "lists/entry_table.h"
#include "lists/list_texts.h"
#include "lists/result_file.h"
#include "lists/result_table.h"
#include "modes/gymkhana_course.h"
#include "modes/start_list.h"
#include "support/layout_check.h"

namespace vantrel::test {
namespace {

const char* const kPanels[] = {"Panel1", "Panel2", "TabSheet1", "TabSheet2", "TabSheet3"};

// A Japanese letter (kana, kanji, half-width katakana) anywhere in `text`.
bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF61 && u <= 0xFF9F)) {
            return true;
        }
    }
    return false;
}

class EnglishListsWindowTest : public ListWindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(InstallLanguage(UiLanguage::kEnglish)); }
    void TearDown() override {
        ListWindowTest::TearDown();
        InstallLanguage(UiLanguage::kJapanese);
    }

    // "where: text" for every caption, title, tooltip, menu item and heading under the panel
    // that still shows Japanese.
    static std::string JapaneseTexts(const QWidget* panel) {
        QStringList found;
        const auto check = [&found](const QObject* owner, const QString& text) {
            if (HasJapanese(text)) {
                found << owner->objectName() + QStringLiteral(": ") + text;
            }
        };
        for (const QLabel* label : panel->findChildren<QLabel*>()) {
            check(label, label->text());
        }
        for (const QAbstractButton* button : panel->findChildren<QAbstractButton*>()) {
            check(button, button->text());
            check(button, button->toolTip());
        }
        for (const QGroupBox* box : panel->findChildren<QGroupBox*>()) {
            check(box, box->title());
        }
        for (const QMenu* menu : panel->findChildren<QMenu*>()) {
            for (const QAction* action : menu->actions()) {
                check(menu, action->text());
            }
        }
        for (const QTableView* grid : panel->findChildren<QTableView*>()) {
            const QAbstractItemModel* model = grid->model();
            for (int column = 0; column < model->columnCount(); ++column) {
                check(grid, model->headerData(column, Qt::Horizontal).toString());
            }
        }
        return found.join(QLatin1Char('\n')).toStdString();
    }
};

TEST_F(EnglishListsWindowTest, PanelsAndPagesSpeakEnglishAndFitInEveryMode) {
    SubstituteJapaneseFonts();  // the grids' font as the program shows it
    OpenActiveWindow();
    window->Entries().SetCell(1, 1, "Alexander Montgomery-Smith");
    window->Entries().SetCell(2, 1, "Mitsubishi Lancer Evolution");
    auto* tabs = Find<QTabWidget>("PageControl1");
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        window->resize(size);
        for (int tab = 0; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            Find<QAction>("Grid1Class")->setChecked(true);  // the class column shown too
            QApplication::processEvents();
            for (const char* name : kPanels) {
                const QWidget* panel = Find<QWidget>(name);
                SCOPED_TRACE(std::string(name) + " on tab " + std::to_string(tab) + " at " +
                             std::to_string(size.width()));
                EXPECT_EQ(JapaneseTexts(panel), "");
                if (panel->isVisible()) {
                    EXPECT_EQ(LayoutFaults(panel).join(QLatin1Char('\n')).toStdString(), "");
                }
            }
        }
    }
    EXPECT_EQ(Find<QLabel>("Label1")->text(), QStringLiteral("Entry list"));
    EXPECT_EQ(Find<QAbstractButton>("BitBtn4")->text(), QStringLiteral("MC"));
    EXPECT_EQ(Find<QAction>("Grid2Undo")->text(), QStringLiteral("Undo\tCtrl+Z"));
    EXPECT_EQ(Find<QGroupBox>("RadioGroup300")->title(), QStringLiteral("Timing"));
    EXPECT_EQ(Find<QGroupBox>("GroupBox2")->title(), QStringLiteral("Tree"));
}

TEST_F(EnglishListsWindowTest, TheLogicsTextsAreEnglishButWhatIsStoredIsNot) {
    // Shown: the waiting car in the status bar, the pylon hint, a load's warning.
    const std::string waiting = WaitingStatusText(17, true);
    EXPECT_EQ(waiting.rfind("Car #17", 0), 0u) << waiting;
    EXPECT_FALSE(HasJapanese(QString::fromStdString(waiting))) << waiting;
    EXPECT_EQ(PenaltyHint(2), "Pylons: 2");
    EXPECT_EQ(PenaltyHint(kMissCourse), kPenMissCourse);
    EntryTable entries;
    const std::filesystem::path unread = dir / "unread.txt";
    WriteBytes(unread, "A,X,PN1\r\nB,Y\r\n");
    const IoResult withoutField = LoadEntryFile(unread, entries);
    ASSERT_TRUE(withoutField);
    EXPECT_NE(withoutField.warning.find("line 2 has no class field"), std::string::npos)
        << withoutField.warning;
    const std::filesystem::path cut = dir / "cut.txt";
    WriteBytes(cut, "A,X,PN1\r\nC,Z,ABCDEFGHIJKLMNOP\r\n");
    const IoResult shortened = LoadEntryFile(cut, entries);
    ASSERT_TRUE(shortened);
    EXPECT_NE(shortened.warning.find("longer than 8 characters"), std::string::npos)
        << shortened.warning;
    EXPECT_FALSE(HasJapanese(QString::fromStdString(shortened.warning))) << shortened.warning;

    // Stored: the lists keep their headings as written, and a result file written in English
    // is the same bytes as in Japanese.
    EXPECT_EQ(ResultHeaders(RaceMode::kDrag)[ResultTable::kName], "Name");
    OpenActiveWindow();
    const std::vector<std::string> row = {"12", "A", "X", "MC", "01:23.456", "(Timeout)(ﾚｸﾁｬｰ)",
                                          "",   "",  "3"};
    window->Results().SetRow(1, row);
    const QTableView* grid = ResultGrid();
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Car"));
    EXPECT_EQ(ResultCell(5, 1), QString::fromStdString(row[5]));
    EXPECT_EQ(window->Results().Cell(3, 1), "MC");
    ASSERT_TRUE(SaveResultFile(dir / "en.csv", window->Results()));
    ASSERT_TRUE(InstallLanguage(UiLanguage::kJapanese));
    ASSERT_TRUE(SaveResultFile(dir / "ja.csv", window->Results()));
    EXPECT_EQ(ReadBytes(dir / "en.csv"), ReadBytes(dir / "ja.csv"));
    EXPECT_EQ(ResultFileLines(window->Results()),
              std::vector<std::string>{"12,A,X,MC,01:23.456,(Timeout)(ﾚｸﾁｬｰ),,,3"});
}

}  // namespace
}  // namespace vantrel::test
