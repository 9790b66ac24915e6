#include "modes/gymkhana_course.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel {
namespace {

struct Recorder : CourseObserver {
    std::vector<int32_t> started;
    std::vector<FinishedRun> finished;
    std::vector<int32_t> splitCars;
    std::vector<int32_t> splitMs;
    std::vector<SplitDisplay> splitDisplays;
    std::vector<int32_t> startCounters;
    std::vector<int32_t> finishCounters;
    int32_t courseFull = 0;

    void StartPassesChanged(int32_t remaining) override { startCounters.push_back(remaining); }
    void FinishPassesChanged(int32_t remaining) override { finishCounters.push_back(remaining); }
    void CourseFull() override { ++courseFull; }
    void CarStarted(int32_t car, int32_t /*position*/) override { started.push_back(car); }
    void SplitShown(SplitDisplay display, int32_t car, int32_t ms) override {
        splitDisplays.push_back(display);
        splitCars.push_back(car);
        splitMs.push_back(ms);
    }
    void CarFinished(const FinishedRun& run) override { finished.push_back(run); }
};

class CourseTest : public ::testing::Test {
protected:
    void Start(int32_t car, uint32_t tick) {
        course.SetWaitingCar(car);
        course.OnStartEdge(tick);
    }
    int32_t Car(int32_t position) const { return course.State().courseCar[position]; }
    const CourseRecord& Record(int32_t position) const {
        return course.State().courseTimes[position];
    }

    Recorder recorder;
    GymkhanaCourse course{recorder};
};

TEST_F(CourseTest, StartPutsTheWaitingCarInTheOldestFreePosition) {
    Start(7, 1000);
    EXPECT_EQ(Car(4), 7);
    EXPECT_EQ(Record(4)[kStartWord], 1000);
    EXPECT_EQ(course.State().waitingCar, 0);
    Start(8, 2000);
    EXPECT_EQ(Car(3), 8);
    EXPECT_EQ(recorder.started, (std::vector<int32_t>{7, 8}));
}

TEST_F(CourseTest, StartWithoutWaitingCarStartsNobody) {
    course.OnStartEdge(1000);
    EXPECT_EQ(course.CarsOnCourse(), 0);
    EXPECT_TRUE(recorder.started.empty());
}

TEST_F(CourseTest, FifthCarFindsTheCourseFullAndKeepsWaiting) {
    for (int32_t car = 1; car <= 4; ++car) {
        Start(car, 1000 * car);
    }
    Start(5, 9000);
    EXPECT_EQ(recorder.courseFull, 1);
    EXPECT_EQ(course.State().waitingCar, 5);
    EXPECT_EQ(Car(4), 1);
    EXPECT_EQ(Car(1), 4);
    EXPECT_EQ(Record(1)[kStartWord], 4000);
}

TEST_F(CourseTest, CarStartedFirstFinishesFirstEvenIfTheOtherCrossesFirst) {
    Start(10, 1000);  // A
    Start(11, 2000);  // B, faster, crosses the finish first
    course.OnFinishEdge(5000);
    ASSERT_EQ(recorder.finished.size(), 1u);
    EXPECT_EQ(recorder.finished[0].car, 10);
    EXPECT_EQ(recorder.finished[0].runMs, 4000);
    EXPECT_EQ(course.State().finishedCar, 10);
    EXPECT_EQ(course.State().courseTimes[kFinishedRecord][kStartWord], 4000);
    EXPECT_EQ(Car(4), 11);
    EXPECT_EQ(Record(4)[kStartWord], 2000);
    EXPECT_EQ(Car(3), 0);
}

TEST_F(CourseTest, FinishMovesEveryRecordOnePositionOn) {
    for (int32_t car = 1; car <= 4; ++car) {
        Start(car, 1000 * car);
    }
    course.AddPylonTouch(2);
    course.OnFinishEdge(10000);
    EXPECT_EQ(Car(4), 2);
    EXPECT_EQ(Car(3), 3);
    EXPECT_EQ(Car(2), 4);
    EXPECT_EQ(Car(1), 0);
    EXPECT_EQ(Record(3)[kPenaltyWord], 1);  // car 3's touch moved with it
    EXPECT_EQ(Record(1), (CourseRecord{0, 0, 0, 0}));
    EXPECT_EQ(course.PenaltyHintAt(3), "PT1");
}

TEST_F(CourseTest, SplitGoesToTheOldestCarThatHasNotPassedIt) {
    Start(1, 1000);
    Start(2, 2000);
    course.OnSplit1Edge(3500);
    course.OnSplit1Edge(4000);
    course.OnSplit1Edge(4500);  // nobody left without split 1
    course.OnSplit2Edge(6000);
    EXPECT_EQ(Record(4)[kSplit1Word], 2500);
    EXPECT_EQ(Record(3)[kSplit1Word], 2000);
    EXPECT_EQ(Record(4)[kSplit2Word], 5000);
    EXPECT_EQ(Record(3)[kSplit2Word], 0);
    EXPECT_EQ(recorder.splitCars, (std::vector<int32_t>{1, 2, 1}));
    EXPECT_EQ(recorder.splitDisplays.back(), SplitDisplay::kSplit2);
    EXPECT_EQ(course.State().lastSplitCar, 1);
    EXPECT_EQ(course.State().lastSplitMs, 5000);
}

TEST_F(CourseTest, FinishedRunCarriesSplitsAndPenalty) {
    Start(3, 1000);
    course.OnSplit1Edge(2000);
    course.OnSplit2Edge(3000);
    course.MissCourse(4);
    course.OnFinishEdge(4000);
    ASSERT_EQ(recorder.finished.size(), 1u);
    const FinishedRun& run = recorder.finished[0];
    EXPECT_EQ(run.split1Ms, 1000);
    EXPECT_EQ(run.split2Ms, 2000);
    EXPECT_EQ(run.penalty, kMissCourse);
    EXPECT_FALSE(run.timedOut);
}

TEST_F(CourseTest, NewCarStartsWithoutSplitsOfAnEarlierCar) {
    for (int32_t car = 1; car <= 4; ++car) {
        Start(car, 1000 * car);
    }
    for (uint32_t tick = 6000; tick < 6004; ++tick) {
        course.OnSplit1Edge(tick);
    }
    course.OnFinishEdge(9000);  // car 4's record moves on from the newest position
    Start(5, 10000);
    EXPECT_EQ(Car(1), 5);
    EXPECT_EQ(Record(1), (CourseRecord{10000, 0, 0, 0}));
    for (uint32_t tick = 11000; tick < 11004; ++tick) {
        course.OnSplit1Edge(tick);  // cars 2..4 have passed: this reaches car 5
    }
    EXPECT_EQ(Record(1)[kSplit1Word], 1000);
    EXPECT_EQ(course.State().lastSplitCar, 5);
}

TEST_F(CourseTest, StartPassCountThreeSwallowsTheNextTwoPasses) {
    course.SetConfig({2, 0, false, false});
    course.StartSession();
    Start(1, 1000);
    EXPECT_EQ(course.State().startPassesToSkip, 2);
    course.SetWaitingCar(2);
    course.OnStartEdge(1500);
    EXPECT_EQ(course.State().startPassesToSkip, 1);
    course.OnStartEdge(2000);
    EXPECT_EQ(course.State().startPassesToSkip, 0);
    EXPECT_EQ(course.CarsOnCourse(), 1);
    course.OnStartEdge(2500);
    EXPECT_EQ(Car(3), 2);
    EXPECT_EQ(recorder.startCounters, (std::vector<int32_t>{0, 2, 1, 0, 2}));
}

TEST_F(CourseTest, IntermediateFinishPassBecomesSplitOneWhenSensorOneIsNotConnected) {
    course.SetConfig({0, 1, false, false});
    course.StartSession();
    Start(4, 1000);
    course.OnFinishEdge(5000);
    EXPECT_TRUE(recorder.finished.empty());
    EXPECT_EQ(Record(4)[kSplit1Word], 4000);
    EXPECT_EQ(recorder.splitDisplays, (std::vector<SplitDisplay>{SplitDisplay::kSplit1}));
    EXPECT_EQ(course.State().finishPassesToSkip, 0);
    course.OnFinishEdge(9000);
    ASSERT_EQ(recorder.finished.size(), 1u);
    EXPECT_EQ(recorder.finished[0].runMs, 8000);
    EXPECT_EQ(recorder.finished[0].split1Ms, 4000);
    EXPECT_EQ(course.State().finishPassesToSkip, 1);
}

TEST_F(CourseTest, IntermediateFinishPassBecomesSplitTwoWhenOnlySensorTwoIsFree) {
    course.SetConfig({0, 2, true, false});
    course.StartSession();
    Start(4, 1000);
    course.OnFinishEdge(3000);
    course.OnFinishEdge(6000);
    EXPECT_EQ(Record(4)[kSplit1Word], 0);
    EXPECT_EQ(Record(4)[kSplit2Word], 5000);  // the latest pass
    EXPECT_EQ(recorder.splitMs, (std::vector<int32_t>{2000, 5000}));
    course.OnFinishEdge(7000);
    EXPECT_EQ(recorder.finished.size(), 1u);
}

TEST_F(CourseTest, IntermediateFinishPassIsOnlyShownWhenBothSplitSensorsAreConnected) {
    course.SetConfig({0, 1, true, true});
    course.StartSession();
    Start(4, 1000);
    course.OnFinishEdge(3000);
    EXPECT_EQ(Record(4)[kSplit1Word], 0);
    EXPECT_EQ(Record(4)[kSplit2Word], 0);
    EXPECT_EQ(recorder.splitMs, (std::vector<int32_t>{2000}));
}

TEST_F(CourseTest, FinishPassOnAnEmptyCourseKeepsTheOwedPasses) {
    course.SetConfig({0, 1, false, false});
    course.StartSession();
    course.OnFinishEdge(500);
    EXPECT_EQ(course.State().finishPassesToSkip, 1);
    EXPECT_TRUE(recorder.splitMs.empty());
    Start(4, 1000);
    course.OnFinishEdge(2000);
    EXPECT_TRUE(recorder.finished.empty());
}

TEST_F(CourseTest, RemovingIIMovesIIIUpWithItsRecord) {
    Start(1, 1000);  // "I"
    Start(2, 2000);  // "II"
    Start(3, 3000);  // "III"
    course.OnSplit1Edge(3500);
    course.OnSplit1Edge(3600);
    course.OnSplit1Edge(3700);
    course.OnSplit2Edge(4000);
    course.OnSplit2Edge(4100);
    course.OnSplit2Edge(4200);
    course.AddPylonTouch(2);
    course.AddPylonTouch(2);
    ASSERT_TRUE(course.RemovePosition(PositionOfSelection(2)));
    EXPECT_EQ(Car(4), 1);
    EXPECT_EQ(Car(3), 3);
    EXPECT_EQ(Record(3), (CourseRecord{3000, 700, 1200, 2}));
    EXPECT_EQ(course.PenaltyHintAt(3), "PT2");
    EXPECT_EQ(Car(2), 0);
    EXPECT_EQ(Car(1), 0);
    EXPECT_EQ(Record(2), (CourseRecord{0, 0, 0, 0}));
    EXPECT_EQ(course.State().finishedCar, 0);
}

TEST_F(CourseTest, RemovalResetsThePassCounters) {
    course.SetConfig({2, 1, false, false});
    course.StartSession();
    Start(1, 1000);
    course.OnFinishEdge(2000);
    EXPECT_EQ(course.State().startPassesToSkip, 2);
    EXPECT_EQ(course.State().finishPassesToSkip, 0);
    ASSERT_TRUE(course.RemovePosition(4));
    EXPECT_EQ(course.State().startPassesToSkip, 0);
    EXPECT_EQ(course.State().finishPassesToSkip, 1);
    EXPECT_FALSE(course.RemovePosition(4));
}

TEST_F(CourseTest, PylonTouchHints) {
    Start(1, 1000);
    EXPECT_TRUE(course.AddPylonTouch(4));
    EXPECT_TRUE(course.AddPylonTouch(4));
    EXPECT_TRUE(course.AddPylonTouch(4));
    EXPECT_TRUE(course.RemovePylonTouch(4));
    EXPECT_EQ(course.PenaltyHintAt(4), "PT2");
    EXPECT_EQ(Record(4)[kPenaltyWord], 2);
    EXPECT_TRUE(course.RemovePylonTouch(4));
    EXPECT_TRUE(course.RemovePylonTouch(4));
    EXPECT_EQ(course.PenaltyHintAt(4), "");
    EXPECT_FALSE(course.RemovePylonTouch(4));  // no touches: nothing changes
    EXPECT_EQ(Record(4)[kPenaltyWord], 0);
}

TEST_F(CourseTest, MissCourseThenTouchStaysMissCourse) {
    Start(1, 1000);
    EXPECT_TRUE(course.MissCourse(4));
    EXPECT_FALSE(course.AddPylonTouch(4));
    EXPECT_FALSE(course.RemovePylonTouch(4));
    EXPECT_EQ(course.PenaltyHintAt(4), "MC");
    EXPECT_TRUE(course.ClearPenalty(4));
    EXPECT_EQ(course.PenaltyHintAt(4), "");
    EXPECT_EQ(Record(4)[kPenaltyWord], 0);
}

TEST_F(CourseTest, PenaltiesNeedACarInThePosition) {
    EXPECT_FALSE(course.AddPylonTouch(4));
    EXPECT_FALSE(course.MissCourse(3));
    EXPECT_FALSE(course.AddPylonTouch(0));
    EXPECT_EQ(Record(4)[kPenaltyWord], 0);
}

TEST_F(CourseTest, CorrectionKeepsTimesAndPenalty) {
    Start(1, 1000);
    course.AddPylonTouch(4);
    EXPECT_TRUE(course.CorrectCar(4, 55));
    EXPECT_EQ(Car(4), 55);
    EXPECT_EQ(Record(4), (CourseRecord{1000, 0, 0, 1}));
    EXPECT_FALSE(course.CorrectCar(3, 9));  // empty position
    EXPECT_EQ(Car(3), 0);
}

TEST_F(CourseTest, TimeoutFinishesPositionIOnlyAtTheLimit) {
    course.SetConfig({0, 2, false, false});
    course.StartSession();
    Start(9, 1000);
    Start(10, 2000);
    EXPECT_FALSE(course.OnTimeout(300999, 300000));
    EXPECT_TRUE(course.OnTimeout(301000, 300000));  // even though two finish passes are owed
    ASSERT_EQ(recorder.finished.size(), 1u);
    EXPECT_TRUE(recorder.finished[0].timedOut);
    EXPECT_EQ(recorder.finished[0].car, 9);
    EXPECT_EQ(recorder.finished[0].runMs, 300000);
    EXPECT_EQ(Car(4), 10);
    EXPECT_EQ(course.State().finishPassesToSkip, 2);
}

TEST_F(CourseTest, TimeoutOnAnEmptyCourseDoesNothing) {
    EXPECT_FALSE(course.OnTimeout(900000, 300000));
    EXPECT_TRUE(recorder.finished.empty());
}

TEST_F(CourseTest, RunTimeIsRightAcrossTheTickWrap) {
    Start(1, 0xFFFFF000u);
    course.OnSplit1Edge(0x00000100u);
    course.OnFinishEdge(0x00001000u);
    ASSERT_EQ(recorder.finished.size(), 1u);
    EXPECT_EQ(recorder.finished[0].runMs, 0x2000);
    EXPECT_EQ(recorder.finished[0].split1Ms, 0x1100);
}

TEST_F(CourseTest, ResetEmptiesEverything) {
    Start(1, 1000);
    Start(2, 2000);
    course.OnFinishEdge(3000);
    course.SetWaitingCar(3);
    course.Reset();
    EXPECT_EQ(course.State().waitingCar, 0);
    EXPECT_EQ(course.State().finishedCar, 0);
    EXPECT_EQ(course.CarsOnCourse(), 0);
    for (const CourseRecord& record : course.State().courseTimes) {
        EXPECT_EQ(record, (CourseRecord{0, 0, 0, 0}));
    }
}

TEST(PositionOfSelectionTest, RomanLabelsMapToCoursePositions) {
    EXPECT_EQ(PositionOfSelection(1), 4);
    EXPECT_EQ(PositionOfSelection(4), 1);
    EXPECT_EQ(PositionOfSelection(0), 0);
    EXPECT_EQ(PositionOfSelection(5), 0);
}

}  // namespace
}  // namespace vantrel
