// The ranking table's sorts against the plain insertion passes.

#include "reports/rank_table.h"

#include <gtest/gtest.h>

#include <random>

#include "reports/reference_standings.h"

namespace vantrel {
namespace {

void ExpectSameTable(const RankTable& table, const test::ReferenceTable& reference, int32_t round) {
    for (int32_t i = 0; i < RankTable::kEntries; ++i) {
        ASSERT_EQ(table[i], reference[i]) << "entry " << i << " in round " << round;
    }
}

// Sets one entry in both tables, as AddCommonStartLap does.
int32_t SetBoth(RankTable& table, test::ReferenceTable& reference, int32_t car, int32_t key,
                int32_t total) {
    const int32_t index = table.EntryFor(car);
    table.SetKey(index, key);
    table.SetTotal(index, total);
    reference[index] = RankEntry{car, key, total};
    return index;
}

TEST(RankTableTest, EntryForFindsTheCarOrTakesTheFirstFree) {
    RankTable table;
    EXPECT_EQ(table.EntryFor(9), 0);
    EXPECT_EQ(table.EntryFor(4), 1);
    EXPECT_EQ(table.EntryFor(9), 0);
    EXPECT_EQ(table.UsedCount(), 2);
    EXPECT_EQ(table.EntryFor(0), -1);
    EXPECT_EQ(table.EntryFor(200), -1);
    table.SetKey(1, 5);
    table.SortByBestTime();
    EXPECT_EQ(table[0].Car, 9);  // Key 0 is never inserted, so it stays where it is
    table.SetKey(0, 7);
    table.SortByBestTime();
    EXPECT_EQ(table[0].Car, 4);
    EXPECT_EQ(table.EntryFor(9), 1);
}

TEST(RankTableTest, BestTimeSortMovesCarAndKeyButNotTotal) {
    RankTable table;
    test::ReferenceTable reference{};
    SetBoth(table, reference, 3, 500, 11);
    const int32_t index = SetBoth(table, reference, 8, 400, 22);
    table.SortByBestTime();
    test::ReferenceSortByBestTime(reference);
    ExpectSameTable(table, reference, 0);
    EXPECT_EQ(table[0], (RankEntry{8, 400, 11}));
    EXPECT_EQ(index, 1);
}

// Laps and totals from small ranges so that equal laps and equal totals are common; zero and
// negative laps take the plain insertion pass.
void RandomLapRounds(uint32_t seed, int32_t cars, int32_t lowestKey) {
    std::mt19937 random(seed);
    RankTable table;
    test::ReferenceTable reference{};
    for (int32_t round = 0; round < 3000; ++round) {
        const int32_t car = 1 + static_cast<int32_t>(random() % cars);
        const int32_t key = lowestKey + static_cast<int32_t>(random() % (6 - lowestKey));
        const int32_t total = static_cast<int32_t>(random() % 5);
        SetBoth(table, reference, car, key, total);
        if (random() % 10 == 0) {  // a second entry changed before the sort
            SetBoth(table, reference, 1 + static_cast<int32_t>(random() % cars), key, total + 1);
        }
        if (random() % 15 == 0) {
            table.SortByBestTime();
            test::ReferenceSortByBestTime(reference);
        } else {
            table.SortByLaps();
            test::ReferenceSortByLaps(reference);
        }
        ExpectSameTable(table, reference, round);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

TEST(RankTableTest, LapSortEqualsInsertionPassWithPositiveLaps) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        RandomLapRounds(seed, 30, 1);
    }
    RandomLapRounds(5, 199, 1);
}

TEST(RankTableTest, LapSortEqualsInsertionPassWithZeroAndNegativeLaps) {
    for (uint32_t seed = 11; seed <= 14; ++seed) {
        RandomLapRounds(seed, 30, -2);
    }
}

TEST(RankTableTest, LapSortPutsMoreLapsFirstThenSmallerTotal) {
    RankTable table;
    table.EntryFor(5);
    table.SortByLaps();  // a lone entry with Key 0 stays
    table.SetKey(0, 2);
    table.SetTotal(0, 9000);
    const int32_t second = table.EntryFor(6);
    table.SetKey(second, 2);
    table.SetTotal(second, 8000);
    table.SortByLaps();
    EXPECT_EQ(table[0].Car, 6);
    const int32_t third = table.EntryFor(7);
    table.SetKey(third, 3);
    table.SetTotal(third, 12000);
    table.SortByLaps();
    EXPECT_EQ(table[0], (RankEntry{7, 3, 12000}));
    EXPECT_EQ(table[1], (RankEntry{6, 2, 8000}));
    EXPECT_EQ(table[2], (RankEntry{5, 2, 9000}));
}

}  // namespace
}  // namespace vantrel
