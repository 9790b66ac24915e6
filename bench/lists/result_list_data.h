#pragma once
// A realistic result file for the list benchmarks: GYMKHANA rows with Japanese names.
// Thread rule: any thread.

#include <filesystem>
#include <string>
#include <vector>

#include "common/text_file.h"

namespace vantrel::bench {

inline std::vector<std::string> ResultCells(int row) {
    const int car = row % 199 + 1;
    return {std::to_string(car),
            "山田 太郎" + std::to_string(car),
            "ｼﾋﾞｯｸ EK9",
            std::to_string(row % 4),
            "01:23.456",
            row % 50 == 0 ? "(Timeout)" : "",
            "00:31.250",
            "00:58.004",
            std::to_string(row / 199 + 1)};
}

// Writes `rows` result lines to a file in the temporary folder and returns its path.
inline std::filesystem::path WriteResultFile(int rows) {
    std::vector<std::string> lines;
    lines.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (const std::string& cell : ResultCells(row)) {
            line += cell + ",";
        }
        line.pop_back();
        lines.push_back(std::move(line));
    }
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vantrel-bench-" + std::to_string(rows) + ".csv");
    WriteCp932Lines(path, lines);
    return path;
}

}  // namespace vantrel::bench
