#pragma once
// Stand-ins that remember what the drag flow did: a view holding what each box and lamp
// shows, tick commands recording what the timing thread was told, and a prompter recording
// its warnings.
// Thread rule: GUI thread only.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "common/prompter_face.h"
#include "modes/drag_flow.h"
#include "sensors/tick_commands.h"

namespace vantrel::test {

struct RecordingDragView final : DragView {
    std::string nextCar;
    std::vector<int32_t> selectedRows;
    std::string runCar;
    std::string reaction;
    std::array<std::string, 4> splits;
    std::array<std::string, 4> lastResult;  // car, name, E.T., speed
    bool amber = false;
    bool green = false;
    bool red = false;
    bool treeButtonDown = false;
    std::array<bool, kDragLineCount> lineActive{};
    std::array<bool, kDragLineCount> lineRed{};
    int receivedListClears = 0;

    void ShowNextCar(const std::string& text) override { nextCar = text; }
    void SelectEntryRow(int32_t row) override { selectedRows.push_back(row); }
    void ShowRunCar(const std::string& text) override { runCar = text; }
    void ShowReaction(const std::string& text) override { reaction = text; }
    void ShowSplit(int index, const std::string& text) override { splits.at(index) = text; }
    void ShowLastResult(const std::string& car, const std::string& name, const std::string& elapsed,
                        const std::string& speed) override {
        lastResult = {car, name, elapsed, speed};
    }
    void ShowTreeLamps(bool a, bool g, bool r) override {
        amber = a;
        green = g;
        red = r;
    }
    void ShowTreeButton(bool down) override { treeButtonDown = down; }
    void ShowLine(int line, bool active) override {
        lineActive.at(line) = active;
        lineRed.at(line) = lineRed.at(line) || active;
    }
    void ShowLineLabelNormal(int line) override { lineRed.at(line) = false; }
    void ClearReceivedList() override { ++receivedListClears; }
};

struct RecordingTickCommands final : TickCommands {
    std::vector<uint8_t> dragLineKeys;
    std::vector<bool> treeButton;
    std::vector<bool> proTree;
    int runResets = 0;
    int offDelayResets = 0;
    int sensorKeys = 0;

    void SetSensorKey(SensorInput, bool) override { ++sensorKeys; }
    void SetDragLineKeys(uint8_t lines) override { dragLineKeys.push_back(lines); }
    void SetTreeButton(bool down) override { treeButton.push_back(down); }
    void SetProTree(bool pro) override { proTree.push_back(pro); }
    void ResetDragRun() override { ++runResets; }
    void ResetOffDelays() override { ++offDelayResets; }
};

struct RecordingPrompter final : PrompterFace {
    std::vector<std::pair<std::string, std::string>> warnings;  // text, caption
    int otherBoxes = 0;                                         // questions, errors, notes

    bool AskYesNo(std::string_view, std::string_view) override {
        ++otherBoxes;
        return false;
    }
    void Warn(std::string_view text, std::string_view caption) override {
        warnings.emplace_back(text, caption);
    }
    void Error(std::string_view, std::string_view) override { ++otherBoxes; }
    void Inform(std::string_view, std::string_view) override { ++otherBoxes; }
};

}  // namespace vantrel::test
