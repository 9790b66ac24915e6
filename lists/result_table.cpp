#include "lists/result_table.h"

#include <algorithm>
#include <cstddef>

#include "lists/list_texts.h"
#include "lists/result_flags.h"

namespace vantrel {

const std::vector<std::string>& ResultHeaders(RaceMode mode) {
    // The headings are stored as written; the grids show them translated (kHeadingContext).
    static const std::vector<std::string> kGymkhana = {
        VANTREL_TEXT("heading", "Car").source,    VANTREL_TEXT("heading", "Name").source,
        VANTREL_TEXT("heading", "Model").source,  VANTREL_TEXT("heading", "Pen").source,
        VANTREL_TEXT("heading", "Time").source,   VANTREL_TEXT("heading", "Comment").source,
        VANTREL_TEXT("heading", "Split1").source, VANTREL_TEXT("heading", "Split2").source,
        VANTREL_TEXT("heading", "Lap").source};
    static const std::vector<std::string> kDrag = {
        VANTREL_TEXT("heading", "Car").source,     VANTREL_TEXT("heading", "Name").source,
        VANTREL_TEXT("heading", "Model").source,   VANTREL_TEXT("heading", "Fly").source,
        VANTREL_TEXT("heading", "E.T").source,     VANTREL_TEXT("heading", "R/T").source,
        VANTREL_TEXT("heading", "E.T+R/T").source, VANTREL_TEXT("heading", "0-18").source,
        VANTREL_TEXT("heading", "0-100").source,   VANTREL_TEXT("heading", "0-200").source,
        VANTREL_TEXT("heading", "0-300").source,   VANTREL_TEXT("heading", "Speed").source,
        VANTREL_TEXT("heading", "Try").source};
    static const std::vector<std::string> kCircuit = {
        VANTREL_TEXT("heading", "Car").source,      VANTREL_TEXT("heading", "Name").source,
        VANTREL_TEXT("heading", "Model").source,    VANTREL_TEXT("heading", "Lap").source,
        VANTREL_TEXT("heading", "Lap time").source, VANTREL_TEXT("heading", "Total").source};
    switch (mode) {
        case RaceMode::kDrag:
            return kDrag;
        case RaceMode::kCircuit:
            return kCircuit;
        case RaceMode::kGymkhana:
            break;
    }
    return kGymkhana;
}

ResultTable::ResultTable(RaceMode mode) {
    Reset(mode);
}

void ResultTable::Reset(RaceMode mode) {
    observers_.Notify([](TableObserver& observer) { observer.AboutToReset(); });
    mode_ = mode;
    headers_ = ResultHeaders(mode);
    rows_.assign(1, std::vector<std::string>(headers_.size()));
    flags_.assign(1, std::string());
    observers_.Notify([](TableObserver& observer) { observer.ResetDone(); });
}

const std::string& ResultTable::Cell(int32_t column, int32_t row) const {
    static const std::string kEmpty;
    if (column == FlagColumn() && row >= 1 && row < RowCount()) {
        return flags_[row - 1];
    }
    if (column < 0 || column >= ColumnCount() || row < 0 || row >= RowCount()) {
        return kEmpty;
    }
    return row == 0 ? headers_[column] : rows_[row - 1][column];
}

void ResultTable::SetCell(int32_t column, int32_t row, std::string text) {
    if (column < 0 || column > FlagColumn() || row < 1 || row >= RowCount()) {
        return;
    }
    (column == FlagColumn() ? flags_[row - 1] : rows_[row - 1][column]) = std::move(text);
    NotifyCells(row, row, column, column);
}

void ResultTable::SetRow(int32_t row, std::vector<std::string> cells) {
    if (row < 1 || row >= RowCount()) {
        return;
    }
    flags_[row - 1] = TakeFlag(cells);
    rows_[row - 1] = std::move(cells);
    NotifyCells(row, row, 0, FlagColumn());
}

std::string ResultTable::TakeFlag(std::vector<std::string>& cells) const {
    std::string flag;
    const size_t columns = headers_.size();
    if (cells.size() > columns && ParseFlagText(cells[columns])) {
        flag = std::move(cells[columns]);
    }
    cells.resize(columns);
    return flag;
}

bool ResultTable::IsEmpty() const {
    return rows_.size() == 1 && rows_[0][0].empty();
}

int32_t ResultTable::RowForNewResult() {
    observers_.Notify([](TableObserver& observer) { observer.NewResultComing(); });
    if (!IsEmpty()) {
        const int32_t row = RowCount();
        observers_.Notify(
            [row](TableObserver& observer) { observer.RowsAboutToBeInserted(row, row); });
        rows_.emplace_back(headers_.size());
        flags_.emplace_back();
        observers_.Notify([](TableObserver& observer) { observer.RowsInserted(); });
    }
    return RowCount() - 1;
}

void ResultTable::SetRows(std::vector<std::vector<std::string>> rows) {
    if (rows.empty()) {
        rows.emplace_back();
    }
    std::vector<std::string> flags;
    flags.reserve(rows.size());
    for (auto& row : rows) {
        flags.push_back(TakeFlag(row));
    }
    observers_.Notify([](TableObserver& observer) { observer.AboutToReset(); });
    rows_ = std::move(rows);
    flags_ = std::move(flags);
    observers_.Notify([](TableObserver& observer) { observer.ResetDone(); });
}

const std::vector<std::string>& ResultTable::Row(int32_t row) const {
    static const std::vector<std::string> kNone;
    if (row < 1 || row >= RowCount()) {
        return kNone;
    }
    return rows_[row - 1];
}

std::vector<std::string> ResultTable::StoredRow(int32_t row) const {
    std::vector<std::string> cells = Row(row);
    if (!Flag(row).empty()) {
        cells.push_back(Flag(row));
    }
    return cells;
}

void ResultTable::DeleteRow(int32_t row) {
    if (row < 1 || row >= RowCount()) {
        return;
    }
    if (rows_.size() == 1) {
        rows_[0].assign(headers_.size(), std::string());
        flags_[0].clear();
        NotifyCells(1, 1, 0, FlagColumn());
        return;
    }
    observers_.Notify([row](TableObserver& observer) { observer.RowsAboutToBeRemoved(row, row); });
    rows_.erase(rows_.begin() + (row - 1));
    flags_.erase(flags_.begin() + (row - 1));
    observers_.Notify([](TableObserver& observer) { observer.RowsRemoved(); });
}

void ResultTable::InsertRows(int32_t row, const std::vector<std::vector<std::string>>& rows) {
    if (row < 1 || row > RowCount() || rows.empty()) {
        return;
    }
    const auto last = row + static_cast<int32_t>(rows.size()) - 1;
    observers_.Notify(
        [row, last](TableObserver& observer) { observer.RowsAboutToBeInserted(row, last); });
    auto at = rows_.insert(rows_.begin() + (row - 1), rows.begin(), rows.end());
    auto flag = flags_.insert(flags_.begin() + (row - 1), rows.size(), std::string());
    for (auto end = at + static_cast<std::ptrdiff_t>(rows.size()); at != end; ++at, ++flag) {
        *flag = TakeFlag(*at);
    }
    observers_.Notify([](TableObserver& observer) { observer.RowsInserted(); });
}

void ResultTable::RemoveRows(int32_t row, int32_t count) {
    if (row < 1 || row >= RowCount()) {
        return;
    }
    count = std::min(count, RowCount() - row);
    if (count < 1 || count >= DataRowCount()) {
        return;
    }
    const int32_t last = row + count - 1;
    observers_.Notify(
        [row, last](TableObserver& observer) { observer.RowsAboutToBeRemoved(row, last); });
    rows_.erase(rows_.begin() + (row - 1), rows_.begin() + last);
    flags_.erase(flags_.begin() + (row - 1), flags_.begin() + last);
    observers_.Notify([](TableObserver& observer) { observer.RowsRemoved(); });
}

void ResultTable::Replace(RaceMode mode, std::vector<std::vector<std::string>> rows) {
    observers_.Notify([](TableObserver& observer) { observer.AboutToReset(); });
    mode_ = mode;
    headers_ = ResultHeaders(mode);
    if (rows.empty()) {
        rows.emplace_back();
    }
    flags_.clear();
    for (auto& row : rows) {
        flags_.push_back(TakeFlag(row));
    }
    rows_ = std::move(rows);
    observers_.Notify([](TableObserver& observer) { observer.ResetDone(); });
}

void ResultTable::NotifyCells(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                              int32_t lastColumn) const {
    observers_.Notify([&](TableObserver& observer) {
        observer.CellsChanged(firstRow, lastRow, firstColumn, lastColumn);
    });
}

}  // namespace vantrel
