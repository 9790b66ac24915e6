#pragma once
// The workbook's class sheets: after the result sheet, one sheet per class holding the
// result rows of that class's cars, named after the class as the spreadsheet allows.
// Thread rule: any thread (pure functions).

#include <string>
#include <string_view>
#include <vector>

#include "common/race_mode.h"
#include "lists/entry_table.h"
#include "lists/result_table.h"
#include "reports/result_sheet.h"

namespace vantrel {

// A sheet name the spreadsheet takes for `wanted`: the characters []:*?/\ and control
// characters become "_", an apostrophe at either end too, at most 31 characters, never empty;
// a name equal to one of `taken` or to the reserved "History" (ignoring case) gets " (2)",
// " (3)", ... added.
std::string ValidSheetName(std::string_view wanted, const std::vector<std::string>& taken);

// The heading row and the result rows whose car is of class `cls`, in the list's order.
ResultSheet BuildClassSheet(const ResultTable& results, RaceMode tab, const EntryTable& entries,
                            std::string_view cls);

// The result sheet, then one sheet per class in order of first appearance.
std::vector<ResultSheet> BuildResultWorkbook(const ResultTable& results, RaceMode tab,
                                             const EntryTable& entries);

}  // namespace vantrel
