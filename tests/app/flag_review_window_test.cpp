// Marked results through the window: a short circuit lap is booked with its mark, shown in
// the grid and the review window, accepted (and the acceptance undone), and taken out both as
// the last booking (its undo) and behind a later booking (its row's delete); the file keeps
// the mark after the columns. The review window is readable in Japanese and in English at the
// small and the large window size with marks of every kind (with VANTREL_SCREENSHOT_DIR set it
// is also saved there, English in en/).
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "dialogs/setup_dialog.h"
#include "lists/flag_review_window.h"
#include "lists/list_change.h"
#include "lists/result_panel.h"
#include "lists/result_table.h"
#include "lists/result_table_model.h"
#include "support/layout_check.h"
#include "support/manual_timing_fixture.h"
#include "support/ui_language_param.h"
#include "widgets/radio_group.h"

namespace vantrel::test {
namespace {

class FlagReviewWindowTest : public ManualTimingTest {
protected:
    void OpenCircuit() {
        Open("IoAddress=None\r\nCommPort=None\r\n");
        Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
        ASSERT_EQ(window->State().currentMode, RaceMode::kCircuit);
        PressAltS();
        ASSERT_TRUE(window->SessionRunning());
        start = clock.MsTick();
    }
    void Digit(int digit, uint32_t atMs) {
        clock.Set(start + atMs);
        Key(Qt::Key_0 + digit, true);
        Key(Qt::Key_0 + digit, false);
    }
    QPushButton* Button(const QString& name) {
        Settle();
        return window->FlagReview().findChild<QPushButton*>(name);
    }
    // The review window lists the rows again after each change, and its old buttons go.
    static void Settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const ResultTable& Results() { return window->Results(); }
    // Opens the options through the menu, types `percent` as the short-lap share and presses OK.
    void SetShortLapPercent(const QString& percent) {
        bool acted = false;
        QTimer::singleShot(0, window.get(), [&] {
            acted = true;
            window->SetupForm().ShortLapBox->setText(percent);
            window->SetupForm().BitBtn1->click();
        });
        Find<QAction>("ToolSetup")->trigger();
        EXPECT_TRUE(acted);
    }
    uint32_t start = 0;
};

TEST_F(FlagReviewWindowTest, ShortLapIsMarkedAcceptedAndTakenOut) {
    OpenCircuit();
    for (uint32_t at : {0u, 60000u, 120000u, 180000u, 211000u}) {
        Digit(3, at);
    }
    ASSERT_EQ(Results().DataRowCount(), 4);
    EXPECT_EQ(Results().Flag(3), "");
    ASSERT_EQ(Results().Flag(4), "?L3/60000/60");
    const QModelIndex cell = window->Panel2->Model()->index(3, 0);
    EXPECT_EQ(cell.data(Qt::BackgroundRole).value<QColor>(), ResultTableModel::FlaggedRowColor());
    EXPECT_TRUE(cell.data(Qt::ToolTipRole).toString().contains(QStringLiteral("01:00.000")));

    Find<QAction>("Grid2Review")->trigger();
    ASSERT_TRUE(window->FlagReview().isVisible());
    EXPECT_EQ(window->FlagReview().Rows(), QList<int>{4});
    ASSERT_NE(Button("FlagAccept4"), nullptr);
    Button("FlagAccept4")->click();
    EXPECT_EQ(Results().Flag(4), "");
    EXPECT_TRUE(window->State().resultModified);
    EXPECT_EQ(Button("FlagAccept4"), nullptr);
    ASSERT_TRUE(window->UndoClick());  // the acceptance is a step of its own
    EXPECT_EQ(Results().Flag(4), "?L3/60000/60");

    // Taken out while it is the last booking: its undo, with the usual question.
    prompter.AnswerYes();
    Button("FlagUndo4")->click();
    EXPECT_EQ(Results().DataRowCount(), 3);
    EXPECT_EQ(window->State().runCount[3], 3);
    Settle();
    EXPECT_TRUE(window->FlagReview().Rows().isEmpty());

    // Behind a later booking the row is deleted; the later lap stays.
    Digit(3, 215000);  // 35 s after the lap before
    ASSERT_EQ(Results().Flag(4), "?L3/60000/60");
    Digit(5, 216000);
    Digit(5, 276000);
    ASSERT_EQ(Results().DataRowCount(), 5);
    Button("FlagUndo4")->click();
    ASSERT_EQ(Results().DataRowCount(), 4);
    EXPECT_EQ(Results().Cell(ResultTable::kCar, 4), "5");
    ASSERT_TRUE(window->UndoClick());  // the delete is undone like the grid's
    EXPECT_EQ(Results().Flag(4), "?L3/60000/60");

    const std::string saved = (dir / "laps.csv").string();
    prompter.AnswerFile(QString::fromStdString(saved));
    Find<QAction>("FileSaveResult")->trigger();
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadCp932Lines(saved, lines).ok);
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_EQ(lines[3].substr(lines[3].rfind(',') + 1), "?L3/60000/60");
    EXPECT_EQ(std::count(lines[2].begin(), lines[2].end(), ','), 5);
}

TEST_F(FlagReviewWindowTest, TheShareSetInTheOptionsJudgesTheNextLap) {
    Open("IoAddress=None\r\nCommPort=None\r\n");
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    SetShortLapPercent(QStringLiteral("90"));
    EXPECT_NE(ReadBytes(IniPath()).find("ShortLapPercent=90\r\n"), std::string::npos);
    PressAltS();
    ASSERT_TRUE(window->SessionRunning());
    start = clock.MsTick();
    for (uint32_t at : {0u, 60000u, 120000u, 180000u, 234000u, 285000u}) {
        Digit(3, at);
    }
    ASSERT_EQ(Results().DataRowCount(), 5);
    EXPECT_EQ(Results().Flag(4), "") << "54 s is 90 % of 60 s";
    EXPECT_EQ(Results().Flag(5), "?L4/60000/90") << "51 s is under 90 % of 60 s";
    PressAltS();
}

// Rows of `mode`'s layout in the stored form (the mark after the columns), one per mark, with
// the car and the time a mark judges in their columns.
TableRows MarkedRows(RaceMode mode, const std::vector<std::pair<std::string, std::string>>& marks) {
    TableRows rows;
    int car = 7;
    for (const auto& [time, mark] : marks) {
        std::vector<std::string> row(ResultHeaders(mode).size());
        row[ResultTable::kCar] = std::to_string(car);
        row[ResultTable::kName] = "Driver " + std::to_string(car);
        row[4] = time;
        row.push_back(mark);
        rows.push_back(row);
        car = car * 7 % 199 + 1;
    }
    return rows;
}

class FlagReviewLayout : public ::testing::TestWithParam<UiLanguage> {};

TEST_P(FlagReviewLayout, MarksOfEveryKindAreReadableAtBothWindowSizes) {
    const LanguageScope language(GetParam());
    ASSERT_TRUE(language.Installed());
    ResultTable laps(RaceMode::kCircuit);
    std::vector<std::pair<std::string, std::string>> lapMarks;
    for (int i = 0; i < 14; ++i) {
        lapMarks.push_back(
            {"00:2" + std::to_string(i % 10) + ".125", "?L" + std::to_string(3 + i % 3) + "/" +
                                                           std::to_string(61000 + i * 997) + "/" +
                                                           std::to_string(i == 0 ? 100 : 60)});
    }
    laps.SetRows(MarkedRows(RaceMode::kCircuit, lapMarks));
    ResultTable times(RaceMode::kGymkhana);
    times.SetRows(MarkedRows(RaceMode::kGymkhana, {{"00:09.870", "?B20000"},
                                                   {"00:00.312", "?B20000"},
                                                   {"00:15.001", "?B20000"},
                                                   {"100:00.000", "?A3600000"},
                                                   {"02:41.500", "?A90000"},
                                                   {"05:00.000", "?A90000"}}));
    for (auto [table, name] :
         {std::pair{&laps, "flag-review-laps"}, std::pair{&times, "flag-review-times"}}) {
        FlagReviewWindow window(*table, nullptr);
        window.show();
        ASSERT_EQ(window.Rows().size(), table->DataRowCount()) << name;
        for (int row = 0; row < window.Grid()->rowCount(); ++row) {
            EXPECT_FALSE(window.Grid()->item(row, 2)->text().isEmpty()) << name << " " << row;
        }
        for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
            window.resize(size);
            QApplication::processEvents();
            const QStringList faults = LayoutFaults(&window);
            EXPECT_TRUE(faults.isEmpty())
                << name << " at " << size.width() << "x" << size.height() << ":\n"
                << faults.join(QLatin1Char('\n')).toStdString();
            if (const QString out = ShotFolder(GetParam()); !out.isEmpty()) {
                window.grab().save(QStringLiteral("%1/%2-%3x%4.png")
                                       .arg(out, QString::fromLatin1(name))
                                       .arg(size.width())
                                       .arg(size.height()));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, FlagReviewLayout, ::testing::ValuesIn(kWindowLanguages),
                         LanguageName);

}  // namespace
}  // namespace vantrel::test
