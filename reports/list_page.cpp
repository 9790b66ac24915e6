#include "reports/list_page.h"

namespace vantrel {

namespace {

const std::string kEmpty;

bool IsCar(int32_t car) {
    return car >= 1 && car < ListPage::kRows;
}

}  // namespace

ListPage::ListPage() : headings_(kInitialColumns) {
    WriteHeadings();
    ClearRows();
}

const std::string& ListPage::Cell(int32_t column, int32_t row) const {
    if (row < 0 || row >= kRows || column < 0 || column >= ColumnCount()) {
        return kEmpty;
    }
    if (row == 0) {
        return headings_[column];
    }
    const Row& r = rows_[row];
    if (column < kLast) {
        return r.fixed[column];
    }
    // The times are kept oldest first so that a new result is an append, not a shift.
    const size_t age = static_cast<size_t>(column - kLast);
    return age < r.times.size() ? r.times[r.times.size() - 1 - age] : kEmpty;
}

void ListPage::WriteHeadings() {
    static const char* const kHeadings[kInitialColumns] = {
        VANTREL_TEXT("standings heading", "Car").source,
        VANTREL_TEXT("standings heading", "Name").source,
        VANTREL_TEXT("standings heading", "Model").source,
        VANTREL_TEXT("standings heading", "Total").source,
        VANTREL_TEXT("standings heading", "Lap").source,
        VANTREL_TEXT("standings heading", "BestLap").source,
        VANTREL_TEXT("standings heading", "Last").source,
        "-1",
        "-2"};
    for (int32_t c = 0; c < kInitialColumns; ++c) {
        headings_[c] = kHeadings[c];
    }
}

void ListPage::ClearRows() {
    for (int32_t row = 1; row < kRows; ++row) {
        Row& r = rows_[row];
        for (std::string& cell : r.fixed) {
            cell.clear();
        }
        r.fixed[kCar] = std::to_string(row);
        r.times.clear();
        stamps_[row] = ++clock_;
    }
}

void ListPage::StartSubsetOf(const ListPage& from) {
    headings_ = from.headings_;
    for (int32_t row = 1; row < kRows; ++row) {
        Row& r = rows_[row];
        for (std::string& cell : r.fixed) {
            cell.clear();
        }
        r.times.clear();
        stamps_[row] = ++clock_;
    }
}

void ListPage::CopyRow(int32_t row, const ListPage& from, int32_t fromRow) {
    if (!IsCar(row) || !IsCar(fromRow)) {
        return;
    }
    rows_[row] = from.rows_[fromRow];
    stamps_[row] = ++clock_;
    const size_t needed = kLast + rows_[row].times.size();
    while (headings_.size() < needed) {
        headings_.push_back(std::to_string(6 - static_cast<int32_t>(headings_.size())));
    }
}

void ListPage::SetText(Column column, int32_t car, std::string_view text) {
    if (!IsCar(car) || column <= kCar || column >= kLast) {
        return;
    }
    std::string& cell = rows_[car].fixed[column];
    if (cell != text) {
        cell.assign(text);
        stamps_[car] = ++clock_;
    }
}

void ListPage::PushLast(int32_t car, std::string text) {
    if (!IsCar(car)) {
        return;
    }
    if (!Cell(ColumnCount() - 1, car).empty()) {
        const int32_t newCount = ColumnCount() + 1;
        headings_.push_back(std::to_string(7 - newCount));
    }
    rows_[car].times.push_back(std::move(text));
}

}  // namespace vantrel
