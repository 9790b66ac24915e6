#pragma once
// How the entry grid's "Name" and "Model" columns share their width with the "Class" column
// when it is shown.
// Thread rule: any thread (pure functions).

#include <cstdint>

namespace vantrel {

struct EntryTextColumns {
    int32_t name = 0;
    int32_t model = 0;
    int32_t cls = 0;
};

// The three widths out of the width that "Name" and "Model" have between them: "Class" gets
// `classWanted` but never more than a third, and the other two halve the rest as they halve
// the whole without it. Widths below zero count as zero; the three add up to the whole.
EntryTextColumns ShareWithClass(int32_t nameWidth, int32_t modelWidth, int32_t classWanted);

}  // namespace vantrel
