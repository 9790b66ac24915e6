#pragma once
// The health of the devices a session depends on, as the health window lists them: each
// device's state and counts as last read, and when they last changed. Readings come from
// counters the devices keep; the tracker only compares them.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

enum class HealthDevice { kParallelPort, kUsbAdapter, kReceiver, kSound, kJournal, kWeb };
constexpr int kHealthDeviceCount = 6;

// What a device shows now. `fault`: the state is a failure the operator must look at.
struct HealthReading {
    std::string state;
    bool fault = false;
    uint64_t events = 0;
    uint64_t bytes = 0;
    uint64_t lost = 0;

    bool operator==(const HealthReading&) const = default;
};

struct HealthRow {
    HealthReading reading;
    int64_t changedMs = 0;  // wall clock, ms since the Unix epoch
};

using HealthReadings = std::array<HealthReading, kHealthDeviceCount>;

class DeviceHealth {
public:
    // Takes the readings of `wallMs`; a row whose reading differs from the previous one (or
    // the first reading of all) is changed at `wallMs`. Returns the rows that changed.
    int Update(const HealthReadings& readings, int64_t wallMs);
    const HealthRow& Row(HealthDevice device) const { return rows_[static_cast<size_t>(device)]; }
    // Whether any device is in a fault state now.
    bool AnyFault() const;

private:
    std::array<HealthRow, kHealthDeviceCount> rows_{};
    bool first_ = true;
};

// "HH:MM:SS" of `wallMs` in local time.
std::string LocalClockText(int64_t wallMs);

}  // namespace vantrel
