#include "lists/entry_table.h"

#include <algorithm>

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
    NotifyCells(row, row, column, column);
}

void EntryTable::ClearLaps() {
    for (int32_t row = 1; row < kRows; ++row) {
        cells_[row][kLap].clear();
    }
    NotifyCells(1, kLastCar, kLap, kLap);
}

void EntryTable::ClearNamesAndModels() {
    for (int32_t row = 1; row < kRows; ++row) {
        cells_[row][kName].clear();
        cells_[row][kModel].clear();
    }
    NotifyCells(1, kLastCar, kName, kModel);
}

void EntryTable::SetNamesAndModels(const std::vector<NameAndModel>& entries) {
    const int32_t count = static_cast<int32_t>(std::min<size_t>(entries.size(), kLastCar));
    if (count == 0) {
        return;
    }
    for (int32_t row = 1; row <= count; ++row) {
        cells_[row][kName] = entries[row - 1].name;
        cells_[row][kModel] = entries[row - 1].model;
    }
    NotifyCells(1, count, kName, kModel);
}

void EntryTable::InsertRow(int32_t row) {
    if (row < 1 || row > kLastCar) {
        return;
    }
    for (int32_t r = kLastCar; r > row; --r) {
        cells_[r][kName] = std::move(cells_[r - 1][kName]);
        cells_[r][kModel] = std::move(cells_[r - 1][kModel]);
    }
    cells_[row][kName].clear();
    cells_[row][kModel].clear();
    NotifyCells(row, kLastCar, kName, kModel);
}

void EntryTable::DeleteRow(int32_t row) {
    if (row < 1 || row > kLastCar) {
        return;
    }
    for (int32_t r = row; r < kLastCar; ++r) {
        cells_[r][kName] = std::move(cells_[r + 1][kName]);
        cells_[r][kModel] = std::move(cells_[r + 1][kModel]);
    }
    cells_[kLastCar][kName].clear();
    cells_[kLastCar][kModel].clear();
    NotifyCells(row, kLastCar, kName, kModel);
}

void EntryTable::NotifyCells(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                             int32_t lastColumn) const {
    observers_.Notify([&](TableObserver& observer) {
        observer.CellsChanged(firstRow, lastRow, firstColumn, lastColumn);
    });
}

}  // namespace vantrel
