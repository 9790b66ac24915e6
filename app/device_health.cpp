#include "app/device_health.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace vantrel {

int DeviceHealth::Update(const HealthReadings& readings, int64_t wallMs) {
    int changed = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (first_ || !(rows_[i].reading == readings[i])) {
            rows_[i].reading = readings[i];
            rows_[i].changedMs = wallMs;
            ++changed;
        }
    }
    first_ = false;
    return changed;
}

bool DeviceHealth::AnyFault() const {
    return std::any_of(rows_.begin(), rows_.end(),
                       [](const HealthRow& row) { return row.reading.fault; });
}

std::string LocalClockText(int64_t wallMs) {
    const std::time_t seconds = static_cast<std::time_t>(wallMs / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

}  // namespace vantrel
