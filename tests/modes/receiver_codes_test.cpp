// The receiver's car codes: the gymkhana pick and the circuit passings.

#include "modes/receiver_codes.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/session_state.h"

namespace vantrel {
namespace {

TEST(ReceiverCodesTest, CircuitBlockShowsEveryValidCodeAndHandsOnTheCars) {
    SessionState session;
    std::vector<uint8_t> block = {0x31, 0x32, 0x2D, 0x35, 0x30, 0x00, 0x2F, 0xF8, 0xFF, 0xF7, 0x3A};
    const DecodedPassings decoded = DecodePassings(block.data(), block.size(), session);
    EXPECT_EQ(decoded.shownLines, (std::vector<std::string>{"1", "2", "5", "0", "199", "10"}));
    EXPECT_EQ(decoded.cars, (std::vector<int32_t>{1, 2, 5, 199, 10}));
    EXPECT_EQ(block[5], '-');
    EXPECT_EQ(block[7], '-');
    // A car's next lap may come as the same byte again: it is never swallowed here.
    std::vector<uint8_t> again = {0x3A, 0x3A};
    EXPECT_EQ(DecodePassings(again.data(), again.size(), session).cars,
              (std::vector<int32_t>{10, 10}));
}

TEST(ReceiverCodesTest, GymkhanaPicksAtTheHundredAndSecondIdenticalByte) {
    SessionState session;
    std::vector<uint8_t> block(1, 0x33);
    block.insert(block.end(), 101, 0x37);
    EXPECT_EQ(PickCarFromReceiver(block.data(), block.size(), session, 1), std::nullopt);
    uint8_t one = 0x37;
    EXPECT_EQ(PickCarFromReceiver(&one, 1, session, 1), 7);
    EXPECT_EQ(session.entryRow, 7);
    // Confirmed again after every further 101, but no pick when it is already selected.
    std::vector<uint8_t> more(101, 0x37);
    EXPECT_EQ(PickCarFromReceiver(more.data(), more.size(), session, 7), std::nullopt);
    // Car 0 and invalid bytes break nothing and are marked.
    std::vector<uint8_t> bad = {0x30, 0xFF};
    PickCarFromReceiver(bad.data(), bad.size(), session, 7);
    EXPECT_EQ(bad, (std::vector<uint8_t>{'-', '-'}));
    EXPECT_EQ(session.lastCarCode, 0x37);
}

TEST(ReceiverCodesTest, KeyAndPrinterPortCodes) {
    EXPECT_EQ(CodeOfDigitKey(1), '1');
    EXPECT_EQ(CodeOfDigitKey(9), '9');
    EXPECT_EQ(CodeOfDigitKey(0), ':');
    EXPECT_EQ(CodeOfCar(17), 'A');
    EXPECT_EQ(CarOfCode(CodeOfCar(199)), 199);
}

}  // namespace
}  // namespace vantrel
