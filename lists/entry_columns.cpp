#include "lists/entry_columns.h"

#include <algorithm>

namespace vantrel {

EntryTextColumns ShareWithClass(int32_t nameWidth, int32_t modelWidth, int32_t classWanted) {
    const int32_t whole = std::max(nameWidth, 0) + std::max(modelWidth, 0);
    EntryTextColumns columns;
    columns.cls = std::clamp(classWanted, 0, whole / 3);
    const int32_t rest = whole - columns.cls;
    columns.name = rest / 2;
    columns.model = rest - columns.name;
    return columns;
}

}  // namespace vantrel
