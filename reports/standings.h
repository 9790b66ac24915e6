#pragma once
// The standings of the race mode in force: the List page (each car's latest times), the Rank
// page (the cars in order) and the ranking table behind it, fed result by result or rebuilt
// from the result list (standings_rebuild.h).
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lists/entry_table.h"
#include "reports/list_page.h"
#include "reports/rank_page.h"
#include "reports/rank_table.h"
#include "reports/time_style.h"

namespace vantrel {

// How the Rank page is ordered: by laps then total (common start) or by best time.
enum class RankOrder : int32_t { kNone, kByLaps, kByBestTime };

// The "Behind" text of row `row` (2 and below) of a Rank page whose row 1 is the leader;
// `leaderBest` is the leader's best time in ms, used in best-time order. Throws
// ConversionError when a "Lap" cell read in lap order is not an integer.
std::string RankBehind(RankOrder order, const RankPage& page, int32_t row, int32_t leaderBest,
                       const TimeStyle& style);

class Standings {
public:
    // Names and models are copied from `entries`, which must outlive the standings.
    explicit Standings(const EntryTable& entries);

    // Headings of both pages, all rows emptied, every ranking entry freed. (The scoreboard
    // belongs to the window and is reset there.)
    void ResetRecord();
    // As ResetRecord without rewriting the headings.
    void ClearRecord();

    // One result of every mode but common-start counting: `time` in ms, -1 for a miss-course;
    // `count` is the run or lap number and `row` the result-list row it came from (0: none).
    // Throws ConversionError when the car's "BestLap" cell does not read back as a time;
    // nothing has changed then. Cars outside 1-199 are ignored.
    void AddResult(int32_t car, int32_t time, int32_t count, const TimeStyle& style,
                   int32_t row = 0);
    // One completed lap in common-start counting; times in ms. Throws as AddResult.
    void AddCommonStartLap(int32_t car, int32_t lastLap, int32_t total, int32_t laps,
                           const TimeStyle& style);

    // While held, the Rank page is refilled once at ReleaseRefill instead of after every
    // common-start lap: a received block books hundreds of laps at a time. Holds nest.
    // ReleaseRefill, and AddResult while held, throw ConversionError when a shown time does
    // not read back.
    void HoldRefill() { ++holds_; }
    void ReleaseRefill();

    const ListPage& List() const { return list_; }
    const RankPage& Rank() const { return rank_; }
    const RankTable& Table() const { return table_; }
    const EntryTable& Entries() const { return entries_; }
    // The result-list row whose time is the car's "BestLap" in best-time order; 0 for none.
    int32_t BestRow(int32_t car) const {
        return car >= 1 && car < ListPage::kRows ? bestRows_[car] : 0;
    }
    // The order and time style the Rank page was last filled under (kNone while it is empty).
    RankOrder ShownOrder() const { return shownOrder_; }
    const TimeStyle& ShownStyle() const { return shownStyle_; }

private:
    using Order = RankOrder;

    // What a row's "Behind" is measured from; a change rewrites every "Behind".
    struct Basis {
        Order order = Order::kNone;
        TimeStyle style;
        int32_t leaderCar = 0;
        uint64_t leaderStamp = 0;
        int32_t bestKey = 0;
        bool operator==(const Basis&) const = default;
    };
    // What a Rank row was last filled from.
    struct Shown {
        int32_t car = 0;
        uint64_t stamp = 0;
    };

    void CopyNameAndModel(int32_t car);
    void MarkChanged(int32_t car);
    void RefillUnlessHeld(Order order, const TimeStyle& style);
    void RefillHeld();
    void Refill(Order order, const TimeStyle& style);
    void RefreshRow(int32_t index, Order order, const TimeStyle& style, bool basisChanged);
    void FillRow(int32_t row, int32_t car);
    std::string Behind(Order order, int32_t row, const TimeStyle& style) const;
    void ForgetShownRows();

    const EntryTable& entries_;
    ListPage list_;
    RankPage rank_;
    RankTable table_;
    std::array<Shown, RankPage::kRows> shown_;
    std::array<int32_t, ListPage::kRows> bestRows_{};
    Basis shownBasis_;
    Order shownOrder_ = Order::kNone;
    TimeStyle shownStyle_;
    // Cars whose List row may have changed since the last refill.
    std::array<bool, ListPage::kRows> changed_{};
    std::vector<int32_t> changedCars_;
    int32_t holds_ = 0;
    // The refill a hold put off, if any.
    std::optional<std::pair<Order, TimeStyle>> heldRefill_;
};

}  // namespace vantrel
