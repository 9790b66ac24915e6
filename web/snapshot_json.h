#pragma once
// The JSON bodies of /api/standings, /api/results, /api/course and of each /events message,
// written from a published snapshot. Clocks of cars on course are given as the ms elapsed at
// `nowTick`, so a browser runs them on from the moment it receives the text.
// Review marks come beside what they mark, only when there are any: "rowFlags" (the reason per
// row, "" for none) with the standings' and the results' rows, "flag" in the last result and
// "timeFlag" in the board.
// Thread rule: any thread.

#include <cstdint>
#include <string>
#include <string_view>

#include "web/live_snapshot.h"

namespace vantrel {

// The standings of all cars, or with `carClass` those of one class ranked within it (no rows
// for a class no car has). When cars have classes, the list of them comes too.
std::string StandingsJson(const LiveSnapshot& snapshot, std::string_view carClass = {});
std::string ResultsJson(const LiveSnapshot& snapshot);
std::string CourseJson(const LiveSnapshot& snapshot, uint32_t nowTick);
// The scoreboard's fields and colours.
std::string BoardJson(const LiveSnapshot& snapshot);
// All of them in one object, as the event stream sends it; `carClass` as for StandingsJson.
std::string SnapshotJson(const LiveSnapshot& snapshot, uint32_t nowTick,
                         std::string_view carClass = {});

}  // namespace vantrel
