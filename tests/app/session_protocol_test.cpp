// The session protocol on its own: a fake window and a scripted operator, no Qt.
#include "app/session_protocol.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/messages.h"

namespace vantrel {
namespace {

class Operator final : public PrompterFace {
public:
    bool AskYesNo(std::string_view text, std::string_view) override {
        asked.emplace_back(text);
        if (meanwhile) {
            std::exchange(meanwhile, nullptr)();
        }
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return yes;
    }
    void Warn(std::string_view, std::string_view) override {}
    void Error(std::string_view, std::string_view) override {}
    void Inform(std::string_view, std::string_view) override {}

    std::deque<bool> answers;         // unanswered questions get "No"
    std::function<void()> meanwhile;  // runs while the next question is open
    std::vector<std::string> asked;
};

class Window final : public SessionHost {
public:
    explicit Window(SessionState& state) : state_(state) {}
    bool StartRoutine() override {
        steps.push_back("start");
        state_.running = inputOpens;
        return inputOpens;
    }
    void StopRoutine() override {
        steps.push_back("stop");
        state_.running = false;
    }
    bool CarsRunning() const override { return carsOnCourse; }
    void LogSessionStart() override { steps.push_back("log start"); }
    void LogSessionStop() override { steps.push_back("log stop"); }
    void ShowStartButton(bool down) override { buttonDown = down; }
    void EnterMode(RaceMode mode) override {
        steps.push_back("enter");
        state_.currentMode = mode;
    }
    void ShowModeInForce() override { steps.push_back("tab back"); }

    bool inputOpens = true;
    bool carsOnCourse = false;
    bool buttonDown = false;
    std::vector<std::string> steps;

private:
    SessionState& state_;
};

class SessionProtocolTest : public ::testing::Test {
protected:
    void BookARun() {
        state.resultModified = true;
        ++state.resultsBooked;
        window.carsOnCourse = false;
    }
    SessionState state;
    Operator op;
    Window window{state};
    SessionProtocol protocol{state, window, op};
};

TEST_F(SessionProtocolTest, StartStopAndTheQuestionAboutCarsOnCourse) {
    protocol.StartButton(true);
    EXPECT_TRUE(state.running);
    window.carsOnCourse = true;
    protocol.StartButton(false);  // "No": the session goes on, the button goes down again
    EXPECT_TRUE(state.running);
    EXPECT_TRUE(window.buttonDown);
    op.answers = {true};
    protocol.StartButton(false);
    EXPECT_FALSE(state.running);
    EXPECT_EQ(window.steps,
              (std::vector<std::string>{"log start", "start", "log stop", "log stop", "stop"}));
    EXPECT_EQ(op.asked, (std::vector<std::string>{msg::k122.source, msg::k122.source}));

    // An input that does not open: the button comes up and the session stops again.
    window.steps.clear();
    window.inputOpens = false;
    window.carsOnCourse = false;
    protocol.StartButton(true);
    EXPECT_FALSE(window.buttonDown);
    EXPECT_EQ(window.steps, (std::vector<std::string>{"log start", "start", "stop"}));
}

TEST_F(SessionProtocolTest, ModeChangeAsksAgainAboutARunBookedWhileItsQuestionWasOpen) {
    EXPECT_TRUE(protocol.ChangeMode(RaceMode::kGymkhana));  // the mode in force: nothing
    EXPECT_TRUE(op.asked.empty());

    protocol.StartButton(true);
    window.carsOnCourse = true;
    op.meanwhile = [this] { BookARun(); };
    op.answers = {true, false};  // stop: yes; drop the new run: no
    EXPECT_FALSE(protocol.ChangeMode(RaceMode::kDrag));
    EXPECT_EQ(op.asked, (std::vector<std::string>{msg::k113.source, msg::k118.source}));
    EXPECT_EQ(state.currentMode, RaceMode::kGymkhana);
    EXPECT_FALSE(state.running);
    EXPECT_EQ(window.steps.back(), "tab back");

    // Asked once and accepted, the same results are not asked about twice.
    op.asked.clear();
    op.answers = {true};
    EXPECT_TRUE(protocol.ChangeMode(RaceMode::kCircuit));
    EXPECT_EQ(op.asked, (std::vector<std::string>{msg::k118.source}));
    EXPECT_EQ(state.currentMode, RaceMode::kCircuit);
}

TEST_F(SessionProtocolTest, CloseAsksAboutBothListsAndARunTheStopBooked) {
    state.entryModified = true;
    EXPECT_FALSE(protocol.MayClose());  // "No" at the first question: the second is not asked
    EXPECT_EQ(op.asked, (std::vector<std::string>{msg::k105.source}));

    state.entryModified = false;
    protocol.StartButton(true);
    window.carsOnCourse = true;
    op.asked.clear();
    op.meanwhile = [this] { BookARun(); };
    op.answers = {true, false};  // stop with the car on course: yes; drop its run: no
    EXPECT_FALSE(protocol.MayClose());
    EXPECT_EQ(op.asked, (std::vector<std::string>{msg::k122.source, msg::k107.source}));
    EXPECT_FALSE(state.running);

    op.asked.clear();
    op.answers = {true};
    EXPECT_TRUE(protocol.MayClose());
    EXPECT_EQ(op.asked, (std::vector<std::string>{msg::k107.source}));
}

}  // namespace
}  // namespace vantrel
