// The standings against the step-by-step reference on random results: speed must never
// change a text.

#include <gtest/gtest.h>

#include <random>

#include "reports/reference_standings.h"
#include "reports/standings.h"
#include "reports/standings_compare.h"

namespace vantrel {
namespace {

void ExpectGridSame(const TextGrid& grid, const GridTexts& expected, const char* page,
                    int32_t step) {
    ASSERT_EQ(grid.ColumnCount(), static_cast<int32_t>(expected[0].size()))
        << page << " column count differs after step " << step;
    for (int32_t row = 0; row < grid.RowCount(); ++row) {
        for (int32_t column = 0; column < grid.ColumnCount(); ++column) {
            ASSERT_EQ(grid.Cell(column, row), expected[row][column])
                << page << " cell (" << column << ", " << row << ") differs after step " << step;
        }
    }
}

void ExpectSame(const Standings& standings, const test::ReferenceStandings& reference,
                int32_t step) {
    ExpectGridSame(standings.List(), reference.list, "List page", step);
    ExpectGridSame(standings.Rank(), reference.rank, "Rank page", step);
    for (int32_t i = 0; i < RankTable::kEntries; ++i) {
        ASSERT_EQ(standings.Table()[i], reference.table[i])
            << "ranking entry " << i << " differs after step " << step;
    }
}

struct Mix {
    int32_t cars;            // car numbers 1..cars
    int32_t commonStartPct;  // share of AddCommonStartLap calls
    int32_t missCoursePct;
    bool switchStyles;
    bool holds = false;  // rank in blocks of results, as a received block does
};

void RunRandom(uint32_t seed, const Mix& mix, int32_t steps) {
    std::mt19937 random(seed);
    auto below = [&](int32_t n) { return static_cast<int32_t>(random() % n); };
    EntryTable entries;
    Standings standings(entries);
    test::ReferenceStandings reference(entries);
    std::array<int32_t, 200> laps{};
    std::array<int32_t, 200> totals{};
    TimeStyle style;
    bool held = false;
    for (int32_t step = 0; step < steps; ++step) {
        if (mix.holds && !held && below(4) == 0) {
            standings.HoldRefill();
            held = true;
        }
        const int32_t car = 1 + below(mix.cars);
        if (below(50) == 0) {
            entries.SetCell(EntryTable::kName, car, "N" + std::to_string(below(1000)));
        }
        if (mix.switchStyles && below(40) == 0) {
            style =
                TimeStyle{below(2) == 0 ? TimeFormat::kMinutesSeconds : TimeFormat::kMilliseconds,
                          below(2) == 0};
        }
        // Few distinct times, so that ties are common.
        const int32_t time = 30'000 + 100 * below(40);
        if (below(100) < mix.commonStartPct) {
            ++laps[car];
            totals[car] += time;
            standings.AddCommonStartLap(car, time, totals[car], laps[car], style);
            reference.AddCommonStartLap(car, time, totals[car], laps[car], style);
        } else {
            const int32_t result = below(100) < mix.missCoursePct ? -1 : time;
            standings.AddResult(car, result, step, style);
            reference.AddResult(car, result, step, style);
        }
        if (below(300) == 0) {
            standings.ClearRecord();
            reference.ClearRecord();
            laps.fill(0);
            totals.fill(0);
        }
        if (held && below(6) == 0) {
            standings.ReleaseRefill();
            held = false;
        }
        if (held) {
            continue;  // the Rank page waits for the release
        }
        ExpectSame(standings, reference, step);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

TEST(StandingsEquivalenceTest, BestTimesOfFewCars) {
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        RunRandom(seed, Mix{6, 0, 15, false}, 400);
    }
}

TEST(StandingsEquivalenceTest, BestTimesOfAllCarsWithStyleChanges) {
    RunRandom(11, Mix{199, 0, 10, true}, 1500);
}

TEST(StandingsEquivalenceTest, CommonStart) {
    for (uint32_t seed = 21; seed <= 25; ++seed) {
        RunRandom(seed, Mix{12, 100, 0, false}, 500);
    }
    RunRandom(26, Mix{199, 100, 0, true}, 1500);
}

TEST(StandingsEquivalenceTest, RankedOncePerBlock) {
    for (uint32_t seed = 41; seed <= 45; ++seed) {
        RunRandom(seed, Mix{30, 100, 0, true, true}, 800);
        RunRandom(seed, Mix{30, 0, 10, true, true}, 800);
    }
    RunRandom(46, Mix{199, 60, 5, true, true}, 3000);
}

TEST(StandingsEquivalenceTest, MixedCallsBetweenResets) {
    for (uint32_t seed = 31; seed <= 35; ++seed) {
        RunRandom(seed, Mix{20, 50, 10, true}, 600);
    }
}

}  // namespace
}  // namespace vantrel
