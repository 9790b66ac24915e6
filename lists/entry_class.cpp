#include "lists/entry_class.h"

#include "common/cp932.h"
#include "common/csv_field.h"

namespace vantrel {

namespace {
// Bytes of the UTF-8 character that starts at `at` (a stray byte counts as one).
size_t CharLength(std::string_view text, size_t at) {
    size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return end - at;
}
}  // namespace

std::string StorableClass(std::string_view text, bool* changed) {
    const std::string commaFree = MakeStorableField(text).text;
    std::string kept;
    int32_t chars = 0;
    bool cut = false;
    for (size_t at = 0; at < commaFree.size();) {
        const size_t length = CharLength(commaFree, at);
        const std::string_view character(commaFree.data() + at, length);
        at += length;
        if (FirstCharWithoutCp932Form(character)) {
            cut = true;
        } else if (chars == kClassMaxChars) {
            cut = true;
            break;
        } else {
            kept.append(character);
            ++chars;
        }
    }
    if (changed != nullptr) {
        *changed = cut;
    }
    return kept;
}

}  // namespace vantrel
