#pragma once
// The pages of the record window, in tab order, and what each shows of the tool buttons.
// Thread rule: any thread (plain values).

#include <cstdint>

namespace vantrel {

enum class RecordPage : int32_t { Rank = 0, List = 1, Display = 2 };

// The export and print tool buttons (`SpeedButton1`, `SpeedButton2`) are for the grid pages.
constexpr bool RecordToolsVisible(RecordPage page) {
    return page != RecordPage::Display;
}

}  // namespace vantrel
