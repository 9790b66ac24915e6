#pragma once
// Geometry of the record window: the layout pass run on every resize and page change, the
// font fit of the scoreboard fields and the placement from the saved settings. All sizes are
// pixels; divisions round toward zero.
// Thread rule: any thread (pure functions).

#include <array>
#include <cstdint>
#include <functional>

namespace vantrel {

constexpr int32_t kRecordMinWidth = 545;
constexpr int32_t kRecordMinHeight = 384;

struct LayoutRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutPoint {
    int32_t left = 0;
    int32_t top = 0;
    bool operator==(const LayoutPoint&) const = default;
};

struct RecordLayoutInput {
    int32_t windowWidth = 0;       // outer width of the window
    int32_t statusBarTop = 0;      // in client coordinates
    int32_t pageControlWidth = 0;  // `PageControl1`
    int32_t pageChromeHeight = 0;  // page control height minus its pages' height (tabs, frame)
};

struct RecordLayout {
    int32_t buttonTop = 0;    // `BitBtn1`, `BitBtn2`, `SpeedButton1`, `SpeedButton2`
    int32_t closeLeft = 0;    // `BitBtn1`
    int32_t rebuildLeft = 0;  // `BitBtn2`
    int32_t pageControlHeight = 0;
    int32_t displayWidth = 0;           // W, the "Display" page
    int32_t displayHeight = 0;          // H
    std::array<LayoutRect, 7> memos;    // `Memo1` .. `Memo7`
    std::array<LayoutPoint, 3> labels;  // `Label1` .. `Label3`
};

RecordLayout LayOutRecordWindow(const RecordLayoutInput& input);

// Width in pixels of a text in the scoreboard font at a point size (the window measures
// with its real font metrics).
using TextWidthAt = std::function<int32_t(int32_t pointSize)>;

constexpr const char* kScoreboardSample = "00:00.000";

// The point size for all seven scoreboard fields: the size whose character height is the
// wide time field's height - 5, lowered one point at a time until kScoreboardSample plus 20
// pixels fits the field's width; never below 1 point.
int32_t FitScoreboardFont(const LayoutRect& wideTimeField, int32_t dotsPerInch,
                          const TextWidthAt& sampleWidth);

struct WindowPlacement {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const WindowPlacement&) const = default;
};

// The window at creation from [RecordWindow] Left, Top, Width, Height: the size held between
// the minimum and the screen, then moved back where it would reach past the right or bottom
// screen edge.
WindowPlacement PlaceRecordWindow(const WindowPlacement& saved, int32_t screenWidth,
                                  int32_t screenHeight);

}  // namespace vantrel
