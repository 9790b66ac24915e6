#include "reports/rank_page.h"

namespace vantrel {

RankPage::RankPage() {
    WriteHeadings();
    ClearRows();
}

const std::string& RankPage::Cell(int32_t column, int32_t row) const {
    static const std::string kEmpty;
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        return kEmpty;
    }
    return cells_[row][column];
}

void RankPage::WriteHeadings() {
    static const char* const kHeadings[kColumns] = {
        VANTREL_TEXT("standings heading", "Rank").source,
        VANTREL_TEXT("standings heading", "Car").source,
        VANTREL_TEXT("standings heading", "Name").source,
        VANTREL_TEXT("standings heading", "Model").source,
        VANTREL_TEXT("standings heading", "BestLap").source,
        VANTREL_TEXT("standings heading", "Lap").source,
        VANTREL_TEXT("standings heading", "Total").source,
        VANTREL_TEXT("standings heading", "Behind").source};
    for (int32_t c = 0; c < kColumns; ++c) {
        cells_[0][c] = kHeadings[c];
    }
}

void RankPage::ClearRows() {
    for (int32_t row = 1; row < kRows; ++row) {
        for (std::string& cell : cells_[row]) {
            cell.clear();
        }
        cells_[row][kRank] = std::to_string(row);
    }
}

void RankPage::SetCell(Column column, int32_t row, std::string_view text) {
    if (row < 1 || row >= kRows || column <= kRank || column >= kColumns) {
        return;
    }
    cells_[row][column].assign(text);
}

}  // namespace vantrel
