#include "lists/entry_table.h"

namespace vantrel {

EntryTable::EntryTable() {
    cells_[0] = {"Car", "Name", "Model", "Lap"};
    for (int32_t row = 1; row < kRows; ++row) {
        cells_[row][kCar] = std::to_string(row);
    }
}

const std::string& EntryTable::Cell(int32_t column, int32_t row) const {
    static const std::string kEmpty;
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) {
        return kEmpty;
    }
    return cells_[row][column];
}

void EntryTable::SetCell(int32_t column, int32_t row, std::string text) {
    if (column < kName || column >= kColumns || row < 1 || row >= kRows) {
        return;
    }
    cells_[row][column] = std::move(text);
}

void EntryTable::ClearLaps() {
    for (int32_t row = 1; row < kRows; ++row) {
        cells_[row][kLap].clear();
    }
}

void EntryTable::ClearNamesAndModels() {
    for (int32_t row = 1; row < kRows; ++row) {
        cells_[row][kName].clear();
        cells_[row][kModel].clear();
    }
}

}  // namespace vantrel
