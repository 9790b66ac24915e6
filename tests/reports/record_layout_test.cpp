// Layout pass, font fit and placement of the record window.

#include "reports/record_layout.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

enum { kMemo1, kMemo2, kMemo3, kMemo4, kMemo5, kMemo6, kMemo7 };

TEST(RecordLayoutTest, PlacesButtonsPageAndFields) {
    const RecordLayout l = LayOutRecordWindow({545, 330, 529, 24});
    EXPECT_EQ(l.buttonTop, 301);
    EXPECT_EQ(l.closeLeft, 454);
    EXPECT_EQ(l.rebuildLeft, 371);
    EXPECT_EQ(l.pageControlHeight, 295);
    EXPECT_EQ(l.displayWidth, 521);
    EXPECT_EQ(l.displayHeight, 271);
    EXPECT_EQ(l.memos[kMemo6], (LayoutRect{130, 5, 120, 53}));
    EXPECT_EQ(l.memos[kMemo3], (LayoutRect{260, 5, 250, 53}));
    EXPECT_EQ(l.memos[kMemo7], (LayoutRect{130, 67, 120, 53}));
    EXPECT_EQ(l.memos[kMemo4], (LayoutRect{260, 67, 250, 53}));
    EXPECT_EQ(l.memos[kMemo1], (LayoutRect{10, 134, 110, 53}));
    EXPECT_EQ(l.memos[kMemo2], (LayoutRect{130, 134, 380, 53}));
    EXPECT_EQ(l.memos[kMemo5], (LayoutRect{260, 201, 250, 53}));
    EXPECT_EQ(l.labels[0], (LayoutPoint{16, 21}));
    EXPECT_EQ(l.labels[1], (LayoutPoint{16, 83}));
    EXPECT_EQ(l.labels[2], (LayoutPoint{16, 217}));
}

int32_t FakeSampleWidth(int32_t points) {
    return points * 10;
}

TEST(RecordLayoutTest, FontStartsFromFieldHeightAndShrinksToFit) {
    // 48 pixels at 96 dpi are 36 points; 24 points need 260 pixels, 23 fit in 250.
    EXPECT_EQ(FitScoreboardFont({0, 0, 250, 53}, 96, FakeSampleWidth), 23);
    EXPECT_EQ(FitScoreboardFont({0, 0, 1000, 53}, 96, FakeSampleWidth), 36);
    EXPECT_EQ(FitScoreboardFont({0, 0, 380, 53}, 96, FakeSampleWidth), 36);
    EXPECT_EQ(FitScoreboardFont({0, 0, 379, 53}, 96, FakeSampleWidth), 35);
}

TEST(RecordLayoutTest, FontNeverGoesBelowOnePoint) {
    EXPECT_EQ(FitScoreboardFont({0, 0, 5, 3}, 96, FakeSampleWidth), 1);
    EXPECT_EQ(FitScoreboardFont({0, 0, -40, 60}, 96, FakeSampleWidth), 1);
}

TEST(RecordLayoutTest, SampleFitsAtEverySizeFromTheMinimumUp) {
    for (int32_t width = kRecordMinWidth; width <= 1600; width += 7) {
        for (int32_t height = kRecordMinHeight; height <= 1000; height += 53) {
            const RecordLayout l = LayOutRecordWindow({width, height - 54, width - 16, 24});
            const LayoutRect field = l.memos[kMemo3];
            const int32_t points = FitScoreboardFont(field, 96, FakeSampleWidth);
            EXPECT_LE(FakeSampleWidth(points) + 20, field.width) << width << "x" << height;
            EXPECT_EQ(l.memos[kMemo4].width, field.width);
            EXPECT_EQ(l.memos[kMemo5].width, field.width);
        }
    }
}

TEST(RecordLayoutTest, PlacementHoldsTheSizeAndKeepsTheWindowOnScreen) {
    EXPECT_EQ(PlaceRecordWindow({0, 0, 0, 0}, 1920, 1080), (WindowPlacement{0, 0, 545, 384}));
    EXPECT_EQ(PlaceRecordWindow({1800, 900, 600, 400}, 1920, 1080),
              (WindowPlacement{1320, 680, 600, 400}));
    EXPECT_EQ(PlaceRecordWindow({10, 20, 3000, 2000}, 1920, 1080),
              (WindowPlacement{0, 0, 1920, 1080}));
    EXPECT_EQ(PlaceRecordWindow({-50, 30, 700, 500}, 1920, 1080),
              (WindowPlacement{-50, 30, 700, 500}));
}

}  // namespace
}  // namespace vantrel
