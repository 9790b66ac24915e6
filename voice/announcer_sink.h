#pragma once
// The announcer as an output of every booking: the time is queued when the booking asks for it
// and "読み上げ" is ticked (gymkhana runs drop a time when the ring is full, circuit laps wait
// in its free slot to be overwritten).
// Thread rule: GUI thread only.

#include <functional>

#include "lists/result_sink.h"
#include "voice/announcer.h"

namespace vantrel {

class AnnouncerSink final : public ResultSink {
public:
    // `voiceTicked` tells whether "読み上げ" is ticked now. Both must outlive the sink.
    AnnouncerSink(CSound& sound, std::function<bool()> voiceTicked)
        : sound_(sound), voiceTicked_(std::move(voiceTicked)) {}

    void ResultBooked(const BookedResult& result, int32_t row) override;

private:
    CSound& sound_;
    std::function<bool()> voiceTicked_;
};

}  // namespace vantrel
