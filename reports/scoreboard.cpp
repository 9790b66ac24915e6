#include "reports/scoreboard.h"

#include "lists/entry_table.h"
#include "lists/result_table.h"
#include "reports/standings_flags.h"

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
    const ShownResult shown = LatestResultOf(lastCar_);
    Change(lastCar_, [&](Fields& f) {
        f[kMemo5] = timeText;
        f.time = shown;
    });
}

Scoreboard::ShownResult Scoreboard::LatestResultOf(int32_t car) const {
    if (results_ == nullptr || car < 1) {
        return {};
    }
    // A booking shows its time right after its row went in, so the search ends at once.
    const std::string carText = std::to_string(car);
    for (int32_t row = results_->RowCount() - 1; row >= 1; --row) {
        if (results_->Cell(ResultTable::kCar, row) == carText) {
            return {car, results_->Cell(ResultCountColumn(results_->Mode()), row), row};
        }
    }
    return {};
}

std::string Scoreboard::TimeFlag(std::string_view cls) const {
    const Fields* fields = &fields_;
    if (!cls.empty()) {
        const auto it = classFields_.find(cls);
        if (it == classFields_.end()) {
            return {};
        }
        fields = &it->second;
    }
    const ShownResult& shown = fields->time;
    if (results_ == nullptr || shown.car == 0) {
        return {};
    }
    const int32_t row = FindResultRow(*results_, shown.car, shown.count, shown.row);
    return row > 0 ? results_->Flag(row) : std::string();
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
