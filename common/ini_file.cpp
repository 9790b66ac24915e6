#include "common/ini_file.h"

#include <algorithm>
#include <cctype>

#include "common/cp932.h"
#include "common/numbers.h"
#include "common/text_file.h"

namespace vantrel {

namespace {

constexpr size_t kMaxStringBytes = 255;  // the 256-byte buffer of the profile functions

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// What a value line gives back: blanks around the value and one pair of quotes removed.
std::string_view ValueOf(std::string_view stored) {
    std::string_view value = Trim(stored);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// A value that would lose its quotes when read back is stored in quotes of its own; the
// blanks around a value are dropped by reading, as the platform's functions do.
std::string Stored(std::string_view value) {
    if (ValueOf(value) == Trim(value)) {
        return std::string(value);
    }
    return "\"" + std::string(value) + "\"";
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Cuts a value to what the 256-byte buffer holds, never splitting a double-byte character.
std::string CutToBuffer(std::string_view utf8) {
    std::string bytes = Utf8ToCp932(utf8);
    if (bytes.size() <= kMaxStringBytes) {
        return std::string(utf8);
    }
    size_t end = 0;
    while (end < kMaxStringBytes) {
        const size_t step = IsCp932LeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        if (end + step > kMaxStringBytes) {
            break;
        }
        end += step;
    }
    bytes.resize(end);
    return Cp932ToUtf8(bytes);
}

}  // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
    std::vector<std::string> raw;
    if (!ReadCp932Lines(path_, raw)) {
        return;
    }
    std::string section;
    for (auto& text : raw) {
        Line line{std::move(text), {}, {}};
        const std::string_view trimmed = Trim(line.text);
        if (trimmed.size() >= 2 && trimmed.front() == '[') {
            const size_t close = trimmed.find(']');
            section = std::string(Trim(trimmed.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            line.section = section;
        } else {
            line.section = section;
            const size_t eq = trimmed.find('=');
            if (eq != std::string_view::npos && trimmed.front() != ';') {
                line.key = std::string(Trim(trimmed.substr(0, eq)));
            }
        }
        lines_.push_back(std::move(line));
    }
}

const IniFile::Line* IniFile::Find(std::string_view section, std::string_view key) const {
    for (const auto& line : lines_) {
        if (!line.key.empty() && SameName(line.key, key) && SameName(line.section, section)) {
            return &line;
        }
    }
    return nullptr;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return Find(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const Line* line = Find(section, key);
    if (line == nullptr) {
        return CutToBuffer(fallback);
    }
    const std::string_view text = line->text;
    return CutToBuffer(ValueOf(text.substr(text.find('=') + 1)));
}

int32_t IniFile::ReadInt(std::string_view section, std::string_view key, int32_t fallback) const {
    if (Find(section, key) == nullptr) {
        return fallback;
    }
    const std::string value = ReadString(section, key, "");
    // Like the platform's profile functions: decimal only ("0x10" reads 0), a non-number 0.
    return value.empty() ? fallback : LeadingInt(value).value_or(0);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string text = std::string(key) + "=" + Stored(value);
    int lastInSection = -1;
    for (size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        if (!SameName(line.section, section)) {
            continue;
        }
        if (!line.key.empty() && SameName(line.key, key)) {
            line.text = line.key + "=" + Stored(value);
            return;
        }
        // Remember where the section's content ends (after a header or a key line).
        if (!line.key.empty() || Trim(line.text).starts_with('[')) {
            lastInSection = static_cast<int>(i);
        }
    }
    Line added{text, std::string(section), std::string(key)};
    if (lastInSection >= 0) {
        lines_.insert(lines_.begin() + lastInSection + 1, std::move(added));
        return;
    }
    lines_.push_back({"[" + std::string(section) + "]", std::string(section), {}});
    lines_.push_back(std::move(added));
}

void IniFile::WriteInt(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

IoResult IniFile::Save() const {
    std::vector<std::string> texts;
    texts.reserve(lines_.size());
    for (const auto& line : lines_) {
        texts.push_back(line.text);
    }
    return WriteCp932Lines(path_, texts);
}

int32_t ReadNumber(const IniFile& ini, std::string_view section, std::string_view key,
                   int32_t fallback) {
    return LeadingInt(ini.ReadString(section, key, "")).value_or(fallback);
}

int32_t ReadItemIndex(const IniFile& ini, std::string_view section, std::string_view key,
                      int32_t fallback, int32_t items) {
    const int32_t index = ReadNumber(ini, section, key, fallback);
    return index >= 0 && index < items ? index : fallback;
}

}  // namespace vantrel
