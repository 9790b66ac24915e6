#include "reports/scoreboard.h"

namespace vantrel {

void Scoreboard::Reset() {
    for (std::string& text : fields_) {
        text.clear();
    }
    fields_[kMemo5] = "00:00.000";
    fieldPoints_ = {40, 40, 36, 36, 40, 36, 36};
    labelPoints_ = {20, 20, 28};
}

void Scoreboard::ShowSplit1(int32_t car, const std::string& timeText) {
    fields_[kMemo6] = std::to_string(car);
    fields_[kMemo3] = timeText;
}

void Scoreboard::ShowSplit2(int32_t car, const std::string& timeText) {
    fields_[kMemo7] = std::to_string(car);
    fields_[kMemo4] = timeText;
}

void Scoreboard::ShowCar(int32_t car, const std::string& name) {
    fields_[kMemo1] = std::to_string(car);
    fields_[kMemo2] = name;
}

void Scoreboard::ShowSplitTexts(const std::string& split1, const std::string& split2) {
    if (!split1.empty()) {
        fields_[kMemo3] = split1;
    }
    if (!split2.empty()) {
        fields_[kMemo4] = split2;
    }
}

}  // namespace vantrel
