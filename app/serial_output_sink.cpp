#include "app/serial_output_sink.h"

namespace vantrel {

void SerialOutputSink::ResultBooked(const BookedResult& result, int32_t /*row*/) {
    if (session_.serialOutputOn) {
        transmit_(result.display.time + "\r");
    }
}

}  // namespace vantrel
