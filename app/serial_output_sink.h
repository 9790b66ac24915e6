#pragma once
// The "RS232C" output: while serial output is on in the session state, every booked result's
// time text goes out followed by one carriage return, and nothing else. The sink also knows
// whether the output is really sending, so the box can show it: not while the port is closed
// (a session stop closes it and leaves the box ticked), and not after a write failed until a
// later write goes out or the port is opened again.
// Thread rule: GUI thread only.

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "common/session_state.h"
#include "lists/result_sink.h"

namespace vantrel {

class SerialOutputSink final : public ResultSink {
public:
    // Writes bytes to the serial port (in the program, the receiver's port); false, with the
    // reason in `error`, when they did not all go out.
    using Transmit = std::function<bool(std::string_view bytes, std::string* error)>;
    // Told after every change of Status() or LastError().
    using Changed = std::function<void()>;

    enum class Status {
        kPortClosed,   // nothing is sent: the port is not open (the state at first)
        kSending,      // the port is open and the latest write went out
        kWriteFailed,  // the latest write failed (LastError says why)
    };

    // The session must outlive the sink.
    SerialOutputSink(const SessionState& session, Transmit transmit, Changed changed = {})
        : session_(session), transmit_(std::move(transmit)), changed_(std::move(changed)) {}

    void ResultBooked(const BookedResult& result, int32_t row) override;
    // The port was opened or closed.
    void SetPortOpen(bool open);
    Status CurrentStatus() const { return status_; }
    const std::string& LastError() const { return lastError_; }

private:
    void SetStatus(Status status, std::string error);

    const SessionState& session_;
    Transmit transmit_;
    Changed changed_;
    Status status_ = Status::kPortClosed;
    std::string lastError_;
};

}  // namespace vantrel
