#pragma once
// One race mode's rules as the event drives them. The event holds one flow per mode and hands
// the one in force every sensor event, received block and digit key, so nothing above it
// switches on the mode; each flow owns its resets, its cars and what it makes of its input.
// Thread rule: GUI thread only.

#include <cstdint>
#include <vector>

#include "common/car_on_course.h"
#include "common/race_mode.h"
#include "common/setup_settings.h"
#include "sensors/sensor_event.h"

namespace vantrel {

class ModeFlow {
public:
    virtual ~ModeFlow() = default;

    virtual RaceMode Mode() const = 0;
    // The [Setup] settings in force changed (and, for the gymkhana, its pass counts).
    virtual void Configure(const SetupSettings& setup) = 0;
    // The mode reset of every session start and of entering the mode.
    virtual void ModeReset() = 0;
    // Session start, after the mode reset and once `running` is set.
    virtual void StartSession(uint32_t sessionStartTick) = 0;
    // Whether this session reads the sensors (the timing thread runs), and whether it opens
    // the USB adapter when that is the port chosen.
    virtual bool ReadsSensors() const = 0;
    virtual bool OpensUsbAdapter() const = 0;
    // Whether this session takes its input from the receiver on the serial port.
    virtual bool UsesReceiverPort() const { return false; }
    // Session stop, after the sensors have delivered their last events.
    virtual void StopSession() = 0;
    // Cars whose runs a stop would leave unfinished.
    virtual bool CarsRunning() const = 0;
    // A sensor event of this mode's session, in tick order.
    virtual void TakeSensorEvent(const SensorEvent& event) = 0;
    // Whether the result list's penalty buttons and "RS232C" serve this mode.
    virtual bool UsesResultButtons() const = 0;
    // Whether the standings show this mode's times in the drag style (seconds only).
    virtual bool ShowsDragTimes() const { return false; }
    // A digit key 0..9 pressed while a session runs and no grid or mask box takes it (the
    // window checks that); true when the mode used it as timing input.
    virtual bool TakeDigitKey(int /*digit*/) { return false; }
    // A block of receiver bytes that arrived at `tick` while this mode's tab is shown; the
    // mode may overwrite invalid bytes. Modes without a receiver drop them.
    virtual void TakeReceivedBytes(uint8_t* /*bytes*/, uint16_t /*count*/, uint32_t /*tick*/) {}
    // The cars on course now, and putting them back in a session started again after a crash
    // (same boot, so their start ticks still count). Modes that time no car on course have
    // none.
    virtual std::vector<CarOnCourse> CarsOnCourseNow() const { return {}; }
    virtual void PutBackOnCourse(const std::vector<CarOnCourse>& /*cars*/) {}
};

}  // namespace vantrel
