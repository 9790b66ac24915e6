#pragma once
// The announcer as an output of every booking: the time is queued when the booking asks for it
// and voice is on in the session state (gymkhana runs drop a time when the ring is full,
// circuit laps wait in its free slot to be overwritten).
// Thread rule: GUI thread only.

#include "common/session_state.h"
#include "lists/result_sink.h"
#include "voice/announcer.h"

namespace vantrel {

class AnnouncerSink final : public ResultSink {
public:
    // Both must outlive the sink.
    AnnouncerSink(CSound& sound, const SessionState& session) : sound_(sound), session_(session) {}

    void ResultBooked(const BookedResult& result, int32_t row) override;

private:
    CSound& sound_;
    const SessionState& session_;
};

}  // namespace vantrel
