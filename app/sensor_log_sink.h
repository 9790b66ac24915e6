#pragma once
// Saves the sensor log after every booked result while the options ask for it
// ("SensorLog.txt を書き出す"), so that the file on disk always reaches the last finish.
// Thread rule: GUI thread only.

#include "common/setup_settings.h"
#include "lists/result_sink.h"
#include "sensors/sensor_log.h"

namespace vantrel {

class SensorLogSink final : public ResultSink {
public:
    // Both must outlive the sink; the settings are read at every booking.
    SensorLogSink(const SetupSettings& setup, SensorLog& log) : setup_(setup), log_(log) {}

    void ResultBooked(const BookedResult& result, int32_t row) override;

private:
    const SetupSettings& setup_;
    SensorLog& log_;
};

}  // namespace vantrel
