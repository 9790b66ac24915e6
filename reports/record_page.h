#pragma once
// The pages of the record window, in tab order, and what each shows of the tool buttons.
// Thread rule: any thread (plain values).

#include <cstdint>

namespace vantrel {

enum class RecordPage : int32_t { kRank = 0, kList = 1, kDisplay = 2 };

// The export and print tool buttons (`SpeedButton1`, `SpeedButton2`) are for the grid pages.
constexpr bool RecordToolsVisible(RecordPage page) {
    return page != RecordPage::kDisplay;
}

}  // namespace vantrel
