// The CIRCUIT tab driven as a timekeeper would: digit keys and received blocks through the
// window, the page's boxes bound to the flow, the grids, the standings and the tones; the
// saved result file is what counts. The rules themselves are tested on the flow.
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <map>
#include <random>

#include "common/text_file.h"
#include "lists/entry_panel.h"
#include "lists/entry_table.h"
#include "modes/circuit_controller.h"
#include "modes/circuit_page.h"
#include "modes/receiver_codes.h"
#include "reports/record_window.h"
#include "reports/scoreboard_page.h"
#include "reports/standings.h"
#include "sensors/receiver_script.h"
#include "support/manual_timing_fixture.h"
#include "widgets/line_list.h"

namespace vantrel::test {
namespace {

class CircuitWindowTest : public ManualTimingTest {
protected:
    void OpenCircuit(int countingMethod) {
        // Laps here vary more than a real car's, so no lap is marked as too short.
        Open("IoAddress=None\r\nCommPort=None\r\nShortLapPercent=0\r\n");
        window->Entries().SetCell(EntryTable::kName, 3, "Ito");
        window->Entries().SetCell(EntryTable::kName, 10, "Kato");
        Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
        ASSERT_EQ(window->State().currentMode, RaceMode::kCircuit);
        Find<RadioGroup>("RadioGroup300")->SetItemIndex(countingMethod);
        emit Find<RadioGroup>("RadioGroup300")->itemClicked(countingMethod);
        PressAltS();
        ASSERT_TRUE(window->SessionRunning());
        start = clock.MsTick();
    }
    void Digit(int digit, uint32_t atMs) {
        clock.Set(start + atMs);
        Key(Qt::Key_0 + digit, true);
        Key(Qt::Key_0 + digit, false);
    }
    std::vector<std::string> Saved() {
        const std::string saved = (dir / "laps.csv").string();
        prompter.AnswerFile(QString::fromStdString(saved));
        Find<QAction>("FileSaveResult")->trigger();
        std::vector<std::string> rows;
        EXPECT_TRUE(ReadCp932Lines(saved, rows).ok);
        return rows;
    }
    QStringList Received() {
        return Find<LineList>("Memo300")->toPlainText().split(QLatin1Char('\n'));
    }
    uint32_t start = 0;
};

TEST_F(CircuitWindowTest, LapTimingFromTheDigitKeys) {
    OpenCircuit(0);
    Digit(3, 1000);  // car 3's first passing starts its clock
    EXPECT_TRUE(window->Results().IsEmpty());
    EXPECT_EQ(window->Entries().Cell(EntryTable::kLap, 3), "0");
    Digit(0, 4000);    // "0" is car 10
    Digit(3, 37000);   // lap 1
    Digit(3, 57000);   // inside the 30 s mask: not counted
    Digit(3, 69000);   // lap 2
    Digit(0, 100000);  // car 10's lap 1
    EXPECT_EQ(window->Entries().Cell(EntryTable::kLap, 3), "2");
    EXPECT_EQ(Received(), (QStringList{"3", "10", "3", "3", "3", "10"}));
    EXPECT_EQ(Saved(), (std::vector<std::string>{"3,Ito,,1,00:36.000,00:36.000",
                                                 "3,Ito,,2,00:32.000,01:08.000",
                                                 "10,Kato,,1,01:36.000,01:36.000"}));
    const RankTable& rank = window->RaceStandings().Table();
    EXPECT_GE(rank.IndexOf(3), 0);
    EXPECT_GE(rank.IndexOf(10), 0);
    const auto& log = window->Sensors().Log().Lines();
    EXPECT_TRUE(log.back().ends_with(",10"));
}

// The Rank page as text, for comparing two standings.
std::vector<std::string> RankText(const Standings& standings) {
    std::vector<std::string> rows;
    const RankPage& rank = standings.Rank();
    for (int32_t row = 0; row < rank.RowCount(); ++row) {
        std::string line;
        for (int32_t column = 0; column < rank.ColumnCount(); ++column) {
            line += rank.Cell(column, row) + "|";
        }
        rows.push_back(line);
    }
    return rows;
}

TEST_F(CircuitWindowTest, TwoHourRaceOfSixtyCarsThroughTheReceiverScriptPath) {
    OpenCircuit(SessionState::kCommonStart);
    // 60 cars, laps of 60 to 120 s for two hours; every passing may be echoed a second later
    // (the mask swallows it) and cars often cross together in one block.
    std::mt19937 random(2026);
    std::map<uint32_t, std::string> codesAt;    // script time -> codes of that block
    std::map<int, std::vector<uint32_t>> laps;  // car -> passing times that count
    for (int car = 1; car <= 60; ++car) {
        uint32_t t = 0;
        while (true) {
            t += 60000 + random() % 60000;
            t -= t % 50;  // cars meet in one block now and then
            if (t > 2 * 3600 * 1000) {
                break;
            }
            laps[car].push_back(t);
            codesAt[t] += static_cast<char>(0x30 + car);
            if (random() % 4 == 0) {
                codesAt[t + 1000] += static_cast<char>(0x30 + car);
            }
        }
    }
    std::string text;
    for (const auto& [at, codes] : codesAt) {
        text += std::to_string(at);
        for (const char code : codes) {
            text += code == '#' ? std::string(" 0x23") : std::string(" ") + code;
        }
        text += "\n";
    }
    const ReceiverScriptParseResult parsed = ParseReceiverScript(text);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    CircuitFlow& circuit = window->findChild<CircuitController*>()->Flow();
    for (const ReceiverScriptBlock& block : parsed.script.blocks) {
        std::vector<uint8_t> bytes = block.bytes;
        clock.Set(start + block.atMs);
        circuit.ProcessPassings(bytes.data(), static_cast<uint16_t>(bytes.size()),
                                start + block.atMs);
    }

    // Every lap once, in the order the receiver saw them, times exact to the tick.
    std::map<uint32_t, std::vector<std::string>> expected;  // by time, then car order in block
    size_t total = 0;
    for (const auto& [car, times] : laps) {
        uint32_t last = 0;
        for (size_t i = 0; i < times.size(); ++i) {
            const std::string row =
                std::to_string(car) + "," + window->Entries().Name(car) + ",," +
                std::to_string(i + 1) + "," +
                FormatRaceTime(times[i] - last, TimeFormat::kMinutesSeconds, false) + "," +
                FormatRaceTime(times[i], TimeFormat::kMinutesSeconds, false);
            expected[times[i]].push_back(row);
            last = times[i];
            ++total;
        }
    }
    const std::vector<std::string> saved = Saved();
    ASSERT_EQ(saved.size(), total);
    size_t index = 0;
    for (const auto& [at, rows] : expected) {
        for (const std::string& row : rows) {
            EXPECT_EQ(saved[index], row) << "at " << at;
            ++index;
        }
    }
    // The live standings equal a rebuild from the saved list.
    const std::vector<std::string> live = RankText(window->RaceStandings());
    window->RebuildRanking();
    EXPECT_EQ(RankText(window->RaceStandings()), live);
}

// Laps booked while the operator looks down the Rank page update its rows in place: the grid
// stays where it was scrolled to and keeps its current row.
TEST_F(CircuitWindowTest, TheRankPageFollowsTheLapsWithoutMovingTheView) {
    OpenCircuit(SessionState::kCommonStart);
    window->State().maskTimeS = 0;
    auto* controller = window->findChild<CircuitController*>();
    ASSERT_NE(controller, nullptr);
    CircuitFlow& circuit = controller->Flow();
    std::vector<uint8_t> everyCar;
    for (int car = 1; car <= 199; ++car) {
        everyCar.push_back(CodeOfCar(car));
    }
    circuit.ProcessPassings(everyCar.data(), 199, start + 60000);
    TRecordForm& record = window->Record();
    record.resize(600, 400);
    record.show();
    QTableView* rank = record.StringGrid1;
    QApplication::processEvents();
    QScrollBar* bar = rank->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    bar->setValue(80);
    rank->setCurrentIndex(rank->model()->index(90, 0));
    QApplication::processEvents();

    uint8_t block[] = {CodeOfCar(5), CodeOfCar(150), CodeOfCar(150)};
    circuit.ProcessPassings(block, 3, start + 120000);  // car 150's second passing: lap 3
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 80);
    EXPECT_EQ(rank->currentIndex().row(), 90);
    const RankPage& page = window->RaceStandings().Rank();
    auto shown = [&](int column, int row) {
        return rank->model()->index(row - 1, column).data().toString().toStdString();
    };
    EXPECT_EQ(shown(RankPage::kCar, 1), "150");
    EXPECT_EQ(shown(RankPage::kLap, 1), "3");
    EXPECT_EQ(shown(RankPage::kCar, 2), "5");
    EXPECT_EQ(shown(RankPage::kBehind, 2), "1Lap");
    EXPECT_EQ(shown(RankPage::kBehind, 3), "2Lap");
    EXPECT_EQ(page.Cell(RankPage::kCar, 3), shown(RankPage::kCar, 3));
    EXPECT_EQ(record.TabSheet3->Memo1->text(), QStringLiteral("150"));
}

// The page's boxes edit the flow's settings and show them back; a lap shows in both grids and
// its tones reach the announcer.
TEST_F(CircuitWindowTest, ThePageTheGridsAndTheTonesAreBoundToTheFlow) {
    Open("IoAddress=None\r\nCommPort=None\r\nBeepOn=1\r\n");
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    auto* method = Find<RadioGroup>("RadioGroup300");
    auto* port = Find<RadioGroup>("RadioGroup301");
    auto* mask = Find<QLineEdit>("Memo302");
    auto* received = Find<QLabel>("Label11");
    method->findChildren<QRadioButton*>().at(1)->click();
    port->findChildren<QRadioButton*>().at(1)->click();
    mask->setText("45");
    SessionState& state = window->State();
    EXPECT_EQ(state.countingMethod, SessionState::kCommonStart);
    EXPECT_EQ(state.circuitInput, SessionState::kPrinterPort);
    EXPECT_FALSE(received->isEnabled());
    EXPECT_EQ(state.maskTimeS, 45);
    // Settings that come from elsewhere (the settings file, a restore) are shown.
    state.countingMethod = 0;
    state.circuitInput = 0;
    state.maskTimeS = 12;
    auto* circuit = window->findChild<CircuitController*>();
    ASSERT_NE(circuit, nullptr);
    circuit->ShowSettings();
    EXPECT_EQ(method->ItemIndex(), 0);
    EXPECT_EQ(port->ItemIndex(), 0);
    EXPECT_TRUE(received->isEnabled());
    EXPECT_EQ(mask->text(), QStringLiteral("12"));
    mask->setText("0");  // below the spin control's range, and shown again as it is
    circuit->ShowSettings();
    EXPECT_EQ(mask->text(), QStringLiteral("0"));
    EXPECT_EQ(state.maskTimeS, 0);
    mask->setText("30");

    PressAltS();
    ASSERT_TRUE(window->SessionRunning());
    EXPECT_FALSE(method->isEnabled());
    start = clock.MsTick();
    Digit(4, 1000);
    Digit(4, 40000);
    EXPECT_EQ(Received(), (QStringList{"4", "4"}));
    EXPECT_EQ(window->Results().Cell(0, 1), "4");
    EXPECT_EQ(Find<EntryPanel>("Panel1")->CurrentCar(), 4);
    EXPECT_EQ(Find<QTableView>("StringGrid2")->currentIndex().row(), 0);
    QElapsedTimer waited;  // the announcer plays on its own thread
    waited.start();
    while (audio.Played().size() < 2 && waited.elapsed() < 15000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(audio.Played(), (std::vector<std::string>{"async HITONE", "async LOTONE"}));
    PressAltS();
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

// Undoing a lap takes back that passing only: the session goes on and the next passings count.
TEST_F(CircuitWindowTest, UndoingALapKeepsTheSessionAndTheReceiverGoing) {
    OpenCircuit(1);
    Digit(3, 31000);
    Digit(4, 32000);
    prompter.AnswerYes();
    ASSERT_TRUE(window->UndoClick());
    EXPECT_TRUE(window->SessionRunning());
    Digit(4, 40000);
    Digit(3, 62000);
    EXPECT_EQ(Saved(),
              (std::vector<std::string>{"3,Ito,,1,00:31.000,00:31.000", "4,,,1,00:40.000,00:40.000",
                                        "3,Ito,,2,00:31.000,01:02.000"}));
}

}  // namespace
}  // namespace vantrel::test
