#pragma once
// The ranking table behind the Rank page: 200 entries whose used ones form a prefix, one per
// ranked car, kept in rank order by one of two insertion sorts.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <utility>

namespace vantrel {

struct RankEntry {
    int32_t Car = 0;    // car number; 0 marks a free entry
    int32_t Key = 0;    // common start: laps completed; other modes: best time in ms
    int32_t Total = 0;  // common start: total time in ms; unused otherwise

    bool operator==(const RankEntry&) const = default;
};

class RankTable {
public:
    static constexpr int32_t kEntries = 200;

    RankTable() { Clear(); }

    // Frees every entry.
    void Clear();

    // The car's entry, or else the first free one, which it takes; -1 for a car outside
    // 1-199 or when every entry is used.
    int32_t EntryFor(int32_t car);

    const RankEntry& operator[](int32_t index) const { return entries_[index]; }
    // Sets Key (and Total) of an entry found by EntryFor.
    void SetKey(int32_t index, int32_t key);
    void SetTotal(int32_t index, int32_t total);

    int32_t UsedCount() const { return used_; }
    // The car's entry, or -1.
    int32_t IndexOf(int32_t car) const;

    // Positions [first, last] whose car may have changed since the last call (first > last
    // when none), then starts recording afresh.
    std::pair<int32_t, int32_t> TakeMovedRange();

    // Laps descending, then total ascending; equal pairs keep their order. Moves all fields.
    void SortByLaps();
    // Best time ascending; equal times keep their order. Moves Car and Key only.
    void SortByBestTime();

private:
    void SwapCarAndKey(int32_t a, int32_t b);
    void SwapEntries(int32_t a, int32_t b);
    bool InLapOrder(int32_t upper, int32_t lower) const;
    void Touch(int32_t index);
    void NoteMoved(int32_t index);
    bool IsInLapOrder() const;
    void MoveIntoLapOrder(int32_t changed);
    void InsertionPassByLaps();

    std::array<RankEntry, kEntries> entries_;
    std::array<int32_t, kEntries> indexOfCar_;  // -1 when the car has no entry
    int32_t used_ = 0;
    int32_t movedFirst_ = kEntries;
    int32_t movedLast_ = -1;
    // Since the last sort: no entry changed (-1), one entry changed (its index), or more (-2).
    int32_t touched_ = -1;
    // The last sort left every used entry in lap order, none with Key 0.
    bool lapOrdered_ = true;
};

}  // namespace vantrel
