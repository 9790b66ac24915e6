// The record window placed from whatever [RecordWindow] holds.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>

#include "reports/record_layout.h"

namespace vantrel {
namespace {

// Stored values up to the int32 limits (a hand-edited or damaged settings file): the window
// always ends inside the screen's right and bottom edges and is no larger than the screen.
TEST(RecordPlacement, AnyStoredPlacementEndsOnTheScreen) {
    const int32_t kValues[] = {INT32_MIN, INT32_MIN + 1, -1,       0, 1, 545, 1919,
                               1920,      INT32_MAX - 1, INT32_MAX};
    std::mt19937 random(1618);
    const auto pick = [&]() -> int32_t {
        return random() % 2 == 0 ? kValues[random() % std::size(kValues)]
                                 : static_cast<int32_t>(random());
    };
    for (int i = 0; i < 5000; ++i) {
        const WindowPlacement stored{pick(), pick(), pick(), pick()};
        const WindowPlacement placed = PlaceRecordWindow(stored, 1920, 1080);
        EXPECT_LE(placed.width, 1920);
        EXPECT_LE(placed.height, 1080);
        EXPECT_LE(int64_t{placed.left} + placed.width, 1920) << stored.left;
        EXPECT_LE(int64_t{placed.top} + placed.height, 1080) << stored.top;
    }
    // The input the settings fuzzer found: a left edge at the int32 limit.
    EXPECT_EQ(PlaceRecordWindow({INT32_MAX, 0, 500, 400}, 1920, 1080).left, 1920 - 545);
}

}  // namespace
}  // namespace vantrel
