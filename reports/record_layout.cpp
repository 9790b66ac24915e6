#include "reports/record_layout.h"

#include <algorithm>

namespace vantrel {

namespace {

enum Memo : int32_t { kMemo1, kMemo2, kMemo3, kMemo4, kMemo5, kMemo6, kMemo7 };

// Positions the layout pass keeps from the design.
constexpr int32_t kFirstRowTop = 5;    // `Memo6`, `Memo3`
constexpr int32_t kCarFieldLeft = 10;  // `Memo1`
constexpr LayoutPoint kLabel1{16, 21};
constexpr int32_t kLabelLeft = 16;
constexpr int32_t kLabelDrop = 16;

}  // namespace

RecordLayout LayOutRecordWindow(const RecordLayoutInput& input) {
    RecordLayout out;
    out.buttonTop = input.statusBarTop - 29;
    out.closeLeft = input.windowWidth - 91;
    out.rebuildLeft = input.windowWidth - 174;
    out.pageControlHeight = input.statusBarTop - 35;
    out.displayWidth = input.pageControlWidth - 8;
    out.displayHeight = out.pageControlHeight - input.pageChromeHeight;

    const int32_t w = out.displayWidth;
    const int32_t h = out.displayHeight;
    const int32_t fieldHeight = out.pageControlHeight / 4 - 20;
    const int32_t quarter = h / 4;

    auto& m = out.memos;
    m[kMemo6] = {w / 4, kFirstRowTop, w / 4 - 10, fieldHeight};
    m[kMemo3] = {w / 2, kFirstRowTop, w / 2 - 10, fieldHeight};
    m[kMemo7] = {w / 4, quarter, w / 4 - 10, fieldHeight};
    m[kMemo4] = {w / 2, quarter, w / 2 - 10, fieldHeight};
    m[kMemo1] = {kCarFieldLeft, quarter * 2, w / 4 - 20, fieldHeight};
    m[kMemo2] = {w / 4, quarter * 2, (w / 4) * 3 - 10, fieldHeight};
    m[kMemo5] = {w / 2, quarter * 3, w / 2 - 10, fieldHeight};

    out.labels[0] = kLabel1;
    out.labels[1] = {kLabelLeft, quarter + kLabelDrop};
    out.labels[2] = {kLabelLeft, quarter * 3 + kLabelDrop};
    return out;
}

int32_t FitScoreboardFont(const LayoutRect& wideTimeField, int32_t dotsPerInch,
                          const TextWidthAt& sampleWidth) {
    const int32_t pixels = wideTimeField.height - 5;
    const int32_t dpi = dotsPerInch > 0 ? dotsPerInch : 96;
    // Pixels to points, rounded to nearest as the platform's font sizes are.
    int32_t points = std::max(1, (pixels * 72 + dpi / 2) / dpi);
    while (points > 1 && sampleWidth(points) + 20 > wideTimeField.width) {
        --points;
    }
    return points;
}

WindowPlacement PlaceRecordWindow(const WindowPlacement& saved, int32_t screenWidth,
                                  int32_t screenHeight) {
    WindowPlacement out = saved;
    out.width = std::min(std::max(saved.width, kRecordMinWidth), screenWidth);
    out.height = std::min(std::max(saved.height, kRecordMinHeight), screenHeight);
    // The stored corner may be anything up to the int32 limits: add in 64 bits.
    if (int64_t{out.left} + out.width > screenWidth) {
        out.left = screenWidth - out.width;
    }
    if (int64_t{out.top} + out.height > screenHeight) {
        out.top = screenHeight - out.height;
    }
    return out;
}

WindowPlacement PlaceRecordWindowAtFirstShow(const WindowPlacement& current, int32_t left,
                                             int32_t top, int32_t screenWidth,
                                             int32_t screenHeight) {
    WindowPlacement out;
    out.width = std::min(current.width, screenWidth);
    out.height = std::min(current.height, screenHeight);
    out.left = std::max(std::min(left, screenWidth - out.width), 0);
    out.top = std::max(std::min(top, screenHeight - out.height), 0);
    return out;
}

}  // namespace vantrel
