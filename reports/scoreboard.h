#pragma once
// The "Display" page of the record window: the texts of the seven scoreboard fields
// (`Memo1` .. `Memo7`), their colours and the font sizes a reset sets.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <string>

namespace vantrel {

class Scoreboard {
public:
    enum Field : int32_t { kMemo1, kMemo2, kMemo3, kMemo4, kMemo5, kMemo6, kMemo7, kFieldCount };
    enum Label : int32_t { kLabel1, kLabel2, kLabel3, kLabelCount };
    static constexpr int32_t kDefaultFontColor = 65535;  // yellow, 0x00BBGGRR
    static constexpr int32_t kDefaultBackground = 0;     // black

    Scoreboard() { Reset(); }

    // Empties the fields but the time field, which reads "00:00.000", and sets the design
    // font sizes (the next layout pass fits the field sizes again).
    void Reset();

    // A split of a gymkhana car: the small field takes the car, the wide one the time.
    void ShowSplit1(int32_t car, const std::string& timeText);
    void ShowSplit2(int32_t car, const std::string& timeText);
    // The car row and the time row (a run, a lap, a drag run).
    void ShowCar(int32_t car, const std::string& name);
    void ShowTime(const std::string& timeText) { fields_[kMemo5] = timeText; }
    // The wide split fields of a finished gymkhana run (split texts or the speed text).
    void ShowSplitTexts(const std::string& split1, const std::string& split2);

    const std::string& Text(Field field) const { return fields_[field]; }
    int32_t FieldPointSize(Field field) const { return fieldPoints_[field]; }
    int32_t LabelPointSize(Label label) const { return labelPoints_[label]; }
    // The layout pass's font fit gives one size to all seven fields.
    void SetFieldPointSize(int32_t points) { fieldPoints_.fill(points); }

    int32_t fontColor = kDefaultFontColor;
    int32_t background = kDefaultBackground;

private:
    std::array<std::string, kFieldCount> fields_;
    std::array<int32_t, kFieldCount> fieldPoints_{};
    std::array<int32_t, kLabelCount> labelPoints_{};
};

}  // namespace vantrel
