#include "reports/scoreboard.h"

#include "lists/entry_table.h"

namespace vantrel {

Scoreboard::Fields Scoreboard::ResetFields() {
    Fields fields;
    fields[kMemo5] = "00:00.000";
    return fields;
}

void Scoreboard::Reset() {
    fields_ = ResetFields();
    classFields_.clear();
    lastCar_ = 0;
    fieldPoints_ = {40, 40, 36, 36, 40, 36, 36};
    labelPoints_ = {20, 20, 28};
}

const std::string& Scoreboard::Text(Field field, std::string_view cls) const {
    static const Fields kReset = ResetFields();
    if (cls.empty()) {
        return fields_[field];
    }
    const auto it = classFields_.find(cls);
    return (it == classFields_.end() ? kReset : it->second)[field];
}

void Scoreboard::Change(int32_t car, const std::function<void(Fields&)>& change) {
    change(fields_);
    if (entries_ == nullptr || car < 1 || car > EntryTable::kLastCar) {
        return;
    }
    const std::string& cls = entries_->Class(car);
    if (cls.empty()) {
        return;
    }
    auto it = classFields_.find(cls);
    if (it == classFields_.end()) {
        it = classFields_.emplace(cls, ResetFields()).first;
    }
    change(it->second);
}

void Scoreboard::ShowSplit1(int32_t car, const std::string& timeText) {
    Change(car, [&](Fields& f) {
        f[kMemo6] = std::to_string(car);
        f[kMemo3] = timeText;
    });
}

void Scoreboard::ShowSplit2(int32_t car, const std::string& timeText) {
    Change(car, [&](Fields& f) {
        f[kMemo7] = std::to_string(car);
        f[kMemo4] = timeText;
    });
}

void Scoreboard::ShowCar(int32_t car, const std::string& name) {
    lastCar_ = car;
    Change(car, [&](Fields& f) {
        f[kMemo1] = std::to_string(car);
        f[kMemo2] = name;
    });
}

void Scoreboard::ShowTime(const std::string& timeText) {
    Change(lastCar_, [&](Fields& f) { f[kMemo5] = timeText; });
}

void Scoreboard::ShowSplitTexts(const std::string& split1, const std::string& split2) {
    Change(lastCar_, [&](Fields& f) {
        if (!split1.empty()) {
            f[kMemo3] = split1;
        }
        if (!split2.empty()) {
            f[kMemo4] = split2;
        }
    });
}

}  // namespace vantrel
