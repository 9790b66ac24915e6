// Marked results through the window: a short circuit lap is booked with its mark, shown in
// the grid and the review window, accepted (and the acceptance undone), and taken out both as
// the last booking (its undo) and behind a later booking (its row's delete); the file keeps
// the mark after the columns.
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "lists/flag_review_window.h"
#include "lists/result_panel.h"
#include "lists/result_table.h"
#include "lists/result_table_model.h"
#include "support/layout_check.h"
#include "support/manual_timing_fixture.h"
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

}  // namespace
}  // namespace vantrel::test
