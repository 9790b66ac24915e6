#include "common/time_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/numbers.h"

namespace vantrel {
namespace {

constexpr auto kMinSec = TimeFormat::kMinutesSeconds;
constexpr auto kMillis = TimeFormat::kMilliseconds;

TEST(FormatRaceTime, MinutesSecondsShape) {
    EXPECT_EQ(FormatRaceTime(83456, kMinSec, false), "01:23.456");
    EXPECT_EQ(FormatRaceTime(0, kMinSec, false), "00:00.000");
    EXPECT_EQ(FormatRaceTime(7, kMinSec, false), "00:00.007");
    EXPECT_EQ(FormatRaceTime(59999, kMinSec, false), "00:59.999");
    EXPECT_EQ(FormatRaceTime(60000, kMinSec, false), "01:00.000");
    EXPECT_EQ(FormatRaceTime(599999, kMinSec, false), "09:59.999");
    EXPECT_EQ(FormatRaceTime(600000, kMinSec, false), "10:00.000");
    // Longer parts stay whole: 100 minutes take three digits.
    EXPECT_EQ(FormatRaceTime(100 * 60000, kMinSec, false), "100:00.000");
    EXPECT_EQ(FormatRaceTime(INT32_MAX, kMinSec, false), "35791:23.647");
}

TEST(FormatRaceTime, DragShape) {
    EXPECT_EQ(FormatRaceTime(83456, kMinSec, true), "83.456");
    EXPECT_EQ(FormatRaceTime(123456, kMinSec, true), "123.456");
    EXPECT_EQ(FormatRaceTime(0, kMinSec, true), "00.000");
    EXPECT_EQ(FormatRaceTime(5040, kMinSec, true), "05.040");
    EXPECT_EQ(FormatRaceTime(999, kMinSec, true), "00.999");
}

TEST(FormatRaceTime, MillisecondsShapeWinsOverDragTab) {
    EXPECT_EQ(FormatRaceTime(83456, kMillis, false), "83456");
    EXPECT_EQ(FormatRaceTime(83456, kMillis, true), "83456");
    EXPECT_EQ(FormatRaceTime(0, kMillis, false), "0");
    EXPECT_EQ(FormatRaceTime(7, kMillis, true), "7");
    EXPECT_EQ(FormatRaceTime(-5, kMillis, false), "-5");
    EXPECT_EQ(FormatRaceTime(INT32_MIN, kMillis, false), "-2147483648");
}

TEST(FormatRaceTime, NegativeTimesTruncateTowardZeroAndKeepTheSign) {
    // -83456 = -1 min, -23 s, -456 ms; each part keeps the dividend's sign, and the
    // padding counts the minus sign as a character.
    EXPECT_EQ(FormatRaceTime(-83456, kMinSec, false), "-1:-23.-456");
    EXPECT_EQ(FormatRaceTime(-1000, kMinSec, false), "00:-1.000");
    EXPECT_EQ(FormatRaceTime(-5, kMinSec, false), "00:00.0-5");
    EXPECT_EQ(FormatRaceTime(-1500, kMinSec, true), "-1.-500");
    EXPECT_EQ(FormatRaceTime(-50, kMinSec, true), "00.-50");
    // The most negative value must not overflow anywhere.
    EXPECT_EQ(FormatRaceTime(INT32_MIN, kMinSec, false), "-35791:-23.-648");
    EXPECT_EQ(FormatRaceTime(INT32_MIN, kMinSec, true), "-2147483.-648");
}

TEST(FormatClock, MinutesAndSecondsOnly) {
    EXPECT_EQ(FormatClock(0), "00:00");
    EXPECT_EQ(FormatClock(83456), "01:23");
    EXPECT_EQ(FormatClock(59999), "00:59");
    EXPECT_EQ(FormatClock(65 * 60000), "65:00");
    EXPECT_EQ(FormatClock(100 * 60000 + 5000), "100:05");
    EXPECT_EQ(FormatClock(-61000), "-1:-1");
}

TEST(FormatSessionClock, HoursMinutesSeconds) {
    EXPECT_EQ(FormatSessionClock(0), "00:00:00");
    EXPECT_EQ(FormatSessionClock(999), "00:00:00");
    EXPECT_EQ(FormatSessionClock(1000), "00:00:01");
    EXPECT_EQ(FormatSessionClock(59 * 60000 + 59999), "00:59:59");
    EXPECT_EQ(FormatSessionClock(3600000), "01:00:00");
    EXPECT_EQ(FormatSessionClock(3723000), "01:02:03");
    EXPECT_EQ(FormatSessionClock(99u * 3600000 + 59 * 60000 + 59000), "99:59:59");
    // Past 99 hours the hour field takes as many digits as it needs.
    EXPECT_EQ(FormatSessionClock(100u * 3600000), "100:00:00");
    EXPECT_EQ(FormatSessionClock(100u * 3600000 + 61000), "100:01:01");
    EXPECT_EQ(FormatSessionClock(UINT32_MAX), "1193:02:47");
}

TEST(ParseTimeText, ReadsEachShape) {
    EXPECT_EQ(ParseTimeText("01:23.456"), 83456);
    EXPECT_EQ(ParseTimeText("100:00.000"), 6000000);
    EXPECT_EQ(ParseTimeText("00:00.000"), 0);
    EXPECT_EQ(ParseTimeText("83.456"), 83456);
    EXPECT_EQ(ParseTimeText("123.456"), 123456);
    EXPECT_EQ(ParseTimeText("83456"), 83456);
    EXPECT_EQ(ParseTimeText("0"), 0);
    EXPECT_EQ(ParseTimeText("-250"), -250);
    // Seconds are the two characters after the colon and milliseconds the three that start
    // four places after it, whatever stands in between.
    EXPECT_EQ(ParseTimeText("2:05x123"), 2 * 60000 + 5000 + 123);
    // A short millisecond part reads as far as it goes.
    EXPECT_EQ(ParseTimeText("01:23.4"), 83004);
    EXPECT_EQ(ParseTimeText("1.5"), 1005);
    // Characters after the three millisecond digits are ignored.
    EXPECT_EQ(ParseTimeText("01:23.4567"), 83456);
    EXPECT_EQ(ParseTimeText("83.4567"), 83456);
}

TEST(ParseTimeText, PlainTextThatIsNoIntegerGivesTheLargestTime) {
    EXPECT_EQ(ParseTimeText(""), INT32_MAX);
    EXPECT_EQ(ParseTimeText("abc"), INT32_MAX);
    EXPECT_EQ(ParseTimeText("12a"), INT32_MAX);
    EXPECT_EQ(ParseTimeText("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseTimeText("-"), INT32_MAX);
}

// The text must throw ConversionError naming `badPart`, the part that is no number.
void ExpectConversionError(const std::string& text, const std::string& badPart) {
    SCOPED_TRACE(text);
    try {
        const int32_t value = ParseTimeText(text);
        ADD_FAILURE() << "gave " << value << " instead of an error";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.Text(), badPart);
        EXPECT_EQ(std::string(error.what()), "'" + badPart + "' は数値ではありません");
    }
}

TEST(ParseTimeText, NonNumberInsideTheTimeShapesThrows) {
    ExpectConversionError("ab:cd.efg", "ab");
    ExpectConversionError("01:2x.456", "2x");
    ExpectConversionError("01:23.4x6", "4x6");
    ExpectConversionError("01:23", "");  // no millisecond part at all
    ExpectConversionError(":23.456", "");
    ExpectConversionError("abc.456", "abc");
    ExpectConversionError("83.", "");
    ExpectConversionError("83.4y6", "4y6");
    ExpectConversionError(".", "");
}

TEST(ParseTimeText, ReadsBackEveryTextTheFormatterMakes) {
    // Deterministic spread over the whole non-negative range plus the edges of each part.
    std::vector<int32_t> values = {
        0,     1,      9,      10,      99,      100,     999,      1000,          59999,
        60000, 599999, 600000, 5999999, 6000000, 6000001, 99999999, INT32_MAX - 1, INT32_MAX};
    uint32_t x = 12345;
    for (int i = 0; i < 20000; ++i) {
        x = x * 1103515245u + 12345u;
        values.push_back(static_cast<int32_t>(x >> 1));              // anywhere in range
        values.push_back(static_cast<int32_t>((x >> 8) % 7200000));  // race-like: under 2 h
    }
    for (const int32_t ms : values) {
        for (const auto format : {kMinSec, kMillis}) {
            for (const bool drag : {false, true}) {
                const std::string text = FormatRaceTime(ms, format, drag);
                ASSERT_EQ(ParseTimeText(text), ms) << text;
            }
        }
    }
}

}  // namespace
}  // namespace vantrel
