#pragma once
// The end of a result edit: the row's name and model are taken again from the entry list for
// the car number in its "Car" cell.
// Thread rule: GUI thread only.

#include <cstdint>

#include "lists/entry_table.h"
#include "lists/result_table.h"

namespace vantrel {

enum class CarCellCheck : int32_t {
    kRefreshed,   // "Name" and "Model" now hold the entry of the row's car
    kNotANumber,  // the "Car" cell is no number: nothing changed, show the input-error box
};

// Reads the "Car" cell of data row `row` with ParseCarNumber and overwrites the row's "Name"
// and "Model" with that car's entry. The "Car" cell itself is not rewritten (so "300" stays
// "300" while the row shows car 199's entry). A row outside the data rows reads as "".
CarCellCheck RefreshNameAndModel(ResultTable& results, int32_t row, const EntryTable& entries);

}  // namespace vantrel
