#include "reports/rank_table.h"

#include <algorithm>
#include <utility>

namespace vantrel {

void RankTable::Clear() {
    entries_.fill(RankEntry{});
    indexOfCar_.fill(-1);
    used_ = 0;
    touched_ = -1;
    lapOrdered_ = true;
    movedFirst_ = 0;
    movedLast_ = kEntries - 1;
}

int32_t RankTable::IndexOf(int32_t car) const {
    return car >= 1 && car < kEntries ? indexOfCar_[car] : -1;
}

void RankTable::NoteMoved(int32_t index) {
    movedFirst_ = std::min(movedFirst_, index);
    movedLast_ = std::max(movedLast_, index);
}

std::pair<int32_t, int32_t> RankTable::TakeMovedRange() {
    const std::pair<int32_t, int32_t> range{movedFirst_, movedLast_};
    movedFirst_ = kEntries;
    movedLast_ = -1;
    return range;
}

void RankTable::Touch(int32_t index) {
    if (touched_ == -1) {
        touched_ = index;
    } else if (touched_ != index) {
        touched_ = -2;
    }
}

void RankTable::SetKey(int32_t index, int32_t key) {
    entries_[index].Key = key;
    Touch(index);
}

void RankTable::SetTotal(int32_t index, int32_t total) {
    entries_[index].Total = total;
    Touch(index);
}

int32_t RankTable::EntryFor(int32_t car) {
    if (car < 1 || car >= kEntries) {
        return -1;
    }
    if (indexOfCar_[car] >= 0) {
        return indexOfCar_[car];
    }
    if (used_ == kEntries) {
        return -1;
    }
    entries_[used_].Car = car;
    indexOfCar_[car] = used_;
    Touch(used_);
    NoteMoved(used_);
    return used_++;
}

void RankTable::SwapCarAndKey(int32_t a, int32_t b) {
    std::swap(entries_[a].Car, entries_[b].Car);
    std::swap(entries_[a].Key, entries_[b].Key);
    indexOfCar_[entries_[a].Car] = a;
    indexOfCar_[entries_[b].Car] = b;
    NoteMoved(a);
    NoteMoved(b);
}

void RankTable::SwapEntries(int32_t a, int32_t b) {
    SwapCarAndKey(a, b);
    std::swap(entries_[a].Total, entries_[b].Total);
}

// True when `upper` may stay above `lower`: more laps, or as many laps and no larger total.
bool RankTable::InLapOrder(int32_t upper, int32_t lower) const {
    const RankEntry& u = entries_[upper];
    const RankEntry& l = entries_[lower];
    return u.Key > l.Key || (u.Key == l.Key && u.Total <= l.Total);
}

void RankTable::SortByLaps() {
    // The insertion pass keeps scanning through runs of equal laps, which makes it quadratic
    // when most cars are on the same lap. When the table was in lap order and one entry has
    // changed since (and no Key is 0, which the pass treats specially), moving that entry
    // gives the very same order.
    const int32_t changed = touched_;
    touched_ = -1;
    if (lapOrdered_ && changed == -1) {
        return;
    }
    if (lapOrdered_ && changed >= 0 && entries_[changed].Key != 0) {
        MoveIntoLapOrder(changed);
        return;
    }
    InsertionPassByLaps();
    lapOrdered_ = IsInLapOrder();
}

bool RankTable::IsInLapOrder() const {
    for (int32_t i = 0; i < used_; ++i) {
        if (entries_[i].Key == 0 || (i > 0 && !InLapOrder(i - 1, i))) {
            return false;
        }
    }
    return true;
}

void RankTable::MoveIntoLapOrder(int32_t changed) {
    int32_t i = changed;
    while (i > 0 && !InLapOrder(i - 1, i)) {
        SwapEntries(i - 1, i);
        --i;
    }
    if (i != changed) {
        return;
    }
    while (i + 1 < used_ && !InLapOrder(i, i + 1)) {
        SwapEntries(i, i + 1);
        ++i;
    }
}

void RankTable::InsertionPassByLaps() {
    // Entries past the used prefix are free (Key 0) and never take part.
    for (int32_t n = 1; n < used_; ++n) {
        if (entries_[n].Key == 0) {
            continue;
        }
        for (int32_t i = n; i >= 1 && entries_[i - 1].Key <= entries_[i].Key; --i) {
            const RankEntry& upper = entries_[i - 1];
            const RankEntry& lower = entries_[i];
            if (upper.Key < lower.Key || upper.Total > lower.Total) {
                SwapEntries(i - 1, i);
            }
        }
    }
}

void RankTable::SortByBestTime() {
    // Moving Car and Key without Total can break the lap order.
    lapOrdered_ = false;
    touched_ = -1;
    for (int32_t n = 1; n < used_; ++n) {
        if (entries_[n].Key == 0) {
            continue;
        }
        for (int32_t i = n; i >= 1 && entries_[i - 1].Key > entries_[i].Key; --i) {
            SwapCarAndKey(i - 1, i);
        }
    }
}

}  // namespace vantrel
