#pragma once
// Which rows of the standings show a time that comes from a result marked for review: in
// best-time order the result that gave the car its best time; in lap order (common start) any
// lap of the car, since every lap it is credited with counts towards its place. Also where a
// car's run or lap of a given number is in the result list.
// Thread rule: GUI thread only (reads the standings and the result list).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/race_mode.h"
#include "lists/result_table.h"
#include "reports/rank_page.h"
#include "reports/standings.h"

namespace vantrel {

// The result column holding a row's run or lap number in `mode`'s layout.
int32_t ResultCountColumn(RaceMode mode);

// The latest row of `car` whose run or lap number reads `count`, trying `hint` first; 0 when
// there is none.
int32_t FindResultRow(const ResultTable& results, int32_t car, std::string_view count,
                      int32_t hint);

// The mark behind each filled row of `page` (the Rank page of `standings`, or one class's),
// "" for a row whose shown time comes from no marked result.
std::vector<std::string> RankRowMarks(const Standings& standings, const RankPage& page,
                                      const ResultTable& results);

}  // namespace vantrel
