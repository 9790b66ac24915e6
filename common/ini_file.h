#pragma once
// The settings file with the rules of the platform's private-profile functions: section and
// key names compare case-insensitively, a missing file or key gives the caller's default,
// an integer value that is not a number reads 0, strings are cut to 255 characters, values
// are written as decimal text. The file is CP932 with CR LF lines.
// Thread rule: GUI thread only (one owner at a time; nothing keeps the file open).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/safe_file.h"

namespace vantrel {

class IniFile {
public:
    // Reads the file if it exists; a missing or unreadable file reads as empty.
    explicit IniFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path_; }

    // Leading blanks, optional sign and decimal digits are read, the rest is ignored
    // ("12abc" reads 12, "abc" reads 0). A missing key gives `fallback`.
    int32_t ReadInt(std::string_view section, std::string_view key, int32_t fallback) const;
    // The value with surrounding blanks removed (and one pair of surrounding quotes), at most
    // 255 characters; a missing key gives `fallback`.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    // Changes are kept in memory until Save(). The value is written as given; one that begins
    // and ends with the same quote is put in quotes, so that it reads back whole.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInt(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);  // "1"/"0"

    // Writes the whole file crash-safe. A failure (read-only folder, full disk) leaves the
    // old file whole and is reported, never thrown.
    IoResult Save() const;

private:
    struct Line {
        std::string text;     // the line as read or as made, UTF-8
        std::string section;  // section it belongs to ("" before the first section)
        std::string key;      // key of a key line, else empty
    };
    const Line* Find(std::string_view section, std::string_view key) const;

    std::filesystem::path path_;
    std::vector<Line> lines_;
};

// A number setting: like ReadInt, but a value that does not start with a number ("zzz") gives
// `fallback`, as a missing key does, so that it is shown and written back as the default.
int32_t ReadNumber(const IniFile& ini, std::string_view section, std::string_view key,
                   int32_t fallback);

// The item index of a list of `items` entries; an index outside the list, or no number, gives
// `fallback`.
int32_t ReadItemIndex(const IniFile& ini, std::string_view section, std::string_view key,
                      int32_t fallback, int32_t items);

}  // namespace vantrel
