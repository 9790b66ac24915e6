#include "app/serial_output_sink.h"

namespace vantrel {

void SerialOutputSink::ResultBooked(const BookedResult& result, int32_t /*row*/) {
    if (!session_.serialOutputOn || status_ == Status::kPortClosed) {
        return;
    }
    std::string error;
    if (transmit_(result.display.time + "\r", &error)) {
        SetStatus(Status::kSending, {});
    } else {
        SetStatus(Status::kWriteFailed, error.empty() ? "write failed" : std::move(error));
    }
}

void SerialOutputSink::SetPortOpen(bool open) {
    SetStatus(open ? Status::kSending : Status::kPortClosed, {});
}

void SerialOutputSink::SetStatus(Status status, std::string error) {
    if (status == status_ && error == lastError_) {
        return;
    }
    status_ = status;
    lastError_ = std::move(error);
    if (changed_) {
        changed_();
    }
}

}  // namespace vantrel
