#pragma once
// Where the main window's four areas go for a given window size, and how the "Name" and
// "Model" columns of both grids share the width left over. All halvings and thirds
// truncate toward zero.
// Thread rule: any thread (pure functions).

#include <cstdint>

#include "common/window_rect.h"

namespace vantrel {

constexpr int32_t kMainMinWidth = 636;
constexpr int32_t kMainMinHeight = 450;
constexpr int32_t kPageDesignWidth = 270;  // width of the tab control at the minimum size
constexpr int32_t kTopAreaHeight = 172;    // tab control and clock panel above the results

struct MainLayoutInput {
    int32_t windowWidth = kMainMinWidth;
    int32_t statusTop = 400;     // top of the status bar in client coordinates
    int32_t entryCarWidth = 30;  // entry grid columns 0 and 3
    int32_t entryLapWidth = 30;
    int32_t resultGridFixedWidth = 0;  // result columns other than "Name" and "Model"
    int32_t nameNameTextWidth = 60;    // width of the text "Name Name"
    int32_t modelTextWidth = 30;       // width of the text "Model"
};

struct MainLayout {
    WindowRect entryPanel;  // Panel1
    WindowRect entryGrid;   // StringGrid1, inside the panel
    int32_t entryNameWidth;
    int32_t entryModelWidth;
    WindowRect pages;          // PageControl1
    int32_t pageSpread;        // (tab width - 270) / 3, the extra gap between spread columns
    WindowRect clockPanel;     // Panel5
    WindowRect resultPanel;    // Panel2
    WindowRect resultGrid;     // StringGrid2, inside the panel
    int32_t resultButtonsTop;  // inside the panel
    int32_t resultNameWidth;
    int32_t resultModelWidth;
    int32_t statusPanel0Width;
};

MainLayout ComputeMainLayout(const MainLayoutInput& in);

}  // namespace vantrel
