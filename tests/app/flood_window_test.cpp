// A receiver flood through a pseudo-terminal: held, not booked, named in the status bar and
// listed; booked in one step that one undo (after one question) takes back; normal traffic
// through the same port booked at once; the list readable at both window sizes in Japanese
// and in English.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <string>

#include "app/held_passings_box.h"
#include "lists/entry_table.h"
#include "modes/held_passings_dialog.h"
#include "sensors/pty_pair.h"
#include "sensors/receiver_hub.h"
#include "support/layout_check.h"
#include "support/manual_timing_fixture.h"
#include "support/ui_language_param.h"

namespace vantrel::test {
namespace {

class FloodWindowTest : public ManualTimingTest {
protected:
    void StartCircuit() {
        ASSERT_FALSE(pty.path.empty());
        Open("IoAddress=None\r\nDelay=100\r\nCommPort=" + pty.path + "\r\n");
        Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
        PressAltS();
        ASSERT_TRUE(window->Receiver().IsOpen());
        start = clock.MsTick();
        // Told after the window's own handler, which was connected first.
        QObject::connect(&window->Receiver(), &ReceiverHub::blockReceived, window.get(),
                         [this](const ReceivedBlock& block) { delivered += block.count; });
    }
    static bool WaitUntil(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return done();
    }
    // Writes `cars` as one burst at `atMs` after the start and waits until the window has
    // taken them all.
    void Send(const std::string& cars, uint32_t atMs) {
        clock.Set(start + atMs);
        const uint64_t before = delivered;
        ASSERT_TRUE(pty.Write(cars));
        ASSERT_TRUE(WaitUntil([&] { return delivered >= before + cars.size(); }));
    }
    HeldPassingsBox& Box() { return *Find<HeldPassingsBox>("HeldPassingsBox"); }
    int32_t Laps(int car) { return window->State().runCount[static_cast<size_t>(car)]; }

    PtyPair pty;
    uint32_t start = 0;
    uint64_t delivered = 0;
};

TEST_F(FloodWindowTest, AFloodIsHeldAndBookedInOneStepThatOneUndoTakesBack) {
    StartCircuit();
    // Normal traffic: every car's first passing, booked as it comes, 200 ms apart.
    for (int car = 1; car <= 12; ++car) {
        Send(std::string(1, static_cast<char>('0' + car)), 200 * static_cast<uint32_t>(car));
        ASSERT_EQ(window->Entries().Cell(EntryTable::kLap, car), "0") << car;
    }
    EXPECT_FALSE(Box().isVisible());
    // Twelve cars in one burst 40 s later: held, the status bar says how many.
    Send("123456789:;<", 40000);
    EXPECT_TRUE(window->Results().IsEmpty());
    EXPECT_TRUE(Box().isVisible());
    EXPECT_TRUE(Box().text().contains(QStringLiteral("12 件を保留中")))
        << Box().text().toStdString();
    Box().click();
    HeldPassingsDialog& list = Box().Dialog();
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(list.HeldList->rowCount(), 12);
    EXPECT_EQ(list.HeldList->item(11, 0)->text(), QStringLiteral("12"));
    EXPECT_EQ(list.HeldList->item(0, 1)->text(), QStringLiteral("00:40.000"));

    // Some: two ticked, the rest discarded.
    list.HeldList->item(0, 0)->setCheckState(Qt::Checked);
    list.HeldList->item(4, 0)->setCheckState(Qt::Checked);
    list.HeldBookChosen->click();
    EXPECT_FALSE(list.isVisible());
    EXPECT_FALSE(Box().isVisible());
    ASSERT_EQ(window->Results().DataRowCount(), 2);
    EXPECT_EQ(window->Results().Cell(0, 1), "1");
    EXPECT_EQ(window->Results().Cell(4, 1), "00:39.800") << "timed to its own stamp";
    EXPECT_EQ(window->Results().Cell(0, 2), "5");

    // All of a second flood, then one undo with one question takes every lap back.
    Send("123456789:;<", 80000);
    Box().click();
    list.HeldBookAll->click();
    ASSERT_EQ(window->Results().DataRowCount(), 2 + 12);
    EXPECT_EQ(Laps(12), 1);
    prompter.ClearCalls();
    prompter.AnswerYes();
    EXPECT_TRUE(window->UndoClick());
    EXPECT_EQ(prompter.CallsOf(PromptCall::kAskYesNo).size(), 1u);
    EXPECT_TRUE(prompter.Calls().front().text.contains(QStringLiteral("1, 2, 3")));
    EXPECT_EQ(window->Results().DataRowCount(), 2);
    EXPECT_EQ(Laps(12), 0);
    EXPECT_EQ(window->Entries().Cell(EntryTable::kLap, 12), "0");
    EXPECT_TRUE(window->RedoClick());
    EXPECT_EQ(window->Results().DataRowCount(), 2 + 12);

    // None of a third: nothing booked, each named in the sensor log.
    Send("ABCDEFGHIJ", 120000);
    Box().click();
    list.HeldBookNone->click();
    EXPECT_EQ(window->Results().DataRowCount(), 2 + 12);
    int discarded = 0;
    for (const std::string& line : window->Sensors().Log().Lines()) {
        discarded += line.find(",Held discarded ") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(discarded, 10 + 10);
    // Traffic after the flood is booked at once again.
    Send("3", 160000);
    EXPECT_EQ(Laps(3), 2);
    PressAltS();
}

class FloodLayoutTest : public FloodWindowTest, public ::testing::WithParamInterface<UiLanguage> {};

TEST_P(FloodLayoutTest, TheHeldListIsReadableAtBothWindowSizes) {
    const LanguageScope language(GetParam());
    ASSERT_TRUE(language.Installed());
    StartCircuit();
    std::string flood;
    for (int car = 1; car <= 60; ++car) {
        flood += static_cast<char>('0' + car);
    }
    Send(flood, 5000);
    Box().click();
    HeldPassingsDialog& list = Box().Dialog();
    ASSERT_EQ(list.HeldList->rowCount(), 60);
    for (const QSize size : {QSize(636, 450), QSize(1280, 1024)}) {
        list.resize(size);
        QApplication::processEvents();
        const QStringList faults = LayoutFaults(&list);
        EXPECT_TRUE(faults.isEmpty())
            << size.width() << ": " << faults.join(QLatin1Char('\n')).toStdString();
    }
    list.HeldClose->click();
    EXPECT_FALSE(list.isVisible());
    EXPECT_TRUE(Box().isVisible()) << "closing the list keeps the passings held";
    PressAltS();
}

INSTANTIATE_TEST_SUITE_P(Languages, FloodLayoutTest, ::testing::ValuesIn(kWindowLanguages),
                         LanguageName);

}  // namespace
}  // namespace vantrel::test
