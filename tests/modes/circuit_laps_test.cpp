// The circuit lap step: mask time, first passings, laps, both counting methods, the booking.

#include "modes/circuit_laps.h"

#include <gtest/gtest.h>

#include "common/session_state.h"
#include "lists/entry_table.h"

namespace vantrel {
namespace {

constexpr uint32_t kStart = 1000000;

TEST(CircuitLapsTest, MaskRunsFromTheLastCountedPassing) {
    SessionState session;
    const int32_t mask = CircuitMaskSeconds("30");
    EXPECT_EQ(LapStep(7, kStart, mask, session).kind, PassingKind::kFirstPassing);
    EXPECT_EQ(LapStep(7, kStart + 29999, mask, session).kind, PassingKind::kRejected);
    const CircuitPassing lap = LapStep(7, kStart + 30000, mask, session);
    EXPECT_EQ(lap.kind, PassingKind::kLap);
    EXPECT_EQ(lap.lapMs, 30000);
    EXPECT_EQ(lap.totalMs, 30000);
    EXPECT_EQ(lap.lap, 1);
    EXPECT_EQ(session.entryRow, 7);
    // The mask texts: no number 20 s, zero or below nothing.
    EXPECT_EQ(CircuitMaskSeconds("abc"), 20);
    EXPECT_EQ(CircuitMaskSeconds("99999"), 99999);
    EXPECT_EQ(LapStep(7, kStart + 30001, CircuitMaskSeconds("0"), session).lapMs, 1);
    EXPECT_EQ(LapStep(7, kStart + 30002, CircuitMaskSeconds("-5"), session).lapMs, 1);
    // A mask far beyond a day does not overflow into a negative one.
    EXPECT_EQ(LapStep(7, kStart + 90000, 3000000, session).kind, PassingKind::kRejected);
    // Cars outside the lists never count.
    EXPECT_EQ(LapStep(0, kStart, mask, session).kind, PassingKind::kRejected);
    EXPECT_EQ(LapStep(200, kStart, mask, session).kind, PassingKind::kRejected);
}

TEST(CircuitLapsTest, ACarParkedOnTheLoopInBothMethods) {
    for (const int32_t method : {0, SessionState::kCommonStart}) {
        SessionState session;
        session.countingMethod = method;
        PrepareCircuitSession(session, kStart);
        std::vector<CircuitPassing> counted;
        for (uint32_t t = 0; t <= 50000; t += 200) {
            const CircuitPassing p = LapStep(3, kStart + t, 30, session);
            if (p.kind != PassingKind::kRejected) {
                counted.push_back(p);
            }
        }
        if (method == 0) {
            ASSERT_EQ(counted.size(), 2u);
            EXPECT_EQ(counted[0].kind, PassingKind::kFirstPassing);
            EXPECT_EQ(counted[1].lapMs, 30000);
        } else {
            ASSERT_EQ(counted.size(), 1u) << "no lap before 30 s after the start";
            EXPECT_EQ(counted[0].lapMs, 30000);
            EXPECT_EQ(counted[0].lap, 1);
        }
    }
}

TEST(CircuitLapsTest, CommonStartLapOneAndItsBooking) {
    SessionState session;
    session.countingMethod = SessionState::kCommonStart;
    PrepareCircuitSession(session, kStart);
    EntryTable entries;
    entries.SetCell(EntryTable::kName, 12, "Sato");
    entries.SetCell(EntryTable::kModel, 12, "N360");
    const CircuitPassing lap = LapStep(12, kStart + 75400, 30, session);
    ASSERT_EQ(lap.kind, PassingKind::kLap);
    EXPECT_EQ(lap.totalMs, 75400);
    ShowPassingInEntryList(lap, entries);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 12), "1");
    const BookedResult booked = BookCircuitLap(lap, entries, TimeFormat::kMinutesSeconds, true);
    EXPECT_EQ(booked.cells,
              (std::vector<std::string>{"12", "Sato", "N360", "1", "01:15.400", "01:15.400"}));
    EXPECT_EQ(booked.totalMs, 75400);
    EXPECT_TRUE(booked.announcement.announce);
    EXPECT_TRUE(booked.announcement.overwriteWhenFull);
    EXPECT_EQ(booked.record->memo5, "01:15.400");
    EXPECT_FALSE(BookCircuitLap(lap, entries, TimeFormat::kMilliseconds, false).totalMs);
    // Lap timing: a first passing shows "0".
    SessionState timing;
    const CircuitPassing first = LapStep(12, kStart, 30, timing);
    ShowPassingInEntryList(first, entries);
    EXPECT_EQ(entries.Cell(EntryTable::kLap, 12), "0");
}

}  // namespace
}  // namespace vantrel
