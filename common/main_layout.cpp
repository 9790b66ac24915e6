#include "common/main_layout.h"

#include <algorithm>

namespace vantrel {

namespace {
constexpr int32_t kEntryGridLeft = 7;
constexpr int32_t kEntryGridTop = 28;
constexpr int32_t kResultGridLeft = 8;
constexpr int32_t kResultGridTop = 30;
}  // namespace

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
    MainLayout out{};
    const int32_t w = in.windowWidth;

    const int32_t entryWidth = (w - kMainMinWidth) / 3 + 263;
    out.entryPanel = {0, 0, entryWidth, in.statusTop - 5};
    out.entryGrid = {kEntryGridLeft, kEntryGridTop, entryWidth - 14, out.entryPanel.height - 35};
    const int32_t entryShared = out.entryGrid.width - (in.entryCarWidth + in.entryLapWidth + 24);
    out.entryNameWidth = std::max(entryShared / 2, 0);
    out.entryModelWidth = std::max(entryShared - out.entryNameWidth, 0);

    const int32_t pagesLeft = entryWidth + 3;
    const int32_t pagesWidth = (w - pagesLeft - 370) / 2 + kPageDesignWidth;
    out.pages = {pagesLeft, 0, pagesWidth, kTopAreaHeight - 2};
    out.pageSpread = std::max((pagesWidth - kPageDesignWidth) / 3, 0);

    const int32_t clockLeft = pagesLeft + pagesWidth;
    out.clockPanel = {clockLeft, 0, w - clockLeft - 11, kTopAreaHeight - 2};

    const int32_t resultHeight = in.statusTop - 177;
    out.resultPanel = {pagesLeft, kTopAreaHeight, w - pagesLeft - 12, resultHeight};
    out.resultGrid = {kResultGridLeft, kResultGridTop, out.resultPanel.width - 17,
                      resultHeight - 61};
    out.resultButtonsTop = resultHeight - 30;
    int32_t name = (out.resultGrid.width - in.resultGridFixedWidth) / 2;
    if (name < in.modelTextWidth) {
        name = in.nameNameTextWidth;
    }
    out.resultNameWidth = name;
    out.resultModelWidth = name;

    out.statusPanel0Width = w - 286;
    return out;
}

}  // namespace vantrel
