// The live results per class: the class a request asks for, each class's standings in the
// snapshot, and their JSON.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "lists/entry_table.h"
#include "reports/class_standings.h"
#include "reports/standings.h"
#include "web/snapshot_builder.h"
#include "web/snapshot_json.h"
#include "web/web_request.h"

namespace vantrel {
namespace {

WebRequest Get(const std::string& target) {
    return ReadRequest("GET " + target + " HTTP/1.1\r\nHost: x\r\n\r\n");
}

TEST(WebClassRequestTest, TheClassComesFromTheQueryDecoded) {
    const std::vector<std::pair<std::string, std::string>> good = {
        {"/api/standings", ""},
        {"/api/standings?class=PN1", "PN1"},
        {"/api/standings?x=1&class=S+A&class=B", "S A"},
        {"/events?class=%EF%BD%B8%EF%BE%97%EF%BD%BD", "ｸﾗｽ"},
        {"/api/standings?class=2WD%2FFF#class=x", "2WD/FF"},
        {"/api/standings?class=%2B%26%3C%5C", "+&<\\"},
        {"/api/standings?classes=X&klass=Y", ""},
        {"/api/standings?class", ""},
        {"/api/standings?#class=x", ""},
        {"/api/standings#?class=x", ""},
    };
    for (const auto& [target, cls] : good) {
        const WebRequest request = Get(target);
        EXPECT_EQ(request.status, 200) << target;
        EXPECT_EQ(request.carClass, cls) << target;
    }
    for (const char* bad :
         {"/api/standings?class=%zz", "/api/standings?class=%FF", "/api/standings?class=%0A",
          "/events?class=%", "/events?class=%E3%82"}) {
        EXPECT_EQ(Get(bad).status, 400) << bad;
    }
    // Pages and other data ignore the query: the page reads its class itself.
    EXPECT_EQ(Get("/api/results?class=%zz").status, 200);
    EXPECT_EQ(Get("/?class=%zz").route, WebRoute::kIndex);
    EXPECT_EQ(Get("/board?class=PN1").route, WebRoute::kBoard);
    EXPECT_EQ(*QueryValue("/x?a=%41%42+c", "a"), "AB c");
}

TEST(WebClassSnapshotTest, ClassesTheirRowsAndTheirJson) {
    EntryTable entries;
    for (int32_t car : {3, 5, 8, 9}) {
        entries.SetCell(EntryTable::kName, car, "n" + std::to_string(car));
    }
    const TimeStyle minutes{TimeFormat::kMinutesSeconds, false};
    Standings standings(entries);
    standings.AddResult(8, 62'500, 1, minutes);
    standings.AddResult(3, 61'234, 1, minutes);
    standings.AddResult(5, 63'000, 1, minutes);
    const SnapshotSources sources{&standings,          nullptr, &entries, nullptr, nullptr,
                                  RaceMode::kGymkhana, false,   nullptr};

    // Without classes the standings read as they always have.
    const LiveSnapshot plain = TakeSnapshot(sources, 4, {});
    const std::string head =
        "{\"sequence\":4,\"mode\":\"GYMKHANA\",\"running\":false,\"headings\":[\"Rank\",\"Car\","
        "\"Name\",\"Model\",\"BestLap\",\"Lap\",\"Total\",\"Behind\"],\"rows\":[";
    const std::string row3 = "[\"1\",\"3\",\"n3\",\"\",\"01:01.234\",\"1\",\"\",\"\"]";
    const std::string overallRows = row3 +
                                    ",[\"2\",\"8\",\"n8\",\"\",\"01:02.500\",\"1\",\"\","
                                    "\"+00:01.266\"],[\"3\",\"5\",\"n5\",\"\",\"01:03.000\",\"1\","
                                    "\"\",\"+00:01.766\"]]";
    EXPECT_EQ(StandingsJson(plain), head + overallRows + "}");
    EXPECT_EQ(SnapshotJson(plain, 0).find("classes"), std::string::npos);

    entries.SetCell(EntryTable::kClass, 3, "<b>");
    entries.SetCell(EntryTable::kClass, 5, "SA");
    entries.SetCell(EntryTable::kClass, 8, "SA");
    entries.SetCell(EntryTable::kClass, 9, "ｸﾗｽ");  // a class without a ranked car
    const LiveSnapshot s = TakeSnapshot(sources, 4, {});
    const std::string classes = "\"classes\":[\"\\u003cb>\",\"SA\",\"ｸﾗｽ\"]";
    EXPECT_EQ(StandingsJson(s), head + overallRows + "," + classes +
                                    ",\"rowClasses\":[\"\\u003cb>\",\"SA\",\"SA\"]}");
    const std::string classHead =
        "{\"sequence\":4,\"mode\":\"GYMKHANA\",\"running\":false,\"class\":";
    const std::string headings =
        ",\"headings\":[\"Rank\",\"Car\",\"Name\",\"Model\",\"BestLap\",\"Lap\",\"Total\","
        "\"Behind\"],\"rows\":";
    // Car 5 is second in its class, behind its leader car 8, not the overall leader.
    EXPECT_EQ(
        StandingsJson(s, "SA"),
        classHead + "\"SA\"" + headings +
            "[[\"1\",\"8\",\"n8\",\"\",\"01:02.500\",\"1\",\"\",\"\"],[\"2\",\"5\",\"n5\",\"\","
            "\"01:03.000\",\"1\",\"\",\"+00:00.500\"]]," +
            classes + "}");
    // A class no car has: an empty table, the name escaped.
    EXPECT_EQ(StandingsJson(s, "\"x</script>"),
              classHead + "\"\\\"x\\u003c/script>\"" + headings + "[]," + classes + "}");
    EXPECT_NE(SnapshotJson(s, 0, "SA").find("\"standings\":" + StandingsJson(s, "SA") + ","),
              std::string::npos);
}

// For random events in every ranking order, with classes given before or after the results,
// each class's rows are those of the class page of the standings, with as many rows as the
// overall page has cars of the class.
TEST(WebClassSnapshotTest, EachClassHasTheRowsOfItsClassPage) {
    const std::array<std::string, 5> kClasses = {"", "PN1", "SA", "ｸﾗｽB", "<b>\"&"};
    std::mt19937 random(29);
    auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (int trial = 0; trial < 150; ++trial) {
        EntryTable entries;
        auto giveClasses = [&] {
            for (int32_t car = 1; car <= 40; ++car) {
                entries.SetCell(EntryTable::kClass, car, kClasses[uniform(0, 4)]);
            }
        };
        const bool classesFirst = trial % 2 == 0;
        if (classesFirst) {
            giveClasses();
        }
        Standings standings(entries);
        const int order = trial % 3;  // best time, best time on the drag tab, laps then total
        const TimeStyle style{TimeFormat::kMinutesSeconds, order == 1};
        std::array<int32_t, 200> counts{};
        std::array<int32_t, 200> totals{};
        for (int i = uniform(0, 80); i > 0; --i) {
            const int32_t car = uniform(1, 40);
            const int32_t time = uniform(0, 9) == 0 ? -1 : uniform(20'000, 90'000);
            ++counts[car];
            if (order == 2) {
                totals[car] += uniform(20'000, 90'000);
                standings.AddCommonStartLap(car, totals[car] / counts[car], totals[car],
                                            counts[car], style);
            } else {
                standings.AddResult(car, time, counts[car], style);
            }
        }
        if (!classesFirst) {
            giveClasses();
        }
        const LiveSnapshot s = TakeSnapshot(
            {&standings, nullptr, &entries, nullptr, nullptr, RaceMode::kCircuit, true, nullptr}, 1,
            {});
        ASSERT_EQ(s.classes, ClassesOf(entries));
        ASSERT_EQ(s.classRankRows.size(), s.classes.size());
        ASSERT_EQ(s.rankClasses.size(), s.classes.empty() ? 0 : s.rankRows.size());
        auto page = std::make_unique<RankPage>();
        for (size_t k = 0; k < s.classes.size(); ++k) {
            int32_t members = 0;  // overall rows of the class's cars
            for (size_t i = 0; i < s.rankRows.size(); ++i) {
                EXPECT_EQ(s.rankClasses[i], entries.Class(std::stoi(s.rankRows[i][1])));
                members += s.rankClasses[i] == s.classes[k] ? 1 : 0;
            }
            const auto& rows = s.classRankRows[k];
            ASSERT_EQ(static_cast<int32_t>(rows.size()), members) << s.classes[k];
            FillClassRank(standings, entries, s.classes[k], *page);
            for (int32_t row = 1; row <= members + 1; ++row) {
                for (int32_t column = row <= members ? 0 : 1; column < RankPage::kColumns;
                     ++column) {
                    EXPECT_EQ(row <= members ? rows[row - 1][column] : "", page->Cell(column, row));
                }
            }
        }
    }
}

}  // namespace
}  // namespace vantrel
