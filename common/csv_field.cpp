#include "common/csv_field.h"

#include "common/cp932.h"

namespace vantrel {

std::string NextCsvField(std::string& text) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
        std::string field = std::move(text);
        text.clear();
        return field;
    }
    std::string field = text.substr(0, comma);
    text.erase(0, comma + 1);
    return field;
}

std::string JoinCsvFields(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += fields[i];
    }
    return line;
}

StorableField MakeStorableField(std::string_view typed) {
    StorableField field;
    field.text.reserve(typed.size());
    for (const char c : typed) {
        if (c == ',') {
            field.text += "\xEF\xBC\x8C";  // U+FF0C "，"
        } else {
            field.text += c;
        }
    }
    field.refused = FirstCharWithoutCp932Form(field.text);
    return field;
}

}  // namespace vantrel
