#include "common/text_file.h"

#include "common/cp932.h"
#include "common/ui_text.h"

namespace vantrel {

namespace {
// %1 the file's name, %2 the line's number.
constexpr UiText kFileLine = VANTREL_TEXT("text file", "%1 の %2 行目");
// %1 the place of the line (kFileLine).
constexpr UiText kUnreadableBytes = VANTREL_TEXT("text file",
                                                 "%1に文字として読めないバイトがあります。その文字"
                                                 "は � と表示され、保存すると \"?\" になります。");
}  // namespace

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
    int32_t firstInvalid = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        bool invalid = false;
        raw[i] = Cp932ToUtf8(raw[i], invalid);
        if (invalid && firstInvalid == 0) {
            firstInvalid = static_cast<int32_t>(i + 1);
        }
    }
    lines = std::move(raw);
    if (firstInvalid != 0) {
        result.warning = Translated(kUnreadableBytes, {FileLinePlace(path, firstInvalid)});
    }
    return result;
}

std::string QuoteForMessage(std::string_view utf8) {
    size_t end = 0;
    for (size_t chars = 0; end < utf8.size(); ++chars) {
        if (chars == kQuoteChars) {
            return std::string(utf8.substr(0, end)) + "\xE2\x80\xA6";  // U+2026, in every language
        }
        ++end;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return std::string(utf8);
}

std::string FileLinePlace(const std::filesystem::path& path, int32_t line) {
    const std::u8string name = path.filename().u8string();
    return Translated(
        kFileLine, {QuoteForMessage(std::string(name.begin(), name.end())), std::to_string(line)});
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
