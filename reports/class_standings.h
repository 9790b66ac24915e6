#pragma once
// Standings of one class: the overall Rank and List pages narrowed to the cars of a class,
// ranked 1.. within it, "Behind" measured from the class leader under the overall rule.
// Thread rule: GUI thread only.

#include <string>
#include <string_view>
#include <vector>

#include "lists/entry_table.h"
#include "reports/list_page.h"
#include "reports/rank_page.h"
#include "reports/standings.h"

namespace vantrel {

// Classes of the entry list in order of first appearance (car 1 upward), without "".
std::vector<std::string> ClassesOf(const EntryTable& entries);

// The Rank page of one class: the overall ranking's cars of that class, in the same
// order, ranked 1.. within the class, "Behind" measured from the class leader under
// the same rule as the overall page. cls == "" means the overall page (a copy).
void FillClassRank(const Standings& standings, const EntryTable& entries, std::string_view cls,
                   RankPage& page);

// The List page of one class: the overall List rows of the class's cars, in car order from
// row 1, the rows after them wholly empty; the headings (and so the number of time columns)
// are the overall page's. cls == "" means the overall page (a copy).
void FillClassList(const Standings& standings, const EntryTable& entries, std::string_view cls,
                   ListPage& page);

}  // namespace vantrel
