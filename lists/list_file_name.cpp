#include "lists/list_file_name.h"

namespace vantrel {

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path ListFileName::FullPath() const {
    return PathFromUtf8(folder) / PathFromUtf8(name);
}

ListFileName RememberedFileName(const std::filesystem::path& path) {
    return {Utf8FromPath(path.parent_path()), Utf8FromPath(path.filename())};
}

}  // namespace vantrel
