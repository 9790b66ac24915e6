#pragma once
// The "RS232C" output: while serial output is on in the session state, every booked result's
// time text goes out followed by one carriage return, and nothing else.
// Thread rule: GUI thread only.

#include <functional>
#include <string_view>
#include <utility>

#include "common/session_state.h"
#include "lists/result_sink.h"

namespace vantrel {

class SerialOutputSink final : public ResultSink {
public:
    // Writes bytes to the serial port if it is open (in the program, the receiver's port).
    using Transmit = std::function<void(std::string_view bytes)>;

    // The session must outlive the sink.
    SerialOutputSink(const SessionState& session, Transmit transmit)
        : session_(session), transmit_(std::move(transmit)) {}

    void ResultBooked(const BookedResult& result, int32_t row) override;

private:
    const SessionState& session_;
    Transmit transmit_;
};

}  // namespace vantrel
