#pragma once
// Reads the health of the main window's devices from the counters they keep: the parallel
// port, the USB adapter, the receiver, the sound device, the journal and the web server.
// Thread rule: GUI thread only.

#include "app/device_health.h"

namespace vantrel {

class TMainForm;

HealthReadings ReadDeviceHealth(TMainForm& window);

}  // namespace vantrel
