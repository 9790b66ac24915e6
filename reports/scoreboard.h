#pragma once
// The "Display" page of the record window: the texts of the seven scoreboard fields
// (`Memo1` .. `Memo7`), their colours and the font sizes a reset sets. Besides the fields of
// every car, it keeps the fields of each class: what the board shows when only that class's
// cars are followed. With the result list known, it also knows which result the time field
// shows, and so whether that result is marked for review.
// Thread rule: GUI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vantrel {

class EntryTable;
class ResultTable;

class Scoreboard {
public:
    enum Field : int32_t { kMemo1, kMemo2, kMemo3, kMemo4, kMemo5, kMemo6, kMemo7, kFieldCount };
    enum Label : int32_t { kLabel1, kLabel2, kLabel3, kLabelCount };
    static constexpr int32_t kDefaultFontColor = 65535;  // yellow, 0x00BBGGRR
    static constexpr int32_t kDefaultBackground = 0;     // black

    Scoreboard() { Reset(); }

    // The classes of the cars shown are looked up in `entries` at the moment they are shown;
    // null (the default): no class fields are kept. `entries` must outlive the board.
    void UseClasses(const EntryTable* entries) { entries_ = entries; }
    // The result list the times shown come from: a time shown is that of the car's latest
    // result there. Null (the default): no time is known to be marked. It must outlive the
    // board.
    void UseResults(const ResultTable* results) { results_ = results; }

    // Empties the fields but the time field, which reads "00:00.000", and sets the design
    // font sizes (the next layout pass fits the field sizes again); the fields of every class
    // read so too.
    void Reset();

    // A split of a gymkhana car: the small field takes the car, the wide one the time.
    void ShowSplit1(int32_t car, const std::string& timeText);
    void ShowSplit2(int32_t car, const std::string& timeText);
    // The car row and the time row (a run, a lap, a drag run). The time and the split texts
    // belong to the car shown last.
    void ShowCar(int32_t car, const std::string& name);
    void ShowTime(const std::string& timeText);
    // The wide split fields of a finished gymkhana run (split texts or the speed text).
    void ShowSplitTexts(const std::string& split1, const std::string& split2);

    const std::string& Text(Field field) const { return fields_.text[field]; }
    // A field as it reads when only the cars of `cls` are followed; "" gives Text(field).
    const std::string& Text(Field field, std::string_view cls) const;
    // The review mark of the result whose time the time field shows (for the cars of `cls`),
    // as the result list holds it now; "" when it has none or is no longer in the list.
    std::string TimeFlag(std::string_view cls = {}) const;
    int32_t FieldPointSize(Field field) const { return fieldPoints_[field]; }
    int32_t LabelPointSize(Label label) const { return labelPoints_[label]; }
    // The layout pass's font fit gives one size to all seven fields.
    void SetFieldPointSize(int32_t points) { fieldPoints_.fill(points); }

    int32_t fontColor = kDefaultFontColor;
    int32_t background = kDefaultBackground;

private:
    // The result whose time the time field shows: its car, its run or lap number as the list
    // writes it, and the row it was in (looked at first).
    struct ShownResult {
        int32_t car = 0;
        std::string count;
        int32_t row = 0;
    };
    struct Fields {
        std::array<std::string, kFieldCount> text;
        ShownResult time;
        std::string& operator[](int32_t field) { return text[field]; }
        const std::string& operator[](int32_t field) const { return text[field]; }
    };
    static Fields ResetFields();
    ShownResult LatestResultOf(int32_t car) const;
    // Applies `change` to the fields of every car and to those of `car`'s class.
    void Change(int32_t car, const std::function<void(Fields&)>& change);

    Fields fields_;
    const EntryTable* entries_ = nullptr;
    const ResultTable* results_ = nullptr;
    std::map<std::string, Fields, std::less<>> classFields_;
    int32_t lastCar_ = 0;  // the car of the car row
    std::array<int32_t, kFieldCount> fieldPoints_{};
    std::array<int32_t, kLabelCount> labelPoints_{};
};

}  // namespace vantrel
