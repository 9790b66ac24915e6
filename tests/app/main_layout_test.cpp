#include <gtest/gtest.h>

#include <climits>

#include "app/result_columns.h"
#include "app/window_settings.h"
#include "common/main_layout.h"

namespace vantrel {
namespace {

TEST(MainLayout, MinimumSizeAndWiderWindowFollowTheFormulas) {
    MainLayoutInput in;
    in.windowWidth = 636;
    in.statusTop = 400;
    in.entryCarWidth = 25;
    in.entryLapWidth = 25;
    MainLayout l = ComputeMainLayout(in);
    EXPECT_EQ(l.entryPanel.width, 263);
    EXPECT_EQ(l.entryPanel.height, 395);
    EXPECT_EQ(l.entryGrid.width, 249);
    EXPECT_EQ(l.entryGrid.height, 360);
    // Name gets half of what the fixed columns and the scroll bar leave, Model the rest.
    EXPECT_EQ(l.entryNameWidth, (249 - 74) / 2);
    EXPECT_EQ(l.entryNameWidth + l.entryModelWidth, 249 - 74);
    EXPECT_EQ(l.pages.left, 266);
    EXPECT_EQ(l.pages.width, 270);
    EXPECT_EQ(l.pageSpread, 0);
    EXPECT_EQ(l.clockPanel.left, 536);
    EXPECT_EQ(l.clockPanel.width, 89);
    EXPECT_EQ(l.resultPanel.left, 266);
    EXPECT_EQ(l.resultPanel.width, 358);
    EXPECT_EQ(l.resultPanel.height, 223);
    EXPECT_EQ(l.resultGrid.width, 341);
    EXPECT_EQ(l.resultGrid.height, 162);
    EXPECT_EQ(l.resultButtonsTop, 193);
    EXPECT_EQ(l.statusPanel0Width, 350);

    in.windowWidth = 1280;
    l = ComputeMainLayout(in);
    // (1280 - 636) / 3 truncates 214.67 to 214.
    EXPECT_EQ(l.entryPanel.width, 477);
    EXPECT_EQ(l.pages.left, 480);
    EXPECT_EQ(l.pages.width, (1280 - 480 - 370) / 2 + 270);
    EXPECT_EQ(l.pageSpread, (l.pages.width - 270) / 3);
    EXPECT_EQ(l.clockPanel.left + l.clockPanel.width, 1280 - 11);
    EXPECT_EQ(l.resultPanel.left + l.resultPanel.width, 1280 - 12);
}

TEST(MainLayout, ResultNameFallsBackToNameNameWhenTooNarrow) {
    MainLayoutInput in;
    in.windowWidth = 636;
    in.statusTop = 400;
    in.nameNameTextWidth = 66;
    in.modelTextWidth = 33;
    in.resultGridFixedWidth = 341 - 2 * 40;
    MainLayout l = ComputeMainLayout(in);
    EXPECT_EQ(l.resultNameWidth, 40);
    EXPECT_EQ(l.resultModelWidth, 40);
    in.resultGridFixedWidth = 341 - 2 * 30;  // half is 30, narrower than "Model"
    l = ComputeMainLayout(in);
    EXPECT_EQ(l.resultNameWidth, 66);
    EXPECT_EQ(l.resultModelWidth, 66);
}

TEST(GridColumns, EachModeHasItsColumnsAndFixedWidth) {
    GridTextWidths text{20, 50, 35, 42, 56};
    GridColumns g = ComputeGridColumns(RaceMode::kGymkhana, text);
    ASSERT_EQ(g.result.size(), 9u);
    EXPECT_EQ(g.entryCar, 25);
    EXPECT_EQ(g.result[0], 25);
    EXPECT_EQ(g.result[3], 25);
    EXPECT_EQ(g.result[4], 55);
    EXPECT_EQ(g.result[7], 55);
    EXPECT_EQ(g.result[8], 25);
    EXPECT_EQ(g.resultGridFixedWidth, 25 + 25 + 4 * 55 + 25 + 32);

    g = ComputeGridColumns(RaceMode::kDrag, text);
    ASSERT_EQ(g.result.size(), 13u);
    EXPECT_EQ(g.result[4], 40);
    EXPECT_EQ(g.result[10], 40);
    EXPECT_EQ(g.result[11], 47);
    EXPECT_EQ(g.result[12], 25);
    EXPECT_EQ(g.resultGridFixedWidth, 25 + 25 + 7 * 40 + 47 + 25 + 40);

    g = ComputeGridColumns(RaceMode::kCircuit, text);
    ASSERT_EQ(g.result.size(), 6u);
    EXPECT_EQ(g.result[4], 61);
    EXPECT_EQ(g.result[5], 61);
    EXPECT_EQ(g.resultGridFixedWidth, 25 + 25 + 61 + 61 + 26);
}

TEST(WindowPlacement, FitsTheScreenAndClampsTheRecordWindow) {
    // Larger than the screen: shrinks, then is moved back inside.
    WindowRect r = FitToScreen({100, 50, 2000, 1500}, 1280, 1024);
    EXPECT_EQ(r.width, 1280);
    EXPECT_EQ(r.height, 1024);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    // Reaching past the right and bottom edges: moved so it ends there.
    r = FitToScreen({900, 800, 636, 450}, 1280, 1024);
    EXPECT_EQ(r.left, 1280 - 636);
    EXPECT_EQ(r.top, 1024 - 450);
    // Negative positions stay as read.
    r = FitToScreen({-20, -10, 636, 450}, 1280, 1024);
    EXPECT_EQ(r.left, -20);
    EXPECT_EQ(r.top, -10);
    // Positions near the int32 limits do not overflow the sums.
    r = FitToScreen({INT32_MAX, INT32_MAX, 636, 450}, 1280, 1024);
    EXPECT_EQ(r.left, 1280 - 636);
    EXPECT_EQ(r.top, 1024 - 450);

    r = ClampRecordWindow({-5, -7, 3000, 2000}, 1280, 1024);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.width, 1280);
    EXPECT_EQ(r.height, 1024);
}

// A stored position must leave the window where the operator can reach it, on a screen that
// exists; a sensible one stays as it was.
TEST(WindowPlacement, StoredPositionIsBroughtOntoAScreen) {
    const std::vector<WindowRect> one = {{0, 0, 1280, 1024}};
    WindowRect r = FitToScreens({INT32_MAX, INT32_MAX, 636, 450}, one);
    EXPECT_EQ(r.left, 1280 - 636);
    EXPECT_EQ(r.top, 1024 - 450);
    r = FitToScreens({-100000, -100000, 636, 450}, one);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    r = FitToScreens({INT32_MIN, 40, 636, 450}, one);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 40);
    // The title bar stays on screen; sideways at least a hand's width of the window shows.
    r = FitToScreens({-20, -10, 636, 450}, one);
    EXPECT_EQ(r.left, -20);
    EXPECT_EQ(r.top, 0);
    r = FitToScreens({-600, 30, 636, 450}, one);
    EXPECT_EQ(r.left, kMinVisibleWidth - 636);
    r = FitToScreens({120, 80, 800, 600}, one);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 80);

    // Two screens, the second left of the primary: a window on it stays there, one stored
    // for a screen that is gone comes back to the primary.
    const std::vector<WindowRect> two = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    r = FitToScreens({-1000, 100, 636, 450}, two);
    EXPECT_EQ(r.left, -1000);
    EXPECT_EQ(r.top, 100);
    r = FitToScreens({-1000, 100, 636, 450}, {{0, 0, 1920, 1080}});
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 100);
    r = FitToScreens({3000, 2000, 2500, 1500}, two);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.width, 1920);
    EXPECT_EQ(r.height, 1080);
}

}  // namespace
}  // namespace vantrel
