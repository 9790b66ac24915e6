#pragma once
// The review mark a result about to be booked gets: a circuit lap is judged against the same
// car's latest laps in the result list (marked laps left out, so one phantom does not make
// the next real lap look long), a gymkhana run or drag run against the plausible window.
// Thread rule: GUI thread only (reads the result list).

#include <cstdint>
#include <string>
#include <vector>

#include "lists/booked_result.h"
#include "lists/list_change.h"
#include "lists/result_flags.h"
#include "lists/result_table.h"

namespace vantrel {

// The lap times of `car`'s unmarked rows in the CIRCUIT list, oldest first: at most
// kRecentLaps, from the last kLapScanRows rows (a car not seen that recently has no pace to
// compare with, and a booking must not walk a list of thousands of rows).
std::vector<int32_t> RecentLapsOf(const ResultTable& results, int32_t car);
inline constexpr int32_t kLapScanRows = 4000;

// The mark's text for `booked` in `results`' mode before it is added; "" for none.
std::string FlagForBooking(const ResultTable& results, const BookedResult& booked,
                           const FlagRule& rule);

// True when `step` is the booking that wrote result row `row` (a new last row, or row 1 of
// the empty list), so that undoing it takes exactly that result out.
bool StepBooksRow(const ListStep& step, int32_t row);

}  // namespace vantrel
