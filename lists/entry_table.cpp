#include "lists/entry_table.h"

#include <algorithm>

#include "lists/entry_class.h"
#include "lists/list_texts.h"

namespace vantrel {

EntryTable::EntryTable() {
    // Stored as written; the grid shows them translated (kHeadingContext).
    cells_[0] = {VANTREL_TEXT("heading", "Car").source, VANTREL_TEXT("heading", "Name").source,
                 VANTREL_TEXT("heading", "Model").source, VANTREL_TEXT("heading", "Lap").source,
                 VANTREL_TEXT("heading", "Class").source};
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
    cells_[row][column] = column == kClass ? StorableClass(text) : std::move(text);
    NotifyCells(row, row, column, column);
}

bool EntryTable::HasClasses() const {
    return AnyClassIn(1, kLastCar);
}

void EntryTable::ClearLaps() {
    for (int32_t row = 1; row < kRows; ++row) {
        cells_[row][kLap].clear();
    }
    NotifyCells(1, kLastCar, kLap, kLap);
}

void EntryTable::ClearNamesAndModels() {
    const bool classes = AnyClassIn(1, kLastCar);
    for (int32_t row = 1; row < kRows; ++row) {
        for (const int32_t column : kEntryColumns) {
            cells_[row][column].clear();
        }
    }
    NotifyEntryCells(1, kLastCar, classes);
}

void EntryTable::SetNamesAndModels(const std::vector<NameAndModel>& entries) {
    const int32_t count = static_cast<int32_t>(std::min<size_t>(entries.size(), kLastCar));
    if (count == 0) {
        return;
    }
    bool classes = false;
    for (int32_t row = 1; row <= count; ++row) {
        cells_[row][kName] = entries[row - 1].name;
        cells_[row][kModel] = entries[row - 1].model;
        std::string cls = StorableClass(entries[row - 1].cls);
        classes = classes || cls != cells_[row][kClass];
        cells_[row][kClass] = std::move(cls);
    }
    NotifyEntryCells(1, count, classes);
}

void EntryTable::InsertRow(int32_t row) {
    if (row < 1 || row > kLastCar) {
        return;
    }
    const bool classes = AnyClassIn(row, kLastCar);
    for (const int32_t column : kEntryColumns) {
        for (int32_t r = kLastCar; r > row; --r) {
            cells_[r][column] = std::move(cells_[r - 1][column]);
        }
        cells_[row][column].clear();
    }
    NotifyEntryCells(row, kLastCar, classes);
}

void EntryTable::DeleteRow(int32_t row) {
    if (row < 1 || row > kLastCar) {
        return;
    }
    const bool classes = AnyClassIn(row, kLastCar);
    for (const int32_t column : kEntryColumns) {
        for (int32_t r = row; r < kLastCar; ++r) {
            cells_[r][column] = std::move(cells_[r + 1][column]);
        }
        cells_[kLastCar][column].clear();
    }
    NotifyEntryCells(row, kLastCar, classes);
}

bool EntryTable::AnyClassIn(int32_t firstRow, int32_t lastRow) const {
    for (int32_t row = firstRow; row <= lastRow; ++row) {
        if (!cells_[row][kClass].empty()) {
            return true;
        }
    }
    return false;
}

void EntryTable::NotifyEntryCells(int32_t firstRow, int32_t lastRow, bool classes) const {
    NotifyCells(firstRow, lastRow, kName, kModel);
    // "Lap" stands between model and class and does not change; a list without classes is
    // announced exactly as it was before classes existed.
    if (classes) {
        NotifyCells(firstRow, lastRow, kClass, kClass);
    }
}

void EntryTable::NotifyCells(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                             int32_t lastColumn) const {
    observers_.Notify([&](TableObserver& observer) {
        observer.CellsChanged(firstRow, lastRow, firstColumn, lastColumn);
    });
}

}  // namespace vantrel
