#include "lists/list_change.h"

namespace vantrel {
namespace {

void SetCellOf(ListTarget target, ListKind list, int32_t row, int32_t column,
               const std::string& text) {
    if (list == ListKind::kEntry) {
        target.entries.SetCell(column, row, text);
    } else {
        target.results.SetCell(column, row, text);
    }
}

void ApplyRows(ResultTable& results, const RowsChange& change, bool insert) {
    const auto count = static_cast<int32_t>(change.rows.size());
    if (insert) {
        results.InsertRows(change.firstRow, change.rows);
    } else {
        results.RemoveRows(change.firstRow, count);
    }
}

void ApplyReset(ResultTable& results, RaceMode mode, const TableRows& rows) {
    results.Replace(mode, rows);
}

}  // namespace

bool ListStep::Touches(ListKind list) const {
    for (const ListChange& change : changes) {
        const auto* cell = std::get_if<CellChange>(&change);
        const ListKind kind = cell != nullptr ? cell->list : ListKind::kResult;
        // The entry list's "Lap" cells show the run counts; its file does not hold them.
        const bool lap =
            cell != nullptr && kind == ListKind::kEntry && cell->column == EntryTable::kLap;
        if (kind == list && !lap) {
            return true;
        }
    }
    return false;
}

int64_t CounterValue(const SessionState& state, CounterKind kind, int32_t car) {
    if (car < 0 || car >= kCarSlots) {
        return 0;
    }
    switch (kind) {
        case CounterKind::kRunCount:
            return state.runCount[car];
        case CounterKind::kFirstPass:
            return state.firstPassTime[car];
        case CounterKind::kLastPass:
            break;
    }
    return state.lastPassTime[car];
}

void SetCounterValue(SessionState& state, CounterKind kind, int32_t car, int64_t value) {
    if (car < 0 || car >= kCarSlots) {
        return;
    }
    switch (kind) {
        case CounterKind::kRunCount:
            state.runCount[car] = static_cast<int32_t>(value);
            return;
        case CounterKind::kFirstPass:
            state.firstPassTime[car] = static_cast<uint32_t>(value);
            return;
        case CounterKind::kLastPass:
            state.lastPassTime[car] = static_cast<uint32_t>(value);
            return;
    }
}

void ApplyStepForward(const ListStep& step, ListTarget target) {
    for (const ListChange& change : step.changes) {
        if (const auto* cell = std::get_if<CellChange>(&change)) {
            SetCellOf(target, cell->list, cell->row, cell->column, cell->after);
        } else if (const auto* rows = std::get_if<RowsChange>(&change)) {
            ApplyRows(target.results, *rows, rows->inserted);
        } else {
            const auto& reset = std::get<ResetChange>(change);
            ApplyReset(target.results, reset.afterMode, reset.after);
        }
    }
    for (const CounterChange& counter : step.counters) {
        SetCounterValue(target.state, counter.kind, counter.car, counter.after);
    }
}

void ApplyStepBackward(const ListStep& step, ListTarget target) {
    for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) {
        if (const auto* cell = std::get_if<CellChange>(&*it)) {
            SetCellOf(target, cell->list, cell->row, cell->column, cell->before);
        } else if (const auto* rows = std::get_if<RowsChange>(&*it)) {
            ApplyRows(target.results, *rows, !rows->inserted);
        } else {
            const auto& reset = std::get<ResetChange>(*it);
            ApplyReset(target.results, reset.beforeMode, reset.before);
        }
    }
    for (const CounterChange& counter : step.counters) {
        SetCounterValue(target.state, counter.kind, counter.car, counter.before);
    }
}

}  // namespace vantrel
