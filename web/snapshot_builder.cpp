#include "web/snapshot_builder.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "common/numbers.h"
#include "lists/entry_table.h"
#include "lists/result_table.h"
#include "modes/gymkhana_course.h"
#include "reports/class_standings.h"
#include "reports/scoreboard.h"
#include "reports/standings.h"

namespace vantrel {

namespace {

std::vector<std::string> RankRow(const RankPage& rank, int32_t row) {
    std::vector<std::string> cells;
    cells.reserve(RankPage::kColumns);
    for (int32_t column = 0; column < RankPage::kColumns; ++column) {
        cells.push_back(rank.Cell(column, row));
    }
    return cells;
}

// The Rank page's filled rows form a prefix; the first row without a car ends it.
std::vector<std::vector<std::string>> FilledRows(const RankPage& rank) {
    std::vector<std::vector<std::string>> rows;
    for (int32_t row = 1; row < RankPage::kRows; ++row) {
        if (rank.Cell(RankPage::kCar, row).empty()) {
            break;
        }
        rows.push_back(RankRow(rank, row));
    }
    return rows;
}

void TakeClasses(const Standings& standings, const EntryTable& entries, LiveSnapshot& s) {
    s.classes = ClassesOf(entries);
    for (const std::vector<std::string>& row : s.rankRows) {
        const int32_t car = StrToIntDef(row[RankPage::kCar], 0);
        s.rankClasses.push_back(car >= 1 && car <= kMaxCarNumber ? entries.Class(car) : "");
    }
    const std::unordered_set<std::string_view> ranked(s.rankClasses.begin(), s.rankClasses.end());
    // A class without a ranked car has no rows; only the others are worth a page.
    auto page = std::make_unique<RankPage>();
    for (const std::string& cls : s.classes) {
        if (ranked.contains(cls)) {
            FillClassRank(standings, entries, cls, *page);
            s.classRankRows.push_back(FilledRows(*page));
        } else {
            s.classRankRows.emplace_back();
        }
    }
}

void TakeStandings(const Standings& standings, const EntryTable* entries, LiveSnapshot& s) {
    const RankPage& rank = standings.Rank();
    s.rankHeadings = RankRow(rank, 0);
    s.rankRows = FilledRows(rank);
    if (entries != nullptr && entries->HasClasses()) {
        TakeClasses(standings, *entries, s);
    }
}

void TakeResults(const ResultTable& results, LiveSnapshot& s) {
    for (int32_t column = 0; column < results.ColumnCount(); ++column) {
        s.resultHeadings.push_back(results.Cell(column, 0));
    }
    s.resultCount = results.IsEmpty() ? 0 : results.DataRowCount();
    const int32_t first = std::max(1, s.resultCount - kLiveResultRows + 1);
    for (int32_t row = first; row <= s.resultCount; ++row) {
        s.results.push_back(results.Row(row));
    }
}

void TakeCourse(const GymkhanaCourse& course, const EntryTable* entries, LiveSnapshot& s) {
    const CourseState& state = course.State();
    for (int32_t position = kNewestPosition; position <= kOldestPosition; ++position) {
        if (!course.HoldsCar(position)) {
            continue;
        }
        LiveCourseCar car;
        car.position = position;
        car.car = state.courseCar[position];
        car.startTick = static_cast<uint32_t>(state.courseTimes[position][kStartWord]);
        if (entries != nullptr && car.car >= 1 && car.car <= kMaxCarNumber) {
            car.name = entries->Name(car.car);
        }
        s.course.push_back(std::move(car));
    }
}

void TakeBoard(const Scoreboard& board, LiveSnapshot& s) {
    for (int32_t field = 0; field < Scoreboard::kFieldCount; ++field) {
        s.board.push_back(board.Text(static_cast<Scoreboard::Field>(field)));
    }
    s.boardColor = CssColor(board.fontColor);
    s.boardBackground = CssColor(board.background);
}

}  // namespace

std::string CssColor(int32_t bgr) {
    static const char* const kHex = "0123456789abcdef";
    const auto value = static_cast<uint32_t>(bgr);
    std::string out = "#";
    for (int shift : {0, 8, 16}) {
        const uint32_t channel = (value >> shift) & 0xFF;
        out += kHex[channel >> 4];
        out += kHex[channel & 0x0F];
    }
    return out;
}

LiveSnapshot TakeSnapshot(const SnapshotSources& sources, uint64_t sequence,
                          const std::optional<LiveResult>& last) {
    LiveSnapshot s;
    s.sequence = sequence;
    s.mode = RaceModeName(sources.mode);
    s.running = sources.running;
    s.last = last;
    if (sources.standings != nullptr) {
        TakeStandings(*sources.standings, sources.entries, s);
    }
    if (sources.results != nullptr) {
        TakeResults(*sources.results, s);
    }
    if (sources.course != nullptr) {
        TakeCourse(*sources.course, sources.entries, s);
    }
    if (sources.board != nullptr) {
        TakeBoard(*sources.board, s);
    }
    return s;
}

LiveResult LiveResultOf(const BookedResult& booked) {
    LiveResult r;
    r.car = booked.car;
    r.name = booked.display.name;
    r.time = booked.display.time;
    r.count = booked.count;
    return r;
}

}  // namespace vantrel
