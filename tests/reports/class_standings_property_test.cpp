// The standings of each class on random events of every mode: the overall standings of the
// step-by-step reference cut down to the class and ranked again, the same after a rebuild
// from the result list, and the same as the class running on its own.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "common/numbers.h"
#include "lists/list_texts.h"
#include "reports/class_standings.h"
#include "reports/reference_standings.h"
#include "reports/standings_compare.h"
#include "reports/standings_rebuild.h"

namespace vantrel {
namespace {

using Row = std::vector<std::string>;
using KeyOf = std::function<int32_t(int32_t car)>;

// The class page worked out from the overall texts alone.
GridTexts ExpectedClassRank(const GridTexts& overall, const KeyOf& bestKey,
                            const EntryTable& entries, const std::string& cls, bool byLaps,
                            const TimeStyle& style) {
    GridTexts page(RankPage::kRows, Row(RankPage::kColumns));
    page[0] = overall[0];
    for (int32_t r = 1; r < RankPage::kRows; ++r) {
        page[r][0] = std::to_string(r);
    }
    int32_t n = 0;
    for (int32_t r = 1; r < RankPage::kRows && !overall[r][1].empty(); ++r) {
        if (entries.Class(std::stoi(overall[r][1])) == cls) {
            ++n;
            std::copy(overall[r].begin() + 1, overall[r].begin() + 7, page[n].begin() + 1);
        }
    }
    for (int32_t r = 2; r <= n; ++r) {
        const Row& lead = page[1];
        Row& row = page[r];
        if (!byLaps) {
            row[7] = "+" + TimeText(ParseTimeText(row[4]) - bestKey(std::stoi(lead[1])), style);
        } else if (row[5] == lead[5]) {
            row[7] = "+" + TimeText(ParseTimeText(row[6]) - ParseTimeText(lead[6]), style);
        } else {
            row[7] = std::to_string(std::stoi(lead[5]) - std::stoi(row[5])) + "Lap";
        }
    }
    return page;
}

GridTexts ExpectedClassList(const GridTexts& overall, const EntryTable& entries,
                            const std::string& cls) {
    GridTexts page(ListPage::kRows, Row(overall[0].size()));
    page[0] = overall[0];
    int32_t n = 0;
    for (int32_t car = 1; car < ListPage::kRows; ++car) {
        if (entries.Class(car) == cls) {
            page[++n] = overall[car];
        }
    }
    return page;
}

GridTexts ClassRank(const Standings& standings, const EntryTable& entries, const std::string& cls) {
    RankPage page;
    FillClassRank(standings, entries, cls, page);
    return Texts(page);
}

GridTexts ClassList(const Standings& standings, const EntryTable& entries, const std::string& cls) {
    ListPage page;
    FillClassList(standings, entries, cls, page);
    return Texts(page);
}

// One random event: its result list and the same results as the live path books them.
class RandomEvent {
public:
    RandomEvent(uint32_t seed, ReplayRule rule) : random_(seed), rule_(rule) {
        style_ = {Below(3) == 0 ? TimeFormat::kMilliseconds : TimeFormat::kMinutesSeconds,
                  rule == ReplayRule::kDrag};
        cars_ = 2 + Below(Below(4) == 0 ? 198 : 30);
        const int32_t classes = 1 + Below(6);
        for (int32_t car = 1; car <= cars_; ++car) {
            entries.SetCell(EntryTable::kName, car, "N" + std::to_string(car));
            // Some cars have no class; one class name may be a full 8 characters.
            const int32_t k = Below(classes + 1);
            entries.SetCell(EntryTable::kClass, car, k == 0 ? "" : "CLASS" + std::to_string(k));
        }
    }

    int32_t Below(int32_t n) { return static_cast<int32_t>(random_() % n); }

    // Books one result on `live` and `reference` and appends its row.
    void Next(Standings& live, test::ReferenceStandings& reference) {
        const int32_t car = 1 + Below(cars_);
        const int32_t time = 30'000 + 100 * Below(40);  // few times, so ties are common
        const std::string text = TimeText(time, style_);
        const std::string count = std::to_string(++counts_[car]);
        if (rule_ == ReplayRule::kCircuitCommonStart) {
            totals_[car] += time;
            live.AddCommonStartLap(car, time, totals_[car], counts_[car], style_);
            reference.AddCommonStartLap(car, time, totals_[car], counts_[car], style_);
            rows.push_back(
                {std::to_string(car), "", "", count, text, TimeText(totals_[car], style_)});
            return;
        }
        int32_t booked = time;
        Row row{std::to_string(car), "", "", "", text, "", "", "", count, "", "", "", count};
        if (rule_ == ReplayRule::kCircuitLapTiming) {
            row[3] = count;
        } else if (rule_ == ReplayRule::kDrag && Below(5) == 0) {
            row[3] = "Fly";  // a false start still counts
        } else if (rule_ == ReplayRule::kGymkhana) {
            const int32_t roll = Below(10);
            if (roll == 0) {
                row[3] = kPenMissCourse;
                booked = -1;
            } else if (roll <= 2) {
                row[3] = std::to_string(roll);
                booked = time + 5000 * roll;
            } else if (roll == 3) {
                row[5] = std::string(kLectureMarker);
                rows.push_back(row);
                return;  // a lecture run is not ranked
            }
        }
        live.AddResult(car, booked, counts_[car], style_);
        reference.AddResult(car, booked, counts_[car], style_);
        rows.push_back(row);
    }

    // A car changes class (or loses it); the class pages must follow at once.
    void MoveACar() {
        const int32_t k = Below(4);
        entries.SetCell(EntryTable::kClass, 1 + Below(cars_),
                        k == 0 ? "" : "CLASS" + std::to_string(k));
    }

    RaceMode Mode() const {
        return rule_ == ReplayRule::kGymkhana ? RaceMode::kGymkhana
               : rule_ == ReplayRule::kDrag   ? RaceMode::kDrag
                                              : RaceMode::kCircuit;
    }
    bool ByLaps() const { return rule_ == ReplayRule::kCircuitCommonStart; }
    ReplayRule Rule() const { return rule_; }
    const TimeStyle& Style() const { return style_; }

    EntryTable entries;
    std::vector<Row> rows;

private:
    std::mt19937 random_;
    ReplayRule rule_;
    TimeStyle style_;
    int32_t cars_ = 0;
    std::array<int32_t, 200> counts_{};
    std::array<int32_t, 200> totals_{};
};

void ExpectClassesMatchReference(const RandomEvent& event, const Standings& live,
                                 const test::ReferenceStandings& reference, int32_t step) {
    const KeyOf key = [&reference](int32_t car) {
        for (const RankEntry& e : reference.table) {
            if (e.Car == car)
                return e.Key;
        }
        return 0;
    };
    EXPECT_EQ(ClassRank(live, event.entries, ""), reference.rank) << "step " << step;
    EXPECT_EQ(ClassList(live, event.entries, ""), reference.list) << "step " << step;
    for (const std::string& cls : ClassesOf(event.entries)) {
        ASSERT_EQ(ClassRank(live, event.entries, cls),
                  ExpectedClassRank(reference.rank, key, event.entries, cls, event.ByLaps(),
                                    event.Style()))
            << cls << " after step " << step;
        ASSERT_EQ(ClassList(live, event.entries, cls),
                  ExpectedClassList(reference.list, event.entries, cls))
            << cls << " after step " << step;
    }
}

// The class pages after a rebuild from the result list, and the overall pages of the class's
// rows replayed on their own, equal the live class pages.
void ExpectRebuildsAgree(const RandomEvent& event, const Standings& live) {
    ResultTable results(event.Mode());
    results.SetRows(event.rows);
    Standings rebuilt(event.entries);
    ASSERT_TRUE(RebuildRanking(rebuilt, results, event.Rule(), event.Style()).ok);
    for (const std::string& cls : ClassesOf(event.entries)) {
        EXPECT_EQ(ClassRank(rebuilt, event.entries, cls), ClassRank(live, event.entries, cls));
        EXPECT_EQ(ClassList(rebuilt, event.entries, cls), ClassList(live, event.entries, cls));
        std::vector<Row> own;
        for (const Row& row : event.rows) {
            if (event.entries.Class(std::stoi(row[0])) == cls) {
                own.push_back(row);
            }
        }
        ResultTable ownResults(event.Mode());
        ownResults.SetRows(own);
        Standings alone(event.entries);
        ASSERT_TRUE(RebuildRanking(alone, ownResults, event.Rule(), event.Style()).ok);
        EXPECT_EQ(Texts(alone.Rank()), ClassRank(live, event.entries, cls)) << cls;
    }
}

// While a common start holds the refill, the class pages follow the overall page shown.
void ExpectClassesMatchShownPage(const RandomEvent& event, const Standings& live) {
    const KeyOf key = [&live](int32_t car) { return live.Table()[live.Table().IndexOf(car)].Key; };
    for (const std::string& cls : ClassesOf(event.entries)) {
        ASSERT_EQ(ClassRank(live, event.entries, cls),
                  ExpectedClassRank(Texts(live.Rank()), key, event.entries, cls, event.ByLaps(),
                                    event.Style()))
            << cls;
    }
}

void RunEvent(uint32_t seed, ReplayRule rule, int32_t steps) {
    RandomEvent event(seed, rule);
    Standings live(event.entries);
    test::ReferenceStandings reference(event.entries);
    bool held = false;
    for (int32_t step = 0; step < steps; ++step) {
        if (event.ByLaps() && !held && event.Below(8) == 0) {
            live.HoldRefill();
            held = true;
        }
        event.Next(live, reference);
        if (event.Below(25) == 0) {
            event.MoveACar();
        }
        if (held && (event.Below(5) == 0 || step == steps - 1)) {
            ExpectClassesMatchShownPage(event, live);
            live.ReleaseRefill();
            held = false;
        }
        if (!held && (event.Below(10) == 0 || step == steps - 1)) {
            ExpectClassesMatchReference(event, live, reference, step);
        }
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
    ExpectRebuildsAgree(event, live);
}

TEST(ClassStandingsPropertyTest, EveryModeEveryClassMatchesTheFilteredOverallStandings) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        for (const ReplayRule rule :
             {ReplayRule::kGymkhana, ReplayRule::kDrag, ReplayRule::kCircuitLapTiming,
              ReplayRule::kCircuitCommonStart}) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " rule " +
                         std::to_string(static_cast<int>(rule)));
            RunEvent(seed, rule, 50 + 40 * static_cast<int32_t>(seed));
        }
    }
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

TEST(ClassStandingsTest, ClassesComeInOrderOfFirstAppearanceAndEachCarCanHaveItsOwn) {
    EntryTable entries;
    EXPECT_TRUE(ClassesOf(entries).empty());
    entries.SetCell(EntryTable::kClass, 9, "B");
    entries.SetCell(EntryTable::kClass, 2, "SA");
    entries.SetCell(EntryTable::kClass, 5, "B");
    entries.SetCell(EntryTable::kClass, 7, "PN1");
    EXPECT_EQ(ClassesOf(entries), (std::vector<std::string>{"SA", "B", "PN1"}));

    // 199 cars in 199 classes: each class page holds its car alone, as leader.
    constexpr TimeStyle kMinutes{TimeFormat::kMinutesSeconds, false};
    Standings standings(entries);
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        entries.SetCell(EntryTable::kClass, car, "C" + std::to_string(car));
        standings.AddResult(car, 90'000 - car, 1, kMinutes);
    }
    const std::vector<std::string> classes = ClassesOf(entries);
    ASSERT_EQ(classes.size(), 199U);
    RankPage page;
    for (int32_t car = 1; car <= EntryTable::kLastCar; ++car) {
        FillClassRank(standings, entries, classes[car - 1], page);
        ASSERT_EQ(page.Cell(RankPage::kCar, 1), std::to_string(car));
        EXPECT_EQ(page.Cell(RankPage::kBestLap, 1), TimeText(90'000 - car, kMinutes));
        EXPECT_EQ(page.Cell(RankPage::kBehind, 1), "");
        EXPECT_EQ(page.Cell(RankPage::kCar, 2), "");
    }
    // A class no car has any more shows an empty page.
    FillClassRank(standings, entries, "NONE", page);
    EXPECT_EQ(page.Cell(RankPage::kCar, 1), "");
    EXPECT_EQ(page.Cell(RankPage::kRank, 1), "1");
}

}  // namespace
}  // namespace vantrel
