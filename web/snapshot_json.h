#pragma once
// The JSON bodies of /api/standings, /api/results, /api/course and of each /events message,
// written from a published snapshot. Clocks of cars on course are given as the ms elapsed at
// `nowTick`, so a browser runs them on from the moment it receives the text.
// Thread rule: any thread.

#include <cstdint>
#include <string>

#include "web/live_snapshot.h"

namespace vantrel {

std::string StandingsJson(const LiveSnapshot& snapshot);
std::string ResultsJson(const LiveSnapshot& snapshot);
std::string CourseJson(const LiveSnapshot& snapshot, uint32_t nowTick);
// The scoreboard's fields and colours.
std::string BoardJson(const LiveSnapshot& snapshot);
// All of them in one object, as the event stream sends it.
std::string SnapshotJson(const LiveSnapshot& snapshot, uint32_t nowTick);

}  // namespace vantrel
