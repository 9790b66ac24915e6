// The "?" of a marked result on the record window's scoreboard and in the live snapshot, in
// the real window: a short circuit lap shows it on both; accepting takes it off both, undoing
// the acceptance brings it back, undoing the booking takes it off and redoing it brings it
// back; after a crash the restored event's snapshot marks the same rows as before.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "journal/journal_writer.h"
#include "journal/list_journal.h"
#include "lists/flag_review_window.h"
#include "reports/record_window.h"
#include "reports/scoreboard_page.h"
#include "support/manual_timing_fixture.h"
#include "web/snapshot_builder.h"

namespace vantrel::test {
namespace {

class ScoreboardFlagWindowTest : public ManualTimingTest {
protected:
    void SetUp() override {
        journalFolder = dir / "journal";
        manualTicks = true;
    }
    void Digit(int digit, uint32_t atMs) {
        clock.Set(start + atMs);
        Key(Qt::Key_0 + digit, true);
        Key(Qt::Key_0 + digit, false);
    }
    ScoreboardPage& Page() { return *window->Record().TabSheet3; }
    bool MarkShown() { return !Page().TimeMark->isHidden(); }
    LiveSnapshot Snapshot() { return TakeSnapshot(window->Event().LiveSources(), 1, {}); }
    void AcceptRow(int row) {
        Find<QAction>("Grid2Review")->trigger();
        QApplication::processEvents();
        auto* accept =
            window->FlagReview().findChild<QPushButton*>(QStringLiteral("FlagAccept%1").arg(row));
        ASSERT_NE(accept, nullptr);
        accept->click();
    }
    uint32_t start = 0;
};

constexpr const char* kMark = "?L3/60000/60";

TEST_F(ScoreboardFlagWindowTest, MarkFollowsAcceptUndoRedoAndRestore) {
    Open("IoAddress=None\r\nCommPort=None\r\n");
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    PressAltS();
    start = clock.MsTick();
    for (uint32_t at : {0u, 60000u, 120000u, 180000u, 211000u}) {
        Digit(3, at);
    }
    ASSERT_EQ(window->Results().Flag(4), kMark);

    // The scoreboard: the 31 s lap's time with "?" beside it, and why.
    EXPECT_EQ(Page().Memo5->text(), QStringLiteral("00:31.000"));
    EXPECT_TRUE(MarkShown());
    EXPECT_EQ(Page().TimeMark->text(), QStringLiteral("?"));
    EXPECT_TRUE(Page().TimeMark->toolTip().contains(QStringLiteral("01:00.000")));
    EXPECT_EQ(Page().Memo5->toolTip(), Page().TimeMark->toolTip());
    const QRect mark = Page().TimeMark->geometry();
    const QRect time = Page().Memo5->geometry();
    EXPECT_EQ(mark.top(), time.top());
    EXPECT_LT(mark.right(), time.left());
    EXPECT_GT(mark.width(), 0);
    EXPECT_FALSE(mark.intersects(Page().Label3->geometry()));
    EXPECT_FALSE(mark.intersects(Page().ClassBox->geometry()));
    EXPECT_EQ(Page().TimeMark->palette().color(QPalette::Window),
              Page().Memo5->palette().color(QPalette::Base));

    // The snapshot: the best lap is the marked one.
    LiveSnapshot s = Snapshot();
    ASSERT_EQ(s.rankRows.size(), 1u);
    EXPECT_EQ(s.rankFlags, std::vector<std::string>{kMark});
    EXPECT_EQ(s.resultFlags, (std::vector<std::string>{"", "", "", kMark}));
    EXPECT_EQ(s.boardTimeFlag, kMark);

    AcceptRow(4);
    EXPECT_FALSE(MarkShown());
    EXPECT_TRUE(Page().Memo5->toolTip().isEmpty());
    s = Snapshot();
    EXPECT_EQ(s.rankFlags, std::vector<std::string>{""});
    EXPECT_EQ(s.boardTimeFlag, "");

    ASSERT_TRUE(window->UndoClick());  // the acceptance
    EXPECT_TRUE(MarkShown());
    EXPECT_EQ(Snapshot().rankFlags, std::vector<std::string>{kMark});

    prompter.AnswerYes();
    ASSERT_TRUE(window->UndoClick());  // the booking
    EXPECT_FALSE(MarkShown());
    s = Snapshot();
    EXPECT_EQ(s.rankFlags, std::vector<std::string>{""});
    EXPECT_EQ(s.boardTimeFlag, "");
    EXPECT_EQ(s.resultFlags.size(), 3u);

    ASSERT_TRUE(window->RedoClick());
    EXPECT_TRUE(MarkShown());
    const LiveSnapshot before = Snapshot();
    EXPECT_EQ(before.rankFlags, std::vector<std::string>{kMark});

    // A crash, and the restore of what was not saved.
    QApplication::processEvents();
    JournalWriter& writer = window->Journal().Writer();
    ASSERT_TRUE(writer.WaitDurable(writer.NextSeq() - 1, std::chrono::seconds(5)));
    window->State().running = false;
    window.reset();
    prompter.AnswerYes();
    OpenWindow();
    const LiveSnapshot after = Snapshot();
    EXPECT_EQ(after.rankRows, before.rankRows);
    EXPECT_EQ(after.rankFlags, before.rankFlags);
    EXPECT_EQ(after.resultFlags, before.resultFlags);
    window->State().running = false;
}

}  // namespace
}  // namespace vantrel::test
