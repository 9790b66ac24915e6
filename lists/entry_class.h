#pragma once
// The class of a car as the entry list keeps it: a short text that the entry file can hold
// as one field, so that every line reads back into the same columns.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The most characters a class holds.
inline constexpr int32_t kClassMaxChars = 8;

// `text` as a class: each comma becomes the full-width "，" (as a typed one does), characters
// CP932 cannot hold are left out, and only the first kClassMaxChars characters are kept.
// `changed` (may be null) tells whether anything had to be left out.
std::string StorableClass(std::string_view text, bool* changed = nullptr);

}  // namespace vantrel
