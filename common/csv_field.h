#pragma once
// Comma-separated fields without quoting, as the entry and result files hold them.
// Thread rule: any thread (pure functions).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Cuts the field before the first comma off `text` and returns it; `text` keeps what
// follows the comma. Without a comma the whole text is returned and `text` becomes empty.
std::string NextCsvField(std::string& text);

// Joins fields with "," and no quoting.
std::string JoinCsvFields(const std::vector<std::string>& fields);

// A typed field as the files can hold it, so that it reads back as it was shown: each comma
// becomes the full-width "，"; `refused` is the first character CP932 cannot hold, if any.
struct StorableField {
    std::string text;
    std::optional<std::string> refused;
};
StorableField MakeStorableField(std::string_view typed);

}  // namespace vantrel
