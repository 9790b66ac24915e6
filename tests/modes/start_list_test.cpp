#include "modes/start_list.h"

#include <gtest/gtest.h>

#include <array>

namespace vantrel {
namespace {

std::array<int32_t, 4> Queue(const StartList& list) {
    return {list.Place(1), list.Place(2), list.Place(3), list.Place(4)};
}

void Fill(StartList& list, std::array<int32_t, 4> numbers) {
    for (int32_t place = 1; place <= 4; ++place) {
        ASSERT_EQ(list.CommitPlace(list.BeginPlaceEdit(place), std::to_string(numbers[place - 1])),
                  EditCommit::kAccepted);
    }
}

TEST(StartListTest, CompactionClosesGapsInOrder) {
    StartList list;
    Fill(list, {0, 5, 0, 7});
    list.RefreshWaitingCar(true);
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{5, 7, 0, 0}));
}

TEST(StartListTest, ThreeRoundsReachTheLastPlace) {
    StartList list;
    Fill(list, {0, 0, 0, 9});
    list.CompactStartList();
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{9, 0, 0, 0}));
    Fill(list, {3, 0, 0, 4});
    list.CompactStartList();
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{3, 4, 0, 0}));
}

TEST(StartListTest, NextCarIsTheQueueHeadElseTheProposal) {
    StartList list;
    list.SetProposalText("12");
    EXPECT_EQ(list.NextStartCar(), 12);
    Fill(list, {0, 0, 8, 0});
    EXPECT_EQ(list.NextStartCar(), 8);
    list.ClearPlace(1);
    list.SetProposalText("x");
    EXPECT_EQ(list.NextStartCar(), 1);  // a non-number counts as 1
}

TEST(StartListTest, RefreshTurnsAnOutOfRangeProposalInto199) {
    StartList list;
    list.SetProposalText("0");
    WaitingCarChoice choice = list.RefreshWaitingCar(true);
    EXPECT_EQ(choice.number, 199);
    EXPECT_TRUE(choice.proposalChanged);
    EXPECT_EQ(list.ProposalText(), "199");
    list.SetProposalText("250");
    EXPECT_EQ(list.RefreshWaitingCar(true).number, 199);
    EXPECT_EQ(list.ProposalText(), "199");
    list.SetProposalText("abc");
    choice = list.RefreshWaitingCar(true);
    EXPECT_EQ(choice.number, 1);
    EXPECT_FALSE(choice.proposalChanged);
    EXPECT_EQ(list.ProposalText(), "abc");
}

TEST(StartListTest, StatusTextsDuringAndOutsideASession) {
    StartList list;
    list.SetProposalText("17");
    EXPECT_EQ(list.RefreshWaitingCar(true).statusText, "Car #17 計測準備完了");
    EXPECT_EQ(list.RefreshWaitingCar(false).statusText, "開始ﾎﾞﾀﾝを押せば計測をｽﾀｰﾄ出来ます");
}

TEST(StartListTest, AddingPutsTheProposalInTheQueueAndAdvancesIt) {
    StartList list;
    list.SetProposalText("5");
    const AddCarOutcome outcome = list.AddCar();
    EXPECT_FALSE(outcome.refused);
    EXPECT_EQ(outcome.entryRow, 6);
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{5, 0, 0, 0}));
    EXPECT_EQ(list.ProposalText(), "6");
}

TEST(StartListTest, FifthQueuedNumberReplacesPlaceFour) {
    StartList list;
    Fill(list, {1, 2, 3, 4});
    list.SetProposalText("50");
    list.AddCar();
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{1, 2, 3, 50}));
}

TEST(StartListTest, ProposalAfter198Is199AndAfter199Is2) {
    StartList list;
    list.SetProposalText("198");
    list.AddCar();
    EXPECT_EQ(list.ProposalText(), "199");
    list.AddCar();
    EXPECT_EQ(list.ProposalText(), "2");
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{198, 199, 0, 0}));
}

TEST(StartListTest, AddingAnOutOfRangeProposalQueues199) {
    StartList list;
    list.SetProposalText("300");
    const AddCarOutcome outcome = list.AddCar();
    EXPECT_EQ(list.Place(1), 199);
    EXPECT_EQ(list.ProposalText(), "2");
    EXPECT_EQ(outcome.entryRow, 2);
}

TEST(StartListTest, AddingZeroQueuesNothing) {
    StartList list;
    list.SetProposalText("0");
    list.AddCar();
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(list.ProposalText(), "1");
}

TEST(StartListTest, NonNumericProposalIsRefusedAndTheLastNumberComesBack) {
    StartList list;
    list.SetProposalText("23");
    list.SetProposalText("2x");
    const AddCarOutcome outcome = list.AddCar();
    EXPECT_TRUE(outcome.refused);
    EXPECT_EQ(outcome.entryRow, 0);
    EXPECT_EQ(list.ProposalText(), "23");
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{0, 0, 0, 0}));
}

TEST(StartListTest, StartFromTheProposalAdvancesIt) {
    StartList list;
    list.SetProposalText("12");
    EXPECT_EQ(list.CarStarted(), 13);
    EXPECT_EQ(list.ProposalText(), "13");
}

TEST(StartListTest, StartFrom199WrapsTheProposalTo1) {
    StartList list;
    list.SetProposalText("199");
    EXPECT_EQ(list.CarStarted(), 1);
    EXPECT_EQ(list.ProposalText(), "1");
}

TEST(StartListTest, StartFromTheQueueLeavesTheProposal) {
    StartList list;
    Fill(list, {4, 6, 0, 0});
    list.SetProposalText("30");
    EXPECT_EQ(list.CarStarted(), 0);
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{6, 0, 0, 0}));
    EXPECT_EQ(list.ProposalText(), "30");
}

TEST(StartListTest, QueueBoxCommitRules) {
    StartList list;
    EXPECT_EQ(list.CommitPlace(list.BeginPlaceEdit(2), "250"), EditCommit::kAccepted);
    EXPECT_EQ(list.Place(2), 199);
    EXPECT_EQ(list.CommitPlace(list.BeginPlaceEdit(3), "-4"), EditCommit::kAccepted);
    EXPECT_EQ(list.Place(3), 199);
    EXPECT_EQ(list.CommitPlace(list.BeginPlaceEdit(1), "77"), EditCommit::kAccepted);
    EXPECT_EQ(list.CommitPlace(list.BeginPlaceEdit(1), "7a"), EditCommit::kNotANumber);
    EXPECT_EQ(list.Place(1), 77);  // the refused text leaves the previous number
    EXPECT_EQ(list.CommitPlace(list.BeginPlaceEdit(1), "0"), EditCommit::kAccepted);
    list.RefreshWaitingCar(true);
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{199, 199, 0, 0}));
}

TEST(StartListTest, ResetEmptiesTheQueueAndProposes1) {
    StartList list;
    Fill(list, {1, 2, 3, 4});
    list.SetProposalText("88");
    list.Reset();
    EXPECT_EQ(Queue(list), (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(list.ProposalText(), "1");
    EXPECT_EQ(list.PlaceText(1), "0");
}

TEST(ParseCarNumberTest, OutOfRangeBecomes199AndTextIsRefused) {
    EXPECT_EQ(ParseCarNumber("5"), 5);
    EXPECT_EQ(ParseCarNumber("199"), 199);
    EXPECT_EQ(ParseCarNumber("200"), 199);
    EXPECT_EQ(ParseCarNumber("0"), 199);
    EXPECT_EQ(ParseCarNumber("-1"), 199);
    EXPECT_EQ(ParseCarNumber("ab"), kNotACarNumber);
    EXPECT_EQ(ParseCarNumber(""), kNotACarNumber);
}

TEST(EntryGridTopRowTest, KeepsRowsAroundTheSelection) {
    // 20 visible rows, top at 50.
    EXPECT_EQ(EntryGridTopRow(60, 50, 20), 50);   // visible: no scroll
    EXPECT_EQ(EntryGridTopRow(50, 50, 20), 47);   // at the top row
    EXPECT_EQ(EntryGridTopRow(30, 50, 20), 27);   // above
    EXPECT_EQ(EntryGridTopRow(2, 50, 20), 1);     // near the first row
    EXPECT_EQ(EntryGridTopRow(75, 50, 20), 58);   // below: row - visible + 3
    EXPECT_EQ(EntryGridTopRow(199, 1, 20), 180);  // never past the last page
}

}  // namespace
}  // namespace vantrel
