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
#include "reports/standings_flags.h"

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

// Why a mark was set, never "" for a mark: without words for it, the mark's own text.
std::string Reason(const SnapshotSources& sources, const std::string& flag) {
    if (flag.empty()) {
        return {};
    }
    std::string reason = sources.flagReason ? sources.flagReason(flag) : std::string();
    return reason.empty() ? flag : reason;
}

// The reasons behind the filled rows of `page`; none without the result list.
std::vector<std::string> RankFlags(const SnapshotSources& sources, const RankPage& page) {
    std::vector<std::string> flags;
    if (sources.results != nullptr) {
        for (const std::string& mark : RankRowMarks(*sources.standings, page, *sources.results)) {
            flags.push_back(Reason(sources, mark));
        }
    }
    return flags;
}

void TakeClasses(const SnapshotSources& sources, const EntryTable& entries, LiveSnapshot& s) {
    const Standings& standings = *sources.standings;
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
            s.classRankFlags.push_back(RankFlags(sources, *page));
        } else {
            s.classRankRows.emplace_back();
            s.classRankFlags.emplace_back();
        }
    }
}

void TakeStandings(const SnapshotSources& sources, LiveSnapshot& s) {
    const RankPage& rank = sources.standings->Rank();
    s.rankHeadings = RankRow(rank, 0);
    s.rankRows = FilledRows(rank);
    s.rankFlags = RankFlags(sources, rank);
    if (sources.entries != nullptr && sources.entries->HasClasses()) {
        TakeClasses(sources, *sources.entries, s);
    }
}

void TakeResults(const SnapshotSources& sources, LiveSnapshot& s) {
    const ResultTable& results = *sources.results;
    for (int32_t column = 0; column < results.ColumnCount(); ++column) {
        s.resultHeadings.push_back(results.Cell(column, 0));
    }
    s.resultCount = results.IsEmpty() ? 0 : results.DataRowCount();
    const int32_t first = std::max(1, s.resultCount - kLiveResultRows + 1);
    for (int32_t row = first; row <= s.resultCount; ++row) {
        s.results.push_back(results.Row(row));
        s.resultFlags.push_back(Reason(sources, results.Flag(row)));
    }
    if (s.last) {
        const int32_t row =
            FindResultRow(results, s.last->car, std::to_string(s.last->count), s.resultCount);
        s.last->flag = row > 0 ? Reason(sources, results.Flag(row)) : std::string();
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

void TakeBoard(const SnapshotSources& sources, LiveSnapshot& s) {
    const Scoreboard& board = *sources.board;
    for (int32_t field = 0; field < Scoreboard::kFieldCount; ++field) {
        s.board.push_back(board.Text(static_cast<Scoreboard::Field>(field)));
    }
    s.boardTimeFlag = Reason(sources, board.TimeFlag());
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
        TakeStandings(sources, s);
    }
    if (sources.results != nullptr) {
        TakeResults(sources, s);
    }
    if (sources.course != nullptr) {
        TakeCourse(*sources.course, sources.entries, s);
    }
    if (sources.board != nullptr) {
        TakeBoard(sources, s);
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
