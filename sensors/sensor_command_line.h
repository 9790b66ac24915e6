#pragma once
// The sensor options of the command line: "--simulate FILE" plays a simulation script,
// "--replay FILE" plays a session recording (same format), "--record FILE" records every
// session for replay. The receiver's: "--receiver FILE" plays a receiver script or recording
// in place of the serial port, "--record-receiver FILE" records every opening of the receiver.
// Thread rule: any thread (pure function).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

struct SensorCommandLine {
    std::optional<std::filesystem::path> script;          // --simulate or --replay
    std::optional<std::filesystem::path> record;          // --record
    std::string error;                                    // "" when the arguments were understood
    std::optional<std::filesystem::path> receiverScript;  // --receiver
    std::optional<std::filesystem::path> receiverRecord;  // --record-receiver
    std::string receiverError;  // "" when the receiver options were understood
};

// Reads the sensor options from the arguments (argv without the program name); other
// arguments are left for their owners.
SensorCommandLine ParseSensorCommandLine(const std::vector<std::string>& arguments);

// The file of the n-th recorded session of a run: FILE itself for the first, then
// "<stem>-<n><extension>".
std::filesystem::path RecordingPathForSession(const std::filesystem::path& file, int session);

}  // namespace vantrel
