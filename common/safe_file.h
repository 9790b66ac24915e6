#pragma once
// Whole-file reads and crash-safe writes: every file the program writes goes to a temporary
// file beside the target and is renamed over it, so the old file stays whole on any failure.
// Thread rule: any thread.

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

struct IoResult {
    bool ok = true;
    std::string error;    // the platform's error text, with the file name, when !ok
    std::string warning;  // when ok: something the reader should be told (file and line)

    explicit operator bool() const { return ok; }
    static IoResult Success() { return {}; }
    static IoResult Failure(std::string message) { return {false, std::move(message), {}}; }
};

// Reads the whole file into `bytes`; on failure `bytes` is left unchanged.
IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames
// it over `path`. An existing file the user may not write (or that has no write permission
// at all) is refused with the system's reason; a replaced file keeps its mode. On failure
// the old file is untouched and the temporary file removed.
IoResult WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vantrel
