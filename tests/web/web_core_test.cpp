// The live results' logic: JSON text, the snapshot taken from the program's state and its
// JSON, the request checks and the [Web] settings.
#include <gtest/gtest.h>

#include "common/ini_file.h"
#include "lists/entry_table.h"
#include "lists/result_table.h"
#include "modes/gymkhana_course.h"
#include "reports/scoreboard.h"
#include "reports/standings.h"
#include "support/temp_dir.h"
#include "web/json_text.h"
#include "web/snapshot_builder.h"
#include "web/snapshot_json.h"
#include "web/web_request.h"
#include "web/web_settings.h"

namespace vantrel {
namespace {

std::string Json(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

TEST(JsonTextTest, EscapesAndReplacesWhatIsNotUtf8) {
    EXPECT_EQ(Json("a\"b\\c\n\t\x01"), "\"a\\\"b\\\\c\\n\\t\\u0001\"");
    EXPECT_EQ(Json("</script>"), "\"\\u003c/script>\"");
    EXPECT_EQ(Json("山田"), "\"山田\"");
    // A lone CP932 byte, a cut sequence, an overlong slash and a surrogate.
    EXPECT_EQ(Json("\x82"), "\"\xEF\xBF\xBD\"");
    EXPECT_EQ(Json("a\xE5\xB1"), "\"a\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_EQ(Json("\xC0\xAF"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
    EXPECT_TRUE(IsValidUtf8("ｼﾋﾞｯｸ \xF0\x9F\x8F\x81"));
}

TEST(WebRequestTest, PathTricksAndBadBytesAreRefused) {
    for (const char* bad : {"", "x", "/../etc/passwd", "/a/../b", "/./", "/%2e%2e/x",
                            "/api%2Fresults", "/api%2fresults", "/a%5Cb", "/a\\b", "/%00", "/%FF",
                            "/\xFF", "/%C0%AF", "/%", "/%4", "/%zz", "/%0A"}) {
        EXPECT_FALSE(CheckedPath(bad).has_value()) << bad;
    }
    EXPECT_EQ(*CheckedPath("/api/results?x=../../y#z"), "/api/results");
    EXPECT_EQ(*CheckedPath("/%E5%B1%B1"), "/山");
    EXPECT_FALSE(CheckedPath("/" + std::string(kMaxRequestTarget, 'a')).has_value());
}

TEST(WebRequestTest, RequestLinesAndRoutes) {
    EXPECT_EQ(RequestHeadLength("GET / HTTP/1.1\r\nHost: x\r\n"), 0u);
    EXPECT_EQ(RequestHeadLength("GET / HTTP/1.1\r\n\r\nrest"), 18u);
    EXPECT_EQ(RequestHeadLength("GET / HTTP/1.0\n\n"), 16u);

    const WebRequest index = ReadRequest("GET / HTTP/1.1\r\nHost: a\r\n\r\n");
    EXPECT_EQ(index.status, 200);
    EXPECT_EQ(index.route, WebRoute::kIndex);
    EXPECT_FALSE(index.headOnly);
    const WebRequest head = ReadRequest("HEAD /api/course HTTP/1.0\r\n\r\n");
    EXPECT_EQ(head.route, WebRoute::kCourse);
    EXPECT_TRUE(head.headOnly);
    EXPECT_EQ(ReadRequest("GET /live.js HTTP/1.1\r\n\r\n").file, "live.js");
    EXPECT_EQ(ReadRequest("GET /events HTTP/1.1\r\n\r\n").route, WebRoute::kEvents);
    EXPECT_EQ(ReadRequest("GET /board HTTP/1.1\r\n\r\n").route, WebRoute::kBoard);
    EXPECT_EQ(ReadRequest("GET /api/standings HTTP/1.1\r\n\r\n").route, WebRoute::kStandings);

    EXPECT_EQ(ReadRequest("GET /index.htm HTTP/1.1\r\n\r\n").status, 404);
    EXPECT_EQ(ReadRequest("GET /live.js/ HTTP/1.1\r\n\r\n").status, 404);
    EXPECT_EQ(ReadRequest("POST /api/results HTTP/1.1\r\n\r\n").status, 405);
    EXPECT_EQ(ReadRequest("GET / HTTP/2.0\r\n\r\n").status, 505);
    EXPECT_EQ(ReadRequest("GET /\r\n\r\n").status, 400);
    EXPECT_EQ(ReadRequest("\xFF\xFE\r\n\r\n").status, 400);
    EXPECT_EQ(ReadRequest("GET /../x HTTP/1.1\r\n\r\n").status, 400);
    EXPECT_EQ(ReadRequest("GET x HTTP/1.1\r\n\r\n").status, 400);
    EXPECT_EQ(ReadRequest("GET /" + std::string(3000, 'a') + " HTTP/1.1\r\n\r\n").status, 414);
}

TEST(WebSettingsTest, OffOn8080UntilSetAndBadPortsFallBack) {
    test::TempDir dir;
    IniFile ini(dir / "Vantrel.ini");
    EXPECT_EQ(WebSettings::Load(ini), WebSettings{});
    EXPECT_FALSE(WebSettings{}.enabled);
    WebSettings on{true, 8123};
    on.Save(ini);
    EXPECT_EQ(ini.ReadString("Web", "Enabled", ""), "1");
    EXPECT_EQ(ini.ReadString("Web", "Port", ""), "8123");
    EXPECT_EQ(WebSettings::Load(ini), on);
    ini.WriteInt("Web", "Port", 70000);
    EXPECT_EQ(WebSettings::Load(ini).port, 8080);
    EXPECT_EQ(WebPortOf(0), 8080);
    EXPECT_EQ(WebPortOf(65535), 65535);
}

struct NoCourseEvents : CourseObserver {};

TEST(SnapshotTest, TakesRankRowsLatestResultsCourseAndBoard) {
    EntryTable entries;
    entries.SetCell(EntryTable::kName, 3, "山田 \"太郎\"");
    entries.SetCell(EntryTable::kName, 8, "Ito");
    Standings standings(entries);
    const TimeStyle minutes{TimeFormat::kMinutesSeconds, false};
    standings.AddResult(8, 62'500, 1, minutes);
    standings.AddResult(3, 61'234, 1, minutes);
    ResultTable results(RaceMode::kGymkhana);
    for (int i = 0; i < 130; ++i) {
        const int32_t row = results.RowForNewResult();
        results.SetCell(0, row, std::to_string(i + 1));
    }
    NoCourseEvents events;
    GymkhanaCourse course(events);
    course.SetWaitingCar(3);
    course.OnStartEdge(4000);
    Scoreboard board;
    board.ShowCar(8, "Ito");
    board.fontColor = 0x0000FF;  // red as 0x00BBGGRR

    SnapshotSources sources{&standings,          &results, &entries, &course, &board,
                            RaceMode::kGymkhana, true,     nullptr};
    BookedResult booked;
    booked.car = 8;
    booked.count = 1;
    booked.display = {"8", "Ito", "01:02.500"};
    const LiveSnapshot s = TakeSnapshot(sources, 7, LiveResultOf(booked));

    EXPECT_EQ(s.sequence, 7u);
    EXPECT_EQ(s.mode, "GYMKHANA");
    ASSERT_EQ(s.rankRows.size(), 2u);
    EXPECT_EQ(s.rankHeadings[4], "BestLap");
    EXPECT_EQ(s.rankRows[0][1], "3");
    EXPECT_EQ(s.rankRows[1][7], "+00:01.266");
    EXPECT_EQ(s.resultCount, 130);
    ASSERT_EQ(s.results.size(), static_cast<size_t>(kLiveResultRows));
    EXPECT_EQ(s.results.front()[0], "31");
    EXPECT_EQ(s.results.back()[0], "130");
    ASSERT_EQ(s.course.size(), 1u);
    EXPECT_EQ(s.course[0].car, 3);
    EXPECT_EQ(s.course[0].startTick, 4000u);
    EXPECT_EQ(s.board[Scoreboard::kMemo2], "Ito");
    EXPECT_EQ(s.boardColor, "#ff0000");
    EXPECT_EQ(s.boardBackground, "#000000");

    const std::string course1500 = CourseJson(s, 5500);
    EXPECT_EQ(course1500,
              "{\"sequence\":7,\"mode\":\"GYMKHANA\",\"running\":true,\"cars\":[{\"position\":4,"
              "\"car\":3,\"name\":\"山田 \\\"太郎\\\"\",\"elapsedMs\":1500}]}");
    EXPECT_NE(ResultsJson(s).find("\"last\":{\"car\":8,\"name\":\"Ito\",\"time\":\"01:02.500\","
                                  "\"count\":1}"),
              std::string::npos);
    EXPECT_NE(StandingsJson(s).find("[\"1\",\"3\",\"山田 \\\"太郎\\\"\",\"\",\"01:01.234\""),
              std::string::npos);
    const std::string all = SnapshotJson(s, 5500);
    EXPECT_NE(all.find("\"board\":{\"fields\":[\"8\",\"Ito\""), std::string::npos);
    EXPECT_EQ(all.find('\n'), std::string::npos);  // one event data line

    // An empty list and no course: nothing to show, and no result yet.
    ResultTable none(RaceMode::kCircuit);
    const LiveSnapshot empty = TakeSnapshot(
        {nullptr, &none, nullptr, nullptr, nullptr, RaceMode::kCircuit, false, nullptr}, 1, {});
    EXPECT_EQ(empty.resultCount, 0);
    EXPECT_TRUE(empty.results.empty());
    EXPECT_NE(ResultsJson(empty).find("\"last\":null"), std::string::npos);
    // A clock across the 32-bit wrap.
    LiveSnapshot wrapped;
    wrapped.course.push_back({1, 5, "", 0xFFFFFF00u});
    EXPECT_NE(CourseJson(wrapped, 0x100).find("\"elapsedMs\":512"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
