#pragma once
// Records what the receiver delivered for replay: every block with its time since the port
// was opened, in the receiver-script format (codes written as 0xNN).
// Thread rule: GUI thread only.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/safe_file.h"
#include "sensors/received_block.h"

namespace vantrel {

class ReceiverRecorder {
public:
    // Opens (replaces) the file, writes the comment lines; times count from `openTick`.
    IoResult Begin(const std::filesystem::path& path, const std::vector<std::string>& comments,
                   uint32_t openTick);
    // Writes a kBytes block; other kinds become comment lines.
    void Add(const ReceivedBlock& block);
    IoResult End();
    bool IsRecording() const { return out_.is_open(); }

private:
    std::ofstream out_;
    std::filesystem::path path_;
    uint32_t origin_ = 0;
};

}  // namespace vantrel
