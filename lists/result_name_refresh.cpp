#include "lists/result_name_refresh.h"

#include "common/numbers.h"

namespace vantrel {

CarCellCheck RefreshNameAndModel(ResultTable& results, int32_t row, const EntryTable& entries) {
    const int32_t car = ParseCarNumber(results.Cell(ResultTable::kCar, row));
    if (car == kNotACarNumber) {
        return CarCellCheck::kNotANumber;
    }
    results.SetCell(ResultTable::kName, row, entries.Name(car));
    results.SetCell(ResultTable::kModel, row, entries.Model(car));
    return CarCellCheck::kRefreshed;
}

}  // namespace vantrel
