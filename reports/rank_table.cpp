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

void RankTable::SortByLaps() {
    // Entries past the used prefix are free (Key 0) and never take part.
    for (int32_t n = 1; n < used_; ++n) {
        if (entries_[n].Key == 0) {
            continue;
        }
        for (int32_t i = n; i >= 1 && entries_[i - 1].Key <= entries_[i].Key; --i) {
            const RankEntry& upper = entries_[i - 1];
            const RankEntry& lower = entries_[i];
            if (upper.Key < lower.Key || upper.Total > lower.Total) {
                SwapCarAndKey(i - 1, i);
                std::swap(entries_[i - 1].Total, entries_[i].Total);
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
