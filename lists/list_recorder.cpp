#include "lists/list_recorder.h"

#include <cstring>
#include <memory>

namespace vantrel {

class ListRecorder::EntryWatch final : public TableObserver {
public:
    explicit EntryWatch(ListRecorder& recorder) : recorder_(recorder) {}
    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override {
        recorder_.EntryCellsChanged(firstRow, lastRow, firstColumn, lastColumn);
    }
    void RowsAboutToBeInserted(int32_t, int32_t) override {}
    void RowsInserted() override {}
    void RowsAboutToBeRemoved(int32_t, int32_t) override {}
    void RowsRemoved() override {}
    void AboutToReset() override {}
    void ResetDone() override {}

private:
    ListRecorder& recorder_;
};

class ListRecorder::ResultWatch final : public TableObserver {
public:
    explicit ResultWatch(ListRecorder& recorder) : recorder_(recorder) {}
    void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                      int32_t lastColumn) override {
        recorder_.ResultCellsChanged(firstRow, lastRow, firstColumn, lastColumn);
    }
    void RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) override {
        first_ = firstRow;
        last_ = lastRow;
    }
    void RowsInserted() override { recorder_.ResultRowsInserted(first_, last_); }
    void RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) override {
        first_ = firstRow;
        last_ = lastRow;
    }
    void RowsRemoved() override { recorder_.ResultRowsRemoved(first_, last_); }
    void AboutToReset() override {}
    void ResetDone() override { recorder_.ResultResetDone(); }

private:
    ListRecorder& recorder_;
    int32_t first_ = 0;
    int32_t last_ = 0;
};

ListRecorder::ListRecorder(EntryTable& entries, ResultTable& results, SessionState& state)
    : entries_(entries),
      results_(results),
      state_(state),
      entryWatch_(std::make_unique<EntryWatch>(*this)),
      resultWatch_(std::make_unique<ResultWatch>(*this)) {
    CopyLists();
    entries_.AddObserver(entryWatch_.get());
    results_.AddObserver(resultWatch_.get());
}

ListRecorder::~ListRecorder() {
    entries_.RemoveObserver(entryWatch_.get());
    results_.RemoveObserver(resultWatch_.get());
}

std::optional<ListStep> ListRecorder::TakeStep(StepKind kind) {
    ListStep step = std::move(open_);
    open_ = ListStep{};
    open_.changes.reserve(2);  // a booking: its "Lap" cell and its row
    step.kind = kind;
    TakeCounters(step);
    if (filesBefore_ && files_) {
        ListFiles after = files_();
        if (after != *filesBefore_) {
            step.files = FilesChange{std::move(*filesBefore_), std::move(after)};
        }
    }
    filesBefore_.reset();
    if (step.Empty()) {
        return std::nullopt;
    }
    return step;
}

void ListRecorder::Resume() {
    if (paused_ > 0 && --paused_ == 0) {
        CopyLists();
    }
}

void ListRecorder::Restart() {
    open_ = ListStep{};
    filesBefore_.reset();
    CopyLists();
}

void ListRecorder::Note() {
    if (!open_.changes.empty()) {
        return;
    }
    if (files_ && !filesBefore_) {
        filesBefore_ = files_();
    }
    if (firstChange_) {
        firstChange_();
    }
}

void ListRecorder::CopyLists() {
    for (int32_t row = 0; row < EntryTable::kRows; ++row) {
        for (int32_t column = 0; column < EntryTable::kColumns; ++column) {
            entryCopy_[row][column] = entries_.Cell(column, row);
        }
    }
    resultMode_ = results_.Mode();
    resultCopy_.clear();
    for (int32_t row = 1; row < results_.RowCount(); ++row) {
        resultCopy_.push_back(results_.StoredRow(row));
    }
    runCount_ = state_.runCount;
    firstPass_ = state_.firstPassTime;
    lastPass_ = state_.lastPassTime;
}

template <typename Counters>
void ListRecorder::TakeCounter(CounterKind kind, Counters& copy, const Counters& now,
                               ListStep& step) {
    // A booking changes one car of 200 and this runs for every lap, so stretches of cars are
    // compared whole, then eight at a time, and only eight that differ car by car.
    constexpr int32_t kStretch = 40;
    constexpr int32_t kGroup = 8;
    static_assert(kCarSlots % kStretch == 0 && kStretch % kGroup == 0);
    const auto same = [&](int32_t first, int32_t count) {
        return std::memcmp(&copy[first], &now[first], count * sizeof(copy[0])) == 0;
    };
    if (same(0, kCarSlots)) {
        return;
    }
    for (int32_t stretch = 0; stretch < kCarSlots; stretch += kStretch) {
        if (same(stretch, kStretch)) {
            continue;
        }
        for (int32_t group = stretch; group < stretch + kStretch; group += kGroup) {
            if (same(group, kGroup)) {
                continue;
            }
            step.counters.reserve(4);
            for (int32_t car = group; car < group + kGroup; ++car) {
                if (copy[car] != now[car]) {
                    step.counters.push_back({kind, car, copy[car], now[car]});
                    copy[car] = now[car];
                }
            }
        }
    }
}

void ListRecorder::TakeCounters(ListStep& step) {
    TakeCounter(CounterKind::kRunCount, runCount_, state_.runCount, step);
    TakeCounter(CounterKind::kFirstPass, firstPass_, state_.firstPassTime, step);
    TakeCounter(CounterKind::kLastPass, lastPass_, state_.lastPassTime, step);
}

void ListRecorder::EntryCellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                     int32_t lastColumn) {
    if (paused_ > 0) {
        return;
    }
    for (int32_t row = std::max(firstRow, 0); row <= lastRow && row < EntryTable::kRows; ++row) {
        for (int32_t column = std::max(firstColumn, 0);
             column <= lastColumn && column < EntryTable::kColumns; ++column) {
            const std::string& now = entries_.Cell(column, row);
            std::string& copy = entryCopy_[row][column];
            if (now != copy) {
                Note();
                open_.changes.push_back(CellChange{ListKind::kEntry, row, column, copy, now});
                copy = now;
            }
        }
    }
}

void ListRecorder::ResultCellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                                      int32_t lastColumn) {
    if (paused_ > 0) {
        return;
    }
    const auto rows = static_cast<int32_t>(resultCopy_.size());
    for (int32_t row = std::max(firstRow, 1); row <= lastRow && row <= rows; ++row) {
        std::vector<std::string>& copy = resultCopy_[row - 1];
        // A row this step has just inserted takes its cells in the insertion: a booking is
        // then one change, not one per cell.
        if (RowsChange* inserted = LastInsertionHolding(row)) {
            copy = results_.StoredRow(row);
            inserted->rows[static_cast<size_t>(row - inserted->firstRow)] = copy;
            continue;
        }
        // The copy is in the StoredRow form: its mark, when set, is the cell after the columns.
        const int32_t flagColumn = results_.FlagColumn();
        for (int32_t column = std::max(firstColumn, 0);
             column <= lastColumn && column <= flagColumn; ++column) {
            const std::string& now = results_.Cell(column, row);
            static const std::string kNone;
            const std::string& before =
                column < static_cast<int32_t>(copy.size()) ? copy[column] : kNone;
            if (now != before) {
                Note();
                open_.changes.push_back(CellChange{ListKind::kResult, row, column, before, now});
                if (column < flagColumn) {
                    copy[column] = now;
                } else {
                    copy = results_.StoredRow(row);
                }
            }
        }
    }
}

RowsChange* ListRecorder::LastInsertionHolding(int32_t row) {
    if (open_.changes.empty()) {
        return nullptr;
    }
    auto* change = std::get_if<RowsChange>(&open_.changes.back());
    if (change == nullptr || !change->inserted || row < change->firstRow ||
        row >= change->firstRow + static_cast<int32_t>(change->rows.size())) {
        return nullptr;
    }
    return change;
}

void ListRecorder::ResultRowsInserted(int32_t firstRow, int32_t lastRow) {
    if (paused_ > 0) {
        return;
    }
    RowsChange change{true, firstRow, {}};
    for (int32_t row = firstRow; row <= lastRow; ++row) {
        change.rows.push_back(results_.StoredRow(row));
    }
    resultCopy_.insert(resultCopy_.begin() + (firstRow - 1), change.rows.begin(),
                       change.rows.end());
    Note();
    open_.changes.push_back(std::move(change));
}

void ListRecorder::ResultRowsRemoved(int32_t firstRow, int32_t lastRow) {
    if (paused_ > 0) {
        return;
    }
    const auto from = resultCopy_.begin() + (firstRow - 1);
    const auto to = resultCopy_.begin() + lastRow;
    Note();
    open_.changes.push_back(RowsChange{false, firstRow, TableRows(from, to)});
    resultCopy_.erase(from, to);
}

void ListRecorder::ResultResetDone() {
    if (paused_ > 0) {
        return;
    }
    ResetChange change{resultMode_, results_.Mode(), std::move(resultCopy_), {}};
    for (int32_t row = 1; row < results_.RowCount(); ++row) {
        change.after.push_back(results_.StoredRow(row));
    }
    resultMode_ = change.afterMode;
    resultCopy_ = change.after;
    Note();
    open_.changes.push_back(std::move(change));
}

}  // namespace vantrel
