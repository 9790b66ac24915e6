#pragma once
// The device health window: one row per device (parallel port, USB adapter, receiver, sound
// device, journal, web server) with its state, the time it last changed and its counts of
// events, bytes and losses. A timer reads the devices' counters twice a second, also while
// the window is hidden, so that the change times are right when it is opened.
// Thread rule: GUI thread only.

#include <QWidget>
#include <cstdint>
#include <functional>

#include "app/device_health.h"

class QTableWidget;
class QTimer;

namespace vantrel {

class DeviceHealthWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPollMs = 500;

    // `read` gives the devices' readings now; `wallMs` the wall clock (ms since the epoch).
    DeviceHealthWindow(std::function<HealthReadings()> read, std::function<int64_t()> wallMs,
                       QWidget* parent);

    // Reads the devices and shows what changed (also run by the timer).
    void Poll();
    const DeviceHealth& Health() const { return health_; }

    QTableWidget* HealthGrid;

private:
    void ShowRow(int row);

    std::function<HealthReadings()> read_;
    std::function<int64_t()> wallMs_;
    DeviceHealth health_;
    QTimer* timer_;
};

}  // namespace vantrel
