#pragma once
// A gymkhana view that remembers what the logic asked it to show.
// Thread rule: GUI thread only.

#include <string>
#include <vector>

#include "modes/gymkhana_flow.h"

namespace vantrel {

struct RecordingView : GymkhanaView {
    struct Booked {
        BookedResult result;
        int32_t row = 0;
    };
    std::vector<std::string> statusTexts;
    std::vector<int32_t> selectedRows;
    std::vector<Booked> results;
    std::vector<std::string> splitTexts;
    int32_t startPasses = -1;
    int32_t finishPasses = -1;
    int32_t positionRedraws = 0;

    void ShowStatus(const std::string& text) override { statusTexts.push_back(text); }
    void SelectEntryRow(int32_t row) override { selectedRows.push_back(row); }
    void ShowPositions() override { ++positionRedraws; }
    void ShowPassCounters(int32_t start, int32_t finish) override {
        startPasses = start;
        finishPasses = finish;
    }
    void ShowSplit(SplitDisplay, const std::string& car, const std::string& time) override {
        splitTexts.push_back(car + " " + time);
    }
    void ShowResult(const BookedResult& result, int32_t row) override {
        results.push_back({result, row});
    }
};

}  // namespace vantrel
