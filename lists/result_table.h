#pragma once
// The result list: one row per finished run or counted lap, in the column layout of the race
// mode in force. Row 0 is the header row; an empty list is one data row whose "Car" cell is
// empty.
// Thread rule: GUI thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "common/race_mode.h"
#include "lists/table_observer.h"

namespace vantrel {

// Header texts of the result columns of a mode ("Car", "Name", "Model", then the mode's).
const std::vector<std::string>& ResultHeaders(RaceMode mode);

class ResultTable {
public:
    // Columns shared by every layout, and the GYMKHANA columns the result buttons change.
    static constexpr int32_t kCar = 0;
    static constexpr int32_t kName = 1;
    static constexpr int32_t kModel = 2;
    static constexpr int32_t kGymkhanaPen = 3;
    static constexpr int32_t kGymkhanaComment = 5;
    static constexpr int32_t kCircuitLapTime = 4;

    explicit ResultTable(RaceMode mode = RaceMode::kGymkhana);

    // New layout for `mode`: its headers and one empty data row.
    void Reset(RaceMode mode);
    RaceMode Mode() const { return mode_; }

    int32_t ColumnCount() const { return static_cast<int32_t>(headers_.size()); }
    int32_t RowCount() const { return static_cast<int32_t>(rows_.size()) + 1; }  // with header
    int32_t DataRowCount() const { return static_cast<int32_t>(rows_.size()); }

    // The column of the review mark: one past the mode's columns, never shown as a column.
    int32_t FlagColumn() const { return ColumnCount(); }
    const std::string& Flag(int32_t row) const { return Cell(FlagColumn(), row); }

    // Cell of a data row (row >= 1) or a header (row 0); out of range: "".
    const std::string& Cell(int32_t column, int32_t row) const;
    void SetCell(int32_t column, int32_t row, std::string text);
    // Sets all cells of a data row at once; `cells` is cut or padded to the column count, and
    // a mark in the cell after the columns becomes the row's mark (none clears it).
    void SetRow(int32_t row, std::vector<std::string> cells);

    // True when the list holds no result (one data row with an empty "Car" cell).
    bool IsEmpty() const;
    // The row a new result goes into: row 1 when it is the only row and empty, else a new
    // last row. Observers hear of it first (NewResultComing).
    int32_t RowForNewResult();

    // Replaces all data rows (at least one row is kept); each row is cut or padded to the
    // column count. Here and in InsertRows and Replace, rows in the StoredRow form bring their
    // marks.
    void SetRows(std::vector<std::vector<std::string>> rows);
    const std::vector<std::string>& Row(int32_t row) const;
    // The row's cells followed by its mark when it has one.
    std::vector<std::string> StoredRow(int32_t row) const;
    // Removes a data row; with a single data row its cells are emptied instead.
    void DeleteRow(int32_t row);

    // Undo and replay: rows put back at `row` (1..RowCount()), rows taken out (at least one
    // data row stays), and the whole list replaced in `mode`'s layout, each with one notice.
    void InsertRows(int32_t row, const std::vector<std::vector<std::string>>& rows);
    void RemoveRows(int32_t row, int32_t count);
    void Replace(RaceMode mode, std::vector<std::vector<std::string>> rows);

    // Observers are told of every change; each must be removed before it goes.
    void AddObserver(TableObserver* observer) { observers_.Add(observer); }
    void RemoveObserver(TableObserver* observer) { observers_.Remove(observer); }

private:
    void NotifyCells(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                     int32_t lastColumn) const;
    // Cuts `cells` to the columns and returns the mark that followed them ("" for none).
    std::string TakeFlag(std::vector<std::string>& cells) const;

    RaceMode mode_;
    std::vector<std::string> headers_;
    std::vector<std::vector<std::string>> rows_;  // data rows 1..n
    std::vector<std::string> flags_;              // the mark of each data row
    TableObservers observers_;
};

}  // namespace vantrel
