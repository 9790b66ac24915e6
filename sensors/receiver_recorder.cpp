#include "sensors/receiver_recorder.h"

#include "sensors/receiver_script.h"
#include "sensors/script_file.h"

namespace vantrel {

IoResult ReceiverRecorder::Begin(const std::filesystem::path& path,
                                 const std::vector<std::string>& comments, uint32_t openTick) {
    End();
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_) {
        return IoResult::Failure("cannot write " + path.string());
    }
    path_ = path;
    origin_ = openTick;
    for (const std::string& comment : comments) {
        out_ << "# " << comment << '\n';
    }
    out_.flush();
    return IoResult::Success();
}

void ReceiverRecorder::Add(const ReceivedBlock& block) {
    if (!out_.is_open()) {
        return;
    }
    const uint32_t atMs = block.tick - origin_;
    switch (block.kind) {
        case ReceivedKind::kBytes:
            out_ << ReceiverScriptLine(atMs, block.bytes.data(), block.count) << '\n';
            break;
        case ReceivedKind::kLinkLost:
            out_ << "# " << atMs << " link lost: "
                 << std::string(block.bytes.begin(), block.bytes.begin() + block.count) << '\n';
            break;
        case ReceivedKind::kBytesLost:
            out_ << "# " << atMs << " " << block.lost << " bytes lost\n";
            break;
        case ReceivedKind::kLinkBack:
            out_ << "# " << atMs << " link back\n";
            break;
    }
    out_.flush();  // a recording is most useful after a crash
}

IoResult ReceiverRecorder::End() {
    return EndRecording(out_, path_);
}

}  // namespace vantrel
