#include "app/serial_output_sink.h"

#include "sensors/receiver_hub.h"

namespace vantrel {

void SerialOutputSink::ResultBooked(const BookedResult& result, int32_t /*row*/) {
    if (ticked_() && port_.IsOpen()) {
        port_.Transmit(result.display.time + "\r");
    }
}

}  // namespace vantrel
