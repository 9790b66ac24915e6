#include "modes/start_list.h"

#include <algorithm>
#include <optional>

#include "common/numbers.h"
#include "common/race_mode.h"
#include "common/ui_text.h"
#include "modes/gymkhana_texts.h"

namespace vantrel {

std::string WaitingStatusText(int32_t car, bool running) {
    if (!running) {
        return Translated(kMsgPressStart);
    }
    return Translated(kWaitingCarText, {std::to_string(car)}) + Translated(kMsgReady);
}

int32_t StartList::Place(int32_t place) const {
    if (place < 1 || place > kPlaces) {
        return 0;
    }
    return queue_[place - 1];
}

void StartList::Reset() {
    queue_.fill(0);
    SetProposalNumber(1);
}

void StartList::Restore(std::string proposal, const std::array<int32_t, kPlaces>& queue) {
    for (int32_t place = 1; place <= kPlaces; ++place) {
        const int32_t car = queue[static_cast<size_t>(place - 1)];
        At(place) = car >= 0 && car <= kMaxCarNumber ? car : 0;
    }
    SetProposalText(std::move(proposal));
}

void StartList::SetProposalText(std::string text) {
    if (const std::optional<int32_t> value = StrToInt(text)) {
        lastProposalNumber_ = *value;
    }
    proposalText_ = std::move(text);
}

void StartList::SetProposalNumber(int32_t number) {
    SetProposalText(std::to_string(number));
}

void StartList::CompactStartList() {
    int32_t cursor = 1;
    for (int32_t round = 0; round < 3; ++round) {
        if (At(cursor) == 0) {
            for (int32_t place = cursor; place < kPlaces; ++place) {
                At(place) = At(place + 1);
            }
            At(kPlaces) = 0;
        } else {
            ++cursor;
        }
    }
}

int32_t StartList::NextStartCar() {
    CompactStartList();
    if (queue_[0] != 0) {
        return queue_[0];
    }
    return StrToIntDef(proposalText_, 1);
}

WaitingCarChoice StartList::RefreshWaitingCar(bool running) {
    WaitingCarChoice choice;
    choice.number = NextStartCar();
    if (choice.number < 1 || choice.number > kMaxCarNumber) {
        choice.number = kMaxCarNumber;
        SetProposalNumber(kMaxCarNumber);
        choice.proposalChanged = true;
    }
    choice.statusText = WaitingStatusText(choice.number, running);
    return choice;
}

AddCarOutcome StartList::AddCar() {
    AddCarOutcome outcome;
    const std::optional<int32_t> typed = StrToInt(proposalText_);
    if (!typed) {
        SetProposalNumber(lastProposalNumber_);
        outcome.refused = true;
        return outcome;
    }
    const int32_t car = (*typed < 0 || *typed > kMaxCarNumber) ? kMaxCarNumber : *typed;
    At(kPlaces) = car;
    CompactStartList();
    const int32_t next = (*typed >= kMaxCarNumber) ? 1 : *typed;
    SetProposalNumber(next + 1);
    if (next + 1 >= 1 && next + 1 <= kMaxCarNumber) {
        outcome.entryRow = next + 1;
    }
    return outcome;
}

int32_t StartList::CarStarted() {
    if (queue_[0] != 0) {
        queue_[0] = 0;
        CompactStartList();
        return 0;
    }
    const int32_t current = StrToIntDef(proposalText_, 0);
    SetProposalNumber(current < kMaxCarNumber ? current + 1 : 1);
    const int32_t row = StrToIntDef(proposalText_, 1);
    return (row >= 1 && row <= kMaxCarNumber) ? row : 0;
}

EditCommit StartList::CommitPlace(const PlaceEdit& edit, std::string_view text) {
    if (edit.place < 1 || edit.place > kPlaces || Place(edit.place) != edit.car) {
        return EditCommit::kMoved;
    }
    const std::optional<int32_t> value = StrToInt(text);
    if (!value) {
        return EditCommit::kNotANumber;
    }
    At(edit.place) = (*value < 0 || *value >= 200) ? kMaxCarNumber : *value;
    return EditCommit::kAccepted;
}

void StartList::ClearPlace(int32_t place) {
    if (place >= 1 && place <= kPlaces) {
        At(place) = 0;
    }
}

}  // namespace vantrel
