#pragma once
// The fuzz targets read bytes exactly as a list file load does: split into lines, then each
// line from CP932 to UTF-8.
// Thread rule: any thread.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/text_file.h"

namespace vantrel::fuzz {

inline std::vector<std::string> DecodeLines(const std::string& bytes) {
    std::vector<std::string> lines = SplitLines(bytes);
    for (std::string& line : lines) {
        line = Cp932ToUtf8(line);
    }
    return lines;
}

// Stops the run with a message libFuzzer reports as a crash.
inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

}  // namespace vantrel::fuzz
