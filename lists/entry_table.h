#pragma once
// The entry list: 199 cars (row n is car n) with name, model, the per-car counter shown in
// the "Lap" column and an optional class. Row 0 is the header row.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "lists/table_observer.h"

namespace vantrel {

// Name, model and class of one car, as an entry file line holds them.
struct NameAndModel {
    std::string name;
    std::string model;
    std::string cls{};  // "" when the car has no class
    bool operator==(const NameAndModel&) const = default;
};

class EntryTable {
public:
    static constexpr int32_t kRows = 200;  // header + cars 1..199
    static constexpr int32_t kColumns = 5;
    static constexpr int32_t kLastCar = kRows - 1;
    // The class comes after "Lap" so that the older columns keep their indices.
    enum Column : int32_t { kCar = 0, kName = 1, kModel = 2, kLap = 3, kClass = 4 };

    EntryTable();

    // Cell text; row 0 holds the headers, column 0 the car numbers. Out of range: "".
    const std::string& Cell(int32_t column, int32_t row) const;
    // Sets a cell of columns 1..4 of rows 1..199; other cells are fixed and ignored. A class
    // is kept as StorableClass makes it.
    void SetCell(int32_t column, int32_t row, std::string text);

    const std::string& Name(int32_t car) const { return Cell(kName, car); }
    const std::string& Model(int32_t car) const { return Cell(kModel, car); }
    // The car's class; "" when it has none.
    const std::string& Class(int32_t car) const { return Cell(kClass, car); }
    // True when at least one car has a class.
    bool HasClasses() const;

    // Empties the "Lap" column of every car.
    void ClearLaps();
    // Empties name, model and class of every car ("Lap" is left alone).
    void ClearNamesAndModels();
    // Rows 1..entries.size() (at most 199) take the given names, models and classes (each class
    // as StorableClass makes it); the rest keep theirs.
    void SetNamesAndModels(const std::vector<NameAndModel>& entries);

    // Moves names, models and classes of rows row..198 one row down and empties row `row`;
    // row 199's entry is lost. Car numbers and "Lap" stay. Rows outside 1..199 are ignored.
    void InsertRow(int32_t row);
    // Moves names, models and classes of rows row+1..199 one row up and empties row 199. Car
    // numbers and "Lap" stay. Rows outside 1..199 are ignored.
    void DeleteRow(int32_t row);

    // Observers are told of every change; each must be removed before it goes.
    void AddObserver(TableObserver* observer) { observers_.Add(observer); }
    void RemoveObserver(TableObserver* observer) { observers_.Remove(observer); }

private:
    // The columns that belong to the car's entry and move with it.
    static constexpr std::array<int32_t, 3> kEntryColumns = {kName, kModel, kClass};

    bool AnyClassIn(int32_t firstRow, int32_t lastRow) const;
    // Name and model of the rows changed, and their classes too when `classes`.
    void NotifyEntryCells(int32_t firstRow, int32_t lastRow, bool classes) const;
    void NotifyCells(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                     int32_t lastColumn) const;

    std::array<std::array<std::string, kColumns>, kRows> cells_;
    TableObservers observers_;
};

}  // namespace vantrel
