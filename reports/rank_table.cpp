#include "reports/rank_table.h"

#include <utility>

namespace vantrel {

void RankTable::Clear() {
    entries_.fill(RankEntry{});
    indexOfCar_.fill(-1);
    used_ = 0;
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
    return used_++;
}

void RankTable::SwapCarAndKey(int32_t a, int32_t b) {
    std::swap(entries_[a].Car, entries_[b].Car);
    std::swap(entries_[a].Key, entries_[b].Key);
    indexOfCar_[entries_[a].Car] = a;
    indexOfCar_[entries_[b].Car] = b;
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

void RankTable::SortByLaps(int32_t changed) {
    // The insertion pass keeps scanning through runs of equal laps, which makes it quadratic
    // when most cars are on the same lap. When only the changed entry is out of place (and no
    // Key is 0, which the pass treats specially) moving that entry gives the very same order.
    if (OnlyEntryOutOfLapOrder(changed)) {
        MoveIntoLapOrder(changed);
    } else {
        InsertionPassByLaps();
    }
}

bool RankTable::OnlyEntryOutOfLapOrder(int32_t changed) const {
    if (changed < 0 || changed >= used_) {
        return false;
    }
    int32_t previous = -1;
    for (int32_t i = 0; i < used_; ++i) {
        if (entries_[i].Key == 0) {
            return false;
        }
        if (i == changed) {
            continue;
        }
        if (previous >= 0 && !InLapOrder(previous, i)) {
            return false;
        }
        previous = i;
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
