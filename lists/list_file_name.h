#pragma once
// The file a list was last loaded from or saved to: the folder the list's dialogs start in
// and the name they propose, and the label text that shows it.
// Thread rule: any thread (plain values and pure functions).

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

// Paths cross into the program as UTF-8 texts.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

struct ListFileName {
    std::string folder;  // UTF-8; "" = no folder chosen yet (the working folder)
    std::string name;    // file name without folder, UTF-8

    // The name between double-quote characters, as the file labels show it.
    std::string Label() const { return "\"" + name + "\""; }
    // Where a save without dialog writes: the name in the remembered folder.
    std::filesystem::path FullPath() const;

    bool operator==(const ListFileName&) const = default;
};

// The folder and name to remember after `path` was loaded or saved.
ListFileName RememberedFileName(const std::filesystem::path& path);

}  // namespace vantrel
