#include "reports/standings.h"

#include <string>

#include "common/numbers.h"
#include "lists/list_texts.h"

namespace vantrel {

namespace {

bool IsCar(int32_t car) {
    return car >= 1 && car < ListPage::kRows;
}

}  // namespace

Standings::Standings(const EntryTable& entries) : entries_(entries) {
    ResetRecord();
}

void Standings::ResetRecord() {
    list_.WriteHeadings();
    rank_.WriteHeadings();
    ClearRecord();
}

void Standings::ClearRecord() {
    list_.ClearRows();
    rank_.ClearRows();
    table_.Clear();
    bestRows_.fill(0);
    ForgetShownRows();
}

void Standings::ForgetShownRows() {
    shown_.fill(Shown{});
    shownBasis_ = Basis{};
    shownOrder_ = Order::kNone;
    shownStyle_ = TimeStyle{};
    changed_.fill(false);
    changedCars_.clear();
    heldRefill_.reset();
}

void Standings::RefillUnlessHeld(Order order, const TimeStyle& style) {
    if (holds_ > 0) {
        heldRefill_.emplace(order, style);
    } else {
        Refill(order, style);
    }
}

void Standings::RefillHeld() {
    if (heldRefill_) {
        const auto [order, style] = *heldRefill_;
        heldRefill_.reset();
        Refill(order, style);
    }
}

void Standings::ReleaseRefill() {
    if (holds_ > 0 && --holds_ == 0) {
        RefillHeld();
    }
}

void Standings::MarkChanged(int32_t car) {
    if (!changed_[car]) {
        changed_[car] = true;
        changedCars_.push_back(car);
    }
}

void Standings::CopyNameAndModel(int32_t car) {
    MarkChanged(car);
    list_.SetText(ListPage::kName, car, entries_.Name(car));
    list_.SetText(ListPage::kModel, car, entries_.Model(car));
}

void Standings::AddResult(int32_t car, int32_t time, int32_t count, const TimeStyle& style,
                          int32_t row) {
    if (!IsCar(car)) {
        return;
    }
    // Only laps of a common start wait for a hold's end: a result here may leave the Rank
    // page alone, and must find it as it was after the laps before it.
    RefillHeld();
    if (time == -1) {
        // A miss-course never becomes a best time and never changes the ranking.
        CopyNameAndModel(car);
        list_.PushLast(car, kPenMissCourse);
        return;
    }
    // Read before anything changes, so that a failure leaves the row as it was.
    const int32_t best = ParseTimeText(list_.Cell(ListPage::kBestLap, car));
    CopyNameAndModel(car);
    const std::string last = TimeText(time, style);
    list_.PushLast(car, last);
    if (time >= best) {
        return;  // equal times keep the earlier best and its run number
    }
    list_.SetText(ListPage::kLap, car, std::to_string(count));
    list_.SetText(ListPage::kBestLap, car, last);
    bestRows_[car] = row;
    const int32_t index = table_.EntryFor(car);  // 199 cars always find an entry
    table_.SetKey(index, time);
    table_.SortByBestTime();
    Refill(Order::kByBestTime, style);
}

void Standings::AddCommonStartLap(int32_t car, int32_t lastLap, int32_t total, int32_t laps,
                                  const TimeStyle& style) {
    if (!IsCar(car)) {
        return;
    }
    const int32_t best = ParseTimeText(list_.Cell(ListPage::kBestLap, car));
    CopyNameAndModel(car);
    list_.SetText(ListPage::kTotal, car, TimeText(total, style));
    list_.SetText(ListPage::kLap, car, std::to_string(laps));
    const std::string last = TimeText(lastLap, style);
    list_.PushLast(car, last);
    if (lastLap < best) {
        list_.SetText(ListPage::kBestLap, car, last);
    }
    const int32_t index = table_.EntryFor(car);  // 199 cars always find an entry
    table_.SetKey(index, laps);
    table_.SetTotal(index, total);
    table_.SortByLaps();
    RefillUnlessHeld(Order::kByLaps, style);
}

}  // namespace vantrel
