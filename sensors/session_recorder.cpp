#include "sensors/session_recorder.h"

#include <array>
#include <cstdio>

#include "sensors/script_file.h"

namespace vantrel {

namespace {
std::string StepLine(uint32_t atMs, const char* line, uint8_t value) {
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%u %s 0x%02X", atMs, line, value);
    return text.data();
}
}  // namespace

IoResult SessionRecorder::Begin(const std::filesystem::path& path,
                                const std::vector<std::string>& comments) {
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_) {
        return IoResult::Failure("cannot write " + path.string());
    }
    path_ = path;
    started_ = false;
    status_ = 0xFF;
    data_ = 0xFF;
    for (const std::string& comment : comments) {
        out_ << "# " << comment << '\n';
    }
    out_.flush();
    return IoResult::Success();
}

void SessionRecorder::Add(const SensorEvent& event) {
    if (!out_.is_open() || event.kind != SensorEventKind::kLevelChange) {
        return;
    }
    if (!started_) {
        started_ = true;
        origin_ = event.tick;
    }
    const uint32_t atMs = event.tick - origin_;
    if (event.statusByte != status_) {
        out_ << StepLine(atMs, "status", event.statusByte) << '\n';
    }
    if (event.dataByte != data_) {
        out_ << StepLine(atMs, "data", event.dataByte) << '\n';
    }
    status_ = event.statusByte;
    data_ = event.dataByte;
    out_.flush();  // a recording is most useful after a crash
}

IoResult SessionRecorder::End() {
    return EndRecording(out_, path_);
}

}  // namespace vantrel
