#pragma once
// Change notifications of the entry and result tables, so that the grids that show them (and
// anything else watching) learn of every change, whoever made it.
// Thread rule: GUI thread only (observers are called on the thread that changes the table).

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace vantrel {

// Rows are table rows (row 1 is the first data row). "About to" calls come before the table
// changes, the matching "done" calls after it.
class TableObserver {
public:
    virtual ~TableObserver() = default;
    virtual void CellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstColumn,
                              int32_t lastColumn) = 0;
    virtual void RowsAboutToBeInserted(int32_t firstRow, int32_t lastRow) = 0;
    virtual void RowsInserted() = 0;
    virtual void RowsAboutToBeRemoved(int32_t firstRow, int32_t lastRow) = 0;
    virtual void RowsRemoved() = 0;
    // Rows and possibly columns and headers are all replaced.
    virtual void AboutToReset() = 0;
    virtual void ResetDone() = 0;
    // A race mode is about to take a row for a new result (before it is chosen or filled).
    virtual void NewResultComing() {}
};

// An observer that hears only of new results.
class NewResultWatch final : public TableObserver {
public:
    explicit NewResultWatch(std::function<void()> onNewResult)
        : onNewResult_(std::move(onNewResult)) {}
    void CellsChanged(int32_t, int32_t, int32_t, int32_t) override {}
    void RowsAboutToBeInserted(int32_t, int32_t) override {}
    void RowsInserted() override {}
    void RowsAboutToBeRemoved(int32_t, int32_t) override {}
    void RowsRemoved() override {}
    void AboutToReset() override {}
    void ResetDone() override {}
    void NewResultComing() override { onNewResult_(); }

private:
    std::function<void()> onNewResult_;
};

// An observer that hears only of changed cells of one column (the entry list's classes, which
// split the standings).
class ColumnWatch final : public TableObserver {
public:
    ColumnWatch(int32_t column, std::function<void()> onChange)
        : column_(column), onChange_(std::move(onChange)) {}
    void CellsChanged(int32_t, int32_t, int32_t firstColumn, int32_t lastColumn) override {
        if (firstColumn <= column_ && column_ <= lastColumn) {
            onChange_();
        }
    }
    void RowsAboutToBeInserted(int32_t, int32_t) override {}
    void RowsInserted() override {}
    void RowsAboutToBeRemoved(int32_t, int32_t) override {}
    void RowsRemoved() override {}
    void AboutToReset() override {}
    void ResetDone() override {}

private:
    int32_t column_;
    std::function<void()> onChange_;
};

// The observers of one table. Copying a table does not copy its observers: they watch that
// one object.
class TableObservers {
public:
    TableObservers() = default;
    TableObservers(const TableObservers&) {}
    TableObservers& operator=(const TableObservers&) { return *this; }

    void Add(TableObserver* observer) { list_.push_back(observer); }
    void Remove(TableObserver* observer) {
        list_.erase(std::remove(list_.begin(), list_.end(), observer), list_.end());
    }

    template <typename Call>
    void Notify(Call call) const {
        for (TableObserver* observer : list_) {
            call(*observer);
        }
    }

private:
    std::vector<TableObserver*> list_;
};

}  // namespace vantrel
