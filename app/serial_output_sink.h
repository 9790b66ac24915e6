#pragma once
// The "RS232C" output: while the box is ticked and the port is open, every booked result's
// time text goes out followed by one carriage return, and nothing else.
// Thread rule: GUI thread only.

#include <functional>

#include "lists/result_sink.h"

namespace vantrel {

class ReceiverHub;

class SerialOutputSink final : public ResultSink {
public:
    // `ticked` tells whether the "RS232C" box is ticked; the hub must outlive the sink.
    SerialOutputSink(ReceiverHub& port, std::function<bool()> ticked)
        : port_(port), ticked_(std::move(ticked)) {}

    void ResultBooked(const BookedResult& result, int32_t row) override;

private:
    ReceiverHub& port_;
    std::function<bool()> ticked_;
};

}  // namespace vantrel
