#pragma once
// Records a session for replay: every change of the input bytes the tick worked on (after the
// keyboard sensors), with its time since the first sample, in the simulation-script format.
// Played back by ScriptSource, the session runs through the same tick again.
// Thread rule: GUI thread only.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/safe_file.h"
#include "sensors/sensor_event.h"

namespace vantrel {

class SessionRecorder {
public:
    // Opens (replaces) the file and writes the comment lines of the header.
    IoResult Begin(const std::filesystem::path& path, const std::vector<std::string>& comments);
    // Writes the changed bytes of a LevelChange event; other events are ignored.
    void Add(const SensorEvent& event);
    IoResult End();
    bool IsRecording() const { return out_.is_open(); }

private:
    std::ofstream out_;
    std::filesystem::path path_;
    bool started_ = false;
    uint32_t origin_ = 0;
    uint8_t status_ = 0xFF;
    uint8_t data_ = 0xFF;
};

}  // namespace vantrel
