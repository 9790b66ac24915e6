// Review marks in the live snapshot: over random events of every ranking mode, the standings
// rows marked are exactly those whose shown time comes from a marked result (in lap order:
// any marked lap of the car), whether the standings were fed result by result or rebuilt,
// through acceptances, undone bookings and deleted rows; the JSON carries them only then.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "lists/entry_table.h"
#include "lists/result_flags.h"
#include "lists/result_table.h"
#include "reports/scoreboard.h"
#include "reports/standings.h"
#include "reports/standings_flags.h"
#include "reports/standings_rebuild.h"
#include "web/snapshot_builder.h"
#include "web/snapshot_json.h"

namespace vantrel {
namespace {

constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};

struct Event {
    RaceMode mode;
    ReplayRule rule;
};

class RandomEvent {
public:
    RandomEvent(Event event, uint32_t seed)
        : event_(event), results_(event.mode), standings_(entries_), random_(seed) {
        for (int32_t car = 1; car <= 8; ++car) {
            entries_.SetCell(EntryTable::kClass, car, car % 2 == 0 ? "EVEN" : "ODD");
        }
    }

    void Step() {
        const int pick = Uniform(0, 9);
        if (pick == 0 && !results_.IsEmpty()) {
            results_.RemoveRows(results_.RowCount() - 1, 1);  // an undone booking
            Rebuild();
        } else if (pick == 1 && results_.DataRowCount() > 2) {
            results_.DeleteRow(Uniform(1, results_.DataRowCount()));
            Rebuild();
        } else if (pick <= 3) {
            Accept();
        } else {
            Book();
        }
    }

    // The reason the snapshot gives each rank row, by car, against the rows' own marks.
    void Check() const {
        const LiveSnapshot s = Snapshot(standings_);
        ASSERT_EQ(s.rankFlags.size(), s.rankRows.size());
        for (size_t i = 0; i < s.rankRows.size(); ++i) {
            const int32_t car = std::stoi(s.rankRows[i][RankPage::kCar]);
            ASSERT_EQ(s.rankFlags[i], Expected(car)) << "car " << car << " row " << i;
        }
        for (size_t k = 0; k < s.classes.size(); ++k) {
            ASSERT_EQ(s.classRankFlags[k].size(), s.classRankRows[k].size());
            for (size_t i = 0; i < s.classRankRows[k].size(); ++i) {
                const int32_t car = std::stoi(s.classRankRows[k][i][RankPage::kCar]);
                ASSERT_EQ(s.classRankFlags[k][i], Expected(car));
            }
        }
        const int32_t first = s.resultCount - static_cast<int32_t>(s.results.size()) + 1;
        for (size_t i = 0; i < s.results.size(); ++i) {
            ASSERT_EQ(s.resultFlags[i], Reason(results_.Flag(first + static_cast<int32_t>(i))));
        }
        const bool anyRank = std::any_of(s.rankFlags.begin(), s.rankFlags.end(),
                                         [](const std::string& f) { return !f.empty(); });
        ASSERT_EQ(StandingsJson(s).find("\"rowFlags\":") != std::string::npos, anyRank);

        // Fed one by one or replayed from the list, the standings mark the same rows.
        Standings rebuilt(entries_);
        RebuildRanking(rebuilt, results_, event_.rule, kMinutes);
        const LiveSnapshot r = Snapshot(rebuilt);
        ASSERT_EQ(r.rankRows, s.rankRows);
        ASSERT_EQ(r.rankFlags, s.rankFlags);
    }

    int32_t FlaggedShown() const {
        const LiveSnapshot s = Snapshot(standings_);
        return static_cast<int32_t>(std::count_if(s.rankFlags.begin(), s.rankFlags.end(),
                                                  [](const std::string& f) { return !f.empty(); }));
    }

private:
    static std::string Reason(const std::string& flag) {
        return flag.empty() ? std::string() : "why " + flag;
    }

    LiveSnapshot Snapshot(const Standings& standings) const {
        SnapshotSources sources{&standings, &results_,   &entries_, nullptr,
                                nullptr,    event_.mode, true,      nullptr};
        sources.flagReason = [](const std::string& flag) { return Reason(flag); };
        return TakeSnapshot(sources, 1, std::nullopt);
    }

    bool ByLaps() const { return event_.rule == ReplayRule::kCircuitCommonStart; }

    // From the rows alone: in lap order the car's oldest marked lap, else the row of its best
    // time (the earlier of equal ones).
    std::string Expected(int32_t car) const {
        int32_t best = 0;
        int32_t bestMs = 0;
        for (int32_t row = 1; row < results_.RowCount(); ++row) {
            if (results_.Cell(ResultTable::kCar, row) != std::to_string(car)) {
                continue;
            }
            if (ByLaps() && !results_.Flag(row).empty()) {
                return Reason(results_.Flag(row));
            }
            const int32_t ms = ParseTimeText(results_.Cell(4, row));
            if (best == 0 || ms < bestMs) {
                best = row;
                bestMs = ms;
            }
        }
        return ByLaps() || best == 0 ? std::string() : Reason(results_.Flag(best));
    }

    int Uniform(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

    void Book() {
        const int32_t car = Uniform(1, 8);
        // Few distinct times, so that equal best times happen.
        const int32_t ms = 50'000 + 250 * Uniform(0, 40);
        std::vector<std::string> cells(static_cast<size_t>(results_.ColumnCount()));
        cells[ResultTable::kCar] = std::to_string(car);
        cells[4] = TimeText(ms, kMinutes);
        int32_t count = 1;
        int32_t total = ms;
        for (int32_t row = 1; row < results_.RowCount(); ++row) {
            if (results_.Cell(ResultTable::kCar, row) == cells[0]) {
                ++count;
                total += ParseTimeText(results_.Cell(4, row));
            }
        }
        cells[ResultCountColumn(event_.mode)] = std::to_string(count);
        if (ByLaps()) {
            cells[5] = TimeText(total, kMinutes);
        }
        if (Uniform(0, 3) == 0) {
            cells.push_back(FlagText({FlagKind::kShortLap, 5, ms * 2, 60}));
        }
        const int32_t row = results_.RowForNewResult();
        results_.SetRow(row, cells);
        if (ByLaps()) {
            standings_.AddCommonStartLap(car, ms, total, count, kMinutes);
        } else {
            standings_.AddResult(car, ms, count, kMinutes, row);
        }
    }

    void Accept() {
        std::vector<int32_t> marked;
        for (int32_t row = 1; row < results_.RowCount(); ++row) {
            if (!results_.Flag(row).empty()) {
                marked.push_back(row);
            }
        }
        if (!marked.empty()) {
            const int32_t row = marked[Uniform(0, static_cast<int>(marked.size()) - 1)];
            results_.SetCell(results_.FlagColumn(), row, "");
        }
    }

    void Rebuild() { RebuildRanking(standings_, results_, event_.rule, kMinutes); }

    Event event_;
    EntryTable entries_;
    ResultTable results_;
    Standings standings_;
    std::mt19937 random_;
};

TEST(WebFlagTest, MarkedRankRowsAreThoseWhoseShownTimeIsMarkedInEveryMode) {
    const Event events[] = {
        {RaceMode::kGymkhana, ReplayRule::kGymkhana},
        {RaceMode::kDrag, ReplayRule::kDrag},
        {RaceMode::kCircuit, ReplayRule::kCircuitLapTiming},
        {RaceMode::kCircuit, ReplayRule::kCircuitCommonStart},
    };
    for (const Event& event : events) {
        int32_t everMarked = 0;
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE(testing::Message()
                         << "rule " << static_cast<int>(event.rule) << " seed " << seed);
            RandomEvent random(event, seed);
            for (int step = 0; step < 60; ++step) {
                random.Step();
                ASSERT_NO_FATAL_FAILURE(random.Check()) << "step " << step;
                everMarked += random.FlaggedShown();
            }
        }
        EXPECT_GT(everMarked, 0);  // the events did mark shown times
    }
}

TEST(WebFlagTest, ScoreboardAndLastResultFollowTheirRowsMark) {
    EntryTable entries;
    ResultTable results(RaceMode::kCircuit);
    Standings standings(entries);
    Scoreboard board;
    board.UseClasses(&entries);
    board.UseResults(&results);
    entries.SetCell(EntryTable::kClass, 3, "SA");
    const std::string mark = FlagText({FlagKind::kShortLap, 3, 60'000, 60});
    for (const auto& cells : std::vector<std::vector<std::string>>{
             {"3", "", "", "1", "01:00.000", "01:00.000"},
             {"5", "", "", "1", "01:01.000", "01:01.000"},
             {"3", "", "", "2", "00:20.000", "01:20.000", mark}}) {
        results.SetRow(results.RowForNewResult(), cells);
    }
    board.ShowCar(3, "Aoki");
    board.ShowTime("00:20.000");
    EXPECT_EQ(board.TimeFlag(), mark);
    EXPECT_EQ(board.TimeFlag("SA"), mark);
    EXPECT_EQ(board.TimeFlag("PN1"), "");

    SnapshotSources sources{&standings, &results,           &entries, nullptr,
                            &board,     RaceMode::kCircuit, true,     nullptr};
    LiveResult last{3, "Aoki", "00:20.000", 2, ""};
    LiveSnapshot s = TakeSnapshot(sources, 1, last);
    EXPECT_EQ(s.boardTimeFlag, mark);  // without words: the mark's own text
    EXPECT_EQ(s.last->flag, mark);
    EXPECT_NE(BoardJson(s).find("\"timeFlag\":"), std::string::npos);
    EXPECT_NE(ResultsJson(s).find("\"flag\":"), std::string::npos);
    EXPECT_NE(ResultsJson(s).find("\"rowFlags\":[\"\",\"\","), std::string::npos);

    // An earlier row taken out moves the shown one up; it is still found.
    results.DeleteRow(2);
    EXPECT_EQ(board.TimeFlag(), mark);
    results.SetCell(results.FlagColumn(), 2, "");  // accepted
    EXPECT_EQ(board.TimeFlag(), "");
    s = TakeSnapshot(sources, 2, last);
    EXPECT_EQ(s.last->flag, "");
    EXPECT_EQ(BoardJson(s).find("timeFlag"), std::string::npos);
    EXPECT_EQ(ResultsJson(s).find("rowFlags"), std::string::npos);
    EXPECT_EQ(ResultsJson(s).find("\"flag\""), std::string::npos);

    results.SetCell(results.FlagColumn(), 2, mark);
    results.RemoveRows(2, 1);  // the booking undone
    EXPECT_EQ(board.TimeFlag(), "");
    board.Reset();
    EXPECT_EQ(board.TimeFlag(), "");
}

}  // namespace
}  // namespace vantrel
