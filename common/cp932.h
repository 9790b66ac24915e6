#pragma once
// Conversion between the program's UTF-8 texts and the CP932 bytes of its files.
// Thread rule: any thread.

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// CP932 bytes to UTF-8. Bytes that form no CP932 character become U+FFFD; never fails.
std::string Cp932ToUtf8(std::string_view cp932);
// As above; `hadInvalid` tells whether any byte had to be replaced.
std::string Cp932ToUtf8(std::string_view cp932, bool& hadInvalid);

// UTF-8 to CP932 bytes. Characters CP932 cannot hold (and invalid UTF-8) become "?".
std::string Utf8ToCp932(std::string_view utf8);

// The first character of `utf8` that CP932 cannot hold (its UTF-8 bytes), or nullopt when
// the whole text can be stored.
std::optional<std::string> FirstCharWithoutCp932Form(std::string_view utf8);

}  // namespace vantrel
