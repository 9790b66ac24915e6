#pragma once
// The readers that take a path get the fuzz input as a file: one file in a folder of its own
// (in memory where /dev/shm exists), rewritten for every input and removed at exit.
// Thread rule: one thread (libFuzzer runs one input at a time per process).

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "fuzz/fuzz_lines.h"

namespace vantrel::fuzz {

class ScratchFile {
public:
    explicit ScratchFile(const std::string& name) {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const std::filesystem::path base =
            std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        std::string pattern = (base / "vantrel-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr, "a scratch folder");
        folder_ = pattern;
        path_ = folder_ / name;
    }
    ~ScratchFile() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    void Write(std::span<const uint8_t> bytes) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        Require(static_cast<bool>(out), "the scratch file is written");
    }

private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

}  // namespace vantrel::fuzz
