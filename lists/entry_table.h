#pragma once
// The entry list: 199 cars (row n is car n) with name, model and the per-car counter shown
// in the "Lap" column. Row 0 is the header row.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

class EntryTable {
  public:
    static constexpr int32_t kRows = 200;  // header + cars 1..199
    static constexpr int32_t kColumns = 4;
    enum Column : int32_t { kCar = 0, kName = 1, kModel = 2, kLap = 3 };

    EntryTable();

    // Cell text; row 0 holds the headers, column 0 the car numbers. Out of range: "".
    const std::string& Cell(int32_t column, int32_t row) const;
    // Sets a cell of columns 1..3 of rows 1..199; other cells are fixed and ignored.
    void SetCell(int32_t column, int32_t row, std::string text);

    const std::string& Name(int32_t car) const { return Cell(kName, car); }
    const std::string& Model(int32_t car) const { return Cell(kModel, car); }

    // Empties the "Lap" column of every car.
    void ClearLaps();
    // Empties name and model of every car ("Lap" is left alone).
    void ClearNamesAndModels();

  private:
    std::array<std::array<std::string, kColumns>, kRows> cells_;
};

}  // namespace vantrel
