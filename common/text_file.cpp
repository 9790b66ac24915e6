#include "common/text_file.h"

#include "common/cp932.h"

namespace vantrel {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

IoResult ReadCp932Lines(const std::filesystem::path& path, std::vector<std::string>& lines) {
    std::string bytes;
    IoResult result = ReadWholeFile(path, bytes);
    if (!result) {
        return result;
    }
    // Split before converting: CP932 trail bytes never take the values of CR or LF.
    std::vector<std::string> raw = SplitLines(bytes);
    for (auto& line : raw) {
        line = Cp932ToUtf8(line);
    }
    lines = std::move(raw);
    return result;
}

std::string EncodeCp932Lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += Utf8ToCp932(line);
        bytes += "\r\n";
    }
    return bytes;
}

IoResult WriteCp932Lines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return WriteFileAtomic(path, EncodeCp932Lines(lines));
}

}  // namespace vantrel
