#pragma once
// The gymkhana start queue (four places, place 1 starts next), the next-number proposal
// (Memo114) and the choice of the car that the next start pass starts.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/numbers.h"
#include "lists/entry_grid_scroll.h"

namespace vantrel {

// Status panel 0 while a car waits: "Car #<n> 計測準備完了" during a session, else the hint
// to press the start button.
std::string WaitingStatusText(int32_t car, bool running);

// What RefreshWaitingCar decided: the car the next start pass starts (waitingNumber and the
// course's waitingCar) and the status text; proposalChanged when Memo114 was rewritten.
struct WaitingCarChoice {
    int32_t number = 1;
    bool proposalChanged = false;
    std::string statusText;
};

// The outcome of the add button: refused input (message 109/110, the proposal shows its
// previous number again, nothing added), else the entry row to select (0 = none).
struct AddCarOutcome {
    bool refused = false;
    int32_t entryRow = 0;
};

// The outcome of committing a queue box's or a course box's edit.
enum class EditCommit {
    kAccepted,
    kNotANumber,  // message 109/110; the box shows what its place holds
    kMoved,       // the place no longer holds the car the edit began on: nothing changes
};

// The queue place and the car it held when the operator began editing its box.
struct PlaceEdit {
    int32_t place = 0;
    int32_t car = 0;
};

class StartList {
public:
    static constexpr int32_t kPlaces = 4;

    // Queue place 1..4 (Memo100, Memo111, Memo112, Memo113); 0 = empty.
    int32_t Place(int32_t place) const;
    std::string PlaceText(int32_t place) const { return std::to_string(Place(place)); }
    // The next-number box Memo114, as shown.
    const std::string& ProposalText() const { return proposalText_; }

    // Mode reset: empty queue, proposal "1".
    void Reset();
    // The operator typed into Memo114, or picked an entry row.
    void SetProposalText(std::string text);

    // Closes the gaps in three rounds; the remaining entries keep their order.
    void CompactStartList();
    // Place 1 if it holds a car, else the proposal (a non-number counts as 1).
    int32_t NextStartCar();
    // The car that starts next; an out-of-range choice becomes 199 and Memo114 shows it.
    WaitingCarChoice RefreshWaitingCar(bool running);

    // The add button (and Enter in Memo114): puts the proposal into place 4 and advances the
    // proposal (after 198 comes 199, after 199 comes 2). The caller refreshes afterwards.
    AddCarOutcome AddCar();
    // The waiting car has started: from the queue when place 1 holds a car, else from the
    // proposal, which advances (199 wraps to 1). Returns the entry row to select (0 = none).
    // The caller refreshes afterwards.
    int32_t CarStarted();
    // A queue box's edit begins on `place`.
    PlaceEdit BeginPlaceEdit(int32_t place) const { return {place, Place(place)}; }
    // A queue box's edit is committed: 0 removes the entry, < 0 or >= 200 stores 199. A text
    // that is no number is refused and the place keeps its number. When the queue moved on
    // while the operator typed, the edit is refused too, so it never lands on another car.
    EditCommit CommitPlace(const PlaceEdit& edit, std::string_view text);
    // "削除" on a queue box.
    void ClearPlace(int32_t place);
    // A session started again after a crash: the queue and the proposal as they were.
    void Restore(std::string proposal, const std::array<int32_t, kPlaces>& queue);
    const std::array<int32_t, kPlaces>& Queue() const { return queue_; }

private:
    void SetProposalNumber(int32_t number);
    int32_t& At(int32_t place) { return queue_[place - 1]; }

    std::array<int32_t, kPlaces> queue_{};
    std::string proposalText_ = "1";
    int32_t lastProposalNumber_ = 1;  // restored when a non-number is refused
};

}  // namespace vantrel
