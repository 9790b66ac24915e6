// The receiver's gaps: one per loss until the port is back, their times of day and log texts.

#include "sensors/receiver_gaps.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

constexpr int32_t kHour = 3600 * 1000;

TEST(ReceiverGapsTest, EachLossIsOneGapClosedByItsReturn) {
    ReceiverGaps gaps;
    EXPECT_FALSE(gaps.LinkDown());
    gaps.Back(5, 0);  // nothing lost: nothing to close
    EXPECT_TRUE(gaps.All().empty());

    gaps.Lost(100, 12 * kHour + 3 * 60000 + 4510, "the port was hung up");
    gaps.Lost(150, 13 * kHour, "again");  // still the same loss
    EXPECT_TRUE(gaps.LinkDown());
    ASSERT_EQ(gaps.All().size(), 1u);
    EXPECT_EQ(ReceiverLossLogText(gaps.All()[0]),
              "Receiver lost 12:03:04.51: the port was hung up");
    gaps.Back(4790, 12 * kHour + 3 * 60000 + 9209);
    EXPECT_FALSE(gaps.LinkDown());
    EXPECT_EQ(ReceiverGapLogText(gaps.All()[0]),
              "Receiver lost 12:03:04.51 - back 12:03:09.20, passings in between not received");

    gaps.Lost(9000, 23 * kHour + 59 * 60000 + 59999, "read failed: Input/output error");
    gaps.Back(9100, 24 * kHour + 99);  // past midnight
    ASSERT_EQ(gaps.All().size(), 2u);
    EXPECT_EQ(gaps.All()[1].lostTick, 9000u);
    EXPECT_EQ(gaps.All()[1].backTick, 9100u);
    EXPECT_EQ(ReceiverGapLogText(gaps.All()[1]),
              "Receiver lost 23:59:59.99 - back 00:00:00.09, passings in between not received");
    EXPECT_EQ(FormatTimeOfDay(-10), "23:59:59.99");
    gaps.Clear();
    EXPECT_TRUE(gaps.All().empty());
}

}  // namespace
}  // namespace vantrel
