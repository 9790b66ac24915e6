#include "app/sensor_log_sink.h"

#include <filesystem>

namespace vantrel {

void SensorLogSink::ResultBooked(const BookedResult& /*result*/, int32_t /*row*/) {
    if (setup_.logfile) {
        // A log that cannot be written must not stop the timing; the next finish tries again.
        (void)log_.SaveNewLines(std::filesystem::current_path());
    }
}

}  // namespace vantrel
